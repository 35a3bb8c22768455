#include "common/app_dir.h"

#include <windows.h>

#include "common/wide_text_win.h"

namespace tarnwick {

const std::filesystem::path& AppDir() {
    static const std::filesystem::path dir = [] {
        std::wstring path(MAX_PATH, L'\0');
        for (;;) {
            const DWORD n = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
            if (n < path.size()) {
                path.resize(n);
                break;
            }
            path.resize(path.size() * 2);
        }
        return std::filesystem::path(path.substr(0, path.find_last_of(L"\\/") + 1));
    }();
    return dir;
}

std::string PathText(const std::filesystem::path& path) {
    return Narrow(path.native());
}

}  // namespace tarnwick
