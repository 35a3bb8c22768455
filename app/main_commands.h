// The command ids of the main window's actions: the first command plus the action's place in
// aclMain. Menu items, tool buttons and the F1 shortcut send these ids.
#pragma once

#include <array>
#include <string_view>

namespace tarnwick {

inline constexpr int kFirstMainCommand = 1000;

// aclMain in its order.
inline constexpr std::array<std::string_view, 18> kMainActions = {
    "actFile",       "actFileProperty",  "actFileExit",      "actServer",   "actServerStart",
    "actServerSnS",  "actServerStop",    "actServerOption",  "actView",     "actViewTool",
    "actViewStatus", "actViewLargeIcon", "actViewSmallIcon", "actViewList", "actViewReport",
    "actHelp",       "actHelpTopic",     "actHelpAbout"};

constexpr int MainCommand(std::string_view action) {
    for (size_t i = 0; i < kMainActions.size(); ++i) {
        if (kMainActions[i] == action) return kFirstMainCommand + int(i);
    }
    return 0;
}

}  // namespace tarnwick
