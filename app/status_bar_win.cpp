#include "app/status_bar_win.h"

#include <commctrl.h>

#include "common/controls_win.h"
#include "common/dpi_win.h"
#include "common/wide_text_win.h"
#include "terminals/server_control.h"

namespace tarnwick {
namespace {

constexpr int kWidths[] = {80, 300, 80, 80, 80, 50};

}  // namespace

void StatusBar::Create(HWND parent, int id) {
    // Placed by Resize at exactly its height, not by its own sizing.
    hwnd_ = CreateControl(parent, STATUSCLASSNAMEA, "",
                          SBARS_SIZEGRIP | CCS_NORESIZE | CCS_NOPARENTALIGN, 0, 0, 0, 0, id);
    SetDpi(DpiOf(parent));
    // Panel 0 is the window's own to paint (sbrStatusDrawPanel).
    SendMessageA(hwnd_, SB_SETTEXTA, kOwnerDrawn | SBT_OWNERDRAW, 0);
    SetText(kTitle, "Tarnwick");
    SetText(kListener, kListenerStoppedText);
    SetText(kProducts, "产品数：0");
    SetTerminalCount(0);
    SetText(kLast, "");
    Resize();
}

void StatusBar::SetDpi(int dpi) {
    height_ = DpiScale(dpi, kHeight);
    SendMessageA(hwnd_, SB_SETMINHEIGHT, height_, 0);
    int edges[std::size(kWidths)];
    int right = 0;
    for (size_t i = 0; i < std::size(kWidths); ++i) {
        right += kWidths[i];
        edges[i] = DpiScale(dpi, right);
    }
    SendMessageA(hwnd_, SB_SETPARTS, std::size(kWidths), LPARAM(edges));
}

void StatusBar::SetText(int panel, const std::string& text) {
    SendMessageW(hwnd_, SB_SETTEXTW, WPARAM(panel), LPARAM(Wide(text).c_str()));
}

void StatusBar::SetTerminalCount(size_t count) {
    SetText(kTerminals, "终端数：" + std::to_string(count));
}

void StatusBar::Resize() {
    RECT parent;
    GetClientRect(GetParent(hwnd_), &parent);
    MoveWindow(hwnd_, 0, parent.bottom - height_, parent.right, height_, TRUE);
}

}  // namespace tarnwick
