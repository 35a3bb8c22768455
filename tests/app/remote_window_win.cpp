#include "remote_window_win.h"

#include "support/dialog_answerer.h"

#include <commctrl.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <algorithm>

#include <cstring>
#include <stdexcept>

namespace tarnwick::testing {
namespace {

constexpr size_t kRemoteSize = 16384;

struct ChildSearch {
    const char* className;
    int id;
    HWND found;
};

BOOL CALLBACK MatchChild(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<ChildSearch*>(param);
    char cls[64] = {};
    GetClassNameA(window, cls, sizeof cls);
    if ((search->className && lstrcmpiA(cls, search->className) == 0) ||
        (!search->className && GetDlgCtrlID(window) == search->id)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

struct TopSearch {
    DWORD process;
    const char* className;
    const char* caption;
    HWND found;
};

BOOL CALLBACK MatchTop(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<TopSearch*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char cls[64] = {};
    GetClassNameA(window, cls, sizeof cls);
    if (process == search->process && IsWindowVisible(window) &&
        lstrcmpiA(cls, search->className) == 0 &&
        (!search->caption || WindowText(window) == search->caption)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND FindChildByClass(HWND parent, const char* className) {
    ChildSearch search{className, 0, nullptr};
    EnumChildWindows(parent, &MatchChild, LPARAM(&search));
    return search.found;
}

HWND FindChildById(HWND parent, int id) {
    ChildSearch search{nullptr, id, nullptr};
    EnumChildWindows(parent, &MatchChild, LPARAM(&search));
    return search.found;
}

HWND FindProcessWindow(DWORD process, const char* className, const char* caption) {
    TopSearch search{process, className, caption, nullptr};
    EnumWindows(&MatchTop, LPARAM(&search));
    return search.found;
}

RemoteProcess::RemoteProcess(HWND anyWindow) {
    DWORD id = 0;
    GetWindowThreadProcessId(anyWindow, &id);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, id);
    if (!process_) throw std::runtime_error("OpenProcess failed");
    remote_ = static_cast<char*>(
        VirtualAllocEx(process_, nullptr, kRemoteSize, MEM_COMMIT, PAGE_READWRITE));
    if (!remote_) throw std::runtime_error("VirtualAllocEx failed");
}

RemoteProcess::~RemoteProcess() {
    if (remote_) VirtualFreeEx(process_, remote_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
}

std::string RemoteProcess::StatusText(HWND statusBar, int panel) {
    std::vector<char> zero(kRemoteSize, '\0');
    WriteProcessMemory(process_, remote_, zero.data(), zero.size(), nullptr);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(statusBar, SB_GETTEXTA, WPARAM(panel), LPARAM(remote_), SMTO_ABORTIFHUNG,
                        3000, &result);
    std::vector<char> text(kRemoteSize, '\0');
    ReadProcessMemory(process_, remote_, text.data(), text.size() - 1, nullptr);
    return std::string(text.data());
}

std::vector<int> RemoteProcess::StatusEdges(HWND statusBar) {
    std::vector<int> edges(16, 0);
    const auto count = SendWithBuffer(statusBar, SB_GETPARTS, edges.size(), edges.data(),
                                      edges.size() * sizeof(int));
    edges.resize(size_t(count));
    return edges;
}

std::wstring RemoteProcess::WideStatusText(HWND statusBar, int panel) {
    std::vector<wchar_t> text(kRemoteSize / sizeof(wchar_t), L'\0');
    SendWithBuffer(statusBar, SB_GETTEXTW, WPARAM(panel), text.data(), kRemoteSize - 2);
    return text.data();
}

std::wstring RemoteProcess::WideListText(HWND list, int row, int column) {
    struct {
        LVITEMW item{};
        wchar_t text[2048]{};
    } block;
    block.item.iSubItem = column;
    block.item.pszText = reinterpret_cast<wchar_t*>(remote_ + offsetof(decltype(block), text));
    block.item.cchTextMax = int(std::size(block.text)) - 1;
    SendWithBuffer(list, LVM_GETITEMTEXTW, WPARAM(row), &block, sizeof block);
    return block.text;
}

std::wstring WideWindowText(HWND window) {
    std::vector<wchar_t> text(4096, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size() - 1, LPARAM(text.data()), SMTO_ABORTIFHUNG,
                        2000, &copied);
    return std::wstring(text.data());
}

int RemoteProcess::ListCount(HWND list) {
    DWORD_PTR count = 0;
    SendMessageTimeoutA(list, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, 3000, &count);
    return int(count);
}

std::string RemoteProcess::ListText(HWND list, int row, int column) {
    // The item record at the start of the page, its text buffer behind it.
    char* remoteText = remote_ + 256;
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = remoteText;
    item.cchTextMax = int(kRemoteSize - 256);
    WriteProcessMemory(process_, remote_, &item, sizeof item, nullptr);
    const char nul = '\0';
    WriteProcessMemory(process_, remoteText, &nul, 1, nullptr);
    DWORD_PTR length = 0;
    SendMessageTimeoutA(list, LVM_GETITEMTEXTA, WPARAM(row), LPARAM(remote_), SMTO_ABORTIFHUNG,
                        3000, &length);
    std::vector<char> text(kRemoteSize - 256 + 1, '\0');
    ReadProcessMemory(process_, remoteText, text.data(), kRemoteSize - 256, nullptr);
    return std::string(text.data());
}

std::vector<std::vector<std::string>> RemoteProcess::ListRows(HWND list, int columns) {
    std::vector<std::vector<std::string>> rows;
    for (int r = 0, n = ListCount(list); r < n; ++r) {
        rows.emplace_back();
        for (int c = 0; c < columns; ++c)
            rows.back().push_back(ListText(list, r, c));
    }
    return rows;
}

std::vector<int> RemoteProcess::ListSelection(HWND list) {
    std::vector<int> selected;
    for (int r = 0, n = ListCount(list); r < n; ++r) {
        DWORD_PTR state = 0;
        SendMessageTimeoutA(list, LVM_GETITEMSTATE, WPARAM(r), LVIS_SELECTED, SMTO_ABORTIFHUNG,
                            3000, &state);
        if (state & LVIS_SELECTED) selected.push_back(r);
    }
    return selected;
}

LRESULT RemoteProcess::SendWithBuffer(HWND window, UINT message, WPARAM wParam, void* bytes,
                                      size_t size) {
    WriteProcessMemory(process_, remote_, bytes, size, nullptr);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, LPARAM(remote_), SMTO_ABORTIFHUNG, 3000, &result);
    ReadProcessMemory(process_, remote_, bytes, size, nullptr);
    return LRESULT(result);
}

POINT RemoteProcess::ListRowCentre(HWND list, int row) {
    RECT r{LVIR_LABEL, 0, 0, 0};
    SendWithBuffer(list, LVM_GETITEMRECT, WPARAM(row), &r, sizeof r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void RemoteProcess::ClearListSelection(HWND list) {
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendWithBuffer(list, LVM_SETITEMSTATE, WPARAM(-1), &item, sizeof item);
}

POINT RemoteProcess::ToolButtonCentre(HWND toolBar, int command) {
    RECT r{};
    SendWithBuffer(toolBar, TB_GETRECT, WPARAM(command), &r, sizeof r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void PostClick(HWND window, POINT at, bool twice) {
    const LPARAM where = MAKELPARAM(at.x, at.y);
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, where);
    PostMessageA(window, WM_LBUTTONUP, 0, where);
    if (!twice) return;
    PostMessageA(window, WM_LBUTTONDBLCLK, MK_LBUTTON, where);
    PostMessageA(window, WM_LBUTTONUP, 0, where);
}

namespace {

NOTIFYICONDATAA IconOf(HWND window) {
    NOTIFYICONDATAA icon{};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = window;
    icon.uID = 0;
    return icon;
}

}  // namespace

bool HasTrayIcon(HWND window) {
    NOTIFYICONDATAA icon = IconOf(window);
    return Shell_NotifyIconA(NIM_MODIFY, &icon) != FALSE;
}

void DropTrayIcon(HWND window) {
    NOTIFYICONDATAA icon = IconOf(window);
    Shell_NotifyIconA(NIM_DELETE, &icon);
}

std::vector<DWORD> ThreadsOf(DWORD process) {
    std::vector<DWORD> threads;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return threads;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID == process) threads.push_back(entry.th32ThreadID);
    }
    CloseHandle(snapshot);
    return threads;
}

SuspendedThreads::SuspendedThreads(const std::vector<DWORD>& threads) {
    for (DWORD id : threads) {
        if (HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, id)) {
            if (SuspendThread(thread) != DWORD(-1)) {
                handles_.push_back(thread);
            } else {
                CloseHandle(thread);
            }
        }
    }
}

SuspendedThreads::~SuspendedThreads() {
    for (HANDLE thread : handles_) {
        ResumeThread(thread);
        CloseHandle(thread);
    }
}

RemoteDialog WaitForDialog(DWORD process, int timeoutMs) {
    RemoteDialog dialog;
    WaitUntil([&] { return (dialog.window = FindProcessWindow(process, "#32770")) != nullptr; },
              timeoutMs);
    if (!dialog.window) return dialog;
    Sleep(50);  // let the dialog finish its own set-up
    dialog.caption = WindowText(dialog.window);
    if (HWND text = GetDlgItem(dialog.window, 0xFFFF)) dialog.text = WindowText(text);
    return dialog;
}

void ClickButton(HWND dialog, int id) {
    PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

}  // namespace tarnwick::testing
