// Small typed views of a dialog's controls over their window handles: the few operations the
// dialogs need, by name instead of by message. They own nothing: the dialog's window destroys its
// controls.
#pragma once

#include <windows.h>

#include <string>

namespace tarnwick {

class Control {
  public:
    Control() = default;
    explicit Control(HWND control) : hwnd_(control) {}

    HWND Handle() const { return hwnd_; }
    std::string Text() const;
    void SetText(const std::string& text) const;
    void Focus() const { SetFocus(hwnd_); }

  private:
    HWND hwnd_ = nullptr;
};

class EditBox : public Control {
  public:
    using Control::Control;
};

// An editable drop-down combo box: its text, and the list below it.
class ComboBox : public Control {
  public:
    using Control::Control;
    // Empties the list and the text.
    void Clear() const;
    void AddItem(const std::string& item) const;
};

class CheckBox : public Control {
  public:
    using Control::Control;
    bool Checked() const;
    void SetChecked(bool checked) const;
};

}  // namespace tarnwick
