#include "app/help_win.h"

#include <windows.h>
#include <shellapi.h>

#include "common/message_box.h"

namespace tarnwick {

// The whole path goes to the shell, however long, in UTF-16: a path cut short or converted
// through the system code page would name another file.
void actHelpTopicExecute(const std::filesystem::path& folder) {
    const std::filesystem::path path = folder / kHelpFile;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        ShowInfo("未找到帮助文件。");
        return;
    }
    const HINSTANCE result =
        ShellExecuteW(nullptr, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    if (INT_PTR(result) <= 32) ShowError("帮助文件打开失败。");
}

}  // namespace tarnwick
