#include "common/list_view_win.h"

#include <commctrl.h>

#include <string>

#include "common/dpi_win.h"
#include "common/wide_text_win.h"

namespace tarnwick {

void AddColumns(HWND list, std::span<const ListColumn> columns) {
    const int dpi = DpiOf(list);
    for (int i = 0; i < int(columns.size()); ++i) {
        std::wstring caption = Wide(columns[i].caption);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.cx = DpiScale(dpi, columns[i].width);
        column.pszText = caption.data();
        column.iSubItem = i;
        SendMessageW(list, LVM_INSERTCOLUMNW, WPARAM(i), LPARAM(&column));
    }
}

void ScaleColumns(HWND list, int fromDpi, int toDpi) {
    const HWND header = HWND(SendMessageA(list, LVM_GETHEADER, 0, 0));
    const int columns = header ? int(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    for (int i = 0; i < columns; ++i) {
        const int width = int(SendMessageA(list, LVM_GETCOLUMNWIDTH, WPARAM(i), 0));
        SendMessageA(list, LVM_SETCOLUMNWIDTH, WPARAM(i), MulDiv(width, toDpi, fromDpi));
    }
}

}  // namespace tarnwick
