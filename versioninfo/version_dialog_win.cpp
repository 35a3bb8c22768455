#include "versioninfo/version_dialog_win.h"

#include <commctrl.h>

#include "common/list_view_win.h"
#include "common/wide_text_win.h"

namespace tarnwick {
namespace {

constexpr int kClientWidth = 560, kClientHeight = 280;

constexpr ListColumn kColumns[] = {
    {"文件名", 130}, {"文件版本", 80}, {"产品名称", 90}, {"产品版本", 80}, {"文件说明", 150},
};

}  // namespace

TfrmVersionInfo::TfrmVersionInfo(HWND owner, const std::vector<FileVersion>& files) {
    CreateForm(kVersionInfoClass, "版本信息", kClientWidth, kClientHeight, owner);
    CreateControls();
    Fill(files);
}

void TfrmVersionInfo::CreateControls() {
    lstvFiles = Add(WC_LISTVIEWA, "", LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP,
                    {8, 8, kClientWidth - 16, kClientHeight - 49}, kLstvFiles, WS_EX_CLIENTEDGE);
    btnClose = AddButton("关闭(&C)", {kClientWidth - 83, kClientHeight - 33, 75, 25}, kBtnClose);
    SendMessageA(lstvFiles, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
    shownDpi_ = Dpi();
    AddColumns(lstvFiles, kColumns);
    SetFirstFocus(lstvFiles);
    SetCancelButton(btnClose);
}

// The columns keep the widths the user gave them, in proportion.
void TfrmVersionInfo::LayOut(int dpi) {
    Form::LayOut(dpi);
    ScaleColumns(lstvFiles, shownDpi_, dpi);
    shownDpi_ = dpi;
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

void TfrmVersionInfo::OnCommand(int id, int code) {
    if (id == kBtnClose && code == BN_CLICKED) EndModal();
}

}  // namespace tarnwick
