// Reading a list view's column headers and widths, for tests of the program's lists.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace tarnwick::testing {

struct ListColumn {
    bool found = false;
    std::string caption;
    int width = 0;
};

inline ListColumn ReadListColumn(HWND list, int index) {
    char text[256] = {};
    LVCOLUMNA c{};
    c.mask = LVCF_TEXT | LVCF_WIDTH;
    c.pszText = text;
    c.cchTextMax = sizeof text;
    const bool found = SendMessageA(list, LVM_GETCOLUMNA, WPARAM(index), LPARAM(&c)) != 0;
    return {found, text, c.cx};
}

}  // namespace tarnwick::testing
