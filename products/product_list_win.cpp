#include "products/product_list_win.h"

#include "common/controls_win.h"
#include "common/dpi_win.h"
#include "common/list_view_win.h"
#include "common/message_box.h"
#include "common/wide_text_win.h"
#include "products/product_images_win.h"

namespace tarnwick {
namespace {

constexpr const char* kReadFailed = "读取产品信息失败。";

constexpr ListColumn kColumns[] = {{"产品名称", 200}, {"服务器", 100}, {"数据库", 100}};

constexpr DWORD kViewTypes[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};

void SetCell(HWND list, int row, int column, const std::string& text) {
    std::wstring wide = Wide(text);
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = wide.data();
    SendMessageW(list, LVM_SETITEMTEXTW, WPARAM(row), LPARAM(&item));
}

}  // namespace

ProductList::~ProductList() {
    // Before the image lists it shows go with the members.
    if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

bool ProductList::Create(HWND parent, int id, ProductListHost host) {
    host_ = std::move(host);
    const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    // Neither sorted nor editable in place: no LVS_SORT* and no LVS_EDITLABELS.
    hwnd_ = CreateControl(
        parent, WC_LISTVIEWA, "",
        LVS_REPORT | LVS_SINGLESEL | LVS_SHAREIMAGELISTS | WS_TABSTOP | WS_CLIPSIBLINGS, 0, 0, 0, 0,
        id, WS_EX_CLIENTEDGE);
    if (!hwnd_) return false;
    ListView_SetExtendedListViewStyle(hwnd_, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    SetImages(DpiOf(parent));
    AddColumns(hwnd_, kColumns);
    return true;
}

// The images are drawn for the DPI, 24 and 16 pixels at 96 DPI.
void ProductList::SetImages(int dpi) {
    ImageListHandle large = CreateProductImages(DpiScale(dpi, 24));
    ImageListHandle small = CreateProductImages(DpiScale(dpi, 16));
    ListView_SetImageList(hwnd_, large.Get(), LVSIL_NORMAL);
    ListView_SetImageList(hwnd_, small.Get(), LVSIL_SMALL);
    imlPdt24 = std::move(large);  // the list no longer shows the old ones
    imlPdt16 = std::move(small);
}

void ProductList::SetDpi(int dpi, int oldDpi) {
    SetImages(dpi);
    ScaleColumns(hwnd_, oldDpi, dpi);
}

void ProductList::LoadProducts(const ProfileFile& file) {
    const bool read = products_.Load(file);
    ShowRows();
    if (!read) {
        ShowError(kReadFailed);
        return;
    }
    if (host_.SyncKnownProducts) host_.SyncKnownProducts(products_.Captions());
    if (host_.SetCountText) host_.SetCountText(products_.CountText());
}

void ProductList::ShowRows() {
    ListView_DeleteAllItems(hwnd_);
    const std::vector<ProductRow>& rows = products_.Rows();
    for (size_t i = 0; i < rows.size(); ++i)
        AppendRow(int(i), rows[i]);
}

void ProductList::AppendRow(int at, const ProductRow& row) {
    std::wstring caption = Wide(row.caption);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = at;
    item.pszText = caption.data();
    item.iImage = 0;
    if (SendMessageW(hwnd_, LVM_INSERTITEMW, 0, LPARAM(&item)) != at) return;
    SetCell(hwnd_, at, 1, row.server);
    SetCell(hwnd_, at, 2, row.database);
}

void ProductList::SetViewStyle(ProductViewStyle style) {
    const DWORD current = DWORD(GetWindowLongPtrA(hwnd_, GWL_STYLE));
    const DWORD type = kViewTypes[int(style)];
    if ((current & LVS_TYPEMASK) == type) return;
    SetWindowLongPtrA(hwnd_, GWL_STYLE, LONG_PTR((current & ~DWORD(LVS_TYPEMASK)) | type));
}

bool ProductList::HandleNotify(const NMHDR* header) {
    if (header->hwndFrom != hwnd_) return false;
    switch (header->code) {
        case NM_CLICK:
            return lstvProductClick(), true;
        case NM_DBLCLK:
            return lstvProductDblClick(), true;
    }
    return false;
}

// Runs after every left click, on a row or on empty space; a selection changed in any other
// way leaves the command as the last click set it.
void ProductList::lstvProductClick() {
    if (host_.actFileProperty) host_.actFileProperty->SetEnabled(RowSelected());
}

// The click before it has already set the command, so a double click on empty space finds it
// disabled and opens nothing.
void ProductList::lstvProductDblClick() {
    if (host_.actFileProperty) host_.actFileProperty->Execute();
}

POINT ProductList::KeyboardMenuPoint() const {
    POINT at{0, 0};
    RECT row{};
    const int selected = ListView_GetNextItem(hwnd_, -1, LVNI_SELECTED);
    if (selected >= 0) {
        ListView_EnsureVisible(hwnd_, selected, FALSE);
        if (ListView_GetItemRect(hwnd_, selected, &row, LVIR_LABEL)) at = {row.left, row.bottom};
    }
    ClientToScreen(hwnd_, &at);
    return at;
}

bool ProductList::RowSelected() const {
    return ListView_GetNextItem(hwnd_, -1, LVNI_SELECTED) >= 0;
}

namespace {

// A text the list copies into a buffer of the size it is given, which it may fill without a
// terminating zero: the buffer grows until the text ends well inside it, and its last character
// is never handed out, so it always ends in a zero. Read in UTF-16, given as code page 936 text.
template <class Fill>
std::string ReadListText(Fill fill) {
    constexpr size_t kFirstChars = 256, kMostChars = size_t(1) << 23;
    for (size_t size = kFirstChars;; size *= 2) {
        std::wstring text(size, L'\0');
        fill(text.data(), int(size - 1));
        text.resize(std::char_traits<wchar_t>::length(text.c_str()));
        if (text.size() + 4 <= size || size >= kMostChars) return Narrow(text);
    }
}

}  // namespace

std::vector<std::string> ProductList::ColumnCaptions() const {
    std::vector<std::string> captions;
    for (int i = 0;; ++i) {
        bool exists = false;
        std::string caption = ReadListText([&](wchar_t* text, int size) {
            LVCOLUMNW column{};
            column.mask = LVCF_TEXT;
            column.pszText = text;
            column.cchTextMax = size;
            exists = SendMessageW(hwnd_, LVM_GETCOLUMNW, WPARAM(i), LPARAM(&column)) != 0;
        });
        if (!exists) break;
        captions.push_back(std::move(caption));
    }
    return captions;
}

std::optional<std::vector<std::string>> ProductList::SelectedRowTexts() const {
    const int row = ListView_GetNextItem(hwnd_, -1, LVNI_SELECTED);
    if (row < 0) return std::nullopt;
    std::vector<std::string> texts;
    const size_t columns = ColumnCaptions().size();
    for (size_t c = 0; c < columns; ++c) {
        texts.push_back(ReadListText([&](wchar_t* text, int size) {
            LVITEMW item{};
            item.iSubItem = int(c);
            item.pszText = text;
            item.cchTextMax = size;
            SendMessageW(hwnd_, LVM_GETITEMTEXTW, WPARAM(row), LPARAM(&item));
        }));
    }
    return texts;
}

}  // namespace tarnwick
