#include "terminals/set_option_dialog_win.h"

#include <stdexcept>
#include <utility>

#include "common/int_text.h"
#include "common/message_box.h"
#include "terminals/autorun_win.h"
#include "terminals/local_addresses_win.h"
#include "terminals/server_settings.h"

namespace tarnwick {
namespace {

// edtPort lost the focus; its check runs once the focus change is complete.
constexpr UINT kMsgPortExit = WM_APP + 1;
// Polls for the end of a press on a button that took the focus from edtPort.
constexpr UINT_PTR kPortExitTimer = 1;
constexpr UINT kPressPollMs = 20;

constexpr DWORD kFormStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
constexpr int kClientWidth = 261, kClientHeight = 162;
// GroupBox1's origin: the controls inside it are placed relative to it.
constexpr int kGroupX = 16, kGroupY = 12;
constexpr int kComboHeight = 20, kComboListRows = 8;

// A drop-down combo box is created with the height of its list; its selection field is then
// sized so that the closed box is `height` high. The frame around the field depends on the
// system, and Wine reads back another field height than it was given, so the field is
// corrected until the whole box fits.
void FitClosedHeight(HWND combo, int height) {
    LRESULT field = SendMessageA(combo, CB_GETITEMHEIGHT, WPARAM(-1), 0);
    for (int attempt = 0; attempt < 4; ++attempt) {
        RECT r;
        GetWindowRect(combo, &r);
        const int error = height - (r.bottom - r.top);
        if (error == 0) return;
        field += error;
        SendMessageA(combo, CB_SETITEMHEIGHT, WPARAM(-1), field);
    }
}

}  // namespace

TfrmSetOption::TfrmSetOption(HWND owner, std::string folder, AddressSource localAddresses)
    : folder_(std::move(folder)), localAddresses_(std::move(localAddresses)) {
    if (!Create(kSetOptionClass, kFormExStyle, kFormStyle, "选项", 0, 0, kClientWidth,
                kClientHeight, owner)) {
        throw std::runtime_error("Cannot create the options dialog");
    }
    SetClientSizeCentred(Handle(), kClientWidth, kClientHeight);
    CreateControls();
}

HWND TfrmSetOption::Add(const char* className, const char* caption, DWORD style, int x, int y,
                        int width, int height, ControlId id, DWORD exStyle) {
    HWND control =
        CreateControl(Handle(), className, caption, style, x, y, width, height, id, exStyle);
    if (!control) throw std::runtime_error("Cannot create the options dialog");
    return control;
}

// Creation order is the tab order. GroupBox1 comes last, below the controls it frames, and
// clips them out of its painting.
void TfrmSetOption::CreateControls() {
    constexpr DWORD kTabStop = WS_TABSTOP | WS_GROUP;
    btnOk = Add("BUTTON", "确认(&O)", BS_PUSHBUTTON | kTabStop, 82, 128, 75, 25, kBtnOk);
    btnCancel = Add("BUTTON", "取消(&C)", BS_PUSHBUTTON | kTabStop, 170, 128, 75, 25, kBtnCancel);
    Label1 = Add("STATIC", "主机：", SS_LEFT, kGroupX + 12, kGroupY + 24, 36, 12, kLabel1);
    cmbHost = Add("COMBOBOX", "", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | kTabStop,
                  kGroupX + 60, kGroupY + 20, 157, kComboHeight * (kComboListRows + 1), kCmbHost);
    FitClosedHeight(cmbHost, kComboHeight);
    Label2 = Add("STATIC", "端口：", SS_LEFT, kGroupX + 12, kGroupY + 52, 36, 12, kLabel2);
    edtPort = Add("EDIT", "", ES_AUTOHSCROLL | kTabStop, kGroupX + 60, kGroupY + 48, 77, 20,
                  kEdtPort, WS_EX_CLIENTEDGE);
    chkAutoRun = Add("BUTTON", "&Windows登录后自动运行", BS_AUTOCHECKBOX | kTabStop, 16, 104, 177,
                     17, kChkAutoRun);
    GroupBox1 = Add("BUTTON", "服务器", BS_GROUPBOX | WS_CLIPSIBLINGS, kGroupX, kGroupY, 229, 85,
                    kGroupBox1);
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
    SendMessageA(cmbHost, CB_RESETCONTENT, 0, 0);
    SetWindowTextA(cmbHost, "");
    FillHostList();
    if (!ReadSettings()) return;
    const RegistryKey run = OpenRunKey();
    SendMessageA(chkAutoRun, BM_SETCHECK,
                 HoldsAutorunFor(run, folder_) ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TfrmSetOption::FillHostList() {
    for (const std::string& address : HostChoices(localAddresses_())) {
        SendMessageA(cmbHost, CB_ADDSTRING, 0, LPARAM(address.c_str()));
    }
}

// Each box is filled as soon as its value is read: a failure leaves what was filled before it.
bool TfrmSetOption::ReadSettings() {
    try {
        const ServerSettings settings(folder_);
        SetWindowTextA(cmbHost, settings.Host().c_str());
        SetWindowTextA(edtPort, settings.PortText().c_str());
        return true;
    } catch (const std::exception&) {
        ShowError("读取服务器参数失败。");
        return false;
    }
}

// No range check: "0", negative numbers and numbers above 65535 pass.
void TfrmSetOption::edtPortExit() {
    const std::string port = WindowTextOf(edtPort);
    if (port.empty() || ReadIntText(port)) return;
    ShowError("请输入合法的端口值。");
    SetFocus(edtPort);
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
    if (focus != edtPort && focus && IsChild(Handle(), focus)) edtPortExit();
}

void TfrmSetOption::CancelPortExit() {
    portExitPending_ = false;
    KillTimer(Handle(), kPortExitTimer);
}

// A failed port check does not stop the OK: the port is saved as typed.
void TfrmSetOption::btnOkClick() {
    CancelPortExit();
    const std::string host = WindowTextOf(cmbHost);
    if (host.empty()) {
        SetFocus(cmbHost);
        return;
    }
    edtPortExit();
    if (!ServerSettings(folder_).Save(host, WindowTextOf(edtPort))) {
        ShowError("保存服务器参数失败。");
        return;
    }
    RegistryKey run = OpenRunKey();
    SetAutorun(run, SendMessageA(chkAutoRun, BM_GETCHECK, 0, 0) == BST_CHECKED, folder_);
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

void actServerOptionExecute(const std::string& folder) {
    // Owned by the application, shown modally, destroyed when closed; its result is not used.
    TfrmSetOption form(ApplicationWindow(), folder);
    form.ShowModal();
}

}  // namespace tarnwick
