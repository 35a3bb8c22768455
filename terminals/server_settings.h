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

// The settings as the server commands read them. Either read may throw when the file cannot
// be read.
class ServerSettingsSource {
  public:
    virtual ~ServerSettingsSource() = default;
    // Exactly as stored; empty when missing.
    virtual std::string Host() const = 0;
    // 0 when missing, empty or not an integer.
    virtual std::int32_t Port() const = 0;

    // Unset for the listener: empty host or port 0.
    static bool Unset(const std::string& host, std::int32_t port) {
        return host.empty() || port == 0;
    }
    // The same from the settings; the port is read only when the host is set.
    bool Unset() const {
        const std::string host = Host();
        return Unset(host, host.empty() ? 0 : Port());
    }
};

class ServerSettings final : public ServerSettingsSource {
  public:
    // `folder` ends in a path separator; the program passes AppDir().
    explicit ServerSettings(const std::filesystem::path& folder) : file_(folder / "main.ini") {}

    // As text, exactly as stored; a missing key reads as empty. Each read throws
    // ProfileReadError when main.ini exists but cannot be read.
    std::string Host() const override { return ReadText("host"); }
    std::string PortText() const { return ReadText("ip"); }
    // As an integer: missing, empty or not an integer reads as 0.
    std::int32_t Port() const override {
        file_.CheckReadable();
        return file_.ReadInt(kSection, "ip", 0);
    }

    // Writes "host", then "ip", as typed. False when a write failed; a host written before a
    // failing port write stays in the file.
    bool Save(const std::string& host, const std::string& portText) {
        return file_.WriteText(kSection, "host", host) && file_.WriteText(kSection, "ip", portText);
    }

  private:
    std::string ReadText(const char* key) const {
        file_.CheckReadable();
        return file_.ReadText(kSection, key);
    }

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
