// The action list aclMain and the menus and tool bar built from it.
#include <iterator>

#include "app/about_dialog_win.h"
#include "app/help_win.h"
#include "app/images_win.h"
#include "app/main_window_win.h"
#include "products/property_dialog_win.h"

namespace tarnwick {

using enum MainAction;

void TfrmMain::CreateActions() {
    const std::function<void()> handlers[] = {
#define TARNWICK_ACTION_HANDLER(name, category, caption, image, key, enabled, checked, group, \
                                handler)                                                      \
    [this] { handler; },
        TARNWICK_MAIN_ACTIONS(TARNWICK_ACTION_HANDLER)
#undef TARNWICK_ACTION_HANDLER
    };
    static_assert(std::size(handlers) == std::size(kMainActions));
    static_assert(kKeyF1 == VK_F1);
    for (size_t i = 0; i < std::size(kMainActions); ++i)
        aclMain.Add(kMainActions[i], handlers[i]);
}

void TfrmMain::CreateMenus() {
    menus_ = std::make_unique<Menus>(aclMain, imlMain.Get());
    const std::vector<MenuEntry> main = {
        {"mnuFile",
         actFile,
         {{"mnuFileProperty", actFileProperty}, kMenuSeparator, {"mnuFileExit", actFileExit}}},
        {"mnuServer",
         actServer,
         {{"mnuServerStart", actServerStart},
          {"mnuServerSnS", actServerSnS},
          {"mnuServerStop", actServerStop},
          kMenuSeparator,
          {"mnuServerOption", actServerOption}}},
        {"mnuWindow",
         actView,
         {{"mnuWindowTool", actViewTool},
          {"mnuWindowStatus", actViewStatus},
          kMenuSeparator,
          {"mnuViewLargeIcon", actViewLargeIcon},
          {"mnuViewSmallIcon", actViewSmallIcon},
          {"mnuViewList", actViewList},
          {"mnuViewReport", actViewReport}}},
        {"mnuHelp",
         actHelp,
         {{"mnuHelpTopic", actHelpTopic}, kMenuSeparator, {"mnuHelpAbout", actHelpAbout}}},
    };
    SetMenu(Handle(), menus_->BuildMain(main));
    popMain = menus_->BuildPopup({{"mnuPopProperty", actFileProperty}});

    // The buttons show their own captions; state, image and command come from the action.
    cbrTool.Create(Handle(), kCoolBarId, kToolBarId, imlMain.Get(),
                   {{actFileExit, " 退出 ", "退出系统"},
                    ToolSeparator(8),
                    {actFileProperty, "属性", "产品属性"}},
                   aclMain);

    std::vector<ACCEL> keys;
    for (int i = 0; i < kMainActionCount; ++i) {
        if (const int key = kMainActions[i].shortcut) {
            keys.push_back({FVIRTKEY, WORD(key), WORD(MainCommand(MainAction(i)))});
        }
    }
    shortcuts_.Reset(CreateAcceleratorTableW(keys.data(), int(keys.size())));

    aclMain.OnChanged([this](const Action& action) {
        menus_->Follow(action);
        cbrTool.Follow(action);
    });
}

void TfrmMain::OnCommand(int command) {
    if (const auto action = MainActionOf(command)) aclMain[*action].Execute();
}

void TfrmMain::actViewToolExecute() {
    Action& tool = aclMain[actViewTool];
    tool.SetChecked(!tool.Checked());
    cbrTool.SetVisible(tool.Checked());
    Layout();
}

void TfrmMain::actViewStatusExecute() {
    Action& status = aclMain[actViewStatus];
    status.SetChecked(!status.Checked());
    sbrStatus.SetVisible(status.Checked());
    Layout();
}

// Sets the product list's view style and moves the radio mark to its action.
void TfrmMain::SetViewStyle(ProductViewStyle style, MainAction action) {
    lstvProduct.SetViewStyle(style);
    aclMain[action].SetChecked(true);
}

void TfrmMain::actViewLargeIconExecute() {
    SetViewStyle(ProductViewStyle::kLargeIcon, actViewLargeIcon);
}
void TfrmMain::actViewSmallIconExecute() {
    SetViewStyle(ProductViewStyle::kSmallIcon, actViewSmallIcon);
}
void TfrmMain::actViewListExecute() {
    SetViewStyle(ProductViewStyle::kList, actViewList);
}
void TfrmMain::actViewReportExecute() {
    SetViewStyle(ProductViewStyle::kReport, actViewReport);
}

}  // namespace tarnwick
