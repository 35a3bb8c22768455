#include "support/dialog_answerer.h"

#include <vector>

namespace tarnwick::testing {

std::string WindowText(HWND window) {
    std::vector<char> text(4096, '\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, text.size(), LPARAM(text.data()), SMTO_ABORTIFHUNG,
                        2000, &copied);
    return std::string(text.data());
}

namespace {

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char cls[32] = {};
    GetClassNameA(window, cls, sizeof cls);
    if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
        std::string(cls) == "#32770") {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND FindOwnDialog() {
    HWND found = nullptr;
    EnumWindows(&FindDialog, LPARAM(&found));
    return found;
}

DialogAnswerer::DialogAnswerer(int button, std::function<bool()> probe)
    : thread_([this, button, probe = std::move(probe)] { Run(button, probe); }) {}

DialogAnswerer::~DialogAnswerer() {
    if (thread_.joinable()) thread_.join();
}

const SeenDialog& DialogAnswerer::Seen() {
    if (thread_.joinable()) thread_.join();
    return seen_;
}

void DialogAnswerer::Run(int button, const std::function<bool()>& probe) {
    HWND dialog = nullptr;
    for (int i = 0; i < 1000 && !dialog; ++i) {
        Sleep(10);
        dialog = FindOwnDialog();
    }
    if (!dialog) return;
    Sleep(20);  // let the box finish its own set-up
    seen_.found = true;
    seen_.caption = WindowText(dialog);
    if (HWND text = GetDlgItem(dialog, 0xFFFF)) seen_.text = WindowText(text);
    seen_.hasOk = GetDlgItem(dialog, IDOK) != nullptr;
    seen_.hasYes = GetDlgItem(dialog, IDYES) != nullptr;
    seen_.hasNo = GetDlgItem(dialog, IDNO) != nullptr;
    if (probe) seen_.probe = probe();
    DWORD_PTR result = 0;
    SendMessageTimeoutA(GetDlgItem(dialog, button), BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 2000,
                        &result);
}

}  // namespace tarnwick::testing
