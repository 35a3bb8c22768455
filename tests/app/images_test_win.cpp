// The program's images at each display scaling come from pictures drawn for their size: imlMain
// drawn at the size the DPI asks for, and the icon resource holding an image of each icon size,
// so that nothing is stretched. 100 % keeps its 32 and 16 pixel icons in 16 colours.
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <gtest/gtest.h>

#include "app/images_win.h"
#include "common/dpi_win.h"

namespace tarnwick {
namespace {

struct IconImage {
    int size = 0;
    int bitsPerPixel = 0;
};

// The image that the program icon's resource offers for `size` × `size`.
IconImage IconImageFor(int size) {
    const HRSRC group = FindResourceA(nullptr, MAKEINTRESOURCEA(1), RT_GROUP_ICON);
    auto* directory = static_cast<BYTE*>(LockResource(LoadResource(nullptr, group)));
    if (!directory) return {};
    const int id = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
    const HRSRC icon = FindResourceA(nullptr, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(3));
    auto* header = static_cast<BITMAPINFOHEADER*>(LockResource(LoadResource(nullptr, icon)));
    if (!header) return {};
    return {int(header->biWidth), int(header->biBitCount)};
}

TEST(ProgramImages, EachScalingShowsImagesDrawnForItsSize) {
    const struct {
        int dpi, images, smallIcon, largeIcon;
    } cases[] = {{96, 16, 16, 32}, {144, 24, 24, 48}, {192, 32, 32, 64}, {288, 48, 48, 96}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dpi);
        EXPECT_EQ(MainImageSize(c.dpi), c.images);
        const ImageListHandle images = CreateMainImages(MainImageSize(c.dpi));
        int width = 0, height = 0;
        ImageList_GetIconSize(images.Get(), &width, &height);
        EXPECT_EQ(width, c.images);
        EXPECT_EQ(ImageList_GetImageCount(images.Get()), kMainImageCount);
        const int small = SystemMetricForDpi(SM_CXSMICON, c.dpi);
        EXPECT_EQ(small, c.smallIcon);
        EXPECT_EQ(IconImageFor(small).size, small);
        if (c.largeIcon <= 64) {  // the largest image, which larger icons are drawn from
            EXPECT_EQ(IconImageFor(c.largeIcon).size, c.largeIcon);
        }
    }
    EXPECT_EQ(IconImageFor(32).bitsPerPixel, 4);
    EXPECT_EQ(IconImageFor(16).bitsPerPixel, 4);
}

}  // namespace
}  // namespace tarnwick
