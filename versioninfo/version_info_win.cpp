// VersionInfo.dll: the two exports. Nothing may leave them as an exception: a failure gives no
// text, or no window.
#include <windows.h>

#include <memory>

#include "common/counted_text.h"
#include "common/wide_text_win.h"
#include "versioninfo/file_versions_win.h"
#include "versioninfo/version_dialog_win.h"
#include "versioninfo/version_info_api_win.h"

namespace tarnwick {
namespace {

// The counted text is code page 936, whatever the system's code page is.
std::filesystem::path FolderOf(const char* folder) {
    std::wstring path = Wide(CountedView(folder));
    if (!path.empty() && path.back() != L'\\' && path.back() != L'/') path += L'\\';
    return path;
}

// The one version window; the caller never destroys it, so it lives until the next call makes
// a new one (or the process ends).
TfrmVersionInfo* currentWindow = nullptr;

}  // namespace
}  // namespace tarnwick

using namespace tarnwick;

extern "C" void __stdcall SysVersion(char** version, const char* patterns, const char* folder,
                                     int32_t, const char* products) {
    if (!version) return;
    try {
        const auto files = ReadFolder(FolderOf(folder), SplitList(CountedView(patterns)));
        *version = NewCountedText(ProgramVersion(files, SplitList(CountedView(products))));
    } catch (...) {
        *version = nullptr;
    }
}

extern "C" Form* __stdcall frmVersionInfoShow(HWND application, const char* patterns,
                                              const char* folder, int32_t, const char* products) {
    try {
        auto files = ReadFolder(FolderOf(folder), SplitList(CountedView(patterns)));
        OrderByProducts(files, SplitList(CountedView(products)));
        auto window = std::make_unique<TfrmVersionInfo>(application, files);
        delete currentWindow;
        currentWindow = window.release();
        return currentWindow;
    } catch (...) {
        return nullptr;
    }
}

// The signatures above are the published ones.
static_assert(std::is_same_v<decltype(&SysVersion), SysVersionFunction>);
static_assert(std::is_same_v<decltype(&frmVersionInfoShow), FrmVersionInfoShowFunction>);
