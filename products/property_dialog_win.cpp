#include "products/property_dialog_win.h"

#include <commctrl.h>

#include <stdexcept>

#include "common/application_window_win.h"
#include "common/font_win.h"
#include "common/wide_text_win.h"
#include "products/property_lines.h"

namespace tarnwick {
namespace {

constexpr Place kPage{12, 8, 345, 337};
constexpr Place kMemo{4, 4, 329, 301};  // within the page

}  // namespace

TfrmPdtProperty::TfrmPdtProperty(const ProductList& lstvProduct) : lstvProduct_(lstvProduct) {
    CreateForm(kPdtPropertyClass, "属性", 368, 388, ApplicationWindow());
    CreateControls();
}

void TfrmPdtProperty::CreateControls() {
    pagProperty = Add(WC_TABCONTROLA, "", WS_CLIPSIBLINGS, kPage, kPagProperty);
    AddTabs(pagProperty, {"产品"});
    memProperty = CreateControl(Handle(), "EDIT", "",
                                ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL | ES_AUTOVSCROLL |
                                    WS_HSCROLL | WS_VSCROLL | WS_TABSTOP,
                                0, 0, kMemo.width, kMemo.height, kMemProperty, WS_EX_CLIENTEDGE);
    if (!memProperty) throw std::runtime_error("Cannot create the property dialog");
    PlaceMemo(Dpi());
    btnOk = AddButton("确认(&O)", {282, 354, 75, 25}, kBtnOk);
    SetFirstFocus(btnOk);
    SetDefaultButton(btnOk);
}

// The page is the tab control's display area, which follows the tabs' font; the memo lies on
// it as the page's only control.
void TfrmPdtProperty::PlaceMemo(int dpi) {
    SendMessageA(memProperty, WM_SETFONT, WPARAM(UiFont(dpi)), FALSE);
    RECT page;
    GetWindowRect(pagProperty, &page);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&page), 2);
    TabCtrl_AdjustRect(pagProperty, FALSE, &page);
    const RECT memo = DpiScaleRect(dpi, kMemo.x, kMemo.y, kMemo.width, kMemo.height);
    SetWindowPos(memProperty, HWND_TOP, page.left + memo.left, page.top + memo.top,
                 memo.right - memo.left, memo.bottom - memo.top, SWP_NOACTIVATE);
}

void TfrmPdtProperty::LayOut(int dpi) {
    Form::LayOut(dpi);
    PlaceMemo(dpi);
}

void TfrmPdtProperty::OnCommand(int id, int code) {
    if (id == kBtnOk && code == BN_CLICKED) btnOkClick();
}

// The lines are a snapshot of the list as it is now: its column captions and its selected row.
void TfrmPdtProperty::FormShow() {
    TabCtrl_SetCurSel(pagProperty, 0);
    const std::string text =
        MemoText(PropertyLines(lstvProduct_.ColumnCaptions(), lstvProduct_.SelectedRowTexts()));
    SetWindowTextW(memProperty, Wide(text).c_str());
}

void TfrmPdtProperty::btnOkClick() {
    SendMessageA(Handle(), WM_CLOSE, 0, 0);
}

void actFilePropertyExecute(const ProductList& lstvProduct) {
    TfrmPdtProperty form(lstvProduct);
    form.ShowModal();
}

}  // namespace tarnwick
