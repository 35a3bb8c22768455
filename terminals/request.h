// The terminal protocol over bytes: request lines cut from a connection's byte stream, and the
// meaning of one line. No sockets here, so all of it is tested and fuzzed without a network.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tarnwick {

// At most this many bytes may stand before a line feed, a carriage return included.
inline constexpr size_t kMaxRequestBytes = 16384;

// The input buffer of one connection: bytes received and not yet consumed.
class LineReader {
  public:
    enum class Result { kLine, kNeedMore, kTooLong };

    void Append(const char* data, size_t size);
    // Takes the next complete line out of the buffer, without its line feed and without one
    // carriage return directly before it.
    Result Next(std::string& line);

  private:
    std::string buffer_;
    size_t start_ = 0;    // first unconsumed byte
    size_t scanned_ = 0;  // bytes after start_ known to hold no line feed
};

enum class RequestKind { kLogin, kLogout, kOther, kRejected };

struct Request {
    RequestKind kind = RequestKind::kOther;
    std::string code;  // upper-cased; LOGIN and LOGOUT only
};

// Upper-cases and splits one request line. A LOGIN whose number is not an integer is rejected.
Request ParseRequest(std::string line);

// The reply lines, each ended by CR LF.
inline constexpr std::string_view kLoginListedReply = "1\r\n";
inline constexpr std::string_view kLoginUnknownReply = "0\r\n";
inline constexpr std::string_view kOtherReply = "2\r\n2\r\n";

}  // namespace tarnwick
