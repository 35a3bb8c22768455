#include "common/action_list.h"

#include <stdexcept>

namespace tarnwick {

Action::Action(ActionList& list, const ActionInfo& info, std::function<void()> handler)
    : list_(list),
      name_(info.name),
      category_(info.category),
      caption_(info.caption),
      image_(info.image),
      shortcut_(info.shortcut),
      radioGroup_(info.radioGroup),
      enabled_(info.enabled),
      checked_(info.checked),
      handler_(std::move(handler)) {}

void Action::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    list_.Changed(*this);
}

void Action::SetChecked(bool checked) {
    if (checked && radioGroup_ != 0) {
        for (const auto& other : list_.actions_) {
            if (other.get() != this && other->radioGroup_ == radioGroup_ && other->checked_) {
                other->checked_ = false;
                list_.Changed(*other);
            }
        }
    }
    if (checked_ == checked) return;
    checked_ = checked;
    list_.Changed(*this);
}

bool Action::Execute() {
    if (!enabled_) return false;
    if (handler_) handler_();
    return true;
}

Action& ActionList::Add(const ActionInfo& info, std::function<void()> handler) {
    actions_.push_back(std::unique_ptr<Action>(new Action(*this, info, std::move(handler))));
    return *actions_.back();
}

Action* ActionList::Find(std::string_view name) const {
    for (const auto& action : actions_) {
        if (action->name_ == name) return action.get();
    }
    return nullptr;
}

Action& ActionList::operator[](std::string_view name) const {
    if (Action* action = Find(name)) return *action;
    throw std::out_of_range("no action " + std::string(name));
}

int ActionList::IndexOf(const Action& action) const {
    for (size_t i = 0; i < actions_.size(); ++i) {
        if (actions_[i].get() == &action) return int(i);
    }
    return -1;
}

}  // namespace tarnwick
