#include "program_fixture_win.h"

namespace tarnwick::testing {

Terminal::Terminal(std::uint16_t port, std::uint32_t from) {
    socket_ = ClientSocket::Connect(kLoopback, port, error_, from);
    socket_.SetReceiveTimeout(5000);
}

std::string Terminal::Ask(std::string_view line, size_t replyBytes) {
    socket_.SendAll(line.data(), line.size());
    std::string reply;
    char chunk[64];
    while (reply.size() < replyBytes) {
        const auto n = socket_.Receive(chunk, std::min(sizeof chunk, replyBytes - reply.size()));
        if (n <= 0) break;
        reply.append(chunk, size_t(n));
    }
    return reply;
}

void Program::Start(const std::filesystem::path& folder) {
    process_ = std::make_unique<TarnwickProcess>(folder.empty() ? dir_.Path() : folder);
    window_ = process_->WaitForMainWindow();
    ASSERT_NE(window_, nullptr);
    remote_ = std::make_unique<RemoteProcess>(window_);
    // The shell's notification area comes with the first program on the desktop.
    ASSERT_TRUE(WaitUntil([] { return FindWindowA("Shell_TrayWnd", nullptr) != nullptr; }));
}

std::string Program::AnswerMessage(int button, const char* caption) {
    const RemoteDialog box = WaitForDialog(process_->Id());
    if (!box.window) return "<no message>";
    EXPECT_EQ(box.caption, caption);
    ClickButton(box.window, button);
    WaitUntil([&] { return !IsWindow(box.window); });
    return box.text;
}

bool Program::NoMessage() {
    return WaitForDialog(process_->Id(), 500).window == nullptr;
}

}  // namespace tarnwick::testing
