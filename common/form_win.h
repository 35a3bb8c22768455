// The base of the program's dialogs: created hidden by its owner, shown modally by ShowModal,
// which returns once the dialog has closed; the owner destroys it afterwards. It owns the modal
// loop, keeps the focus across activations, and answers Enter and Escape as a Windows dialog
// does: Enter presses the focused push button, else the default button; Escape presses the
// cancel button, else closes the dialog as its close box does. It creates the controls from
// their places at 96 DPI, and lays them out again at the DPI of the monitor the dialog moves to.
// The version library returns its window as a Form and the program shows it through this same
// virtual call, so the layout of Window and Form is part of that library's interface: both
// sides are built from this header with the same compiler.
#pragma once

#include <vector>

#include "common/controls_win.h"
#include "common/dpi_win.h"
#include "common/window_win.h"

namespace tarnwick {

// A control's place in its dialog's client area, in pixels at 96 DPI.
struct Place {
    int x, y, width, height;
};

// A place given within `frame` (a group box, say), in the dialog's client area.
constexpr Place Within(Place frame, Place at) {
    return {frame.x + at.x, frame.y + at.y, at.width, at.height};
}

class Form : public Window {
  public:
    // Shows the dialog with every other window of the thread disabled, and returns once it has
    // closed, whichever way.
    virtual void ShowModal();

  protected:
    // Creates the dialog hidden, owned by `owner`: a fixed dialog frame whose title bar carries
    // only the close button, with a client area of `width` × `height` at 96 DPI, centred on the
    // desktop. Throws when the window cannot be created.
    void CreateForm(const char* className, const char* caption, int width, int height, HWND owner);

    // The controls, in tab order. Each throws when the control cannot be created.
    HWND Add(const char* className, const char* caption, DWORD style, Place at, int id,
             DWORD exStyle = 0);
    HWND AddButton(const char* caption, Place at, int id);
    HWND AddLabel(const char* caption, Place at, int id, DWORD style = SS_LEFT);
    // Frames the controls placed within it; add it after them, so it lies below them.
    HWND AddGroupBox(const char* caption, Place at, int id);
    EditBox AddEditBox(Place at, int id);
    // `at` is the closed box; its list shows `listRows` rows.
    ComboBox AddComboBox(Place at, int listRows, int id);
    CheckBox AddCheckBox(const char* caption, Place at, int id);

    int Dpi() const { return DpiOf(Handle()); }
    // Places every control again at `dpi`, with the font at that DPI. A dialog whose controls
    // depend on one another's sizes places those after calling this.
    virtual void LayOut(int dpi);

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Ends the modal loop; the window stays until its owner destroys it.
    void EndModal() { closed_ = true; }
    // Enter presses `button` while the focus is on no push button.
    void SetDefaultButton(HWND button) { defaultButton_ = button; }
    // Escape presses `button`.
    void SetCancelButton(HWND button) { cancelButton_ = button; }
    // The control that has the focus when the dialog is first activated.
    void SetFirstFocus(HWND control) { firstFocus_ = control; }

    // The handlers a dialog gives: as it is shown, a command of one of its controls (a click,
    // or Enter and Escape standing for one), and every way of closing it.
    virtual void FormShow() {}
    virtual void OnCommand(int /*id*/, int /*code*/) {}
    virtual void FormClose() { EndModal(); }

  private:
    struct Laid {
        HWND control;
        Place at;
        int listRows;  // a drop-down combo box's; 0 for every other control
    };

    void RunModalLoop(HWND dialog);
    void OnDpiChanged(int dpi, const RECT& suggested);
    void KeepFocus(WPARAM state);
    HWND ButtonForEnter() const;
    void Press(HWND button);
    void OnDialogCommand(int id, int code);
    void ShowDefaultButton();

    std::vector<Laid> controls_;  // the layout table, in creation order
    bool closed_ = false;
    HWND focus_ = nullptr;
    HWND firstFocus_ = nullptr;
    HWND defaultButton_ = nullptr;
    HWND cancelButton_ = nullptr;
    HWND lookedFocus_ = nullptr;  // the focus when the default button's look was last set
};

}  // namespace tarnwick
