// The control ids of the main window's children, by which they are found from outside too.
#pragma once

namespace tarnwick {

enum MainWindowControlId : int {
    kCoolBarId = 1,
    kToolBarId = 2,
    kPageControlId = 10,
    kProductListId = 11,
    kClientGridId = 12,
    kStatusBarId = 13,
};

}  // namespace tarnwick
