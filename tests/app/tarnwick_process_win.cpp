#include "tarnwick_process_win.h"

#include <stdexcept>

#include "remote_window_win.h"

namespace tarnwick::testing {

std::string ProgramPath() {
    // Built on Linux and run under Wine, where the root of the Linux file system is Z:.
    std::string path = "Z:" TARNWICK_EXE_PATH;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

TarnwickProcess::TarnwickProcess(const std::filesystem::path& folder) {
    const std::filesystem::path exe = folder / L"Tarnwick.exe";
    const std::filesystem::path program = ProgramPath();  // ASCII: the build folder
    // A second start in the same folder runs the copy already there.
    if (GetFileAttributesW(exe.c_str()) == INVALID_FILE_ATTRIBUTES &&
        !CopyFileW(program.c_str(), exe.c_str(), FALSE)) {
        throw std::runtime_error("cannot copy " + ProgramPath());
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    // No standard handles: under Wine a child otherwise holds the test's output pipe open, and
    // so does whatever the program starts in turn (a help viewer outliving the test), which
    // keeps CTest waiting for the end of the output.
    startup.dwFlags = STARTF_USESTDHANDLES;
    std::wstring command = L"\"" + exe.native() + L"\"";
    if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &info_)) {
        throw std::runtime_error("cannot start Tarnwick.exe");
    }
}

TarnwickProcess::~TarnwickProcess() {
    if (Running()) {
        TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

// Found, shown and answering: the program has reached a message loop, so whatever a test posts
// next is handled after the start instead of racing it.
HWND TarnwickProcess::WaitForMainWindow(int timeoutMs) {
    HWND window = nullptr;
    const bool ready = WaitUntil(
        [&] {
            window = FindProcessWindow(Id(), "TfrmMain");  // shown windows only
            DWORD_PTR ignored = 0;
            return window &&
                   SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &ignored);
        },
        timeoutMs);
    return ready ? window : nullptr;
}

int TarnwickProcess::WaitForExit(int timeoutMs) {
    if (WaitForSingleObject(info_.hProcess, DWORD(timeoutMs)) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return int(code);
}

bool TarnwickProcess::Running() const {
    return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

}  // namespace tarnwick::testing
