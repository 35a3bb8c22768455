#include "products/property_dialog_win.h"

#include <commctrl.h>

#include <stdexcept>

#include "products/property_lines.h"

namespace tarnwick {
namespace {

// A fixed dialog frame whose title bar carries only the close button.
constexpr DWORD kFormStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
constexpr int kClientWidth = 368, kClientHeight = 388;
constexpr int kMemoMargin = 4;  // the memo's place within the page

}  // namespace

TfrmPdtProperty::TfrmPdtProperty(const ProductList& lstvProduct) : lstvProduct_(lstvProduct) {
    if (!Create(kPdtPropertyClass, kFormExStyle, kFormStyle, "属性", 0, 0, kClientWidth,
                kClientHeight, ApplicationWindow())) {
        throw std::runtime_error("Cannot create the property dialog");
    }
    SetClientSizeCentred(Handle(), kClientWidth, kClientHeight);
    CreateControls();
}

HWND TfrmPdtProperty::Add(const char* className, const char* caption, DWORD style, int x, int y,
                          int width, int height, ControlId id, DWORD exStyle) {
    HWND control =
        CreateControl(Handle(), className, caption, style, x, y, width, height, id, exStyle);
    if (!control) throw std::runtime_error("Cannot create the property dialog");
    return control;
}

// The page is the tab control's display area; the memo lies on it as the page's only control.
void TfrmPdtProperty::CreateControls() {
    SendMessageA(Handle(), WM_SETFONT, WPARAM(UiFont()), FALSE);
    pagProperty = Add(WC_TABCONTROLA, "", WS_CLIPSIBLINGS, 12, 8, 345, 337, kPagProperty);
    TCITEMA tab{};
    tab.mask = TCIF_TEXT;
    tab.pszText = const_cast<char*>("产品");
    SendMessageA(pagProperty, TCM_INSERTITEMA, 0, LPARAM(&tab));
    RECT page{12, 8, 12 + 345, 8 + 337};
    TabCtrl_AdjustRect(pagProperty, FALSE, &page);
    memProperty = Add("EDIT", "",
                      ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL | ES_AUTOVSCROLL | WS_HSCROLL |
                          WS_VSCROLL | WS_TABSTOP,
                      page.left + kMemoMargin, page.top + kMemoMargin, 329, 301, kMemProperty,
                      WS_EX_CLIENTEDGE);
    SetWindowPos(memProperty, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    btnOk = Add("BUTTON", "确认(&O)", BS_PUSHBUTTON | WS_TABSTOP, 282, 354, 75, 25, kBtnOk);
    SetFirstFocus(btnOk);
    SetDefaultButton(btnOk);
}

void TfrmPdtProperty::OnCommand(int id, int code) {
    if (id == kBtnOk && code == BN_CLICKED) btnOkClick();
}

// The lines are a snapshot of the list as it is now: its column captions and its selected row.
void TfrmPdtProperty::FormShow() {
    TabCtrl_SetCurSel(pagProperty, 0);
    const std::string text =
        MemoText(PropertyLines(lstvProduct_.ColumnCaptions(), lstvProduct_.SelectedRowTexts()));
    SetWindowTextA(memProperty, text.c_str());
}

void TfrmPdtProperty::btnOkClick() {
    SendMessageA(Handle(), WM_CLOSE, 0, 0);
}

void actFilePropertyExecute(const ProductList& lstvProduct) {
    TfrmPdtProperty form(lstvProduct);
    form.ShowModal();
}

}  // namespace tarnwick
