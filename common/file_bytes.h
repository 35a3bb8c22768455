// Whole files as bytes, named by their full path: the profile files are read and written
// through these, by the same rules on every platform and whatever the system code page.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tarnwick {

// The file's bytes: empty for a missing file; nothing when the file exists but cannot be read
// whole, which a writer must not take for an empty file.
std::optional<std::string> FileBytes(const std::filesystem::path& path);

// One write to a file: how many of `bytes` it wrote; 0 when it failed.
using FileWrite = std::function<std::size_t(std::string_view bytes)>;
// Stands between a replacement and its writes, so that a test can make one fail part-way.
using WriteHook = std::function<std::size_t(std::string_view bytes, const FileWrite& write)>;

// Replaces the file's bytes with `bytes` so that the file is never seen half written: they go to
// a new file in the same folder, which is flushed to the disk and then takes the file's place
// (keeping its attributes and security on Windows). On any failure the new file is deleted and
// the file keeps every byte it had. Creates the file when missing; false when that failed.
bool ReplaceFileBytes(const std::filesystem::path& path, std::string_view bytes,
                      const WriteHook& hook = {});

// Writes `bytes` through `write`, or through `hook` and `write` when there is a hook; false when
// a write failed before all were written.
inline bool WriteAll(std::string_view bytes, const FileWrite& write, const WriteHook& hook) {
    while (!bytes.empty()) {
        const std::size_t written = hook ? hook(bytes, write) : write(bytes);
        if (written == 0 || written > bytes.size()) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

}  // namespace tarnwick
