#include "versioninfo/version_form_win.h"

#include <commctrl.h>

namespace tarnwick {
namespace {

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
    CreateForm(kVersionInfoClass, "版本信息", kClientWidth, kClientHeight, owner);
    CreateControls();
    Fill(files);
}

void TfrmVersionInfo::CreateControls() {
    lstvFiles = Add(WC_LISTVIEWA, "", LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP,
                    {8, 8, kClientWidth - 16, kClientHeight - 49}, kLstvFiles, WS_EX_CLIENTEDGE);
    btnClose = AddButton("关闭(&C)", {kClientWidth - 83, kClientHeight - 33, 75, 25}, kBtnClose);
    SendMessageA(lstvFiles, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
    const int dpi = shownDpi_ = Dpi();
    for (int i = 0; i < int(std::size(kColumns)); ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<char*>(kColumns[i].caption);
        column.cx = DpiScale(dpi, kColumns[i].width);
        SendMessageA(lstvFiles, LVM_INSERTCOLUMNA, WPARAM(i), LPARAM(&column));
    }
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
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = int(SendMessageA(lstvFiles, LVM_GETITEMCOUNT, 0, 0));
        item.pszText = const_cast<char*>(cells[0]->c_str());
        item.iItem = int(SendMessageA(lstvFiles, LVM_INSERTITEMA, 0, LPARAM(&item)));
        for (int column = 1; column < int(std::size(cells)); ++column) {
            item.iSubItem = column;
            item.pszText = const_cast<char*>(cells[column]->c_str());
            SendMessageA(lstvFiles, LVM_SETITEMTEXTA, WPARAM(item.iItem), LPARAM(&item));
        }
    }
}

void TfrmVersionInfo::OnCommand(int id, int code) {
    if (id == kBtnClose && code == BN_CLICKED) EndModal();
}

}  // namespace tarnwick
