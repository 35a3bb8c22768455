// Commands as data: every command of a window is an action of one list, with its category,
// caption, image, shortcut, enabled and checked state and handler. Menu items and tool buttons
// only show what their action holds and run its handler, so no state is kept twice.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

struct ActionInfo {
    const char* name;
    const char* category;
    const char* caption;
    int image = -1;    // index into the window's image list; -1 for none
    int shortcut = 0;  // virtual-key code; 0 for none
    bool enabled = true;
    bool checked = false;
    int radioGroup = 0;  // actions sharing a non-zero group carry at most one check mark
};

class ActionList;

class Action {
  public:
    const std::string& Name() const { return name_; }
    const std::string& Category() const { return category_; }
    const std::string& Caption() const { return caption_; }
    int Image() const { return image_; }
    int Shortcut() const { return shortcut_; }
    int RadioGroup() const { return radioGroup_; }
    bool Enabled() const { return enabled_; }
    bool Checked() const { return checked_; }

    void SetEnabled(bool enabled);
    // Checking a member of a radio group clears the mark of the others.
    void SetChecked(bool checked);
    // Runs the handler when the action is enabled; false when it was not.
    bool Execute();

  private:
    friend class ActionList;
    Action(ActionList& list, const ActionInfo& info, std::function<void()> handler);

    ActionList& list_;
    std::string name_, category_, caption_;
    int image_, shortcut_, radioGroup_;
    bool enabled_, checked_;
    std::function<void()> handler_;
};

class ActionList {
  public:
    Action& Add(const ActionInfo& info, std::function<void()> handler);
    // The action of that name; throws std::out_of_range for an unknown name.
    Action& operator[](std::string_view name) const;
    Action* Find(std::string_view name) const;
    // The action's place in the list, from 0.
    int IndexOf(const Action& action) const;
    const std::vector<std::unique_ptr<Action>>& Actions() const { return actions_; }

    // Told of every change of an action's enabled or checked state (the menus follow it).
    void OnChanged(std::function<void(const Action&)> observer) { observer_ = std::move(observer); }

  private:
    friend class Action;
    void Changed(const Action& action) {
        if (observer_) observer_(action);
    }

    std::vector<std::unique_ptr<Action>> actions_;
    std::function<void(const Action&)> observer_;
};

}  // namespace tarnwick
