// The action list aclMain and the menus and tool bar built from it.
#include <stdexcept>

#include "app/images_win.h"
#include "app/main_commands.h"
#include "app/main_window_win.h"

namespace tarnwick {
namespace {

constexpr int kFirstCommand = kFirstMainCommand;
constexpr int kViewStyleGroup = 1;

struct ActionRow {
    ActionInfo action;
    void (TfrmMain::*handler)();
};

}  // namespace

void TfrmMain::CreateActions() {
    const ActionRow rows[] = {
        {{"actFile", "File", "文件(&F)"}, &TfrmMain::actFileExecute},
        {{"actFileProperty", "File", "属性(&P)...", kImageProperty, 0, false},
         &TfrmMain::actFilePropertyExecute},
        {{"actFileExit", "File", "退出(&X)", kImageExit}, &TfrmMain::actFileExitExecute},
        {{"actServer", "Server", "服务(&S)"}, &TfrmMain::actServerExecute},
        {{"actServerStart", "Server", "启动(&S)"}, &TfrmMain::actServerStartExecute},
        {{"actServerSnS", "Server", "停止并启动(&A)", -1, 0, false},
         &TfrmMain::actServerSnSExecute},
        {{"actServerStop", "Server", "停止(&P)", -1, 0, false}, &TfrmMain::actServerStopExecute},
        {{"actServerOption", "Server", "选项(&O)..."}, &TfrmMain::actServerOptionExecute},
        {{"actView", "View", "视图(&V)"}, &TfrmMain::actViewExecute},
        {{"actViewTool", "View", "工具条(&T)", -1, 0, true, true}, &TfrmMain::actViewToolExecute},
        {{"actViewStatus", "View", "状态条(&S)", -1, 0, true, true},
         &TfrmMain::actViewStatusExecute},
        {{"actViewLargeIcon", "View", "大图标(&L)", -1, 0, true, false, kViewStyleGroup},
         &TfrmMain::actViewLargeIconExecute},
        {{"actViewSmallIcon", "View", "小图标(&S)", -1, 0, true, false, kViewStyleGroup},
         &TfrmMain::actViewSmallIconExecute},
        {{"actViewList", "View", "列表(&L)", -1, 0, true, false, kViewStyleGroup},
         &TfrmMain::actViewListExecute},
        {{"actViewReport", "View", "详细资料(&D)", -1, 0, true, true, kViewStyleGroup},
         &TfrmMain::actViewReportExecute},
        {{"actHelp", "Help", "帮助(&H)"}, &TfrmMain::actHelpExecute},
        {{"actHelpTopic", "Help", "帮助主题(&T)", kImageHelpTopic, VK_F1}, nullptr},
        {{"actHelpAbout", "Help", "关于(&A)..."}, nullptr},
    };
    for (const ActionRow& row : rows) {
        // Command ids are published by name: the table must keep that order.
        if (MainCommand(row.action.name) != kFirstCommand + int(aclMain.Actions().size())) {
            throw std::logic_error(std::string("action out of order: ") + row.action.name);
        }
        auto handler = row.handler;
        aclMain.Add(row.action, [this, handler] {
            if (handler) (this->*handler)();
        });
    }
}

void TfrmMain::CreateMenus() {
    menus_ = std::make_unique<Menus>(aclMain, imlMain, kFirstCommand);
    const std::vector<MenuEntry> main = {
        {"mnuFile",
         "actFile",
         {{"mnuFileProperty", "actFileProperty"},
          {nullptr, nullptr},
          {"mnuFileExit", "actFileExit"}}},
        {"mnuServer",
         "actServer",
         {{"mnuServerStart", "actServerStart"},
          {"mnuServerSnS", "actServerSnS"},
          {"mnuServerStop", "actServerStop"},
          {nullptr, nullptr},
          {"mnuServerOption", "actServerOption"}}},
        {"mnuWindow",
         "actView",
         {{"mnuWindowTool", "actViewTool"},
          {"mnuWindowStatus", "actViewStatus"},
          {nullptr, nullptr},
          {"mnuViewLargeIcon", "actViewLargeIcon"},
          {"mnuViewSmallIcon", "actViewSmallIcon"},
          {"mnuViewList", "actViewList"},
          {"mnuViewReport", "actViewReport"}}},
        {"mnuHelp",
         "actHelp",
         {{"mnuHelpTopic", "actHelpTopic"}, {nullptr, nullptr}, {"mnuHelpAbout", "actHelpAbout"}}},
    };
    SetMenu(Handle(), menus_->BuildMain(main));
    popMain = menus_->BuildPopup({{"mnuPopProperty", "actFileProperty"}});

    // The buttons show their own captions; state, image and command come from the action.
    cbrTool.Create(Handle(), 1, 2, imlMain,
                   {{"actFileExit", " 退出 ", "退出系统"},
                    {nullptr, nullptr, nullptr, 8},
                    {"actFileProperty", "属性", "产品属性"}},
                   aclMain, kFirstCommand);

    std::vector<ACCEL> keys;
    for (const auto& action : aclMain.Actions()) {
        if (action->Shortcut()) {
            keys.push_back({FVIRTKEY, WORD(action->Shortcut()), WORD(menus_->CommandOf(*action))});
        }
    }
    shortcuts_ = CreateAcceleratorTableA(keys.data(), int(keys.size()));

    aclMain.OnChanged([this](const Action& action) {
        menus_->Follow(action);
        cbrTool.Follow(action);
    });
}

void TfrmMain::OnCommand(int command) {
    if (Action* action = menus_->ActionFor(command)) action->Execute();
}

void TfrmMain::actViewToolExecute() {
    Action& tool = aclMain["actViewTool"];
    tool.SetChecked(!tool.Checked());
    cbrTool.SetVisible(tool.Checked());
    Layout();
}

void TfrmMain::actViewStatusExecute() {
    Action& status = aclMain["actViewStatus"];
    status.SetChecked(!status.Checked());
    sbrStatus.SetVisible(status.Checked());
    Layout();
}

// Sets the product list's view style and moves the radio mark to its action.
void TfrmMain::SetViewStyle(ProductViewStyle style, std::string_view action) {
    lstvProduct.SetViewStyle(style);
    aclMain[action].SetChecked(true);
}

void TfrmMain::actViewLargeIconExecute() {
    SetViewStyle(ProductViewStyle::kLargeIcon, "actViewLargeIcon");
}
void TfrmMain::actViewSmallIconExecute() {
    SetViewStyle(ProductViewStyle::kSmallIcon, "actViewSmallIcon");
}
void TfrmMain::actViewListExecute() {
    SetViewStyle(ProductViewStyle::kList, "actViewList");
}
void TfrmMain::actViewReportExecute() {
    SetViewStyle(ProductViewStyle::kReport, "actViewReport");
}

}  // namespace tarnwick
