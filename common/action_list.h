// Commands as data: every command of a window is a row of a table (name, category, caption,
// image, shortcut, state at start) and an action of one list, which keeps what menus and tool
// buttons show of it: caption, image, shortcut, enabled and checked state, and its handler.
// They only show what their action holds and run its handler, so no state is kept twice. Actions
// are known by their place in the list, which a window names with an enumeration of its own.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
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
    const std::string& Caption() const { return caption_; }
    int Image() const { return image_; }
    int Shortcut() const { return shortcut_; }
    int RadioGroup() const { return radioGroup_; }
    bool Enabled() const { return enabled_; }
    bool Checked() const { return checked_; }
    // The action's place in its list, from 0.
    int Index() const { return index_; }

    void SetEnabled(bool enabled);
    // Checking a member of a radio group clears the mark of the others.
    void SetChecked(bool checked);
    // Runs the handler when the action is enabled; false when it was not.
    bool Execute();

  private:
    friend class ActionList;
    Action(ActionList& list, int index, const ActionInfo& info, std::function<void()> handler);

    ActionList& list_;
    int index_;
    std::string caption_;
    int image_, shortcut_, radioGroup_;
    bool enabled_, checked_;
    std::function<void()> handler_;
};

class ActionList {
  public:
    ActionList() = default;
    ActionList(const ActionList&) = delete;
    ActionList& operator=(const ActionList&) = delete;

    Action& Add(const ActionInfo& info, std::function<void()> handler);
    // The action at `index`; null when there is none.
    Action* At(size_t index) const {
        return index < actions_.size() ? actions_[index].get() : nullptr;
    }
    // The action a window's enumeration names; the enumeration follows the list's order.
    template <class Id>
    requires std::is_enum_v<Id> Action& operator[](Id id) const { return *actions_.at(size_t(id)); }

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
