#include "app/client_grid_win.h"

#include <algorithm>
#include <cwchar>

#include "common/controls_win.h"
#include "common/dpi_win.h"
#include "common/list_view_win.h"
#include "common/wide_text_win.h"

namespace tarnwick {
namespace {

constexpr size_t kMostCachedRows = 256;

// True for its own lifetime.
class Flag {
  public:
    explicit Flag(bool& flag) : flag_(flag) { flag_ = true; }
    ~Flag() { flag_ = false; }
    Flag(const Flag&) = delete;
    Flag& operator=(const Flag&) = delete;

  private:
    bool& flag_;
};

// Column 4 has no header and nothing is ever written into it.
constexpr ListColumn kColumns[] = {
    {"产品名称", 200}, {"IP", 150}, {"登录时间", 200}, {"检测时间", 200}, {"", 299}};

}  // namespace

ClientGrid::~ClientGrid() {
    // Before the image list it shows goes with the members.
    if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

void ClientGrid::Create(HWND parent, int id) {
    hwnd_ = CreateControl(parent, WC_LISTVIEWA, "",
                          LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS |
                              WS_TABSTOP | WS_CLIPSIBLINGS,
                          0, 0, 0, 0, id, WS_EX_CLIENTEDGE);
    ListView_SetExtendedListViewStyle(
        hwnd_, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER);
    AddColumns(hwnd_, kColumns);
    SetRowHeight(DpiOf(parent));
}

void ClientGrid::SetRowHeight(int dpi) {
    // A list view's rows are as high as its small images plus the control's own spacing, which
    // differs between implementations: measure it once and size an empty image list to fit.
    const int rowHeight = DpiScale(dpi, kRowHeight);
    int imageHeight = rowHeight;
    ListView_SetItemCountEx(hwnd_, 1, 0);
    for (int attempt = 0; attempt < 2; ++attempt) {
        ImageListHandle images(ImageList_Create(1, imageHeight, ILC_COLOR, 0, 0));
        ListView_SetImageList(hwnd_, images.Get(), LVSIL_SMALL);
        rowHeight_ = std::move(images);  // the list no longer shows the old one
        RECT row{};
        ListView_GetItemRect(hwnd_, 0, &row, LVIR_BOUNDS);
        const int height = row.bottom - row.top;
        if (height == rowHeight || height <= 0) break;
        imageHeight = std::max(1, imageHeight - (height - rowHeight));
    }
}

void ClientGrid::SetUp() {
    const Flag updating(updating_);
    const int dpi = DpiOf(hwnd_);
    for (int i = 0; i < int(std::size(kColumns)); ++i)
        ListView_SetColumnWidth(hwnd_, i, DpiScale(dpi, kColumns[i].width));
    ListView_SetItemCountEx(hwnd_, 1, 0);
}

void ClientGrid::SetDpi(int dpi, int oldDpi) {
    const Flag updating(updating_);
    ScaleColumns(hwnd_, oldDpi, dpi);
    const int rows = ListView_GetItemCount(hwnd_);
    SetRowHeight(dpi);
    ListView_SetItemCountEx(hwnd_, rows, LVSICF_NOSCROLL);
}

size_t ClientGrid::Refresh(const TableChanges& changes) {
    const Flag updating(updating_);
    struct View {
        size_t terminals, current;
    };
    const View view = table_.Read([](const TableReader& r) {
        return View{r.TerminalCount(), r.CurrentRow()};
    });
    // The grid always has a row: the empty row when no terminal is present.
    const int rows = int(std::max<size_t>(view.terminals, 1));
    const bool resized = rows != ListView_GetItemCount(hwnd_);
    if (resized) {
        ListView_SetItemCountEx(hwnd_, rows, LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
    }
    // A removal may move the current row up, and a shorter list drops the highlight of a row
    // past its end: show the table's current row again after every change of the rows' number.
    if (changes.currentRow || resized) ShowCurrentRow(int(view.current));
    if (changes.rows) InvalidateRect(hwnd_, nullptr, FALSE);
    cache_.clear();
    return view.terminals;
}

void ClientGrid::CacheRows(int from, int to) {
    cache_.clear();
    if (from < 0 || to < from) return;
    cacheFrom_ = size_t(from);
    table_.Read([&](const TableReader& r) {
        // A screenful is a few dozen rows; a larger hint is served in part.
        const size_t end =
            std::min({size_t(to) + 1, r.TerminalCount(), cacheFrom_ + kMostCachedRows});
        for (size_t row = cacheFrom_; row < end; ++row) {
            auto& texts = cache_.emplace_back();
            for (int column = 0; column < 4; ++column)
                texts[size_t(column)] = r.Cell(row, column);
        }
    });
}

void ClientGrid::SupplyText(LVITEMW& item) {
    const auto copy = [&item](std::string_view text) {
        const std::wstring wide = Wide(text);
        const size_t n = std::min(wide.size(), size_t(item.cchTextMax - 1));
        std::wmemcpy(item.pszText, wide.data(), n);
        item.pszText[n] = L'\0';
    };
    const size_t row = size_t(item.iItem);
    if (row >= cacheFrom_ && row - cacheFrom_ < cache_.size()) {
        const bool shown = item.iSubItem >= 0 && item.iSubItem < 4;
        copy(shown ? std::string_view(cache_[row - cacheFrom_][size_t(item.iSubItem)]) : "");
        return;
    }
    table_.Read([&](const TableReader& r) { copy(r.Cell(row, item.iSubItem)); });
}

void ClientGrid::ShowCurrentRow(int row) {
    ListView_SetItemState(hwnd_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetItemState(hwnd_, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(hwnd_, row, FALSE);
}

bool ClientGrid::HandleNotify(NMHDR* header) {
    if (header->hwndFrom != hwnd_) return false;
    if (header->code == LVN_ITEMCHANGED) {
        // The user moved the current row: the table keeps it from now on. The grid's own
        // changes show the table's current row and are not written back.
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
        if (!updating_ && change->iItem >= 0 && change->uNewState & LVIS_FOCUSED &&
            !(change->uOldState & LVIS_FOCUSED)) {
            table_.SetCurrentRow(size_t(change->iItem));
        }
        return true;
    }
    if (header->code == LVN_ODCACHEHINT) {
        const auto* hint = reinterpret_cast<const NMLVCACHEHINT*>(header);
        CacheRows(hint->iFrom, hint->iTo);
        return true;
    }
    if (header->code == LVN_GETDISPINFOW) {
        auto* info = reinterpret_cast<NMLVDISPINFOW*>(header);
        LVITEMW& item = info->item;
        if (item.mask & LVIF_TEXT && item.cchTextMax > 0) SupplyText(item);
        if (item.mask & LVIF_IMAGE) item.iImage = -1;
        return true;
    }
    return false;
}

}  // namespace tarnwick
