// The icon record as the shell reads it: the first form, byte for byte.
#include "app/tray_icon_win.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace tarnwick {
namespace {

template <class T>
T At(const NOTIFYICONDATAA& record, size_t offset) {
    T value;
    std::memcpy(&value, reinterpret_cast<const char*>(&record) + offset, sizeof value);
    return value;
}

TEST(TrayIconRecord, HoldsTheFirstFormWithTheTipPaddedWithZeros) {
    const HWND window = HWND(std::uintptr_t(0x1234));
    const HICON icon = HICON(std::uintptr_t(0x5678));
    const NOTIFYICONDATAA record = TrayIconRecord(window, icon);
#if !defined(_WIN64)
    EXPECT_EQ(At<std::uint32_t>(record, 0), 88u);
    EXPECT_EQ(At<HWND>(record, 4), window);
    EXPECT_EQ(At<std::uint32_t>(record, 8), 0u);
    EXPECT_EQ(At<std::uint32_t>(record, 12), 7u);
    EXPECT_EQ(At<std::uint32_t>(record, 16), 3775u);
    EXPECT_EQ(At<HICON>(record, 20), icon);
#else
    EXPECT_EQ(record.cbSize, DWORD(NOTIFYICONDATAA_V1_SIZE));
    EXPECT_EQ(record.hWnd, window);
    EXPECT_EQ(record.uID, 0u);
    EXPECT_EQ(record.uFlags, 7u);
    EXPECT_EQ(record.uCallbackMessage, 3775u);
    EXPECT_EQ(record.hIcon, icon);
#endif
    char tip[64] = "Tarnwick";
    EXPECT_EQ(std::memcmp(record.szTip, tip, sizeof tip), 0);
}

}  // namespace
}  // namespace tarnwick
