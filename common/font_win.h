// The program's font: "宋体", 12 pixels high at 96 DPI, GB2312 character set.
#pragma once

#include <windows.h>

#include "common/dpi_win.h"

namespace tarnwick {

// The font at `dpi`. Shared, never freed.
HFONT UiFont(int dpi = kDefaultDpi);

}  // namespace tarnwick
