#include <fstream>
#include <iterator>

#include "common/file_bytes.h"

namespace tarnwick {

std::optional<std::string> FileBytes(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::exists(path, error) && !error) return std::string();
    if (error || std::filesystem::is_directory(path, error)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    std::string bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>{});
    if (!in.is_open() || in.bad()) return std::nullopt;
    return bytes;
}

bool WriteFileBytes(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    out.close();
    return bool(out);
}

}  // namespace tarnwick
