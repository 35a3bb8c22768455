#include "products/product_images_win.h"

#include <algorithm>

#include "common/bitmap_canvas_win.h"
#include "common/owned_win.h"

namespace tarnwick {
namespace {

constexpr COLORREF kOutline = RGB(96, 56, 16);
constexpr COLORREF kFront = RGB(214, 150, 64);
constexpr COLORREF kTop = RGB(242, 196, 118);
constexpr COLORREF kSide = RGB(168, 108, 40);
constexpr COLORREF kTape = RGB(250, 236, 200);

void Face(HDC dc, const POINT* points, int count, COLORREF color) {
    const BrushHandle brush(CreateSolidBrush(color));
    HGDIOBJ oldBrush = SelectObject(dc, brush.Get());
    Polygon(dc, points, count);
    SelectObject(dc, oldBrush);
}

// A closed carton seen from the front left: front, top and right faces, with a band of tape
// over the top and down the front.
void DrawCarton(HDC dc, int size) {
    const int depth = size / 4;
    const int left = size / 16, right = size - depth - 1;
    const int top = depth, bottom = size - 1 - size / 16;
    const int middle = (left + right) / 2;
    const PenHandle pen(CreatePen(PS_SOLID, 1, kOutline));
    HGDIOBJ oldPen = SelectObject(dc, pen.Get());
    const POINT front[] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
    const POINT lid[] = {
        {left, top}, {left + depth, top - depth}, {right + depth, top - depth}, {right, top}};
    const POINT side[] = {{right, top},
                          {right + depth, top - depth},
                          {right + depth, bottom - depth},
                          {right, bottom}};
    Face(dc, front, 4, kFront);
    Face(dc, lid, 4, kTop);
    Face(dc, side, 4, kSide);
    const int band = std::max(1, size / 12);
    const POINT tape[] = {{middle - band, top},
                          {middle - band + depth, top - depth},
                          {middle + band + depth, top - depth},
                          {middle + band, top},
                          {middle + band, top + size / 4},
                          {middle - band, top + size / 4}};
    Face(dc, tape, 6, kTape);
    SelectObject(dc, oldPen);
}

BitmapHandle CartonBitmap(int size) {
    BitmapCanvas canvas(size, size, kMaskColour);
    DrawCarton(canvas.Dc(), size);
    return BitmapHandle(canvas.Take());
}

}  // namespace

ImageListHandle CreateProductImages(int size) {
    ImageListHandle images(ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 1, 1));
    if (images) ImageList_AddMasked(images.Get(), CartonBitmap(size).Get(), kMaskColour);
    return images;
}

}  // namespace tarnwick
