// TfrmAbout, the about dialog: the product name and the version text from the version library,
// and a button that opens the library's version window. Also GetLibraryProc, by which both reach
// the library, and the Help > About command.
#pragma once

#include <windows.h>

#include <string>

#include "common/app_dir.h"
#include "common/application_window_win.h"
#include "common/form_win.h"

namespace tarnwick {

inline constexpr const char* kAboutClass = "TfrmAbout";

// Loads `libraryName` when `library` is empty and looks `functionName` up in it. False, after
// the reason has been shown to the user, when either fails. The library is never unloaded.
bool GetLibraryProc(const std::string& libraryName, HMODULE& library,
                    const std::string& functionName, FARPROC& function);

class TfrmAbout final : public Form {
  public:
    // Neither button is the default or the cancel button: Enter presses the focused one, and
    // Escape closes the dialog.
    enum ControlId : int {
        kGroupBox1 = 101,
        kImage1,
        kLabel1,
        kLabel2,
        kLblVersion,
        kLabel3,
        kBtnFileVer,
        kBtnClose,
    };

    // Creates the dialog hidden, owned by `application`, the window that owns the program's
    // windows, which the version window is handed too; `folder` (ending in a separator) is the
    // program's folder. Throws when the window cannot be created.
    explicit TfrmAbout(HWND application = ApplicationWindow(),
                       std::filesystem::path folder = AppDir());

  private:
    void CreateControls();
    void ShowIcon(int dpi);
    void LayOut(int dpi) override;
    void OnCommand(int id, int code) override;

    void FormShow() override;
    void btnCloseClick();
    void btnFileVerClick();
    void FormClose() override;

    const HWND application_;
    const std::filesystem::path folder_;

    HWND GroupBox1 = nullptr;
    HWND Image1 = nullptr;
    HWND Label1 = nullptr;
    HWND Label2 = nullptr;
    HWND lblVersion = nullptr;
    HWND Label3 = nullptr;
    HWND btnFileVer = nullptr;
    HWND btnClose = nullptr;
};

// Help > About: shows the about dialog modally and destroys it when it has closed.
void actHelpAboutExecute(HWND application = ApplicationWindow(),
                         const std::filesystem::path& folder = AppDir());

}  // namespace tarnwick
