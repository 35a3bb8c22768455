// Looks at the running program's main window from another process.
//
//   window_probe ping SECONDS [STOPFILE]
//                               round trips of a message to the main window (SendMessageTimeout),
//                               one every 10 ms for SECONDS or until STOPFILE exists: prints
//                               count, p50, p99 and max in ms, and how many got no answer in 5 s
//   window_probe stop           runs Server > Stop and prints how long it took, in ms
//   window_probe start          runs Server > Start
//   window_probe resources      prints the program's handle count, thread count, GDI and USER
//                               objects (GetGuiResources), windows, private bytes and terminal
//                               count, in that order
//   window_probe exit           File > Exit, answered Yes; waits for the program to end
#include <windows.h>
#include <commctrl.h>
// After windows.h, which these need.
#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "app/main_actions.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

HWND MainWindow() {
    for (int i = 0; i < 200; ++i) {
        if (HWND w = FindWindowA("TfrmMain", nullptr)) return w;
        Sleep(50);
    }
    return nullptr;
}

int Ping(HWND window, double seconds, const char* stopFile) {
    std::vector<double> trips;
    const auto end = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                        std::chrono::duration<double>(seconds));
    int lost = 0;
    while (Clock::now() < end) {
        if (stopFile && GetFileAttributesA(stopFile) != INVALID_FILE_ATTRIBUTES) break;
        const auto sent = Clock::now();
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result)) ++lost;
        trips.push_back(Ms(Clock::now() - sent));
        Sleep(10);
    }
    if (trips.empty()) trips.push_back(0);
    std::sort(trips.begin(), trips.end());
    const auto at = [&](double p) {
        return trips[std::min(trips.size() - 1, size_t(p * double(trips.size())))];
    };
    std::printf("%zu %.2f %.2f %.2f %d\n", trips.size(), at(0.5), at(0.99), trips.back(), lost);
    return 0;
}

int Command(HWND window, tarnwick::MainAction action) {
    const auto start = Clock::now();
    DWORD_PTR result = 0;
    const WPARAM command = WPARAM(tarnwick::MainCommand(action));
    if (!SendMessageTimeoutA(window, WM_COMMAND, command, 0, SMTO_NORMAL, 30000, &result)) {
        std::printf("failed\n");
        return 1;
    }
    std::printf("%.0f\n", Ms(Clock::now() - start));
    return 0;
}

DWORD ProcessOf(HWND window) {
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    return id;
}

int ThreadCount(DWORD process) {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return -1;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        count += entry.th32OwnerProcessID == process;
    CloseHandle(snapshot);
    return count;
}

// The terminal count panel's figure: how many rows the table holds.
int TerminalCount(HWND window) {
    const HWND bar = FindWindowExA(window, nullptr, STATUSCLASSNAMEA, nullptr);
    DWORD_PTR length = 0;
    if (!bar || !SendMessageTimeoutW(bar, SB_GETTEXTLENGTHW, 4, 0, SMTO_NORMAL, 5000, &length))
        return -1;
    // The text lives in the program: read it through a buffer there.
    const DWORD process = ProcessOf(window);
    const HANDLE target = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ, FALSE, process);
    if (!target) return -1;
    const SIZE_T bytes = (LOWORD(length) + 1) * sizeof(wchar_t);
    void* remote = VirtualAllocEx(target, nullptr, bytes, MEM_COMMIT, PAGE_READWRITE);
    std::wstring text(LOWORD(length) + 1, L'\0');
    DWORD_PTR ignored = 0;
    if (remote &&
        SendMessageTimeoutW(bar, SB_GETTEXTW, 4, LPARAM(remote), SMTO_NORMAL, 5000, &ignored))
        ReadProcessMemory(target, remote, text.data(), bytes, nullptr);
    if (remote) VirtualFreeEx(target, remote, 0, MEM_RELEASE);
    CloseHandle(target);
    // "终端数：" followed by the count.
    const size_t digits = text.find_first_of(L"0123456789");
    return digits == std::wstring::npos ? -1 : _wtoi(text.c_str() + digits);
}

// The system's table of open handles (what Process Explorer counts), for where
// GetProcessHandleCount answers 0: Wine 8 leaves it a stub, yet fills this table from its server.
struct SystemHandle {
    ULONG process;
    BYTE type, flags;
    USHORT handle;
    PVOID object;
    ACCESS_MASK access;
};
constexpr ULONG kSystemHandleInformation = 16;
constexpr LONG kInfoLengthMismatch = LONG(0xC0000004);

long HandlesInTable(DWORD process) {
    using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    if (!query) return -1;
    std::vector<char> buffer(1 << 20);
    LONG status;
    while ((status = query(kSystemHandleInformation, buffer.data(), ULONG(buffer.size()),
                           nullptr)) == kInfoLengthMismatch)
        buffer.resize(buffer.size() * 2);
    if (status != 0) return -1;
    ULONG count = 0;
    std::memcpy(&count, buffer.data(), sizeof count);
    // The entries follow the count, aligned as pointers are.
    const auto* entries = reinterpret_cast<const SystemHandle*>(buffer.data() + sizeof(ULONG_PTR));
    return std::count_if(entries, entries + count,
                         [&](const SystemHandle& h) { return h.process == process; });
}

// Windows are USER objects that can be counted from outside, whatever GetGuiResources answers.
struct WindowCount {
    DWORD process;
    long windows;
};

BOOL CALLBACK CountChild(HWND, LPARAM count) {
    ++reinterpret_cast<WindowCount*>(count)->windows;
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND w, LPARAM count) {
    if (ProcessOf(w) != reinterpret_cast<WindowCount*>(count)->process) return TRUE;
    ++reinterpret_cast<WindowCount*>(count)->windows;
    EnumChildWindows(w, CountChild, count);
    return TRUE;
}

long WindowsOf(DWORD process) {
    WindowCount count{process, 0};
    EnumWindows(CountTopLevel, LPARAM(&count));
    return count.windows;
}

int Resources(HWND window) {
    const DWORD process = ProcessOf(window);
    const HANDLE target = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, process);
    if (!target) {
        std::fprintf(stderr, "window_probe: cannot open the program: %lu\n", GetLastError());
        return 1;
    }
    DWORD handles = 0;
    if (!GetProcessHandleCount(target, &handles) || handles == 0) handles = HandlesInTable(process);
    const DWORD gdi = GetGuiResources(target, GR_GDIOBJECTS);
    const DWORD user = GetGuiResources(target, GR_USEROBJECTS);
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(target, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                         sizeof memory);
    CloseHandle(target);
    // Windows gives the commit charge in both fields; Wine only in PagefileUsage.
    const SIZE_T privateBytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
    std::printf("%ld %d %lu %lu %ld %llu %d\n", long(handles), ThreadCount(process), gdi, user,
                WindowsOf(process), static_cast<unsigned long long>(privateBytes),
                TerminalCount(window));
    return 0;
}

// The first message box of the program, or null after `timeoutMs`.
HWND MessageBoxOf(DWORD process, int timeoutMs) {
    for (int waited = 0; waited < timeoutMs; waited += 50) {
        for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "#32770", nullptr));)
            if (ProcessOf(w) == process && IsWindowVisible(w)) return w;
        Sleep(50);
    }
    return nullptr;
}

int Exit(HWND window) {
    const DWORD process = ProcessOf(window);
    const HANDLE target = OpenProcess(SYNCHRONIZE, FALSE, process);
    // Posted: the command asks its question in a modal loop.
    PostMessageA(window, WM_COMMAND,
                 WPARAM(tarnwick::MainCommand(tarnwick::MainAction::actFileExit)), 0);
    const HWND question = MessageBoxOf(process, 10000);
    DWORD_PTR ignored = 0;
    if (question)
        SendMessageTimeoutA(GetDlgItem(question, IDYES), BM_CLICK, 0, 0, SMTO_NORMAL, 5000,
                            &ignored);
    const bool ended = target && WaitForSingleObject(target, 20000) == WAIT_OBJECT_0;
    if (target) CloseHandle(target);
    if (!ended) std::fprintf(stderr, "window_probe: the program did not end\n");
    return ended ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    HWND window = MainWindow();
    if (!window) {
        std::fprintf(stderr, "window_probe: no main window\n");
        return 1;
    }
    if (mode == "ping" && argc > 2)
        return Ping(window, std::atof(argv[2]), argc > 3 ? argv[3] : nullptr);
    if (mode == "stop") return Command(window, tarnwick::MainAction::actServerStop);
    if (mode == "start") return Command(window, tarnwick::MainAction::actServerStart);
    if (mode == "resources") return Resources(window);
    if (mode == "exit") return Exit(window);
    std::fprintf(stderr,
                 "usage: window_probe ping SECONDS [STOPFILE] | stop | start | resources | exit\n");
    return 1;
}
