// What a terminal's connection needs of the terminal table.
#pragma once

#include <string_view>

namespace tarnwick {

class TerminalService {
  public:
    virtual ~TerminalService() = default;
    // Lists or refreshes the terminal; false when no product has the code.
    virtual bool ClientLogin(std::string_view code, std::string_view address) = 0;
    virtual void ClientLogout(std::string_view code, std::string_view address) = 0;
};

}  // namespace tarnwick
