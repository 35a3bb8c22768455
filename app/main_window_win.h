// TfrmMain, the application's main window: tool bar, the product and terminal pages, status
// bar, main menu and the popup menu of the product list, all driven by the action list aclMain.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <filesystem>
#include <memory>

#include "app/client_grid_win.h"
#include "app/main_actions.h"
#include "app/main_window_ids.h"
#include "app/menus_win.h"
#include "app/status_bar_win.h"
#include "app/terminal_state_win.h"
#include "app/tool_bar_win.h"
#include "app/tray_icon_win.h"
#include "common/action_list.h"
#include "common/dpi_win.h"
#include "common/stamp.h"
#include "common/timer_win.h"
#include "common/window_win.h"
#include "products/product_list_win.h"
#include "terminals/listener.h"
#include "terminals/server_control.h"
#include "terminals/terminal_table.h"

namespace tarnwick {

inline constexpr const char* kMainWindowClass = "TfrmMain";

// Private messages of the main window.
enum : UINT {
    kMsgTableChanged = WM_APP + 1,  // posted by any thread when the terminal table changed
    kMsgActivated = WM_APP + 2,     // the window became active; runs the auto-start
    kMsgAcceptFailed = WM_APP + 3,  // posted by an accept thread whose accepting has failed
};

// What the close handler decides: the window stays open, or it closes and the program ends.
enum class CloseAction { kNone = 0, kFree = 2 };

inline constexpr const char* kExitQuestion = "确实要退出该系统吗？";

class TfrmMain final : public Window, private ServerView {
  public:
    // `folder` holds the program's files; the program passes AppDir().
    TfrmMain(const Clock& clock, std::filesystem::path folder);
    ~TfrmMain() override;

    // Creates the window hidden; FormCreate runs during the creation.
    bool Create();
    // The event loop's first step: shows the window.
    void Show();
    // Runs the message loop until the window is gone.
    int Run();

  private:
    friend struct TestInsideWin;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    void CreateControls();
    void CreateActions();
    void CreateMenus();
    void FormCreate();
    void FormActivate();
    void Layout();
    // main_window_dpi_win.cpp
    void ShowIcons();
    void OnDpiChanged(int dpi, const RECT& suggested);
    void OnCommand(int command);
    LRESULT OnNotify(NMHDR* header);
    void ShowPage(int page);
    void lstvProductContextPopup(LPARAM at);
    void sbrStatusDrawPanel(const DRAWITEMSTRUCT& item);
    void tmrClientTimer();
    void OnTableNotice();
    void OnViewTimer();
    // The grid and the count panel show what the table changed since they last looked; false
    // when nothing had changed.
    bool ShowTableChanges();

    // What the server commands show in this window.
    void ShowError(const std::string& text) override;
    void ShowGeneralError(std::string_view text) override;
    void SetServerActionsEnabled(bool start, bool stopAndStart, bool stop) override;
    void SetListenerStateText(const std::string& text) override;
    void actServerOptionExecute() override;

    // The notification area and closing.
    bool InTray() const;  // hidden, with its icon in the notification area
    void OnSysCommand(UINT message, WPARAM command, LPARAM lParam);
    void HideToTray();
    void TrayNotify(LPARAM mouseMessage);
    void Close();
    void FormClose(CloseAction& action);
    void EndService();

    // The handlers of aclMain that belong to this window; TARNWICK_MAIN_ACTIONS binds each row.
    void actFileExecute() {}
    void actFileExitExecute();  // main_window_lifecycle_win.cpp
    void actServerExecute() {}
    // actServerOptionExecute: above, with the server commands.
    void actViewExecute() {}
    void actViewToolExecute();
    void actViewStatusExecute();
    void actViewLargeIconExecute();
    void actViewSmallIconExecute();
    void actViewListExecute();
    void actViewReportExecute();
    void actHelpExecute() {}

    void SetViewStyle(ProductViewStyle style, MainAction action);

    bool hideOnClose = false;
    int dpi_ = kDefaultDpi;  // the DPI the window is laid out for
    const Clock& clock_;
    const std::filesystem::path appDir_;
    // Reached by connection threads; EndService decides when it may go.
    std::unique_ptr<TerminalState> terminals_;
    TerminalTable& table_;  // holds KnownProducts too, under one lock
    TcpListener tcpServer{table_};
    ServerSettings settings_{appDir_};
    ServerControl server_{tcpServer, settings_, *this};

    ActionList aclMain;
    ImageListHandle imlMain;
    std::unique_ptr<Menus> menus_;
    HMENU popMain = nullptr;
    AcceleratorHandle shortcuts_;
    ToolBar cbrTool;
    HWND PageControl1 = nullptr;
    ProductCatalog products_;  // the rows lstvProduct shows
    ProductList lstvProduct{products_};
    ClientGrid sgrdClient{table_};
    StatusBar sbrStatus;
    Timer tmrClient{1};  // the sweep timer
    TrayIcon trayIcon_;
    // The view timer runs while the table keeps changing; window's thread only.
    bool viewTimerArmed_ = false;
};

}  // namespace tarnwick
