#include "app/images_win.h"

#include <algorithm>

#include "app/main_actions.h"
#include "common/bitmap_canvas_win.h"
#include "common/dpi_win.h"
#include "common/owned_win.h"

namespace tarnwick {
namespace {

constexpr int kGrid = 16;  // the pixel grid the drawings are given in

// One small drawing surface for an image of `size` pixels, with GDI helpers in a 16-pixel grid
// that each draw on the image's own pixels at that size: nothing is stretched afterwards, and at
// 16 pixels every pixel is where the grid puts it.
class Canvas {
  public:
    explicit Canvas(int size) : size_(size), canvas_(size, size, kMaskColour), dc_(canvas_.Dc()) {}

    void Fill(int x, int y, int w, int h, COLORREF color) {
        const RECT r{At(x), At(y), At(x + w), At(y + h)};
        const BrushHandle brush(CreateSolidBrush(color));
        FillRect(dc_, &r, brush.Get());
    }
    void Frame(int x, int y, int w, int h, COLORREF color) {
        const RECT outer{At(x), At(y), At(x + w), At(y + h)};
        const BrushHandle brush(CreateSolidBrush(color));
        for (int i = 0; i < Stroke(1); ++i) {
            const RECT r{outer.left + i, outer.top + i, outer.right - i, outer.bottom - i};
            FrameRect(dc_, &r, brush.Get());
        }
    }
    void Line(int x0, int y0, int x1, int y1, COLORREF color, int width = 1) {
        const PenHandle pen(CreatePen(PS_SOLID, Stroke(width), color));
        HGDIOBJ old = SelectObject(dc_, pen.Get());
        const int half = (At(1) - 1) / 2;  // the middle of a grid pixel
        MoveToEx(dc_, At(x0) + half, At(y0) + half, nullptr);
        LineTo(dc_, At(x1) + half, At(y1) + half);
        SetPixel(dc_, At(x1) + half, At(y1) + half, color);
        SelectObject(dc_, old);
    }
    void Text(const char* text, COLORREF color) {
        const FontHandle font(CreateFontA(-At(14), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                                          ANSI_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0, "Arial"));
        HGDIOBJ old = SelectObject(dc_, font.Get());
        SetBkMode(dc_, TRANSPARENT);
        SetTextColor(dc_, color);
        RECT r{0, 0, size_, size_};
        DrawTextA(dc_, text, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        SelectObject(dc_, old);
    }
    // Hands the drawing to the image list.
    void AddTo(HIMAGELIST images) {
        const BitmapHandle bitmap(canvas_.Take());
        ImageList_AddMasked(images, bitmap.Get(), kMaskColour);
    }

  private:
    // A grid coordinate in the image's pixels, and a stroke width of the grid at its size.
    int At(int grid) const { return grid * size_ / kGrid; }
    int Stroke(int grid) const { return std::max(1, grid * size_ / kGrid); }

    int size_;
    BitmapCanvas canvas_;
    HDC dc_;
};

constexpr COLORREF kInk = RGB(0, 0, 0);
constexpr COLORREF kNavy = RGB(0, 0, 128);
constexpr COLORREF kPaper = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(192, 0, 0);

// The images the actions show; the other places of imlMain stay empty.
void DrawExit(Canvas& c) {  // a door with an arrow leaving it
    c.Fill(2, 1, 7, 14, RGB(160, 96, 32));
    c.Frame(2, 1, 7, 14, kInk);
    c.Fill(7, 8, 1, 1, RGB(255, 255, 0));
    c.Line(9, 8, 14, 8, kRed, 2);
    c.Line(12, 5, 14, 8, kRed, 2);
    c.Line(12, 11, 14, 8, kRed, 2);
}
void DrawProperty(Canvas& c) {  // a sheet with lines of text
    c.Fill(3, 1, 10, 14, kPaper);
    c.Frame(3, 1, 10, 14, kInk);
    for (int y = 4; y <= 12; y += 2)
        c.Line(5, y, 10, y, kNavy);
    c.Fill(5, 4, 2, 1, kRed);
}
void DrawHelp(Canvas& c) {  // a blue question mark on a white disc
    c.Fill(2, 1, 12, 14, kPaper);
    c.Frame(2, 1, 12, 14, kNavy);
    c.Text("?", kNavy);
}

using Drawer = void (*)(Canvas&);
Drawer DrawerOf(int image) {
    switch (image) {
        case kImageExit:
            return DrawExit;
        case kImageProperty:
            return DrawProperty;
        case kImageHelpTopic:
            return DrawHelp;
    }
    return nullptr;
}

}  // namespace

int MainImageSize(int dpi) {
    int size = kMainImageSizes[0];
    for (int candidate : kMainImageSizes) {
        if (candidate <= DpiScale(dpi, kGrid)) size = candidate;
    }
    return size;
}

ImageListHandle CreateMainImages(int size) {
    ImageListHandle images(
        ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, kMainImageCount, 0));
    for (int image = 0; image < kMainImageCount; ++image) {
        Canvas canvas(size);
        if (const Drawer draw = DrawerOf(image)) draw(canvas);
        canvas.AddTo(images.Get());
    }
    return images;
}

BitmapHandle MenuBitmap(HIMAGELIST images, int index) {
    int width = 0, height = 0;
    ImageList_GetIconSize(images, &width, &height);
    BitmapCanvas canvas(width, height, GetSysColor(COLOR_MENU));
    ImageList_Draw(images, index, canvas.Dc(), 0, 0, ILD_TRANSPARENT);
    return BitmapHandle(canvas.Take());
}

HICON ProgramIcon(int size) {
    return HICON(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1), IMAGE_ICON, size, size,
                            LR_DEFAULTCOLOR | LR_SHARED));
}

}  // namespace tarnwick
