#include "app/about_form_win.h"

#include <stdexcept>
#include <utility>

#include "app/images_win.h"
#include "common/counted_text.h"
#include "common/message_box.h"
#include "versioninfo/version_info_api_win.h"

namespace tarnwick {
namespace {

constexpr DWORD kFormStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
constexpr int kClientWidth = 329, kClientHeight = 139;
// GroupBox1's origin: the five controls inside it are placed relative to it.
constexpr int kGroupX = 12, kGroupY = 12;
constexpr int kLabelHeight = 12;

// The arguments both exports take.
constexpr const char* kPatterns = "*.dll|*.exe";
constexpr int32_t kNumber = 0;

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

TfrmAbout::TfrmAbout(HWND application, std::string folder)
    : application_(application), folder_(std::move(folder)) {
    if (!Create(kAboutClass, kFormExStyle, kFormStyle, "关于...", 0, 0, kClientWidth, kClientHeight,
                application)) {
        throw std::runtime_error("Cannot create the about dialog");
    }
    SetClientSizeCentred(Handle(), kClientWidth, kClientHeight);
    CreateControls();
}

HWND TfrmAbout::Add(const char* className, const char* caption, DWORD style, int x, int y,
                    int width, int height, ControlId id) {
    HWND control = CreateControl(Handle(), className, caption, style, x, y, width, height, id);
    if (!control) throw std::runtime_error("Cannot create the about dialog");
    return control;
}

// Creation order is the tab order: btnClose first, so it holds the focus when the dialog opens.
// GroupBox1 comes last, below the controls it frames.
void TfrmAbout::CreateControls() {
    constexpr DWORD kTabStop = WS_TABSTOP | WS_GROUP;
    btnClose = Add("BUTTON", "关闭(&C)", BS_PUSHBUTTON | kTabStop, 242, 104, 75, 25, kBtnClose);
    btnFileVer =
        Add("BUTTON", "版本信息(&V)...", BS_PUSHBUTTON | kTabStop, 132, 104, 103, 25, kBtnFileVer);
    icon_ = ProgramIcon(32);
    Image1 =
        Add("STATIC", "", SS_ICON | SS_REALSIZEIMAGE, kGroupX + 4, kGroupY + 9, 32, 32, kImage1);
    SendMessageA(Image1, STM_SETICON, WPARAM(icon_), 0);
    Label1 = Add("STATIC", "Tarnwick", SS_LEFT | SS_NOPREFIX, kGroupX + 36, kGroupY + 18, 200,
                 kLabelHeight, kLabel1);
    Label2 =
        Add("STATIC", "版本：", SS_LEFT, kGroupX + 36, kGroupY + 39, 36, kLabelHeight, kLabel2);
    lblVersion = Add("STATIC", "Version", SS_LEFT | SS_NOPREFIX, kGroupX + 72, kGroupY + 39, 220,
                     kLabelHeight, kLblVersion);
    Label3 = Add("STATIC", "", SS_LEFT, kGroupX + 36, kGroupY + 60, 256, kLabelHeight, kLabel3);
    GroupBox1 =
        Add("BUTTON", "", BS_GROUPBOX | WS_CLIPSIBLINGS, kGroupX, kGroupY, 305, 85, kGroupBox1);
    SetFirstFocus(btnClose);
}

void TfrmAbout::OnCommand(int id, int code) {
    if (code != BN_CLICKED) return;
    if (id == kBtnClose) btnCloseClick();
    if (id == kBtnFileVer) btnFileVerClick();
}

// Runs as the dialog opens, before it is on the screen: a failure message comes first.
void TfrmAbout::FormShow() {
    HMODULE library = nullptr;
    FARPROC function = nullptr;
    if (!GetLibraryProc(kVersionLibrary, library, kSysVersion, function)) return;
    ReceivedText version;
    const LentText patterns(kPatterns), folder(folder_), products("Tarnwick");
    ExportAs<SysVersionFunction>(function)(version.Variable(), patterns.Get(), folder.Get(),
                                           kNumber, products.Get());
    SetWindowTextA(lblVersion, version.Text().c_str());
}

void TfrmAbout::btnCloseClick() {
    SendMessageA(Handle(), WM_CLOSE, 0, 0);
}

// The version window disables this dialog while it is open: its modal loop disables every
// other window of the thread.
void TfrmAbout::btnFileVerClick() {
    HMODULE library = nullptr;
    FARPROC function = nullptr;
    if (!GetLibraryProc(kVersionLibrary, library, kFrmVersionInfoShow, function)) return;
    const LentText patterns(kPatterns), folder(folder_), products("Tarnwick|Bellmoor");
    Form* window = ExportAs<FrmVersionInfoShowFunction>(function)(
        application_, patterns.Get(), folder.Get(), kNumber, products.Get());
    if (window) window->ShowModal();
}

// Only ends the modal loop; actHelpAboutExecute destroys the dialog.
void TfrmAbout::FormClose() {
    EndModal();
}

void actHelpAboutExecute(HWND application, const std::string& folder) {
    TfrmAbout form(application, folder);
    form.ShowModal();
}

}  // namespace tarnwick
