// Looks at the running program's main window from another process.
//
//   window_probe ping SECONDS [STOPFILE]
//                               round trips of a message to the main window (SendMessageTimeout),
//                               one every 10 ms for SECONDS or until STOPFILE exists: prints
//                               count, p50, p99 and max in ms, and how many got no answer in 5 s
//   window_probe stop           runs Server > Stop and prints how long it took, in ms
//   window_probe start          runs Server > Start
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
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
    std::fprintf(stderr, "usage: window_probe ping SECONDS [STOPFILE] | stop | start\n");
    return 1;
}
