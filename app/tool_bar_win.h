// cbrTool, the cool bar along the top edge, with its one band holding ToolBar1.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "app/main_actions.h"
#include "common/action_list.h"

namespace tarnwick {

struct ToolButtonEntry {
    MainAction action;
    const char* caption;  // null for a separator
    const char* hint;
    int separatorWidth = 0;
};
inline constexpr ToolButtonEntry ToolSeparator(int width) {
    return {MainAction{}, nullptr, nullptr, width};
}

class ToolBar {
  public:
    static constexpr int kButtonWidth = 43;
    static constexpr int kButtonHeight = 35;

    // A button sends its action's command id. Sizes are given at 96 DPI and shown at the
    // parent's DPI.
    void Create(HWND parent, int coolBarId, int toolBarId, HIMAGELIST images,
                const std::vector<ToolButtonEntry>& buttons, const ActionList& actions);
    // Sizes the buttons, the separators and the band at `dpi`, showing `images` drawn for it.
    void SetDpi(int dpi, HIMAGELIST images);
    int Height() const;
    bool Visible() const { return IsWindowVisible(coolBar_) != FALSE; }
    void SetVisible(bool visible) { ShowWindow(coolBar_, visible ? SW_SHOW : SW_HIDE); }
    void Resize();
    // Shows the action's enabled state on its buttons.
    void Follow(const Action& action);
    // Hint texts for the tool tips.
    bool HandleNotify(NMHDR* header);

  private:
    void SizeButtons(int dpi);

    // The texts in UTF-16 for the control; the hint also in code page 936, for a tool tip
    // that asks in the A form.
    struct Button {
        int command;
        Action* action;
        std::wstring caption, hint;
        std::string hintText;
    };
    HWND coolBar_ = nullptr;
    HWND toolBar_ = nullptr;
    std::vector<Button> buttons_;
    std::vector<ToolButtonEntry> entries_;
};

}  // namespace tarnwick
