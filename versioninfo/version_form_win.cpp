#include "versioninfo/version_form_win.h"

#include <commctrl.h>

#include <stdexcept>

#include "common/wide_text_win.h"

namespace tarnwick {
namespace {

constexpr DWORD kFormStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
constexpr int kClientWidth = 560, kClientHeight = 280;

struct Column {
    const char* caption;
    int width;
};
constexpr Column kColumns[] = {
    {"文件名", 130}, {"文件版本", 80}, {"产品名称", 90}, {"产品版本", 80}, {"文件说明", 150},
};

}  // namespace

TfrmVersionInfo::TfrmVersionInfo(HWND owner, const std::vector<FileVersion>& files) {
    if (!Create(kVersionInfoClass, kFormExStyle, kFormStyle, "版本信息", 0, 0, kClientWidth,
                kClientHeight, owner)) {
        throw std::runtime_error("Cannot create the version window");
    }
    SetClientSizeCentred(Handle(), kClientWidth, kClientHeight);
    CreateControls();
    Fill(files);
}

void TfrmVersionInfo::CreateControls() {
    lstvFiles = CreateControl(Handle(), WC_LISTVIEWA, "",
                              LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP, 8, 8,
                              kClientWidth - 16, kClientHeight - 49, kLstvFiles, WS_EX_CLIENTEDGE);
    btnClose = CreateControl(Handle(), "BUTTON", "关闭(&C)", BS_PUSHBUTTON | WS_TABSTOP,
                             kClientWidth - 83, kClientHeight - 33, 75, 25, kBtnClose);
    if (!lstvFiles || !btnClose) throw std::runtime_error("Cannot create the version window");
    SendMessageA(lstvFiles, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
    for (int i = 0; i < int(std::size(kColumns)); ++i) {
        std::wstring caption = Wide(kColumns[i].caption);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = caption.data();
        column.cx = kColumns[i].width;
        SendMessageW(lstvFiles, LVM_INSERTCOLUMNW, WPARAM(i), LPARAM(&column));
    }
}

void TfrmVersionInfo::Fill(const std::vector<FileVersion>& files) {
    for (const FileVersion& file : files) {
        const std::string* cells[] = {&file.name, &file.fileVersion, &file.productName,
                                      &file.productVersion, &file.description};
        std::wstring text = Wide(*cells[0]);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = int(SendMessageW(lstvFiles, LVM_GETITEMCOUNT, 0, 0));
        item.pszText = text.data();
        item.iItem = int(SendMessageW(lstvFiles, LVM_INSERTITEMW, 0, LPARAM(&item)));
        for (int column = 1; column < int(std::size(cells)); ++column) {
            text = Wide(*cells[column]);
            item.iSubItem = column;
            item.pszText = text.data();
            SendMessageW(lstvFiles, LVM_SETITEMTEXTW, WPARAM(item.iItem), LPARAM(&item));
        }
    }
}

LRESULT TfrmVersionInfo::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (LOWORD(wParam) == kBtnClose || LOWORD(wParam) == IDCANCEL) EndModal();
            return 0;
        case WM_CLOSE:
            EndModal();
            return 0;
    }
    return Form::HandleMessage(message, wParam, lParam);
}

}  // namespace tarnwick
