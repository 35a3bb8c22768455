// The application's name. Its title is the program's entry in the taskbar, the main window's
// caption (by which a second start finds a running instance) and the caption of the general
// error box.
#pragma once

namespace tarnwick {

inline constexpr const char* kApplicationTitle = "Tarnwick3.1";

}  // namespace tarnwick
