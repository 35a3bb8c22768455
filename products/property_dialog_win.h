// TfrmPdtProperty, the property view: the product selected in lstvProduct, one line per column
// of the list, on the one page "产品".
#pragma once

#include <windows.h>

#include "common/window_win.h"
#include "products/product_list_win.h"

namespace tarnwick {

inline constexpr const char* kPdtPropertyClass = "TfrmPdtProperty";

class TfrmPdtProperty final : public Window {
  public:
    enum ControlId : int { kPagProperty = 101, kMemProperty, kBtnOk };

    // Creates the dialog hidden, owned by the application's window. Throws when it cannot be
    // created.
    explicit TfrmPdtProperty(const ProductList& lstvProduct);

    // Shows the dialog and returns once it has closed, whichever way.
    void ShowModal();

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    void CreateControls();
    HWND Add(const char* className, const char* caption, DWORD style, int x, int y, int width,
             int height, ControlId id, DWORD exStyle = 0);
    void FormShow();
    void btnOkClick();

    const ProductList& lstvProduct_;
    bool closed_ = false;

    HWND pagProperty = nullptr;  // its one page tabProduct, "产品"
    HWND memProperty = nullptr;
    HWND btnOk = nullptr;
};

// File > Properties: the dialog created, shown modally and destroyed once it has closed, also
// when an error is raised while it is shown.
void actFilePropertyExecute(const ProductList& lstvProduct);

}  // namespace tarnwick
