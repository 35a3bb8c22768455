#include "support/form_driver_win.h"

#include <gtest/gtest.h>

#include <chrono>

namespace tarnwick::testing {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kPatience = std::chrono::seconds(10);
constexpr UINT kMsgMarker = WM_APP + 77;
constexpr const char* kMarkerClass = "TarnwickTestMarker";

bool WaitFor(const std::function<bool()>& condition) {
    for (const auto deadline = Clock::now() + kPatience; Clock::now() < deadline;) {
        if (condition()) return true;
        Sleep(5);
    }
    return condition();
}

}  // namespace

BoxWatcher::BoxWatcher() : thread_([this] { Run(); }) {}

BoxWatcher::~BoxWatcher() {
    stop_ = true;
    thread_.join();
}

std::vector<SeenDialog> BoxWatcher::Seen() const {
    const std::lock_guard lock(mutex_);
    return seen_;
}

std::vector<std::string> BoxWatcher::Texts() const {
    std::vector<std::string> texts;
    for (const SeenDialog& seen : Seen())
        texts.push_back(seen.text);
    return texts;
}

bool BoxWatcher::WaitForCount(size_t count) const {
    return WaitFor([&] { return Seen().size() >= count; });
}

void BoxWatcher::Run() {
    while (!stop_) {
        HWND box = FindOwnDialog();
        if (!box) {
            Sleep(5);
            continue;
        }
        Sleep(20);  // let the box finish its own set-up
        SeenDialog seen;
        seen.found = true;
        seen.caption = WindowText(box);
        if (HWND text = GetDlgItem(box, 0xFFFF)) seen.text = WindowText(text);
        seen.hasOk = GetDlgItem(box, IDOK) != nullptr;
        {
            const std::lock_guard lock(mutex_);
            seen_.push_back(seen);
        }
        // Posted, as a click would come: a box that ends while it handles a sent message drops
        // the posted message it has just taken from the queue.
        PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
        WaitFor([box] { return !IsWindow(box) || !IsWindowVisible(box); });
    }
}

FormDriver::FormDriver() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &FormDriver::MarkerProcedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kMarkerClass;
    RegisterClassA(&wc);
    marker_ = CreateWindowA(kMarkerClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(marker_, GWLP_USERDATA, LONG_PTR(this));
}

FormDriver::~FormDriver() {
    DestroyWindow(marker_);
}

LRESULT CALLBACK FormDriver::MarkerProcedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    if (message == kMsgMarker) {
        auto* self = reinterpret_cast<FormDriver*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self) self->markersHandled_ = unsigned(wParam);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void FormDriver::Run(const char* className, const std::function<void()>& modal,
                     const std::function<void()>& script) {
    formThread_ = GetCurrentThreadId();
    ended_ = false;
    form_ = nullptr;
    std::thread helper([&] {
        if (!WaitForForm(className)) {
            ADD_FAILURE() << "no visible " << className << " appeared";
            return;
        }
        script();
        if (!ended_) CloseByTitleBar();
    });
    try {
        modal();
    } catch (...) {
        ended_ = true;
        helper.join();
        throw;
    }
    ended_ = true;
    helper.join();
}

bool FormDriver::WaitForForm(const char* className) {
    const bool found = WaitFor([&] {
        if (ended_) return true;
        HWND window = FindWindowA(className, nullptr);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (!window || process != GetCurrentProcessId()) return false;
        if (!IsWindowVisible(window) || !IsWindowEnabled(window)) return false;
        form_ = window;
        return true;
    });
    if (!found || !form_) return false;
    Settle();
    return true;
}

HWND FormDriver::Focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(formThread_, &info) ? info.hwndFocus : nullptr;
}

LRESULT FormDriver::Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 2000, &result);
    return LRESULT(result);
}

void FormDriver::SetText(HWND window, std::string_view text) {
    const std::string copy(text);
    Send(window, WM_SETTEXT, 0, LPARAM(copy.c_str()));
}

void FormDriver::Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    PostMessageA(window, message, wParam, lParam);
}

void FormDriver::Click(HWND button) {
    Post(button, BM_CLICK, 0, 0);
    Settle();
}

void FormDriver::Press(HWND window) {
    Post(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    Settle();
}

void FormDriver::Release(HWND window, bool inside) {
    RECT r;
    GetClientRect(window, &r);
    const LPARAM at = inside ? MAKELPARAM(4, 4) : MAKELPARAM(r.right + 40, r.bottom + 40);
    Post(window, WM_LBUTTONUP, 0, at);
    Settle();
}

void FormDriver::ClickInto(HWND box) {
    COMBOBOXINFO combo{};
    combo.cbSize = sizeof combo;
    if (GetComboBoxInfo(box, &combo) && combo.hwndItem) box = combo.hwndItem;
    Post(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    Post(box, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    Settle();
}

void FormDriver::Key(UINT virtualKey) {
    HWND target = Focus();
    Post(target, WM_KEYDOWN, virtualKey, 1);
    Post(target, WM_KEYUP, virtualKey, LPARAM(0xC0000001));
    Settle();
}

void FormDriver::AltKey(char letter) {
    constexpr LPARAM kAltDown = 1 << 29;
    Post(Focus(), WM_SYSCHAR, WPARAM(letter), kAltDown | 1);
    Settle();
}

void FormDriver::CloseByTitleBar() {
    Post(form_, WM_SYSCOMMAND, SC_CLOSE, 0);
    Settle();
}

// A marker posted after the input is handled after it, or inside a message box that the input
// opened. The form has settled when two markers in a row come back while no box is open: the
// second one also covers what the first one's handling left behind (messages the form posted
// itself, a box that was closing).
void FormDriver::Settle() {
    int quietRounds = 0;
    for (const auto deadline = Clock::now() + kPatience; Clock::now() < deadline;) {
        if (!MarkerHandled(deadline)) break;
        if (ended_) return;
        const bool quiet = IsWindowEnabled(form_) && !FindOwnDialog();
        quietRounds = quiet ? quietRounds + 1 : 0;
        if (quietRounds == 2) return;
        if (!quiet) Sleep(5);
    }
    HWND box = FindOwnDialog();
    ADD_FAILURE() << "the form did not settle: enabled " << IsWindowEnabled(form_) << " box " << box
                  << " boxes " << boxes_.Seen().size();
}

// A modal loop that ends can drop the message it took last, so a marker that does not come back
// soon is followed by another one.
bool FormDriver::MarkerHandled(Clock::time_point deadline) {
    while (Clock::now() < deadline) {
        const unsigned id = ++markersPosted_;
        PostMessageA(marker_, kMsgMarker, id, 0);
        for (const auto retry = Clock::now() + std::chrono::milliseconds(500);
             Clock::now() < retry;) {
            if (ended_ || markersHandled_ >= id) return true;
            Sleep(1);
        }
    }
    return false;
}

}  // namespace tarnwick::testing
