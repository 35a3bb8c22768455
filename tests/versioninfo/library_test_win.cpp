// The real VersionInfo.dll loaded as the program loads it: its exports, the counted texts that
// cross the boundary, the version text and the version window.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "common/counted_text.h"
#include "support/build_path_win.h"
#include "support/temp_folder.h"
#include "versioninfo/file_versions_win.h"
#include "versioninfo/version_dialog_win.h"
#include "versioninfo/version_info_api_win.h"

namespace tarnwick::testing {
namespace {

using Rows = std::vector<std::vector<std::string>>;

class VersionLibrary : public ::testing::Test {
  protected:
    // A program folder: the program, the library, a library without version resource and a
    // file that no pattern matches.
    VersionLibrary() {
        for (const char* name : {"Tarnwick.exe", "VersionInfo.dll"}) {
            CopyFileA(WindowsPath(TARNWICK_BIN_DIR + std::string(name)).c_str(),
                      dir_.PathOf(name).c_str(), FALSE);
        }
        dir_.Write("plain.dll", "MZ not really a library");
        dir_.Write("notes.txt", "");
        library_ = LoadLibraryA(dir_.PathOf("VersionInfo.dll").c_str());
    }

    std::string Version(const std::string& folder, const char* products) {
        const auto sysVersion = ExportAs<SysVersionFunction>(GetProcAddress(library_, kSysVersion));
        const LentText patterns("*.dll|*.exe"), where(folder), names(products);
        ReceivedText version;
        sysVersion(version.Variable(), patterns.Get(), where.Get(), 0, names.Get());
        if (version.Get()) {
            EXPECT_EQ(HeaderOf(version.Get())->refCount, 1);
            EXPECT_EQ(size_t(HeaderOf(version.Get())->length), strlen(version.Get()));
        }
        return version.Text();
    }

    Form* Show(const char* products) {
        const auto show =
            ExportAs<FrmVersionInfoShowFunction>(GetProcAddress(library_, kFrmVersionInfoShow));
        const LentText patterns("*.dll|*.exe"), where(dir_.Folder()), names(products);
        return show(nullptr, patterns.Get(), where.Get(), 0, names.Get());
    }

    static Rows ListRows(HWND list) {
        Rows rows;
        const int count = int(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
        for (int row = 0; row < count; ++row) {
            rows.emplace_back();
            for (int column = 0; column < 5; ++column) {
                char text[256] = {};
                LVITEMA item{};
                item.iSubItem = column;
                item.pszText = text;
                item.cchTextMax = sizeof text;
                SendMessageA(list, LVM_GETITEMTEXTA, WPARAM(row), LPARAM(&item));
                rows.back().push_back(text);
            }
        }
        return rows;
    }

    TempFolder dir_;
    HMODULE library_ = nullptr;
};

TEST_F(VersionLibrary, ExportsBothFunctionsUnderTheirPlainNames) {
    ASSERT_NE(library_, nullptr);
    EXPECT_NE(GetProcAddress(library_, "SysVersion"), nullptr);
    EXPECT_NE(GetProcAddress(library_, "frmVersionInfoShow"), nullptr);
    EXPECT_EQ(GetProcAddress(library_, "SysVersion@20"), nullptr);
}

TEST_F(VersionLibrary, CountedTextsHaveTheirCountAndLengthBeforeTheFirstByte) {
    const LentText text("版本"), empty("");
    const auto* bytes = reinterpret_cast<const int32_t*>(text.Get());
    EXPECT_EQ(bytes[-2], -1);
    EXPECT_EQ(bytes[-1], 4);
    EXPECT_EQ(text.Get()[4], '\0');
    EXPECT_EQ(empty.Get(), nullptr);
    EXPECT_EQ(CountedView(nullptr), "");

    char* made = NewCountedText("3.1");
    EXPECT_EQ(reinterpret_cast<const int32_t*>(made)[-2], 1);
    EXPECT_EQ(CountedView(made), "3.1");
    ReleaseCountedText(made);
    EXPECT_EQ(NewCountedText(""), nullptr);
}

TEST_F(VersionLibrary, TheVersionTextIsTheProgramsProductVersion) {
    const FileVersion program = ReadFileVersion(dir_.Folder(), L"Tarnwick.exe");
    EXPECT_EQ(program.productVersion, TARNWICK_VERSION_TEXT);
    EXPECT_EQ(program.productName, "Tarnwick");
    EXPECT_EQ(Version(dir_.Folder(), "Tarnwick"), TARNWICK_VERSION_TEXT);
    // The folder may come without its final separator.
    std::string bare = dir_.Folder();
    bare.pop_back();
    EXPECT_EQ(Version(bare, "Tarnwick"), TARNWICK_VERSION_TEXT);
    EXPECT_EQ(Version(dir_.Folder(), "Bellmoor"), "");
    EXPECT_EQ(Version(dir_.PathOf("missing"), "Tarnwick"), "");
}

TEST_F(VersionLibrary, TheVersionWindowListsTheNamedProductsFirst) {
    Form* window = Show("Tarnwick|Bellmoor");
    ASSERT_NE(window, nullptr);
    char className[64] = {};
    GetClassNameA(window->Handle(), className, sizeof className);
    EXPECT_STREQ(className, kVersionInfoClass);
    const Rows rows = ListRows(GetDlgItem(window->Handle(), TfrmVersionInfo::kLstvFiles));
    const std::string v = TARNWICK_VERSION_TEXT;
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0],
              (std::vector<std::string>{"Tarnwick.exe", v, "Tarnwick", v, "Tarnwick 终端服务器"}));
    EXPECT_EQ(rows[1], (std::vector<std::string>{"VersionInfo.dll", v, "Tarnwick", v,
                                                 "Tarnwick 版本信息库"}));
    EXPECT_EQ(rows[2], (std::vector<std::string>{"plain.dll", "", "", "", ""}));

    // The program's own modal call runs the library's window; closing it hides it.
    PostMessageA(window->Handle(), WM_CLOSE, 0, 0);
    window->ShowModal();
    EXPECT_TRUE(IsWindow(window->Handle()));
    EXPECT_FALSE(IsWindowVisible(window->Handle()));
    // The next call replaces the window.
    EXPECT_NE(Show("Tarnwick"), nullptr);
}

}  // namespace
}  // namespace tarnwick::testing
