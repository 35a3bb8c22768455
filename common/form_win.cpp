#include "common/form_win.h"

namespace tarnwick {

void Form::ShowModal() {
    closed_ = false;
    RunModal(Handle(), closed_);
    // A dialog kept after closing leaves the screen; the windows enabled again take over.
    if (Handle()) ShowWindow(Handle(), SW_HIDE);
}

}  // namespace tarnwick
