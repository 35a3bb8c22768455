#include "common/application_window_win.h"

#include <atomic>

namespace tarnwick {
namespace {
std::atomic<HWND> applicationWindow{nullptr};
}  // namespace

HWND ApplicationWindow() {
    return applicationWindow.load();
}

void SetApplicationWindow(HWND window) {
    applicationWindow.store(window);
}

}  // namespace tarnwick
