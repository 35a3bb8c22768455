#include "common/action_list.h"

namespace tarnwick {

Action::Action(ActionList& list, int index, const ActionInfo& info, std::function<void()> handler)
    : list_(list),
      index_(index),
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
    const int index = int(actions_.size());
    actions_.push_back(std::unique_ptr<Action>(new Action(*this, index, info, std::move(handler))));
    return *actions_.back();
}

}  // namespace tarnwick
