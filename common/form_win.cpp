#include "common/form_win.h"

namespace tarnwick {

void Form::ShowModal() {
    closed_ = false;
    RunModal(Handle(), closed_);
    // A dialog kept after closing leaves the screen; the windows enabled again take over.
    if (Handle()) ShowWindow(Handle(), SW_HIDE);
}

void Form::KeepFocus(WPARAM state, HWND first) {
    if (LOWORD(state) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus && IsChild(Handle(), focus)) focus_ = focus;
    } else if (!HIWORD(state)) {
        SetFocus(focus_ ? focus_ : first);
    }
}

}  // namespace tarnwick
