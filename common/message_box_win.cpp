#include "common/message_box.h"

#include <windows.h>

#include <stdexcept>

#include "common/application.h"
#include "common/application_window_win.h"
#include "common/modal_win.h"
#include "common/text.h"
#include "common/wide_text_win.h"

namespace tarnwick {
namespace {

// The box is modal to the whole application; its own style stays the plain button and icon value.
int Box(const std::string& text, const char* title, UINT style) {
    HWND active = GetActiveWindow();
    // With no window of the program active (the main window put away, say), the box still
    // belongs to the application rather than standing alone in the taskbar.
    HWND owner = active ? active : ApplicationWindow();
    // A box enables its owner as it closes; an owner that a modal dialog has disabled (a box
    // shown while the dialog opens) must stay disabled.
    const bool ownerEnabled = owner && IsWindowEnabled(owner);
    int result;
    {
        const OtherWindowsDisabled others;
        result = MessageBoxW(owner, Wide(text).c_str(), Wide(title).c_str(), style);
    }
    if (owner && !ownerEnabled) EnableWindow(owner, FALSE);
    if (active) SetActiveWindow(active);
    return result;
}

}  // namespace

void ShowInfo(const std::string& text) {
    Box(text, kMessageTitle, MB_OK | MB_ICONINFORMATION);
}
void ShowError(const std::string& text) {
    Box(text, kMessageTitle, MB_OK | MB_ICONSTOP);
}
void ShowWarning(const std::string& text) {
    Box(text, kMessageTitle, MB_OK | MB_ICONWARNING);
}

bool AskYesNo(const std::string& text) {
    return Box(text, kMessageTitle, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void ShowGeneralError(std::string_view message) {
    Box(WithFullStop(message), kApplicationTitle, MB_OK | MB_ICONSTOP);
}

void ShowCurrentException() {
    try {
        throw;
    } catch (const std::exception& e) {
        ShowGeneralError(e.what());
    } catch (...) {
        ShowGeneralError("Unknown error");
    }
}

}  // namespace tarnwick
