#include "common/font_win.h"

#include <map>
#include <mutex>

#include "common/wide_text_win.h"

namespace tarnwick {

HFONT UiFont(int dpi) {
    static std::mutex mutex;
    static std::map<int, HFONT> fonts;
    const std::lock_guard<std::mutex> lock(mutex);
    HFONT& font = fonts[dpi];
    if (!font) {
        font = CreateFontW(-DpiScale(dpi, 12), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                           GB2312_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, Wide("宋体").c_str());
    }
    return font;
}

}  // namespace tarnwick
