// The dialog base's controls: created from their places at 96 DPI, and placed again whenever
// the dialog's DPI changes.
#include <stdexcept>
#include <string>

#include "common/font_win.h"
#include "common/form_win.h"

namespace tarnwick {
namespace {

constexpr DWORD kFormStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kFormExStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
constexpr DWORD kTabStop = WS_TABSTOP | WS_GROUP;

// A drop-down combo box is given the height of its list; its selection field is then sized so
// that the closed box is `height` high. The frame around the field depends on the system, and
// Wine reads back another field height than it was given, so the field is corrected until the
// whole box fits.
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

// The height a drop-down combo box is given: its closed box and its list below.
Place Dropped(Place at, int listRows) {
    return {at.x, at.y, at.width, at.height * (listRows + 1)};
}

}  // namespace

void Form::CreateForm(const char* className, const char* caption, int width, int height,
                      HWND owner) {
    if (!Create(className, kFormExStyle, kFormStyle, caption, 0, 0, width, height, owner)) {
        throw std::runtime_error(std::string("Cannot create the window ") + className);
    }
    SetClientSizeCentred(Handle(), width, height);
    SendMessageA(Handle(), WM_SETFONT, WPARAM(UiFont(Dpi())), FALSE);
}

HWND Form::Add(const char* className, const char* caption, DWORD style, Place at, int id,
               DWORD exStyle) {
    const HWND control = CreateControl(Handle(), className, caption, style, at.x, at.y, at.width,
                                       at.height, id, exStyle);
    if (!control) throw std::runtime_error(std::string("Cannot create a control of ") + className);
    controls_.push_back({control, at, 0});
    return control;
}

HWND Form::AddButton(const char* caption, Place at, int id) {
    return Add("BUTTON", caption, BS_PUSHBUTTON | kTabStop, at, id);
}

HWND Form::AddLabel(const char* caption, Place at, int id, DWORD style) {
    return Add("STATIC", caption, style, at, id);
}

HWND Form::AddGroupBox(const char* caption, Place at, int id) {
    return Add("BUTTON", caption, BS_GROUPBOX | WS_CLIPSIBLINGS, at, id);
}

EditBox Form::AddEditBox(Place at, int id) {
    return EditBox(Add("EDIT", "", ES_AUTOHSCROLL | kTabStop, at, id, WS_EX_CLIENTEDGE));
}

ComboBox Form::AddComboBox(Place at, int listRows, int id) {
    const HWND combo = Add("COMBOBOX", "", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | kTabStop,
                           Dropped(at, listRows), id);
    controls_.back() = {combo, at, listRows};  // laid out by its closed box
    FitClosedHeight(combo, DpiScale(Dpi(), at.height));
    return ComboBox(combo);
}

CheckBox Form::AddCheckBox(const char* caption, Place at, int id) {
    return CheckBox(Add("BUTTON", caption, BS_AUTOCHECKBOX | kTabStop, at, id));
}

void Form::LayOut(int dpi) {
    const HFONT font = UiFont(dpi);
    SendMessageA(Handle(), WM_SETFONT, WPARAM(font), FALSE);
    for (const Laid& c : controls_) {
        SendMessageA(c.control, WM_SETFONT, WPARAM(font), FALSE);
        const Place at = c.listRows ? Dropped(c.at, c.listRows) : c.at;
        PlaceControl(c.control, dpi, at.x, at.y, at.width, at.height);
        if (c.listRows) FitClosedHeight(c.control, DpiScale(dpi, c.at.height));
    }
    InvalidateRect(Handle(), nullptr, TRUE);
}

// Moved to a monitor of another scaling: the window takes the rectangle Windows suggests, which
// holds the client area at the new DPI, and its controls follow.
void Form::OnDpiChanged(int dpi, const RECT& suggested) {
    SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    LayOut(dpi);
}

}  // namespace tarnwick
