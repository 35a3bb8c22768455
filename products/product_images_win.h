// The product image, drawn in code: image 0 of imlPdt24 and of imlPdt16.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "common/owned_win.h"

namespace tarnwick {

// A new image list of `size` × `size` pixels holding the product image.
ImageListHandle CreateProductImages(int size);

}  // namespace tarnwick
