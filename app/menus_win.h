// mnuMain and popMain, built from tables of actions. An item shows its action's caption, image,
// enabled and checked state; its command id is its action's command id.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "app/main_actions.h"
#include "common/action_list.h"
#include "common/owned_win.h"

namespace tarnwick {

struct MenuItemEntry {
    const char* name = nullptr;  // mnu... name of the item; null for a separator
    MainAction action{};
};
inline constexpr MenuItemEntry kMenuSeparator{};

struct MenuEntry {
    const char* name;
    MainAction action;  // the menu title's action
    std::vector<MenuItemEntry> items;
};

class Menus {
  public:
    Menus(const ActionList& actions, HIMAGELIST images);
    Menus(const Menus&) = delete;
    Menus& operator=(const Menus&) = delete;

    HMENU BuildMain(const std::vector<MenuEntry>& menus);
    HMENU BuildPopup(const std::vector<MenuItemEntry>& items);
    // Shows the action's current state on every item bound to it.
    void Follow(const Action& action);
    // Shows the images of `images` (drawn for another DPI) on every item.
    void SetImages(HIMAGELIST images);

  private:
    void Append(HMENU menu, const MenuItemEntry& item);

    const ActionList& actions_;
    HIMAGELIST images_;
    struct Item {
        HMENU menu;
        int command;
        int image;  // in images_; -1 for none
    };
    void ShowImage(const Item& item);
    std::vector<Item> items_;
    std::vector<MenuHandle> owned_;  // top-level menus not attached to a window
    std::vector<BitmapHandle> bitmaps_;
};

}  // namespace tarnwick
