#include "app/main_window_win.h"

#include "app/images_win.h"
#include "common/application.h"
#include "common/application_window_win.h"
#include "common/controls_win.h"
#include "common/font_win.h"
#include "common/message_box.h"
#include "terminals/set_option_dialog_win.h"

namespace tarnwick {
namespace {

constexpr int kWidth = 655;
constexpr int kHeight = 454;
constexpr UINT kSweepInterval = 60000;
// The grid and the count panel follow the table at most this often while it keeps changing, so
// that a burst of LOGINs costs the window a few refreshes instead of one each.
constexpr UINT_PTR kViewTimer = 2;
constexpr UINT kViewInterval = 150;

enum Page { kProductPage = 0, kClientPage = 1 };

}  // namespace

TfrmMain::TfrmMain(const Clock& clock, std::filesystem::path folder)
    : clock_(clock),
      appDir_(std::move(folder)),
      terminals_(std::make_unique<TerminalState>(clock)),
      table_(terminals_->table) {}

TfrmMain::~TfrmMain() {
    EndService();
    if (ApplicationWindow() == Handle()) SetApplicationWindow(nullptr);
    // The controls go before the image lists, menus and models they show.
    DestroyDetached();
}

// The window opens on the primary monitor, whose DPI is the system's.
bool TfrmMain::Create() {
    const int dpi = SystemDpi();
    const int width = DpiScale(dpi, kWidth), height = DpiScale(dpi, kHeight);
    const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    return Window::Create(kMainWindowClass, 0, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                          kApplicationTitle, x, y, width, height, nullptr,
                          ProgramIcon(SystemMetricForDpi(SM_CXICON, dpi)));
}

void TfrmMain::Show() {
    ShowWindow(Handle(), SW_SHOWNORMAL);
    UpdateWindow(Handle());
}

int TfrmMain::Run() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (Handle() && TranslateAcceleratorW(Handle(), shortcuts_.Get(), &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return int(msg.wParam);
}

LRESULT TfrmMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (trayIcon_.ShellRestarted(message, InTray())) return 0;
    switch (message) {
        case WM_CREATE:
            return CreateControls(), FormCreate(), 0;
        case WM_SIZE:
            return Layout(), 0;
        case WM_DPICHANGED:
            return OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam)), 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE) PostMessageA(Handle(), kMsgActivated, 0, 0);
            break;
        case kMsgActivated:
            return FormActivate(), 0;
        case kMsgTableChanged:
            return OnTableNotice(), 0;
        case kMsgAcceptFailed:
            return server_.CheckAccepting(), 0;
        case WM_SYSCOMMAND:
            return OnSysCommand(message, wParam, lParam), 0;
        case WM_TRAYNOTIFY:
            return TrayNotify(lParam), 0;
        case WM_CLOSE:
            return Close(), 0;
        case WM_COMMAND:
            return OnCommand(LOWORD(wParam)), 0;
        case WM_NOTIFY:
            return OnNotify(reinterpret_cast<NMHDR*>(lParam));
        case WM_DRAWITEM:
            if (wParam == kStatusBarId) {
                sbrStatusDrawPanel(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
                return TRUE;
            }
            break;
        case WM_TIMER:
            if (wParam == tmrClient.Id()) return tmrClientTimer(), 0;
            if (wParam == kViewTimer) return OnViewTimer(), 0;
            break;
        case WM_CONTEXTMENU:
            if (HWND(wParam) == lstvProduct.Handle()) return lstvProductContextPopup(lParam), 0;
            break;
        case WM_DESTROY:
            SetApplicationWindow(nullptr);
            KillTimer(Handle(), kViewTimer);
            tmrClient.SetEnabled(false);
            return EndService(), PostQuitMessage(0), 0;
    }
    return Window::HandleMessage(message, wParam, lParam);
}

void TfrmMain::CreateControls() {
    SetApplicationWindow(Handle());
    dpi_ = DpiOf(Handle());
    SendMessageA(Handle(), WM_SETFONT, WPARAM(UiFont(dpi_)), FALSE);
    trayIcon_.Attach(Handle(), nullptr);
    ShowIcons();
    imlMain = CreateMainImages(MainImageSize(dpi_));
    CreateActions();
    CreateMenus();

    PageControl1 =
        CreateControl(Handle(), WC_TABCONTROLA, "", WS_CLIPSIBLINGS, 0, 0, 0, 0, kPageControlId);
    AddTabs(PageControl1, {"产品", "终端"});
    lstvProduct.Create(
        Handle(), kProductListId,
        {&aclMain[MainAction::actFileProperty],
         [this](const std::vector<std::string>& captions) { table_.SyncKnownProducts(captions); },
         [this](const std::string& text) { sbrStatus.SetText(StatusBar::kProducts, text); }});
    sgrdClient.Create(Handle(), kClientGridId);
    for (HWND page : {lstvProduct.Handle(), sgrdClient.Handle()}) {
        SetWindowPos(page, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
    sbrStatus.Create(Handle(), kStatusBarId);
}

void TfrmMain::FormCreate() {
    hideOnClose = true;
    ShowPage(kProductPage);
    // KnownProducts is created empty together with the terminal table.
    aclMain[MainAction::actFileProperty].SetEnabled(false);
    aclMain[MainAction::actServerStart].SetEnabled(true);
    aclMain[MainAction::actServerSnS].SetEnabled(false);
    aclMain[MainAction::actServerStop].SetEnabled(false);
    lstvProduct.LoadProducts(ProfileFile(appDir_ / kProductFileName));
    sgrdClient.SetUp();
    terminals_->notice.Attach(Handle(), kMsgTableChanged);
    tcpServer.OnAcceptFailed([window = Handle()] { PostMessageA(window, kMsgAcceptFailed, 0, 0); });
    server_.ArmAutoStart();
    tmrClient.Attach(Handle());
    tmrClient.SetInterval(kSweepInterval);
    tmrClient.SetEnabled(true);
}

void TfrmMain::ShowError(const std::string& text) {
    tarnwick::ShowError(text);
}

void TfrmMain::ShowGeneralError(std::string_view text) {
    tarnwick::ShowGeneralError(text);
}

void TfrmMain::SetServerActionsEnabled(bool start, bool stopAndStart, bool stop) {
    aclMain[MainAction::actServerStart].SetEnabled(start);
    aclMain[MainAction::actServerSnS].SetEnabled(stopAndStart);
    aclMain[MainAction::actServerStop].SetEnabled(stop);
}

void TfrmMain::SetListenerStateText(const std::string& text) {
    sbrStatus.SetText(StatusBar::kListener, text);
}

void TfrmMain::actServerOptionExecute() {
    tarnwick::actServerOptionExecute(appDir_);
}

void TfrmMain::FormActivate() {
    server_.AutoStart();
}

void TfrmMain::Layout() {
    RECT client;
    GetClientRect(Handle(), &client);
    cbrTool.Resize();
    sbrStatus.Resize();
    const int top = cbrTool.Height();
    const int bottom = client.bottom - (sbrStatus.Visible() ? sbrStatus.Height() : 0);
    MoveWindow(PageControl1, 0, top, client.right, std::max(0, int(bottom - top)), TRUE);
    RECT page{0, top, client.right, bottom};
    TabCtrl_AdjustRect(PageControl1, FALSE, &page);
    for (HWND view : {lstvProduct.Handle(), sgrdClient.Handle()}) {
        MoveWindow(view, page.left, page.top, page.right - page.left, page.bottom - page.top, TRUE);
    }
}

void TfrmMain::ShowPage(int page) {
    TabCtrl_SetCurSel(PageControl1, page);
    ShowWindow(lstvProduct.Handle(), page == kProductPage ? SW_SHOW : SW_HIDE);
    ShowWindow(sgrdClient.Handle(), page == kClientPage ? SW_SHOW : SW_HIDE);
}

LRESULT TfrmMain::OnNotify(NMHDR* header) {
    if (header->hwndFrom == PageControl1 && header->code == TCN_SELCHANGE) {
        ShowPage(TabCtrl_GetCurSel(PageControl1));
        return 0;
    }
    if (sgrdClient.HandleNotify(header)) return 0;
    if (lstvProduct.HandleNotify(header)) return 0;
    if (cbrTool.HandleNotify(header)) return 0;
    return Window::HandleMessage(WM_NOTIFY, header->idFrom, LPARAM(header));
}

// A right click gives the mouse position; the keyboard (Shift+F10, the menu key) gives -1.
void TfrmMain::lstvProductContextPopup(LPARAM at) {
    POINT where{short(LOWORD(at)), short(HIWORD(at))};
    if (at == -1) where = lstvProduct.KeyboardMenuPoint();
    TrackPopupMenu(popMain, TPM_RIGHTBUTTON, where.x, where.y, 0, Handle(), nullptr);
}

void TfrmMain::sbrStatusDrawPanel(const DRAWITEMSTRUCT&) {
    // Panel 0 stays as the status bar painted its background.
}

void TfrmMain::tmrClientTimer() {
    tmrClient.SetEnabled(false);
    // The timer runs again after every pass, also after one that ended in an error.
    struct Rearm {
        Timer& timer;
        ~Rearm() { timer.SetEnabled(true); }
    } rearm{tmrClient};
    table_.Sweep();
    // Also catches up with a change, or an end of accepting, whose notice was lost.
    ShowTableChanges();
    server_.CheckAccepting();
}

bool TfrmMain::ShowTableChanges() {
    const TableChanges changes = table_.TakeChanges();
    if (!changes.Any()) return false;
    // One reading of the table for both: the panel never counts a row the grid does not show yet.
    const size_t terminals = sgrdClient.Refresh(changes);
    if (changes.count) sbrStatus.SetTerminalCount(terminals);
    return true;
}

void TfrmMain::OnTableNotice() {
    // The first change after a quiet spell shows at once; later ones wait for the view timer.
    if (viewTimerArmed_) return;
    ShowTableChanges();
    viewTimerArmed_ = SetTimer(Handle(), kViewTimer, kViewInterval, nullptr) != 0;
}

void TfrmMain::OnViewTimer() {
    if (ShowTableChanges()) return;
    // A quiet interval: the next change posts a notice again.
    KillTimer(Handle(), kViewTimer);
    viewTimerArmed_ = false;
}

}  // namespace tarnwick
