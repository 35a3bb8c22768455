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
    // The same through the W messages, as the program's windows hold the texts.
    std::wstring WideStatusText(HWND statusBar, int panel);
    std::wstring WideListText(HWND list, int row, int column);
    // The right edges of the status bar's panels.
    std::vector<int> StatusEdges(HWND statusBar);
    int ListCount(HWND list);
    std::string ListText(HWND list, int row, int column);
    std::vector<std::vector<std::string>> ListRows(HWND list, int columns);
    // Indices of the selected rows.
    std::vector<int> ListSelection(HWND list);
    // The centre of a list row, in the list's client coordinates.
    POINT ListRowCentre(HWND list, int row);
    // Leaves no row selected, without a click.
    void ClearListSelection(HWND list);
    // The centre of a tool button, in the tool bar's client coordinates.
    POINT ToolButtonCentre(HWND toolBar, int command);

  private:
    // Sends a message whose lParam points to `bytes` bytes in the target, copied there before
    // and read back after.
    LRESULT SendWithBuffer(HWND window, UINT message, WPARAM wParam, void* bytes, size_t size);

    HANDLE process_ = nullptr;
    char* remote_ = nullptr;  // one page in the target for messages' buffers
};

// The text of a window through WM_GETTEXT in its W form.
std::wstring WideWindowText(HWND window);

// A message box or dialog of the process, read: caption, the static text 0xFFFF.
struct RemoteDialog {
    HWND window = nullptr;
    std::string caption;
    std::string text;
};
RemoteDialog WaitForDialog(DWORD process, int timeoutMs = 10000);
// Presses a button of a dialog (BM_CLICK), as a user would.
void ClickButton(HWND dialog, int id);

// Posts a left click (or a double click) at `at`, in the window's client coordinates.
void PostClick(HWND window, POINT at, bool twice = false);

// Whether the shell shows the icon (window, 0): a modification that changes nothing succeeds
// only for an icon that exists.
bool HasTrayIcon(HWND window);
// Removes the icon (window, 0), as a shell that restarts loses it.
void DropTrayIcon(HWND window);

// The threads of another process, suspended until this object goes: they cannot end meanwhile.
class SuspendedThreads {
  public:
    explicit SuspendedThreads(const std::vector<DWORD>& threads);
    ~SuspendedThreads();
    SuspendedThreads(const SuspendedThreads&) = delete;
    SuspendedThreads& operator=(const SuspendedThreads&) = delete;
    size_t Count() const { return handles_.size(); }

  private:
    std::vector<HANDLE> handles_;
};
// The ids of the threads that `process` runs now.
std::vector<DWORD> ThreadsOf(DWORD process);

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
