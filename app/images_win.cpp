#include "app/images_win.h"

#include <algorithm>
#include <array>

#include "common/bitmap_canvas_win.h"
#include "common/dpi_win.h"
#include "common/owned_win.h"

namespace tarnwick {
namespace {

constexpr int kGrid = 16;  // the pixel grid the drawings are given in
constexpr COLORREF kMask = RGB(255, 0, 255);

// One small drawing surface for an image of `size` pixels, with GDI helpers in a 16-pixel grid
// that each draw on the image's own pixels at that size: nothing is stretched afterwards, and at
// 16 pixels every pixel is where the grid puts it.
class Canvas {
  public:
    explicit Canvas(int size) : size_(size), canvas_(size, size, kMask), dc_(canvas_.Dc()) {}

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
        ImageList_AddMasked(images, bitmap.Get(), kMask);
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
constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kRed = RGB(192, 0, 0);
constexpr COLORREF kGreen = RGB(0, 128, 0);
constexpr COLORREF kYellow = RGB(255, 255, 0);

void Sheet(Canvas& c) {
    c.Fill(3, 1, 10, 14, kPaper);
    c.Frame(3, 1, 10, 14, kInk);
}

// Each drawer paints one image; the order is the image index.
void DrawExit(Canvas& c) {  // a door with an arrow leaving it
    c.Fill(2, 1, 7, 14, RGB(160, 96, 32));
    c.Frame(2, 1, 7, 14, kInk);
    c.Fill(7, 8, 1, 1, kYellow);
    c.Line(9, 8, 14, 8, kRed, 2);
    c.Line(12, 5, 14, 8, kRed, 2);
    c.Line(12, 11, 14, 8, kRed, 2);
}
void DrawOpen(Canvas& c) {
    c.Fill(1, 4, 14, 10, kYellow);
    c.Frame(1, 4, 14, 10, kInk);
    c.Fill(1, 2, 6, 2, kYellow);
}
void DrawSave(Canvas& c) {
    c.Fill(2, 2, 12, 12, kNavy);
    c.Fill(4, 2, 8, 5, kPaper);
    c.Fill(5, 10, 6, 4, kGrey);
}
void DrawPrint(Canvas& c) {
    c.Fill(4, 1, 8, 5, kPaper);
    c.Frame(4, 1, 8, 5, kInk);
    c.Fill(1, 6, 14, 6, kGrey);
    c.Frame(1, 6, 14, 6, kInk);
    c.Fill(4, 10, 8, 5, kPaper);
}
void DrawNew(Canvas& c) {
    Sheet(c);
    c.Line(6, 5, 10, 5, kGrey);
}
void DrawProperty(Canvas& c) {  // a sheet with lines of text
    Sheet(c);
    for (int y = 4; y <= 12; y += 2)
        c.Line(5, y, 10, y, kNavy);
    c.Fill(5, 4, 2, 1, kRed);
}
void DrawCut(Canvas& c) {
    c.Line(4, 1, 11, 10, kInk);
    c.Line(11, 1, 4, 10, kInk);
    c.Frame(2, 10, 4, 4, kNavy);
    c.Frame(10, 10, 4, 4, kNavy);
}
void DrawCopy(Canvas& c) {
    c.Fill(1, 1, 9, 10, kPaper);
    c.Frame(1, 1, 9, 10, kInk);
    c.Fill(6, 5, 9, 10, kPaper);
    c.Frame(6, 5, 9, 10, kInk);
}
void DrawPaste(Canvas& c) {
    c.Fill(2, 2, 10, 13, RGB(160, 96, 32));
    c.Fill(5, 1, 4, 3, kGrey);
    c.Fill(7, 6, 8, 9, kPaper);
    c.Frame(7, 6, 8, 9, kInk);
}
void DrawDelete(Canvas& c) {
    c.Line(3, 3, 12, 12, kRed, 3);
    c.Line(12, 3, 3, 12, kRed, 3);
}
void DrawFind(Canvas& c) {
    c.Frame(2, 2, 8, 8, kInk);
    c.Fill(3, 3, 6, 6, RGB(192, 224, 255));
    c.Line(9, 9, 14, 14, kInk, 2);
}
void DrawRefresh(Canvas& c) {
    c.Frame(3, 3, 10, 10, kGreen);
    c.Fill(10, 1, 4, 4, kGreen);
}
void DrawHelp(Canvas& c) {  // a blue question mark on a white disc
    c.Fill(2, 1, 12, 14, kPaper);
    c.Frame(2, 1, 12, 14, kNavy);
    c.Text("?", kNavy);
}
void DrawServer(Canvas& c) {
    c.Fill(4, 1, 8, 14, kGrey);
    c.Frame(4, 1, 8, 14, kInk);
    c.Fill(6, 3, 4, 1, kGreen);
    c.Fill(6, 6, 4, 1, kGreen);
}
void DrawStart(Canvas& c) {
    for (int i = 0; i < 6; ++i)
        c.Line(4 + i, 2 + i, 4 + i, 13 - i, kGreen);
}
void DrawStop(Canvas& c) {
    c.Fill(4, 4, 8, 8, kRed);
}
void DrawOptions(Canvas& c) {
    c.Fill(2, 7, 12, 2, kGrey);
    c.Fill(7, 2, 2, 12, kGrey);
    c.Frame(5, 5, 6, 6, kInk);
}
void DrawTerminal(Canvas& c) {
    c.Fill(1, 2, 14, 9, kNavy);
    c.Frame(1, 2, 14, 9, kInk);
    c.Fill(5, 12, 6, 2, kGrey);
}

using Drawer = void (*)(Canvas&);
constexpr std::array<Drawer, kMainImageCount> kDrawers = {
    DrawExit, DrawOpen,   DrawSave,  DrawPrint,  DrawNew,     DrawProperty,
    DrawCut,  DrawCopy,   DrawPaste, DrawDelete, DrawFind,    DrawRefresh,
    DrawHelp, DrawServer, DrawStart, DrawStop,   DrawOptions, DrawTerminal};

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
    for (Drawer draw : kDrawers) {
        Canvas canvas(size);
        draw(canvas);
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
