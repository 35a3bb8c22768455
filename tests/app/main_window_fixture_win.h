// The main window created in this process on a scratch folder, driven through its commands.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include <gtest/gtest.h>

#include "app/main_window_win.h"
#include "support/fake_clock.h"
#include "support/temp_folder.h"

namespace tarnwick {

class MainWindowInProcess : public ::testing::Test {
  protected:
    MainWindowInProcess() : window(clock, dir.Folder()) {
        dir.Write("PdtReg.ini",
                  "[product]\r\ncount=3\r\n[P1]\r\nProduct=0101-财务管理;3.1\r\nServer=S1\r\n"
                  "[P2]\r\nProduct=0102-进销存;3.1\r\n[P3]\r\nProduct=0201-人事工资;2\r\n");
    }
    void SetUp() override { ASSERT_TRUE(window.Create()); }
    HWND ProductList() const { return GetDlgItem(Handle(), kProductListId); }

    HWND Handle() const { return window.Handle(); }
    HWND Child(const char* className) const {
        return FindWindowExA(Handle(), nullptr, className, nullptr);
    }
    void Command(MainAction action) {
        SendMessageA(Handle(), WM_COMMAND, WPARAM(MainCommand(action)), 0);
    }
    UINT MenuState(MainAction action) const {
        return GetMenuState(GetMenu(Handle()), UINT(MainCommand(action)), MF_BYCOMMAND);
    }
    bool MenuEnabled(MainAction action) const {
        return !(MenuState(action) & (MF_GRAYED | MF_DISABLED));
    }
    bool MenuChecked(MainAction action) const { return MenuState(action) & MF_CHECKED; }
    std::string StatusText(int panel) const {
        char text[256] = {};
        SendMessageA(GetDlgItem(Handle(), kStatusBarId), SB_GETTEXTA, WPARAM(panel), LPARAM(text));
        return text;
    }

    testing::TempFolder dir;
    testing::FakeClock clock;
    TfrmMain window;
};

}  // namespace tarnwick
