// TfrmVersionInfo, the library's version window: the files of a folder with what their version
// resources say, the files of the named products first.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "common/form_win.h"
#include "versioninfo/file_list.h"

namespace tarnwick {

inline constexpr const char* kVersionInfoClass = "TfrmVersionInfo";

class TfrmVersionInfo final : public Form {
  public:
    enum ControlId : int { kLstvFiles = 101, kBtnClose };

    // Creates the window hidden, filled with `files`. Throws when it cannot be created.
    TfrmVersionInfo(HWND owner, const std::vector<FileVersion>& files);

  private:
    void CreateControls();
    void LayOut(int dpi) override;
    void OnCommand(int id, int code) override;
    void Fill(const std::vector<FileVersion>& files);

    HWND lstvFiles = nullptr;
    HWND btnClose = nullptr;
    int shownDpi_ = kDefaultDpi;  // the DPI the column widths are at
};

}  // namespace tarnwick
