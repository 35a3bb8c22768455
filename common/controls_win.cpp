#include "common/controls_win.h"

#include <commctrl.h>

#include "common/dpi_win.h"
#include "common/font_win.h"
#include "common/wide_text_win.h"

namespace tarnwick {

HWND CreateControl(HWND parent, const char* className, const char* caption, DWORD style, int x,
                   int y, int width, int height, int id, DWORD exStyle) {
    const int dpi = DpiOf(parent);
    const RECT r = DpiScaleRect(dpi, x, y, width, height);
    HWND control = CreateWindowExW(exStyle, Wide(className).c_str(), Wide(caption).c_str(),
                                   WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
                                   r.bottom - r.top, parent, HMENU(INT_PTR(id)),
                                   GetModuleHandleA(nullptr), nullptr);
    if (control) SendMessageA(control, WM_SETFONT, WPARAM(UiFont(dpi)), FALSE);
    return control;
}

std::string WindowTextOf(HWND window) {
    std::wstring text(size_t(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(window, text.data(), int(text.size()))));
    return Narrow(text);
}

void AddTabs(HWND tabs, std::initializer_list<const char*> captions) {
    int at = 0;
    for (const char* caption : captions) {
        std::wstring text = Wide(caption);
        TCITEMW tab{};
        tab.mask = TCIF_TEXT;
        tab.pszText = text.data();
        SendMessageW(tabs, TCM_INSERTITEMW, WPARAM(at++), LPARAM(&tab));
    }
}

std::string Control::Text() const {
    return WindowTextOf(hwnd_);
}

void Control::SetText(const std::string& text) const {
    SetWindowTextW(hwnd_, Wide(text).c_str());
}

void ComboBox::Clear() const {
    SendMessageA(Handle(), CB_RESETCONTENT, 0, 0);
    SetText("");
}

void ComboBox::AddItem(const std::string& item) const {
    SendMessageW(Handle(), CB_ADDSTRING, 0, LPARAM(Wide(item).c_str()));
}

bool CheckBox::Checked() const {
    return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CheckBox::SetChecked(bool checked) const {
    SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

}  // namespace tarnwick
