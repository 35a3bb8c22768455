// The base of the program's dialogs: created hidden by its owner, shown modally by ShowModal,
// which returns once the dialog has closed; the owner destroys it afterwards.
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
    // Ends the modal loop; the window stays until its owner destroys it.
    void EndModal() { closed_ = true; }
    // On WM_ACTIVATE: the focus comes back to the control that had it when the dialog was left;
    // `first` gets it the first time.
    void KeepFocus(WPARAM state, HWND first);

  private:
    bool closed_ = false;
    HWND focus_ = nullptr;
};

}  // namespace tarnwick
