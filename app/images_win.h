// The program's artwork: imlMain, whose images the actions show are drawn in code at each size,
// and the program icon, whose images at each size tools/make-icon.py draws.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "common/owned_win.h"

namespace tarnwick {

inline constexpr int kMainImageCount = 18;

// The sizes imlMain is drawn at: 16 pixels at 96 DPI, and larger for 150, 200 and 300 %.
inline constexpr int kMainImageSizes[] = {16, 24, 32, 48};
// The largest of those that the 16 pixels at 96 DPI fill at `dpi`.
int MainImageSize(int dpi);

// imlMain: 18 places for images of `size` × `size` pixels, those the actions show drawn.
ImageListHandle CreateMainImages(int size);

// A bitmap of one image on the menu colour, for a menu item, at the size of `images`.
BitmapHandle MenuBitmap(HIMAGELIST images, int index);

// The program icon at one of its sizes (16, 24, 32, 48 or 64 pixels), from the executable's
// resources.
HICON ProgramIcon(int size);

}  // namespace tarnwick
