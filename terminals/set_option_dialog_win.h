// TfrmSetOption, the options dialog: the listener's host and port in main.ini and the autorun
// entry. It only writes them; a running listener takes new settings at its next start.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "common/app_dir.h"
#include "common/application_window_win.h"
#include "common/form_win.h"
#include "terminals/local_addresses_win.h"

namespace tarnwick {

inline constexpr const char* kSetOptionClass = "TfrmSetOption";

class TfrmSetOption final : public Form {
  public:
    // Control identifiers. Enter presses btnOk, or the focused button; Escape presses btnCancel.
    enum ControlId : int {
        kGroupBox1 = 101,
        kLabel1,
        kCmbHost,
        kLabel2,
        kEdtPort,
        kChkAutoRun,
        kBtnOk,
        kBtnCancel,
    };

    using AddressSource = std::function<std::vector<std::string>()>;

    // Creates the dialog hidden. `folder` (ending in a separator) holds main.ini and is the
    // folder that the autorun entry names; the host box offers `localAddresses` under the
    // loopback address. Throws when the window cannot be created.
    explicit TfrmSetOption(HWND owner = ApplicationWindow(),
                           std::filesystem::path folder = AppDir(),
                           AddressSource localAddresses = LocalIpv4Addresses);

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    void CreateControls();
    void OnCommand(int id, int code) override;

    void FormShow() override;
    void FillHostList();
    bool ReadSettings();
    void edtPortExit();
    void PortFocusLost();
    void PortExitDue();
    void CancelPortExit();
    void btnOkClick();
    void btnCancelClick();
    void FormClose() override;

    const std::filesystem::path folder_;
    const AddressSource localAddresses_;
    // edtPort lost the focus and its check has not run yet.
    bool portExitPending_ = false;

    HWND GroupBox1 = nullptr;
    HWND Label1 = nullptr;
    ComboBox cmbHost;
    HWND Label2 = nullptr;
    EditBox edtPort;
    CheckBox chkAutoRun;
    HWND btnOk = nullptr;
    HWND btnCancel = nullptr;
};

// The Server > Options command: shows the options dialog on `folder` modally and destroys it
// when it has closed. Nothing follows: the listener is neither started nor stopped.
void actServerOptionExecute(const std::filesystem::path& folder = AppDir());

}  // namespace tarnwick
