// Looking into another process's windows as a user would see them: texts, status bar panels,
// list view rows and message boxes. Buffers that the target fills live in the target process.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "support/dialog_answerer.h"  // WindowText

namespace tarnwick::testing {

// The first child (at any depth) of `parent` with this class, or with this control id.
HWND FindChildByClass(HWND parent, const char* className);
HWND FindChildById(HWND parent, int id);

// The visible top-level window of `process` with this class (and caption, when given).
HWND FindProcessWindow(DWORD process, const char* className, const char* caption = nullptr);

class RemoteProcess {
  public:
    explicit RemoteProcess(HWND anyWindow);
    ~RemoteProcess();
    RemoteProcess(const RemoteProcess&) = delete;
    RemoteProcess& operator=(const RemoteProcess&) = delete;

    std::string StatusText(HWND statusBar, int panel);
    int ListCount(HWND list);
    std::string ListText(HWND list, int row, int column);
    std::vector<std::vector<std::string>> ListRows(HWND list, int columns);
    // Indices of the selected rows.
    std::vector<int> ListSelection(HWND list);

  private:
    HANDLE process_ = nullptr;
    char* remote_ = nullptr;  // one page in the target for messages' buffers
};

// A message box or dialog of the process, read: caption, the static text 0xFFFF.
struct RemoteDialog {
    HWND window = nullptr;
    std::string caption;
    std::string text;
};
RemoteDialog WaitForDialog(DWORD process, int timeoutMs = 10000);
// Presses a button of a dialog (BM_CLICK), as a user would.
void ClickButton(HWND dialog, int id);

// Polls `condition` every 20 ms until it holds or `timeoutMs` passed.
template <class Condition>
bool WaitUntil(Condition condition, int timeoutMs = 10000) {
    for (int waited = 0; waited <= timeoutMs; waited += 20) {
        if (condition()) return true;
        Sleep(20);
    }
    return false;
}

}  // namespace tarnwick::testing
