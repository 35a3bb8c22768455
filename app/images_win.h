// The program's artwork, drawn in code: the 18 images of imlMain and the program icon.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "common/owned_win.h"

namespace tarnwick {

inline constexpr int kMainImageCount = 18;

// imlMain: 18 images of 16 × 16 pixels.
ImageListHandle CreateMainImages();

// A 16 × 16 bitmap of one image on the menu colour, for a menu item.
BitmapHandle MenuBitmap(HIMAGELIST images, int index);

// The program icon at its two sizes (32 or 16 pixels), from the executable's resources.
HICON ProgramIcon(int size);

}  // namespace tarnwick
