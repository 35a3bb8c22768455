// The options dialog's test fixture: a dialog opened modally on a scratch folder and driven
// from a helper thread, and the machine-wide Run value read and written past the code under test.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "support/form_driver_win.h"
#include "support/temp_folder.h"
#include "terminals/autorun_win.h"
#include "terminals/set_option_dialog_win.h"
#include "terminals/server_settings.h"

namespace tarnwick::testing {

using Texts = std::vector<std::string>;
using Form = TfrmSetOption;

inline constexpr const char* kBadPort = "请输入合法的端口值。";

// The Run value "Tarnwick" as stored (type and text), read past the code under test.
struct RunValue {
    DWORD type = 0;
    std::string text;
    bool operator==(const RunValue&) const = default;
};

inline std::optional<RunValue> StoredRunValue() {
    char data[2048] = {};
    DWORD type = 0, size = sizeof data - 1;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, kRunKeyPath, kAutorunValue, RRF_RT_ANY | RRF_NOEXPAND,
                     &type, data, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return RunValue{type, std::string(data)};
}

inline void StoreRunValue(DWORD type, std::string_view bytes) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kRunKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, kAutorunValue, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                   DWORD(bytes.size()));
    RegCloseKey(key);
}

inline void StoreRunText(const std::string& text) {
    StoreRunValue(REG_SZ, std::string_view(text.c_str(), text.size() + 1));
}

inline void DeleteRunValue() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKeyPath, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, kAutorunValue);
        RegCloseKey(key);
    }
}

class OptionsDialog : public ::testing::Test {
  protected:
    void SetUp() override { DeleteRunValue(); }
    void TearDown() override { DeleteRunValue(); }

    // Opens the dialog on `folder` (the scratch folder unless given) and runs `script` on it.
    void Open(const std::function<void()>& script, std::string folder = {}) {
        if (folder.empty()) folder = folder_.Folder();
        driver_.Run(
            kSetOptionClass,
            [&] {
                Form form(nullptr, folder, localAddresses_);
                form.ShowModal();
            },
            script);
    }

    HWND Item(Form::ControlId id) const { return driver_.Item(id); }
    std::string Text(Form::ControlId id) const { return driver_.Text(Item(id)); }
    void SetText(Form::ControlId id, std::string_view text) { driver_.SetText(Item(id), text); }
    bool Checked() const {
        return driver_.Send(Item(Form::kChkAutoRun), BM_GETCHECK) == BST_CHECKED;
    }
    // The control holding the focus; the edit part of the host box counts as the box.
    HWND FocusedControl() const {
        HWND focus = driver_.Focus();
        return GetParent(focus) == Item(Form::kCmbHost) ? Item(Form::kCmbHost) : focus;
    }
    bool StillOpen() const { return !driver_.Ended() && IsWindowVisible(driver_.Form()); }
    // Types host and port, then clicks OK.
    void SaveWith(std::string_view host, std::string_view port) {
        SetText(Form::kCmbHost, host);
        SetText(Form::kEdtPort, port);
        driver_.Click(Item(Form::kBtnOk));
    }
    Texts Messages() const { return driver_.Boxes().Texts(); }
    ServerSettings Settings() const { return ServerSettings(folder_.Folder()); }
    std::string ProgramHere() const { return folder_.Folder() + "Tarnwick.exe"; }

    TempFolder folder_;
    FormDriver driver_;
    Form::AddressSource localAddresses_ = LocalIpv4Addresses;
};

}  // namespace tarnwick::testing
