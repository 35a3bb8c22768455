#include "app/tool_bar_win.h"

#include "common/dpi_win.h"
#include "common/wide_text_win.h"
#include "common/controls_win.h"

namespace tarnwick {
namespace {

constexpr int kBandMinHeight = 35;

}  // namespace

void ToolBar::Create(HWND parent, int coolBarId, int toolBarId, HIMAGELIST images,
                     const std::vector<ToolButtonEntry>& buttons, const ActionList& actions) {
    coolBar_ = CreateControl(parent, REBARCLASSNAMEA, "",
                             WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CCS_NODIVIDER | RBS_VARHEIGHT, 0,
                             0, 0, 0, coolBarId);
    toolBar_ = CreateControl(
        coolBar_, TOOLBARCLASSNAMEA, "",
        TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN, 0, 0, 0,
        0, toolBarId);
    SendMessageA(toolBar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(toolBar_, TB_SETIMAGELIST, 0, LPARAM(images));
    const int dpi = DpiOf(parent);
    SendMessageA(toolBar_, TB_SETEXTENDEDSTYLE, 0, 0);

    std::vector<TBBUTTON> tb;
    buttons_.reserve(buttons.size());  // the captions must stay put until TB_ADDBUTTONS
    for (const ToolButtonEntry& button : buttons) {
        TBBUTTON b{};
        if (!button.caption) {
            b.iBitmap = DpiScale(dpi, button.separatorWidth);
            b.fsStyle = BTNS_SEP;
        } else {
            Action& action = actions[button.action];
            const int command = MainCommand(button.action);
            buttons_.push_back(
                {command, &action, Wide(button.caption), Wide(button.hint), button.hint});
            b.iBitmap = action.Image();
            b.idCommand = command;
            b.fsState = action.Enabled() ? TBSTATE_ENABLED : 0;
            b.fsStyle = BTNS_BUTTON;
            b.iString = INT_PTR(buttons_.back().caption.c_str());
        }
        tb.push_back(b);
    }
    SendMessageW(toolBar_, TB_ADDBUTTONSW, tb.size(), LPARAM(tb.data()));
    entries_ = buttons;
    SizeButtons(dpi);

    REBARBANDINFOA band{};
    band.cbSize = sizeof band;
    band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_STYLE;
    band.fStyle = RBBS_CHILDEDGE | RBBS_GRIPPERALWAYS;
    band.hwndChild = toolBar_;
    band.cyMinChild = UINT(DpiScale(dpi, kBandMinHeight));
    band.cxMinChild = 0;
    SendMessageA(coolBar_, RB_INSERTBANDA, WPARAM(-1), LPARAM(&band));
    Resize();
}

void ToolBar::SizeButtons(int dpi) {
    SendMessageA(toolBar_, TB_SETBUTTONSIZE, 0,
                 MAKELPARAM(DpiScale(dpi, kButtonWidth), DpiScale(dpi, kButtonHeight)));
    SendMessageA(toolBar_, TB_AUTOSIZE, 0, 0);
}

void ToolBar::SetDpi(int dpi, HIMAGELIST images) {
    SendMessageA(toolBar_, TB_SETIMAGELIST, 0, LPARAM(images));
    for (int i = 0; i < int(entries_.size()); ++i) {
        if (entries_[i].caption) continue;
        TBBUTTONINFOA separator{};
        separator.cbSize = sizeof separator;
        separator.dwMask = TBIF_BYINDEX | TBIF_SIZE;
        separator.cx = WORD(DpiScale(dpi, entries_[i].separatorWidth));
        SendMessageA(toolBar_, TB_SETBUTTONINFOA, WPARAM(i), LPARAM(&separator));
    }
    SizeButtons(dpi);
    REBARBANDINFOA band{};
    band.cbSize = sizeof band;
    band.fMask = RBBIM_CHILDSIZE;
    band.cyMinChild = UINT(DpiScale(dpi, kBandMinHeight));
    band.cxMinChild = 0;
    SendMessageA(coolBar_, RB_SETBANDINFOA, 0, LPARAM(&band));
    Resize();
}

int ToolBar::Height() const {
    if (!Visible()) return 0;
    RECT r;
    GetWindowRect(coolBar_, &r);
    return r.bottom - r.top;
}

void ToolBar::Resize() {
    RECT parent;
    GetClientRect(GetParent(coolBar_), &parent);
    const int height = int(SendMessageA(coolBar_, RB_GETBARHEIGHT, 0, 0));
    MoveWindow(coolBar_, 0, 0, parent.right, height, TRUE);
}

void ToolBar::Follow(const Action& action) {
    for (const Button& b : buttons_) {
        if (b.action == &action) {
            SendMessageA(toolBar_, TB_ENABLEBUTTON, b.command, MAKELPARAM(action.Enabled(), 0));
        }
    }
}

bool ToolBar::HandleNotify(NMHDR* header) {
    if (header->code != TTN_GETDISPINFOW && header->code != TTN_GETDISPINFOA) return false;
    for (const Button& b : buttons_) {
        if (UINT_PTR(b.command) != header->idFrom) continue;
        if (header->code == TTN_GETDISPINFOW) {
            reinterpret_cast<NMTTDISPINFOW*>(header)->lpszText =
                const_cast<wchar_t*>(b.hint.c_str());
        } else {
            reinterpret_cast<NMTTDISPINFOA*>(header)->lpszText =
                const_cast<char*>(b.hintText.c_str());
        }
        return true;
    }
    return false;
}

}  // namespace tarnwick
