// The autorun entry: the value "Tarnwick" under the machine-wide Run key, through which Windows
// starts the program at every user's logon.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace tarnwick {

inline constexpr const char* kRunKeyPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kAutorunValue = "Tarnwick";
inline constexpr const char* kAutorunProgram = "Tarnwick.exe";

// A registry key opened with full access, created when missing, and closed with the object. A
// key that could not be opened (a user without the rights) is silent: it reads as empty and
// leaves writes undone.
class RegistryKey {
  public:
    RegistryKey(HKEY root, const std::string& path);
    ~RegistryKey();
    RegistryKey(RegistryKey&& other) noexcept;
    RegistryKey& operator=(RegistryKey&& other) noexcept;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // A string or expandable string value as stored (not expanded), in UTF-16 as the registry
    // holds it; empty when missing. Throws std::runtime_error for a value of another type or a
    // failed read.
    std::wstring ReadWide(const std::string& name) const;
    // Throws std::runtime_error when the key cannot be read.
    bool HasValue(const std::string& name) const;
    // Writes a string value; throws std::runtime_error when that fails.
    void WriteWide(const std::string& name, std::wstring_view data);
    // Deletes a value; one already gone is no error. Throws std::runtime_error when the value
    // cannot be deleted.
    void DeleteValue(const std::string& name);

  private:
    friend struct TestInsideWin;
    void Close();

    HKEY key_ = nullptr;
};

// The machine-wide Run key under HKEY_LOCAL_MACHINE.
RegistryKey OpenRunKey();

// The autorun data for the program in `folder` (ending in a separator): the folder and the fixed
// file name, without quotes even when the path holds blanks. UTF-16, so that it names the folder
// whatever script its name is in.
std::wstring AutorunCommand(const std::filesystem::path& folder);

// Whether the autorun value names the program in `folder`, a..z compared without regard to case.
bool HoldsAutorunFor(const RegistryKey& run, const std::filesystem::path& folder);

// `on`: writes the autorun value for `folder`, whether or not it was there; otherwise deletes
// the value when it exists. Throws when the value cannot be written or deleted.
void SetAutorun(RegistryKey& run, bool on, const std::filesystem::path& folder);

}  // namespace tarnwick
