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

// The width and colour depth of the image that the icon resource offers for `size` pixels.
std::pair<int, int> IconImageFor(int size) {
    const auto resource = [](LPCSTR name, LPCSTR type) {
        return LockResource(LoadResource(nullptr, FindResourceA(nullptr, name, type)));
    };
    auto* directory = static_cast<BYTE*>(resource(MAKEINTRESOURCEA(1), RT_GROUP_ICON));
    const int id = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
    auto* image = static_cast<BITMAPINFOHEADER*>(resource(MAKEINTRESOURCEA(id), RT_ICON));
    return {int(image->biWidth), int(image->biBitCount)};
}

TEST(ProgramImages, EachScalingShowsImagesDrawnForItsSize) {
    const struct {
        int dpi, images, smallIcon, largeIcon;
    } cases[] = {{96, 16, 16, 32}, {144, 24, 24, 48}, {192, 32, 32, 64}, {288, 48, 48, 64}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dpi);
        const ImageListHandle images = CreateMainImages(MainImageSize(c.dpi));
        int width = 0, height = 0;
        ImageList_GetIconSize(images.Get(), &width, &height);
        EXPECT_EQ(width, c.images);
        EXPECT_EQ(SystemMetricForDpi(SM_CXSMICON, c.dpi), c.smallIcon);
        EXPECT_EQ(IconImageFor(c.smallIcon).first, c.smallIcon);
        EXPECT_EQ(IconImageFor(c.largeIcon).first, c.largeIcon);
    }
    EXPECT_EQ(IconImageFor(32).second, 4);
    EXPECT_EQ(IconImageFor(16).second, 4);
}

}  // namespace
}  // namespace tarnwick
