#include "terminals/set_option_dialog_win.h"

#include <utility>

#include "common/int_text.h"
#include "common/message_box.h"
#include "terminals/autorun_win.h"
#include "terminals/local_addresses_win.h"
#include "terminals/server_control.h"
#include "terminals/server_settings.h"

namespace tarnwick {
namespace {

// edtPort lost the focus; its check runs once the focus change is complete.
constexpr UINT kMsgPortExit = WM_APP + 1;
// Polls for the end of a press on a button that took the focus from edtPort.
constexpr UINT_PTR kPortExitTimer = 1;
constexpr UINT kPressPollMs = 20;

// GroupBox1: the controls inside it are placed within it.
constexpr Place kGroup{16, 12, 229, 85};
constexpr int kComboListRows = 8;

}  // namespace

TfrmSetOption::TfrmSetOption(HWND owner, std::filesystem::path folder, AddressSource localAddresses)
    : folder_(std::move(folder)), localAddresses_(std::move(localAddresses)) {
    CreateForm(kSetOptionClass, "选项", 261, 162, owner);
    CreateControls();
}

// Creation order is the tab order. GroupBox1 comes last, below the controls it frames, and
// clips them out of its painting.
void TfrmSetOption::CreateControls() {
    btnOk = AddButton("确认(&O)", {82, 128, 75, 25}, kBtnOk);
    btnCancel = AddButton("取消(&C)", {170, 128, 75, 25}, kBtnCancel);
    Label1 = AddLabel("主机：", Within(kGroup, {12, 24, 36, 12}), kLabel1);
    cmbHost = AddComboBox(Within(kGroup, {60, 20, 157, 20}), kComboListRows, kCmbHost);
    Label2 = AddLabel("端口：", Within(kGroup, {12, 52, 36, 12}), kLabel2);
    edtPort = AddEditBox(Within(kGroup, {60, 48, 77, 20}), kEdtPort);
    chkAutoRun = AddCheckBox("&Windows登录后自动运行", {16, 104, 177, 17}, kChkAutoRun);
    GroupBox1 = AddGroupBox("服务器", kGroup, kGroupBox1);
    SetFirstFocus(btnOk);
    SetDefaultButton(btnOk);
    SetCancelButton(btnCancel);
}

LRESULT TfrmSetOption::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case kMsgPortExit:
            PortExitDue();
            return 0;
        case WM_TIMER:
            if (wParam == kPortExitTimer) PortExitDue();
            return 0;
    }
    return Form::HandleMessage(message, wParam, lParam);
}

void TfrmSetOption::OnCommand(int id, int code) {
    switch (id) {
        case kEdtPort:
            if (code == EN_KILLFOCUS) PortFocusLost();
            break;
        case kBtnOk:
            if (code == BN_CLICKED) btnOkClick();
            break;
        case kBtnCancel:
            if (code == BN_CLICKED) btnCancelClick();
            break;
    }
}

// An error raised here (the address list, the Run value) reaches the general error box, and the
// dialog opens with what was filled so far.
void TfrmSetOption::FormShow() {
    cmbHost.Clear();
    FillHostList();
    if (!ReadSettings()) return;
    const RegistryKey run = OpenRunKey();
    chkAutoRun.SetChecked(HoldsAutorunFor(run, folder_));
}

void TfrmSetOption::FillHostList() {
    for (const std::string& address : HostChoices(localAddresses_())) {
        cmbHost.AddItem(address);
    }
}

// Both boxes come from one reading: a failure leaves both as they were.
bool TfrmSetOption::ReadSettings() {
    try {
        const ServerParams settings = ServerSettings(folder_).Read();
        cmbHost.SetText(settings.host);
        edtPort.SetText(settings.portText);
        return true;
    } catch (const std::exception&) {
        ShowError(kReadSettingsFailedText);
        return false;
    }
}

// No range check: "0", negative numbers and numbers above 65535 pass.
void TfrmSetOption::edtPortExit() {
    const std::string port = edtPort.Text();
    if (port.empty() || ReadIntText(port)) return;
    ShowError("请输入合法的端口值。");
    edtPort.Focus();
}

// The focus must not be moved while it is changing, so the check waits for a posted message.
void TfrmSetOption::PortFocusLost() {
    portExitPending_ = true;
    PostMessageA(Handle(), kMsgPortExit, 0, 0);
}

// A press on OK or Cancel that took the focus from edtPort is left to finish: its click runs the
// check as part of OK or closes the dialog, so the user sees one message, not two, and a message
// box does not swallow the click. A press that ends without a click gets the check afterwards.
// When the focus left the dialog altogether, the user did not leave the box: no check.
void TfrmSetOption::PortExitDue() {
    KillTimer(Handle(), kPortExitTimer);
    if (!portExitPending_) return;
    const HWND capture = GetCapture();
    if (capture && (capture == btnOk || capture == btnCancel)) {
        SetTimer(Handle(), kPortExitTimer, kPressPollMs, nullptr);
        return;
    }
    portExitPending_ = false;
    const HWND focus = GetFocus();
    if (focus != edtPort.Handle() && focus && IsChild(Handle(), focus)) edtPortExit();
}

void TfrmSetOption::CancelPortExit() {
    portExitPending_ = false;
    KillTimer(Handle(), kPortExitTimer);
}

// A failed port check does not stop the OK: the port is saved as typed. With the host empty the
// OK runs no check of its own, so a check still due from leaving edtPort is left to run.
void TfrmSetOption::btnOkClick() {
    const std::string host = cmbHost.Text();
    if (host.empty()) {
        cmbHost.Focus();
        return;
    }
    CancelPortExit();
    edtPortExit();
    if (!ServerSettings(folder_).Save(host, edtPort.Text())) {
        ShowError("保存服务器参数失败。");
        return;
    }
    RegistryKey run = OpenRunKey();
    SetAutorun(run, chkAutoRun.Checked(), folder_);
    SendMessageA(Handle(), WM_CLOSE, 0, 0);
}

void TfrmSetOption::btnCancelClick() {
    SendMessageA(Handle(), WM_CLOSE, 0, 0);
}

// Every way of closing ends here and only ends the modal loop; the caller destroys the dialog.
void TfrmSetOption::FormClose() {
    CancelPortExit();
    EndModal();
}

void actServerOptionExecute(const std::filesystem::path& folder) {
    // Owned by the application, shown modally, destroyed when closed; its result is not used.
    TfrmSetOption form(ApplicationWindow(), folder);
    form.ShowModal();
}

}  // namespace tarnwick
