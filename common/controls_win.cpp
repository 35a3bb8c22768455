#include "common/controls_win.h"

#include "common/wide_text_win.h"
#include "common/window_win.h"

namespace tarnwick {

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
