#include "app/menus_win.h"

#include <string>

#include "app/images_win.h"
#include "common/wide_text_win.h"

namespace tarnwick {

namespace {

int CommandOf(const Action& action) {
    return MainCommand(MainAction(action.Index()));
}

// An item's text: the caption, then its shortcut after a tab, which Windows aligns at the right.
// Function keys are the only shortcuts the actions carry.
std::string ItemText(const Action& action) {
    const int key = action.Shortcut();
    if (key < VK_F1 || key > VK_F24) return action.Caption();
    return action.Caption() + "\tF" + std::to_string(key - VK_F1 + 1);
}

}  // namespace

Menus::Menus(const ActionList& actions, HIMAGELIST images) : actions_(actions), images_(images) {}

HMENU Menus::BuildMain(const std::vector<MenuEntry>& menus) {
    HMENU bar = CreateMenu();
    for (const MenuEntry& menu : menus) {
        HMENU popup = CreatePopupMenu();
        for (const MenuItemEntry& item : menu.items)
            Append(popup, item);
        AppendMenuW(bar, MF_POPUP | MF_STRING, UINT_PTR(popup),
                    Wide(actions_[menu.action].Caption()).c_str());
    }
    return bar;  // owned by the window it is attached to
}

HMENU Menus::BuildPopup(const std::vector<MenuItemEntry>& items) {
    HMENU popup = CreatePopupMenu();
    for (const MenuItemEntry& item : items)
        Append(popup, item);
    owned_.emplace_back(popup);
    return popup;
}

void Menus::Append(HMENU menu, const MenuItemEntry& item) {
    if (!item.name) {
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        return;
    }
    const Action& action = actions_[item.action];
    const int command = CommandOf(action);
    AppendMenuW(menu, MF_STRING, UINT_PTR(command), Wide(ItemText(action)).c_str());
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    if (action.RadioGroup() != 0) {
        info.fMask = MIIM_FTYPE;
        info.fType = MFT_STRING | MFT_RADIOCHECK;
        SetMenuItemInfoW(menu, UINT(command), FALSE, &info);
    }
    items_.push_back({menu, command, action.Image()});
    ShowImage(items_.back());
    Follow(action);
}

void Menus::ShowImage(const Item& item) {
    if (item.image < 0) return;
    bitmaps_.push_back(MenuBitmap(images_, item.image));
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_BITMAP;
    info.hbmpItem = bitmaps_.back().Get();
    SetMenuItemInfoW(item.menu, UINT(item.command), FALSE, &info);
}

void Menus::SetImages(HIMAGELIST images) {
    images_ = images;
    std::vector<BitmapHandle> shown = std::move(bitmaps_);  // until the items show the new ones
    bitmaps_.clear();
    for (const Item& item : items_)
        ShowImage(item);
}

void Menus::Follow(const Action& action) {
    const int command = CommandOf(action);
    for (const Item& item : items_) {
        if (item.command != command) continue;
        EnableMenuItem(item.menu, UINT(command),
                       MF_BYCOMMAND | (action.Enabled() ? MF_ENABLED : MF_GRAYED));
        CheckMenuItem(item.menu, UINT(command),
                      MF_BYCOMMAND | (action.Checked() ? MF_CHECKED : MF_UNCHECKED));
    }
}

}  // namespace tarnwick
