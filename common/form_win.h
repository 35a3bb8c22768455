// The base of the program's dialogs: created hidden by its owner, shown modally by ShowModal,
// which returns once the dialog has closed; the owner destroys it afterwards. It owns the modal
// loop, keeps the focus across activations, and answers Enter and Escape as a Windows dialog
// does: Enter presses the focused push button, else the default button; Escape presses the
// cancel button, else closes the dialog as its close box does.
// The version library returns its window as a Form and the program shows it through this same
// virtual call, so the layout of Window and Form is part of that library's interface: both
// sides are built from this header with the same compiler.
#pragma once

#include "common/window_win.h"

namespace tarnwick {

class Form : public Window {
  public:
    // Shows the dialog with every other window of the thread disabled, and returns once it has
    // closed, whichever way.
    virtual void ShowModal();

  protected:
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
    void KeepFocus(WPARAM state);
    HWND ButtonForEnter() const;
    void Press(HWND button);
    void OnDialogCommand(int id, int code);
    void ShowDefaultButton();

    bool closed_ = false;
    HWND focus_ = nullptr;
    HWND firstFocus_ = nullptr;
    HWND defaultButton_ = nullptr;
    HWND cancelButton_ = nullptr;
    HWND lookedFocus_ = nullptr;  // the focus when the default button's look was last set
};

}  // namespace tarnwick
