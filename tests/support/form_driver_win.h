// Drives a form as a user at the keyboard and mouse would. The form's modal loop runs on the
// test thread; a script on a helper thread types into its boxes, clicks, presses keys and moves
// the focus with posted input, and after each step waits until the form has handled it. Every
// message box opened meanwhile is answered with OK and kept for the test to read.
#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "support/dialog_answerer.h"

namespace tarnwick::testing {

// Answers every message box of this process, while it lives, with its OK button.
class BoxWatcher {
  public:
    BoxWatcher();
    ~BoxWatcher();
    BoxWatcher(const BoxWatcher&) = delete;
    BoxWatcher& operator=(const BoxWatcher&) = delete;

    std::vector<SeenDialog> Seen() const;
    std::vector<std::string> Texts() const;
    // Waits until `count` boxes have been answered; false when they did not come in ten seconds.
    bool WaitForCount(size_t count) const;

  private:
    void Run();

    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<SeenDialog> seen_;
    std::thread thread_;
};

class FormDriver {
  public:
    FormDriver();
    ~FormDriver();
    FormDriver(const FormDriver&) = delete;
    FormDriver& operator=(const FormDriver&) = delete;

    // Runs `modal` on this thread, and `script` on a helper thread once a visible, enabled window
    // of class `className` of this process is there. A form still open when the script ends is
    // closed with the title bar's close command. Returns when both have ended.
    void Run(const char* className, const std::function<void()>& modal,
             const std::function<void()>& script);

    // For the script.
    HWND Form() const { return form_; }
    HWND Item(int id) const { return GetDlgItem(form_, id); }
    // True once the modal loop has returned.
    bool Ended() const { return ended_; }
    // The window with the keyboard focus on the form's thread.
    HWND Focus() const;
    std::string Text(HWND window) const { return WindowText(window); }
    LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void SetText(HWND window, std::string_view text);
    // A whole click (BM_CLICK), as an access key gives too.
    void Click(HWND button);
    // The mouse button pressed on `window`, and released inside or outside it.
    void Press(HWND window);
    void Release(HWND window, bool inside);
    // A mouse click into an edit box or the edit part of a combo box, which takes the focus.
    void ClickInto(HWND box);
    // A key pressed and released on the focused window.
    void Key(UINT virtualKey);
    // The letter typed with Alt held, as for an access key.
    void AltKey(char letter);
    void CloseByTitleBar();
    // Waits until the form has handled everything posted so far and no message box is open.
    void Settle();

    const BoxWatcher& Boxes() const { return boxes_; }

  private:
    static LRESULT CALLBACK MarkerProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    bool WaitForForm(const char* className);
    bool MarkerHandled(std::chrono::steady_clock::time_point deadline);
    void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    BoxWatcher boxes_;
    HWND marker_ = nullptr;  // a message-only window on the form's thread
    HWND form_ = nullptr;
    DWORD formThread_ = 0;
    std::atomic<bool> ended_{false};
    std::atomic<unsigned> markersPosted_{0};
    std::atomic<unsigned> markersHandled_{0};
};

}  // namespace tarnwick::testing
