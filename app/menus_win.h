// mnuMain and popMain, built from tables of actions. An item shows its action's caption, image,
// enabled and checked state; its command id is the first command plus the action's index.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "common/action_list.h"

namespace tarnwick {

struct MenuItemEntry {
    const char* name;    // mnu... name of the item
    const char* action;  // null for a separator
};

struct MenuEntry {
    const char* name;
    const char* action;  // the menu title's action
    std::vector<MenuItemEntry> items;
};

class Menus {
  public:
    Menus(const ActionList& actions, HIMAGELIST images, int firstCommand);
    ~Menus();
    Menus(const Menus&) = delete;
    Menus& operator=(const Menus&) = delete;

    HMENU BuildMain(const std::vector<MenuEntry>& menus);
    HMENU BuildPopup(const std::vector<MenuItemEntry>& items);
    // Shows the action's current state on every item bound to it.
    void Follow(const Action& action);
    // The action behind a command id, or null.
    Action* ActionFor(int command) const;
    int CommandOf(const Action& action) const { return first_ + actions_.IndexOf(action); }

  private:
    void Append(HMENU menu, const MenuItemEntry& item);

    const ActionList& actions_;
    HIMAGELIST images_;
    int first_;
    struct Item {
        HMENU menu;
        int command;
    };
    std::vector<Item> items_;
    std::vector<HMENU> owned_;  // top-level menus not attached to a window
    std::vector<HBITMAP> bitmaps_;
};

}  // namespace tarnwick
