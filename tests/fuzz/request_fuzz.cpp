// Fuzzes one connection's service: arbitrary bytes, cut into arbitrary pieces, through the line
// reader, the request parser and tcpServerExecute. Checks every outcome against a plain
// re-statement of the protocol's rules.
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "common/int_text.h"
#include "terminals/connection.h"

namespace {

using namespace tarnwick;

// The first byte sets the size of the pieces the peer's bytes arrive in.
class ScriptedStream final : public ByteStream {
  public:
    ScriptedStream(std::string_view input, size_t piece) : input_(input), piece_(piece) {}
    std::ptrdiff_t Receive(char* buffer, std::size_t size) override {
        const size_t n = std::min({size, piece_, input_.size()});
        input_.copy(buffer, n);
        input_.remove_prefix(n);
        return std::ptrdiff_t(n);
    }
    bool SendAll(const char* data, std::size_t size) override {
        written.append(data, size);
        return true;
    }
    std::string written;

  private:
    std::string_view input_;
    size_t piece_;
};

struct Recorder final : TerminalService {
    bool ClientLogin(std::string_view code, std::string_view) override {
        calls += "I" + std::string(code) + '\n';
        return code == "01";
    }
    void ClientLogout(std::string_view code, std::string_view) override {
        calls += "O" + std::string(code) + '\n';
    }
    std::string calls;
};

// What the server must do with `input`, written as plainly as possible.
void Expected(std::string_view input, std::string& replies, std::string& calls) {
    for (;;) {
        const size_t feed = input.find('\n');
        if (feed == std::string_view::npos || feed > 16384) return;
        std::string line(input.substr(0, feed));
        input.remove_prefix(feed + 1);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        for (char& c : line)
            c = (c >= 'a' && c <= 'z') ? char(c - 32) : c;
        const size_t colon = line.find(':');
        const std::string command = colon == std::string::npos ? "" : line.substr(0, colon);
        const std::string argument = colon == std::string::npos ? line : line.substr(colon + 1);
        if (command == "LOGIN") {
            const size_t semi = argument.find(';');
            const std::string code = semi == std::string::npos ? "" : argument.substr(0, semi);
            const std::string number =
                semi == std::string::npos ? argument : argument.substr(semi + 1);
            if (!ReadIntText(number)) return;
            calls += "I" + code + '\n';
            replies += code == "01" ? "1\r\n" : "0\r\n";
        } else if (command == "LOGOUT") {
            calls += "O" + argument + '\n';
        } else {
            replies += "2\r\n2\r\n";
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const size_t piece = data[0] % 64 + 1;
    const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
    ScriptedStream stream(input, piece);
    Recorder service;
    TerminalConnection connection{stream, "127.0.0.1", {}};
    ServeConnection(connection, service);

    std::string replies, calls;
    Expected(input, replies, calls);
    if (stream.written != replies || service.calls != calls) std::abort();
    return 0;
}
