#include "app/about_dialog_win.h"

#include <utility>

#include "app/images_win.h"
#include "common/counted_text.h"
#include "common/message_box.h"
#include "common/wide_text_win.h"
#include "versioninfo/version_info_api_win.h"

namespace tarnwick {
namespace {

// GroupBox1: the five controls inside it are placed within it.
constexpr Place kGroup{12, 12, 305, 85};
constexpr int kLabelHeight = 12;
constexpr int kIconSize = 32;

// The arguments both exports take.
constexpr const char* kPatterns = "*.dll|*.exe";
constexpr int32_t kNumber = 0;

// The folder as the library takes it, code page 936 text. A folder whose name has characters
// outside that code page (one named in Korean, say) goes by its short name, which has none.
std::string LibraryFolderText(const std::filesystem::path& folder) {
    if (auto text = NarrowExactly(folder.native())) return *text;
    std::wstring shortPath(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n =
            GetShortPathNameW(folder.c_str(), shortPath.data(), DWORD(shortPath.size()));
        if (n == 0) return Narrow(folder.native());
        if (n < shortPath.size()) {
            shortPath.resize(n);
            return Narrow(shortPath);
        }
        shortPath.resize(n);
    }
}

// The version library's export `name` as the function it is, the library loaded afresh; null,
// after the reason has been shown, when either cannot be had.
template <class Function>
Function VersionLibraryFunction(const char* name) {
    HMODULE library = nullptr;
    FARPROC function = nullptr;
    return GetLibraryProc(kVersionLibrary, library, name, function) ? ExportAs<Function>(function)
                                                                    : nullptr;
}

}  // namespace

bool GetLibraryProc(const std::string& libraryName, HMODULE& library,
                    const std::string& functionName, FARPROC& function) {
    if (!library) {
        library = LoadLibraryA(libraryName.c_str());
        if (UINT_PTR(library) <= 32) {
            library = nullptr;
            ShowError("文件 " + libraryName + " 打开失败。");
            return false;
        }
    }
    function = GetProcAddress(library, functionName.c_str());
    if (!function) {
        ShowError("无法从 " + libraryName + " 中获取函数 " + functionName + " 。");
        return false;
    }
    return true;
}

TfrmAbout::TfrmAbout(HWND application, std::filesystem::path folder)
    : application_(application), folder_(std::move(folder)) {
    CreateForm(kAboutClass, "关于...", 329, 139, application);
    CreateControls();
}

// Creation order is the tab order: btnClose first, so it holds the focus when the dialog opens.
// GroupBox1 comes last, below the controls it frames.
void TfrmAbout::CreateControls() {
    btnClose = AddButton("关闭(&C)", {242, 104, 75, 25}, kBtnClose);
    btnFileVer = AddButton("版本信息(&V)...", {132, 104, 103, 25}, kBtnFileVer);
    Image1 = Add("STATIC", "", SS_ICON | SS_REALSIZEIMAGE,
                 Within(kGroup, {4, 9, kIconSize, kIconSize}), kImage1);
    ShowIcon(Dpi());
    Label1 = AddLabel("Tarnwick", Within(kGroup, {36, 18, 200, kLabelHeight}), kLabel1,
                      SS_LEFT | SS_NOPREFIX);
    Label2 = AddLabel("版本：", Within(kGroup, {36, 39, 36, kLabelHeight}), kLabel2);
    lblVersion = AddLabel("Version", Within(kGroup, {72, 39, 220, kLabelHeight}), kLblVersion,
                          SS_LEFT | SS_NOPREFIX);
    Label3 = AddLabel("", Within(kGroup, {36, 60, 256, kLabelHeight}), kLabel3);
    GroupBox1 = AddGroupBox("", kGroup, kGroupBox1);
    SetFirstFocus(btnClose);
}

// The picture is the program icon drawn for the dialog's DPI.
void TfrmAbout::ShowIcon(int dpi) {
    SendMessageA(Image1, STM_SETICON, WPARAM(ProgramIcon(DpiScale(dpi, kIconSize))), 0);
}

void TfrmAbout::LayOut(int dpi) {
    Form::LayOut(dpi);
    ShowIcon(dpi);
}

void TfrmAbout::OnCommand(int id, int code) {
    if (code != BN_CLICKED) return;
    if (id == kBtnClose) btnCloseClick();
    if (id == kBtnFileVer) btnFileVerClick();
}

// Runs as the dialog opens, before it is on the screen: a failure message comes first.
void TfrmAbout::FormShow() {
    const auto sysVersion = VersionLibraryFunction<SysVersionFunction>(kSysVersion);
    if (!sysVersion) return;
    ReceivedText version;
    const LentText patterns(kPatterns), folder(LibraryFolderText(folder_)), products("Tarnwick");
    sysVersion(version.Variable(), patterns.Get(), folder.Get(), kNumber, products.Get());
    SetWindowTextW(lblVersion, Wide(version.Text()).c_str());
}

void TfrmAbout::btnCloseClick() {
    SendMessageA(Handle(), WM_CLOSE, 0, 0);
}

// The version window disables this dialog while it is open: its modal loop disables every
// other window of the thread.
void TfrmAbout::btnFileVerClick() {
    const auto show = VersionLibraryFunction<FrmVersionInfoShowFunction>(kFrmVersionInfoShow);
    if (!show) return;
    const LentText patterns(kPatterns), folder(LibraryFolderText(folder_)),
        products("Tarnwick|Bellmoor");
    Form* window = show(application_, patterns.Get(), folder.Get(), kNumber, products.Get());
    if (window) window->ShowModal();
}

// Only ends the modal loop; actHelpAboutExecute destroys the dialog.
void TfrmAbout::FormClose() {
    EndModal();
}

void actHelpAboutExecute(HWND application, const std::filesystem::path& folder) {
    TfrmAbout form(application, folder);
    form.ShowModal();
}

}  // namespace tarnwick
