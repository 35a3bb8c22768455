// A fresh, empty folder under the system's temporary folder for one test, removed with all it
// holds afterwards. Handed out in full and ending in a separator, as the settings want it.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>

namespace tarnwick::testing {

class ScratchFolder {
  public:
    ScratchFolder() {
        std::random_device random;
        const auto base = std::filesystem::temp_directory_path();
        do {
            path_ = base / ("tarnwick-settings-" + std::to_string(random()));
        } while (!std::filesystem::create_directory(path_));
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string Folder() const { return (path_ / "").string(); }
    bool Holds(std::string_view name) const { return std::filesystem::exists(path_ / name); }

    void Write(std::string_view name, std::string_view bytes) const {
        std::ofstream(path_ / name, std::ios::binary)
            .write(bytes.data(), std::streamsize(bytes.size()));
    }
    std::string Read(std::string_view name) const {
        std::ifstream in(path_ / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

  private:
    std::filesystem::path path_;
};

}  // namespace tarnwick::testing
