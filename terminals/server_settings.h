// The listener's settings in main.ini, section "server": "host" (the IPv4 address to bind) and
// "ip" (the port, despite its name), and the addresses the options dialog offers for the host.
// Never cached: every use opens and reads the file afresh.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "common/profile.h"

namespace tarnwick {

// One reading of the settings.
struct ServerParams {
    std::string host;         // exactly as stored; empty when missing
    std::string portText;     // exactly as stored; empty when missing
    std::int32_t port = 0;    // 0 when missing, empty or not an integer

    // Unset for the listener: empty host or port 0.
    bool Unset() const { return host.empty() || port == 0; }
};

// The settings as the server commands read them: each use reads them afresh, once.
class ServerSettingsSource {
  public:
    virtual ~ServerSettingsSource() = default;
    // Throws when the file cannot be read.
    virtual ServerParams Read() const = 0;
};

class ServerSettings final : public ServerSettingsSource {
  public:
    // `folder` ends in a path separator; the program passes AppDir().
    explicit ServerSettings(const std::filesystem::path& folder) : file_(folder / "main.ini") {}

    // One read of main.ini; throws ProfileReadError when it exists but cannot be read.
    ServerParams Read() const override {
        const Profile profile = file_.Read();
        return {profile.Text(kSection, "host"), profile.Text(kSection, "ip"),
                profile.Int(kSection, "ip", 0)};
    }

    // Writes "host" and "ip", as typed, in one save that replaces the file whole or leaves it
    // as it was. False when the save failed.
    bool Save(const std::string& host, const std::string& portText,
              const WriteHook& hook = {}) const {
        return file_.Write({{kSection, "host", host}, {kSection, "ip", portText}}, hook);
    }

  private:
    static constexpr const char* kSection = "server";
    ProfileFile file_;
};

inline constexpr const char* kLoopbackText = "127.0.0.1";

// The entries of the options dialog's host box: the local addresses with the loopback address
// put at the top, unless the first of them is already exactly that. Only the first is
// compared, so the loopback address may stand twice.
inline std::vector<std::string> HostChoices(std::vector<std::string> addresses) {
    if (addresses.empty() || addresses.front() != kLoopbackText) {
        addresses.insert(addresses.begin(), kLoopbackText);
    }
    return addresses;
}

}  // namespace tarnwick
