// The listener's settings as the server commands read them: main.ini in the program's folder.
#pragma once

#include "terminals/server_control.h"
#include "terminals/settings.h"

namespace tarnwick {

class MainIniSettings final : public ServerSettingsSource {
  public:
    // `folder` ends in a path separator; the program passes AppDir().
    explicit MainIniSettings(const std::string& folder) : file_(folder) {}
    std::string Host() const override { return file_.Host(); }
    std::int32_t Port() const override { return file_.Port(); }

  private:
    ServerSettings file_;
};

}  // namespace tarnwick
