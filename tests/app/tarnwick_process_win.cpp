#include "tarnwick_process_win.h"

#include <atomic>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "remote_window_win.h"

namespace tarnwick::testing {
namespace {

void RemoveTree(const std::string& dir) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((dir + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(dir + name + "\\");
            } else {
                DeleteFileA((dir + name).c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(dir.c_str());
}

}  // namespace

std::string ProgramPath() {
    // Built on Linux and run under Wine, where the root of the Linux file system is Z:.
    std::string path = "Z:" TARNWICK_EXE_PATH;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

TemporaryAppDir::TemporaryAppDir() {
    static std::atomic<int> counter{0};
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    path_ = std::string(temp) + "tarnwick-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(counter++) + "\\";
    RemoveTree(path_);
    if (!CreateDirectoryA(path_.c_str(), nullptr)) throw std::runtime_error("no temp AppDir");
}

TemporaryAppDir::~TemporaryAppDir() {
    RemoveTree(path_);
}

void TemporaryAppDir::Write(const std::string& name, const std::string& content) const {
    std::ofstream(path_ + name, std::ios::binary) << content;
}

std::string TemporaryAppDir::Read(const std::string& name) const {
    std::ifstream in(path_ + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TarnwickProcess::TarnwickProcess(const TemporaryAppDir& dir) {
    const std::string exe = dir.Path() + "Tarnwick.exe";
    // A second start in the same folder runs the copy already there.
    if (GetFileAttributesA(exe.c_str()) == INVALID_FILE_ATTRIBUTES &&
        !CopyFileA(ProgramPath().c_str(), exe.c_str(), FALSE)) {
        throw std::runtime_error("cannot copy " + ProgramPath());
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string command = "\"" + exe + "\"";
    if (!CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        dir.Path().c_str(), &startup, &info_)) {
        throw std::runtime_error("cannot start " + exe);
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

HWND TarnwickProcess::WaitForMainWindow(int timeoutMs) {
    HWND window = nullptr;
    WaitUntil([&] { return (window = FindProcessWindow(Id(), "TfrmMain")) != nullptr; }, timeoutMs);
    return window;
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
