// Child controls: their creation from places at 96 DPI, and small typed views of a dialog's
// controls over their window handles, the few operations the dialogs need, by name instead of by
// message. The views own nothing: the dialog's window destroys its controls.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>

namespace tarnwick {

// A child control at (x, y) in its parent's client area, `width` × `height`, all given at 96 DPI
// and placed at the parent's DPI, with the program's font at that DPI; `caption` is code page 936
// text.
HWND CreateControl(HWND parent, const char* className, const char* caption, DWORD style, int x,
                   int y, int width, int height, int id, DWORD exStyle = 0);

// The text of a window or control, whatever its length, as code page 936 text.
std::string WindowTextOf(HWND window);

// Appends a tab for each of `captions` (code page 936 texts) to the tab control `tabs`.
void AddTabs(HWND tabs, std::initializer_list<const char*> captions);

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
