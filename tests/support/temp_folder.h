// A fresh folder in the system's temporary folder for one test, removed with everything in it
// afterwards. Paths are handed out in full, as profile files need them.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>

namespace tarnwick::testing {

class TempFolder {
  public:
    TempFolder() {
        std::random_device random;
        const auto base = std::filesystem::temp_directory_path();
        do {
            folder_ = base / ("tarnwick-test-" + std::to_string(random()));
        } while (!std::filesystem::create_directory(folder_));
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return folder_; }
    // The folder's path, ending in a path separator.
    std::string Folder() const { return (folder_ / "").string(); }
    std::string PathOf(std::string_view name) const { return (folder_ / name).string(); }

    std::string Write(std::string_view name, std::string_view bytes) const {
        const std::string path = PathOf(name);
        std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
        return path;
    }
    bool Holds(std::string_view name) const { return std::filesystem::exists(folder_ / name); }
    std::string Read(std::string_view name) const {
        std::ifstream in(PathOf(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

  private:
    std::filesystem::path folder_;
};

}  // namespace tarnwick::testing
