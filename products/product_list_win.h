// lstvProduct: the product list of the main window's page "产品". It shows the rows of the
// product catalog in entry order (never sorted), in one of four view styles, and turns left
// clicks into the enabled state of the property command and double clicks into running it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/action_list.h"
#include "common/owned_win.h"
#include "common/profile.h"
#include "products/product_catalog.h"

namespace tarnwick {

// What the list needs of the window that hosts it.
struct ProductListHost {
    // Enabled by left clicks that leave a row selected; run by double clicks while enabled.
    Action* actFileProperty = nullptr;
    // Brings KnownProducts in step with the captions, as one operation.
    std::function<void(const std::vector<std::string>&)> SyncKnownProducts;
    // Sets the product count panel.
    std::function<void(const std::string&)> SetCountText;
};

enum class ProductViewStyle { kLargeIcon, kSmallIcon, kList, kReport };

class ProductList {
  public:
    explicit ProductList(ProductCatalog& products) : products_(products) {}
    ~ProductList();
    ProductList(const ProductList&) = delete;
    ProductList& operator=(const ProductList&) = delete;

    // The list view with its columns and both image lists, in the report view, without rows.
    bool Create(HWND parent, int id, ProductListHost host);
    HWND Handle() const { return hwnd_; }

    // Loads the catalog from `file` and shows its rows. When reading fails the error is shown,
    // the rows read so far stay, and neither KnownProducts nor the count text change.
    void LoadProducts(const ProfileFile& file);

    // The view styles of the actions actViewLargeIcon, actViewSmallIcon, actViewList and
    // actViewReport; rows and columns stay as they are.
    void SetViewStyle(ProductViewStyle style);

    // Images drawn for `dpi`, and columns as wide as the user left them at `oldDpi`.
    void SetDpi(int dpi, int oldDpi);

    // The host passes on its WM_NOTIFY messages; true when the notice was the list's.
    bool HandleNotify(const NMHDR* header);
    void lstvProductClick();
    void lstvProductDblClick();

    bool RowSelected() const;
    // Where a popup menu opened from the keyboard goes, in screen coordinates: below the left
    // edge of the selected row, or the list's top left corner when no row is selected.
    POINT KeyboardMenuPoint() const;

    // What the list shows now, read from the control: the captions of its columns, and the
    // texts of the selected row in each column (nothing when no row is selected).
    std::vector<std::string> ColumnCaptions() const;
    std::optional<std::vector<std::string>> SelectedRowTexts() const;

  private:
    void SetImages(int dpi);
    void ShowRows();
    void AppendRow(int at, const ProductRow& row);

    HWND hwnd_ = nullptr;
    // The list shares its image lists (LVS_SHAREIMAGELISTS): these are their only owners.
    ImageListHandle imlPdt24;  // large images
    ImageListHandle imlPdt16;  // small images
    ProductListHost host_;
    ProductCatalog& products_;
};

}  // namespace tarnwick
