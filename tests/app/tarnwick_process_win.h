// The real Tarnwick.exe started in a temporary AppDir of its own, for end-to-end tests.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>

#include "support/temp_folder.h"

namespace tarnwick::testing {

class TarnwickProcess {
  public:
    // Copies the program into `dir` (unless it is there already) and starts it there.
    explicit TarnwickProcess(const TempFolder& dir) : TarnwickProcess(dir.Path()) {}
    // The same in any folder, named in any script.
    explicit TarnwickProcess(const std::filesystem::path& folder);
    // Ends the program if it still runs.
    ~TarnwickProcess();
    TarnwickProcess(const TarnwickProcess&) = delete;
    TarnwickProcess& operator=(const TarnwickProcess&) = delete;

    DWORD Id() const { return info_.dwProcessId; }
    // Waits for the main window to be shown; null when it did not come.
    HWND WaitForMainWindow(int timeoutMs = 20000);
    // Waits for the process to end; its exit code, or -1 when it still runs.
    int WaitForExit(int timeoutMs);
    bool Running() const;

  private:
    PROCESS_INFORMATION info_{};
};

// The Windows path of the program under test.
std::string ProgramPath();

}  // namespace tarnwick::testing
