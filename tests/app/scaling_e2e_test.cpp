// The program at the scaling of its prefix (96, 144 or 192 DPI), seen by a DPI-aware test: the
// 96-DPI layouts times the scale within a pixel, and no caption cut off.
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <vector>

#include "app/about_dialog_win.h"
#include "products/property_dialog_win.h"
#include "program_fixture_win.h"
#include "support/build_path_win.h"
#include "terminals/set_option_dialog_win.h"

namespace tarnwick::testing {
namespace {

const bool kAware = SetProcessDPIAware();  // one monitor: its DPI is the system's
const int kDpi = [] {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    return ReleaseDC(nullptr, screen), dpi;
}();

int Scaled(int x) {
    return MulDiv(x, kDpi, 96);
}

struct Placed {
    int id;
    RECT at;  // left, top, width, height at 96 DPI, in the dialog's client area
};

// The width of the caption in the program's font at this DPI. (Not its height: the fall-back
// for "宋体" draws taller lines than the font itself, at every DPI alike.)
int CaptionWidth(const std::string& caption) {
    const HDC dc = GetDC(nullptr);
    const HFONT font = CreateFontA(-Scaled(12), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                   GB2312_CHARSET, 0, 0, 0, 0, "宋体");
    const HGDIOBJ old = SelectObject(dc, font);
    RECT r{0, 0, 0, 0};
    DrawTextA(dc, caption.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE);
    DeleteObject(SelectObject(dc, old));
    ReleaseDC(nullptr, dc);
    return r.right;
}

void ExpectPlaced(HWND form, const Placed& c) {
    const HWND control = GetDlgItem(form, c.id);
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
    const RECT& at = c.at;
    const LONG edges[] = {r.left, r.top, r.right, r.bottom};
    const LONG wanted[] = {at.left, at.top, at.left + at.right, at.top + at.bottom};
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(edges[i], Scaled(wanted[i]), 1) << c.id << " edge " << i;
    const std::string caption = WindowText(control);
    const bool box = (GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX;
    if (!caption.empty()) {
        EXPECT_LE(CaptionWidth(caption) + (box ? Scaled(16) : 0), r.right - r.left) << c.id;
    }
}

class Scaling : public Program {
  protected:
    Scaling() {
        dir_.Write("PdtReg.ini",
                   "[product]\r\ncount=1\r\n[P1]\r\nProduct=0101-财务管理;3.1\r\nServer=DB1\r\n");
        WriteLoopbackSettings();
        CopyFileA(WindowsPath(TARNWICK_BIN_DIR "VersionInfo.dll").c_str(),
                  dir_.PathOf("VersionInfo.dll").c_str(), FALSE);
    }
    void SetUp() override {
        ASSERT_TRUE(kAware);
        ASSERT_NO_FATAL_FAILURE(Start());
    }
    // Opens a dialog, checks its client area and controls, and closes it.
    void ExpectDialog(const char* className, SIZE client, const std::vector<Placed>& controls) {
        HWND form = nullptr;
        ASSERT_TRUE(
            WaitUntil([&] { return (form = FindProcessWindow(process_->Id(), className)); }));
        RECT r;
        GetClientRect(form, &r);
        EXPECT_NEAR(r.right, Scaled(client.cx), 1) << className;
        EXPECT_NEAR(r.bottom, Scaled(client.cy), 1) << className;
        for (const Placed& c : controls)
            ExpectPlaced(form, c);
        PostMessageA(form, WM_CLOSE, 0, 0);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(form); }));
    }
};

TEST_F(Scaling, TheMainWindowItsBarsAndColumnsKeepTheirProportions) {
    RECT frame;
    GetWindowRect(window_, &frame);
    EXPECT_NEAR(frame.right - frame.left, Scaled(655), 1);
    EXPECT_NEAR(frame.bottom - frame.top, Scaled(454), 1);
    const LRESULT button =
        SendMessageA(FindChildByClass(window_, TOOLBARCLASSNAMEA), TB_GETBUTTONSIZE, 0, 0);
    EXPECT_NEAR(LOWORD(button), Scaled(43), 1);
    EXPECT_NEAR(HIWORD(button), Scaled(35), 1);
    const HWND bar = FindChildById(window_, kStatusBarId);
    GetWindowRect(bar, &frame);
    EXPECT_NEAR(frame.bottom - frame.top, Scaled(21), 1);
    const std::vector<int> edges = remote_->StatusEdges(bar);
    const int rights[] = {80, 380, 460, 540, 620, 670};
    ASSERT_EQ(edges.size(), std::size(rights));
    for (size_t i = 0; i < edges.size(); ++i)
        EXPECT_NEAR(edges[i], Scaled(rights[i]), 1) << i;
    const std::pair<int, std::vector<int>> lists[] = {{kProductListId, {200, 100, 100}},
                                                      {kClientGridId, {200, 150, 200, 200, 299}}};
    for (const auto& [id, widths] : lists) {
        for (int i = 0; i < int(widths.size()); ++i)
            EXPECT_NEAR(ListView_GetColumnWidth(FindChildById(window_, id), i), Scaled(widths[i]),
                        1);
    }
}

TEST_F(Scaling, EveryDialogControlIsInPlaceWithItsCaptionWhole) {
    Command(MainAction::actServerOption);
    ExpectDialog(kSetOptionClass, {261, 162},
                 {{TfrmSetOption::kGroupBox1, {16, 12, 229, 85}},
                  {TfrmSetOption::kLabel1, {28, 36, 36, 12}},
                  {TfrmSetOption::kCmbHost, {76, 32, 157, 20}},
                  {TfrmSetOption::kLabel2, {28, 64, 36, 12}},
                  {TfrmSetOption::kEdtPort, {76, 60, 77, 20}},
                  {TfrmSetOption::kChkAutoRun, {16, 104, 177, 17}},
                  {TfrmSetOption::kBtnOk, {82, 128, 75, 25}},
                  {TfrmSetOption::kBtnCancel, {170, 128, 75, 25}}});
    Command(MainAction::actHelpAbout);
    ExpectDialog(kAboutClass, {329, 139},
                 {{TfrmAbout::kGroupBox1, {12, 12, 305, 85}},
                  {TfrmAbout::kImage1, {16, 21, 32, 32}},
                  {TfrmAbout::kLabel1, {48, 30, 200, 12}},
                  {TfrmAbout::kLabel2, {48, 51, 36, 12}},
                  {TfrmAbout::kLblVersion, {84, 51, 220, 12}},
                  {TfrmAbout::kBtnFileVer, {132, 104, 103, 25}},
                  {TfrmAbout::kBtnClose, {242, 104, 75, 25}}});
    const HWND list = FindChildById(window_, kProductListId);
    PostClick(list, remote_->ListRowCentre(list, 0), true);
    ExpectDialog(kPdtPropertyClass, {368, 388},
                 {{TfrmPdtProperty::kPagProperty, {12, 8, 345, 337}},
                  {TfrmPdtProperty::kBtnOk, {282, 354, 75, 25}}});
}

}  // namespace
}  // namespace tarnwick::testing
