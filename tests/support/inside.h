// What the tests see of the inside of the program's classes where the program itself needs no
// way in: each of those classes names TestInside its friend.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "products/known_products.h"
#include "terminals/server_control.h"
#include "terminals/socket.h"
#include "terminals/terminal_table.h"

namespace tarnwick {

struct TestInside {
    static const std::vector<std::string>& Entries(const KnownProducts& known) {
        return known.entries_;
    }
    static const KnownProducts& Products(const TableReader& reader) {
        return reader.table_.products_;
    }
    static bool AutoStartPending(const ServerControl& control) { return control.autoStartPending_; }

    // The platform's handle of a socket (a SOCKET on Windows, a descriptor elsewhere), and an
    // owner for one made elsewhere, for the options and calls only a test's client end needs.
    static std::intptr_t Native(const Socket& socket) { return socket.handle_; }
    static Socket Adopt(std::intptr_t native) { return Socket(native); }
};

}  // namespace tarnwick
