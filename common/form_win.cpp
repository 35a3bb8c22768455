#include "common/form_win.h"

#include "common/modal_win.h"

namespace tarnwick {
namespace {

bool IsPushButton(HWND control) {
    return control && (SendMessageA(control, WM_GETDLGCODE, 0, 0) &
                       (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON));
}

struct DefaultLook {
    HWND button;  // drawn as the default button; every other push button as a plain one
};

BOOL CALLBACK SetDefaultLook(HWND control, LPARAM look) {
    if (!IsPushButton(control)) return TRUE;
    const DWORD wanted =
        control == reinterpret_cast<const DefaultLook*>(look)->button ? BS_DEFPUSHBUTTON : 0;
    if ((GetWindowLongA(control, GWL_STYLE) & BS_DEFPUSHBUTTON) != wanted) {
        SendMessageA(control, BM_SETSTYLE, wanted ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    }
    return TRUE;
}

}  // namespace

// Every other top-level window of the thread is disabled while the loop runs, which ends when
// the dialog closes or is destroyed. Dialog navigation (Tab, access keys, Enter, Escape) goes
// through IsDialogMessage.
void Form::ShowModal() {
    closed_ = false;
    const HWND dialog = Handle();
    {
        const OtherWindowsDisabled others(dialog);
        ShowWindow(dialog, SW_SHOW);
        RunModalLoop(dialog);
    }
    // A dialog kept after closing leaves the screen; the windows enabled again take over.
    if (Handle()) ShowWindow(Handle(), SW_HIDE);
}

void Form::RunModalLoop(HWND dialog) {
    MSG msg;
    while (!closed_ && IsWindow(dialog)) {
        ShowDefaultButton();
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(int(msg.wParam));  // leave WM_QUIT to the outer loop
            break;
        }
        if (IsDialogMessageW(dialog, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SHOWWINDOW:
            if (wParam && lParam == 0) FormShow();
            break;
        case WM_ACTIVATE:
            KeepFocus(wParam);
            return 0;
        case WM_DPICHANGED:
            OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case DM_GETDEFID: {
            const HWND button = ButtonForEnter();
            return button ? MAKELRESULT(GetDlgCtrlID(button), DC_HASDEFID) : 0;
        }
        case WM_COMMAND:
            OnDialogCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_CLOSE:
            FormClose();
            return 0;
    }
    return Window::HandleMessage(message, wParam, lParam);
}

// The control that had the focus when the dialog was left gets it back; the first control
// the first time.
void Form::KeepFocus(WPARAM state) {
    if (LOWORD(state) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus && IsChild(Handle(), focus)) focus_ = focus;
    } else if (!HIWORD(state) && (focus_ || firstFocus_)) {
        SetFocus(focus_ ? focus_ : firstFocus_);
    }
}

HWND Form::ButtonForEnter() const {
    const HWND focus = GetFocus();
    if (IsPushButton(focus) && IsChild(Handle(), focus)) return focus;
    return defaultButton_;
}

// As a click on the button, when it can be clicked.
void Form::Press(HWND button) {
    if (button && IsWindowEnabled(button)) OnCommand(GetDlgCtrlID(button), BN_CLICKED);
}

// IsDialogMessage turns Enter and Escape into IDOK and IDCANCEL, which no control carries.
void Form::OnDialogCommand(int id, int code) {
    if (id == IDOK) return Press(ButtonForEnter());
    if (id == IDCANCEL) {
        if (cancelButton_) return Press(cancelButton_);
        SendMessageA(Handle(), WM_CLOSE, 0, 0);
        return;
    }
    OnCommand(id, code);
}

// The focused push button is drawn as the default one, else the dialog's default button; checked
// whenever the focus has moved. IsDialogMessage's own changes on Tab are overruled here.
void Form::ShowDefaultButton() {
    const HWND focus = GetFocus();
    if (focus == lookedFocus_) return;
    lookedFocus_ = focus;
    DefaultLook look{ButtonForEnter()};
    EnumChildWindows(Handle(), &SetDefaultLook, LPARAM(&look));
}

}  // namespace tarnwick
