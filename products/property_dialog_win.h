// TfrmPdtProperty, the property view: the product selected in lstvProduct, one line per column
// of the list, on the one page "产品".
#pragma once

#include <windows.h>

#include "common/form_win.h"
#include "products/product_list_win.h"

namespace tarnwick {

inline constexpr const char* kPdtPropertyClass = "TfrmPdtProperty";

// btnOk is the default button; Escape closes the dialog as btnOk does.
class TfrmPdtProperty final : public Form {
  public:
    enum ControlId : int { kPagProperty = 101, kMemProperty, kBtnOk };

    // Creates the dialog hidden, owned by the application's window. Throws when it cannot be
    // created.
    explicit TfrmPdtProperty(const ProductList& lstvProduct);

  private:
    void CreateControls();
    void PlaceMemo(int dpi);
    void LayOut(int dpi) override;
    void OnCommand(int id, int code) override;
    void FormShow() override;
    void btnOkClick();

    const ProductList& lstvProduct_;

    HWND pagProperty = nullptr;  // its one page tabProduct, "产品"
    HWND memProperty = nullptr;
    HWND btnOk = nullptr;
};

// File > Properties: the dialog created, shown modally and destroyed once it has closed, also
// when an error is raised while it is shown.
void actFilePropertyExecute(const ProductList& lstvProduct);

}  // namespace tarnwick
