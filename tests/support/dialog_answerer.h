// Finds the next dialog box (a message box) that this process opens, reads it and presses one
// of its buttons, from a thread of its own, while the code under test waits in its modal loop.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>

namespace tarnwick::testing {

struct SeenDialog {
    bool found = false;
    std::string caption;
    std::string text;  // the message text (static control 0xFFFF)
    bool hasOk = false, hasYes = false, hasNo = false;
    bool probe = false;  // what the probe said while the dialog was open
};

// The text of a window, read with WM_GETTEXT as another thread or process would.
std::string WindowText(HWND window);

// The first visible dialog box of this process, or null.
HWND FindOwnDialog();

class DialogAnswerer {
  public:
    explicit DialogAnswerer(int button, std::function<bool()> probe = {});
    ~DialogAnswerer();
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    // Waits until the dialog has been answered (or none came within ten seconds).
    const SeenDialog& Seen();

  private:
    void Run(int button, const std::function<bool()>& probe);

    SeenDialog seen_;
    std::thread thread_;
};

}  // namespace tarnwick::testing
