#include "terminals/request.h"

#include "common/int_text.h"
#include "common/text.h"

namespace tarnwick {

void LineReader::Append(const char* data, size_t size) {
    if (start_ > 0 && start_ == buffer_.size()) {
        buffer_.clear();
        start_ = 0;
    }
    buffer_.append(data, size);
}

LineReader::Result LineReader::Next(std::string& line) {
    const std::string_view pending = std::string_view(buffer_).substr(start_);
    const size_t feed = pending.find('\n', scanned_);
    if (feed == std::string_view::npos) {
        scanned_ = pending.size();
        if (pending.size() > kMaxRequestBytes) return Result::kTooLong;
        // Keep the buffer from creeping: move the unfinished line to the front.
        buffer_.erase(0, start_);
        start_ = 0;
        return Result::kNeedMore;
    }
    if (feed > kMaxRequestBytes) return Result::kTooLong;
    const size_t length = feed > 0 && pending[feed - 1] == '\r' ? feed - 1 : feed;
    line.assign(pending.data(), length);
    start_ += feed + 1;
    scanned_ = 0;
    return Result::kLine;
}

Request ParseRequest(std::string line) {
    UpperCaseAscii(line);
    const std::string_view command = TextBefore(line, ':');
    const std::string_view argument = TextAfter(line, ':');
    if (command == "LOGIN") {
        if (!ReadIntText(TextAfter(argument, ';'))) return {RequestKind::kRejected, {}};
        return {RequestKind::kLogin, std::string(TextBefore(argument, ';'))};
    }
    if (command == "LOGOUT") return {RequestKind::kLogout, std::string(argument)};
    return {RequestKind::kOther, {}};
}

}  // namespace tarnwick
