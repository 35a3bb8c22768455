// The icon record as the shell reads it: the first form (88 bytes on 32-bit Windows, where the
// field offsets are checked when the program is compiled), the tip padded with zero bytes.
#include "app/tray_icon_win.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace tarnwick {
namespace {

TEST(TrayIconRecord, HoldsTheFirstFormWithTheTipPaddedWithZeros) {
    const HWND window = HWND(std::uintptr_t(0x1234));
    const HICON icon = HICON(std::uintptr_t(0x5678));
    const NOTIFYICONDATAA record = TrayIconRecord(window, icon);
    EXPECT_EQ(record.cbSize, sizeof(void*) == 4 ? 88u : DWORD(NOTIFYICONDATAA_V1_SIZE));
    EXPECT_EQ(record.hWnd, window);
    EXPECT_EQ(record.uID, 0u);
    EXPECT_EQ(record.uFlags, 7u);
    EXPECT_EQ(record.uCallbackMessage, 3775u);
    EXPECT_EQ(record.hIcon, icon);
    const char tip[64] = "Tarnwick";
    EXPECT_EQ(std::memcmp(record.szTip, tip, sizeof tip), 0);
}

}  // namespace
}  // namespace tarnwick
