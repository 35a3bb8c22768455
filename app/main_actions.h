// aclMain, the main window's actions, as one table. Each row gives an action its name (which is
// also its id in MainAction), category, caption, image in imlMain, shortcut, state at start and
// handler. Menus, tool bar, popup menu and the keyboard shortcuts all read it; the command id of
// an action is kFirstMainCommand plus its row.
#pragma once

#include <optional>

#include "common/action_list.h"

namespace tarnwick {

// The images of imlMain that the actions show.
inline constexpr int kImageExit = 0;
inline constexpr int kImageProperty = 5;
inline constexpr int kImageHelpTopic = 12;
inline constexpr int kNoImage = -1;

inline constexpr int kNoKey = 0;
inline constexpr int kKeyF1 = 0x70;  // VK_F1

// The radio group of the four view styles of the product list.
inline constexpr int kNoGroup = 0;
inline constexpr int kViewStyleGroup = 1;

// X(name, category, caption, image, shortcut, enabled at start, checked at start, radio group,
//   handler): the handler is the call that runs the action in TfrmMain, to a function named after
//   the action followed by Execute.
#define TARNWICK_MAIN_ACTIONS(X)                                                              \
    X(actFile, "File", "文件(&F)", kNoImage, kNoKey, true, false, kNoGroup, actFileExecute()) \
    X(actFileProperty, "File", "属性(&P)...", kImageProperty, kNoKey, false, false, kNoGroup, \
      actFilePropertyExecute(lstvProduct))                                                    \
    X(actFileExit, "File", "退出(&X)", kImageExit, kNoKey, true, false, kNoGroup,             \
      actFileExitExecute())                                                                   \
    X(actServer, "Server", "服务(&S)", kNoImage, kNoKey, true, false, kNoGroup,               \
      actServerExecute())                                                                     \
    X(actServerStart, "Server", "启动(&S)", kNoImage, kNoKey, true, false, kNoGroup,          \
      server_.actServerStartExecute())                                                        \
    X(actServerSnS, "Server", "停止并启动(&A)", kNoImage, kNoKey, false, false, kNoGroup,     \
      server_.actServerSnSExecute())                                                          \
    X(actServerStop, "Server", "停止(&P)", kNoImage, kNoKey, false, false, kNoGroup,          \
      server_.actServerStopExecute())                                                         \
    X(actServerOption, "Server", "选项(&O)...", kNoImage, kNoKey, true, false, kNoGroup,      \
      actServerOptionExecute())                                                               \
    X(actView, "View", "视图(&V)", kNoImage, kNoKey, true, false, kNoGroup, actViewExecute()) \
    X(actViewTool, "View", "工具条(&T)", kNoImage, kNoKey, true, true, kNoGroup,              \
      actViewToolExecute())                                                                   \
    X(actViewStatus, "View", "状态条(&S)", kNoImage, kNoKey, true, true, kNoGroup,            \
      actViewStatusExecute())                                                                 \
    X(actViewLargeIcon, "View", "大图标(&L)", kNoImage, kNoKey, true, false, kViewStyleGroup, \
      actViewLargeIconExecute())                                                              \
    X(actViewSmallIcon, "View", "小图标(&S)", kNoImage, kNoKey, true, false, kViewStyleGroup, \
      actViewSmallIconExecute())                                                              \
    X(actViewList, "View", "列表(&L)", kNoImage, kNoKey, true, false, kViewStyleGroup,        \
      actViewListExecute())                                                                   \
    X(actViewReport, "View", "详细资料(&D)", kNoImage, kNoKey, true, true, kViewStyleGroup,   \
      actViewReportExecute())                                                                 \
    X(actHelp, "Help", "帮助(&H)", kNoImage, kNoKey, true, false, kNoGroup, actHelpExecute()) \
    X(actHelpTopic, "Help", "帮助主题(&T)", kImageHelpTopic, kKeyF1, true, false, kNoGroup,   \
      actHelpTopicExecute(appDir_))                                                           \
    X(actHelpAbout, "Help", "关于(&A)...", kNoImage, kNoKey, true, false, kNoGroup,           \
      actHelpAboutExecute(Handle(), appDir_))

enum class MainAction : int {
#define TARNWICK_ACTION_ID(name, ...) name,
    TARNWICK_MAIN_ACTIONS(TARNWICK_ACTION_ID)
#undef TARNWICK_ACTION_ID
};

inline constexpr ActionInfo kMainActions[] = {
#define TARNWICK_ACTION_INFO(name, category, caption, image, key, enabled, checked, group, ...) \
    {#name, category, caption, image, key, enabled, checked, group},
    TARNWICK_MAIN_ACTIONS(TARNWICK_ACTION_INFO)
#undef TARNWICK_ACTION_INFO
};

inline constexpr int kMainActionCount = int(sizeof kMainActions / sizeof kMainActions[0]);

// Menu items, tool buttons and the shortcuts send these command ids.
inline constexpr int kFirstMainCommand = 1000;

constexpr int MainCommand(MainAction action) {
    return kFirstMainCommand + int(action);
}

// The action behind a command id, if any.
constexpr std::optional<MainAction> MainActionOf(int command) {
    const int row = command - kFirstMainCommand;
    if (row < 0 || row >= kMainActionCount) return std::nullopt;
    return MainAction(row);
}

}  // namespace tarnwick
