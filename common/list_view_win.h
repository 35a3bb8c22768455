// Report list views whose columns are given as a table at 96 DPI.
#pragma once

#include <windows.h>

#include <span>

namespace tarnwick {

struct ListColumn {
    const char* caption;  // code page 936 text
    int width;            // pixels at 96 DPI
};

// Appends `columns` to the report list view `list`, as wide as given at the list's DPI.
void AddColumns(HWND list, std::span<const ListColumn> columns);

// The columns of `list` at `toDpi`, each as wide in proportion as it was at `fromDpi`.
void ScaleColumns(HWND list, int fromDpi, int toDpi);

}  // namespace tarnwick
