// A screen-compatible bitmap with a device context to draw on, filled with one colour at first.
#pragma once

#include <windows.h>

namespace tarnwick {

// The colour that stands for no pixel in the masked images of an image list.
inline constexpr COLORREF kMaskColour = RGB(255, 0, 255);

class BitmapCanvas {
  public:
    BitmapCanvas(int width, int height, COLORREF background);
    ~BitmapCanvas();
    BitmapCanvas(const BitmapCanvas&) = delete;
    BitmapCanvas& operator=(const BitmapCanvas&) = delete;

    HDC Dc() const { return dc_; }
    // Hands the bitmap over, out of the device context (an image list takes a bitmap only then);
    // the caller deletes it. The canvas is done with afterwards.
    HBITMAP Take();

  private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

}  // namespace tarnwick
