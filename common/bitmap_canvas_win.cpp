#include "common/bitmap_canvas_win.h"

#include "common/owned_win.h"

namespace tarnwick {

BitmapCanvas::BitmapCanvas(int width, int height, COLORREF background) {
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    bitmap_ = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    old_ = SelectObject(dc_, bitmap_);
    const RECT all{0, 0, width, height};
    FillRect(dc_, &all, BrushHandle(CreateSolidBrush(background)).Get());
}

BitmapCanvas::~BitmapCanvas() {
    if (old_) SelectObject(dc_, old_);
    DeleteDC(dc_);
    if (bitmap_) DeleteObject(bitmap_);
}

HBITMAP BitmapCanvas::Take() {
    SelectObject(dc_, old_);
    old_ = nullptr;
    HBITMAP bitmap = bitmap_;
    bitmap_ = nullptr;
    return bitmap;
}

}  // namespace tarnwick
