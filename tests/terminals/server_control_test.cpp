// The Server menu's commands: their messages and states, on a real listener and, for the states a
// real one never reaches, on a scripted one.
#include "terminals/server_control.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/loopback.h"
#include "support/temp_folder.h"
#include "terminals/listener_support.h"
#include "terminals/server_control_support.h"
#include "terminals/server_settings.h"
#include "terminals/terminal_table.h"

namespace tarnwick {
namespace {

using testing::Accepts;
using testing::ClientSocket;
using testing::Events;
using testing::FakeSettings;
using testing::FreePort;
using testing::kRunning;
using testing::kStartFailed;
using testing::kStopped;
using testing::ListenerCommands;
using testing::RecordingView;

TEST_F(ListenerCommands, StartRunsOnTheSettingsAndStopEndsIt) {
    control.actServerStartExecute();
    EXPECT_EQ(view.Take(), kRunning);
    EXPECT_TRUE(listener.Running());
    EXPECT_TRUE(Accepts(std::uint16_t(settings.port)));

    control.actServerStopExecute();
    EXPECT_EQ(view.Take(), kStopped);
    EXPECT_FALSE(listener.Running());
    EXPECT_TRUE(listener.Bindings().empty());
    EXPECT_FALSE(Accepts(std::uint16_t(settings.port)));
}

TEST_F(ListenerCommands, StopWhileStoppedSetsTheStoppedStatesWithoutAMessage) {
    EXPECT_TRUE(control.Stop());
    EXPECT_EQ(view.Take(), kStopped);
}

TEST_F(ListenerCommands, UnsetSettingsAskForSettings) {
    const std::vector<std::pair<std::string, std::int32_t>> unset = {{"", settings.port},
                                                                     {"127.0.0.1", 0}};
    for (const auto& [host, port] : unset) {
        settings.host = host;
        settings.port = port;
        control.actServerStartExecute();
        EXPECT_EQ(view.Take(), Events{std::string("error ") + kSetSettingsText});
        EXPECT_FALSE(listener.Running());
        EXPECT_TRUE(listener.Bindings().empty());
    }
}

TEST_F(ListenerCommands, AnUnreadableFileIsReported) {
    settings.failing = true;
    control.actServerStartExecute();
    EXPECT_EQ(view.Take(), Events{std::string("error ") + kReadSettingsFailedText});
    EXPECT_FALSE(listener.Running());
}

// main.ini as a site may have it: every start shows the message of what it read, and nothing
// worse. Texts longer than 2047 bytes are cut: the cut host is no address, the cut port has lost
// its digits.
TEST_F(ListenerCommands, StartsFromMainIniFilesOfEveryKind) {
    const std::string port = std::to_string(settings.port);
    std::string garbage;
    for (int i = 0; i < 100000; ++i)
        garbage += char((i * 7919 + i / 13) & 0xFF);
    std::string huge;
    while (huge.size() < 10 * 1024 * 1024)
        huge += "junk=" + std::string(5000, 'j') + "\r\n[other]\r\n";
    const struct {
        const char* what;
        std::string file;  // empty: a folder stands where the file should be
        Events shown;
    } cases[] = {
        {"unreadable", "", {std::string("error ") + kReadSettingsFailedText}},
        {"long host", "[server]\r\nhost=127.0.0.1" + std::string(3000, '0') + "\r\nip=" + port,
         kStartFailed},
        {"long port",
         "[server]\r\nhost=127.0.0.1\r\nip=" + std::string(2047, '0') + port,
         {std::string("error ") + kSetSettingsText}},
        {"binary garbage", garbage, {std::string("error ") + kSetSettingsText}},
        {"ten megabytes", huge + "[server]\r\nhost=127.0.0.1\r\nip=" + port + "\r\n" + huge,
         kRunning},
    };
    for (const auto& c : cases) {
        const testing::TempFolder folder;
        if (c.file.empty()) {
            std::filesystem::create_directory(folder.PathOf("main.ini"));
        } else {
            folder.Write("main.ini", c.file);
        }
        const ServerSettings file(folder.Folder());
        ServerControl fromFile(listener, file, view);
        fromFile.actServerStartExecute();
        EXPECT_EQ(view.Take(), c.shown) << c.what;
        fromFile.actServerStopExecute();
        view.Take();
    }
}

TEST_F(ListenerCommands, AnAddressOrPortThatCannotBeBoundFailsTheStart) {
    const std::vector<std::pair<std::string, std::int32_t>> refused = {
        {"localhost", settings.port},
        {"127.0.0", settings.port},
        {"127.0.0.1", 65536},
        {"127.0.0.1", -1},
        {"192.0.2.1", settings.port}};  // not this machine's
    for (const auto& [host, port] : refused) {
        settings.host = host;
        settings.port = port;
        control.actServerStartExecute();
        EXPECT_EQ(view.Take(), kStartFailed) << host << " " << port;
        EXPECT_FALSE(listener.Running());
    }
}

TEST_F(ListenerCommands, PortInUseFailsTheStartAndARetryOnAFreePortSucceeds) {
    std::error_code error;
    const Socket other = Socket::Listen(kLoopback, std::uint16_t(settings.port), 1, error);
    ASSERT_FALSE(error);
    control.actServerStartExecute();
    EXPECT_EQ(view.Take(), kStartFailed);
    EXPECT_FALSE(listener.Running());

    settings.port = FreePort();
    control.actServerStartExecute();
    EXPECT_EQ(view.Take(), kRunning);
    EXPECT_TRUE(Accepts(std::uint16_t(settings.port)));
}

TEST_F(ListenerCommands, NewSettingsReachARunningListenerOnlyThroughStopAndStart) {
    const auto oldPort = std::uint16_t(settings.port);
    control.actServerStartExecute();
    view.Take();
    settings.port = FreePort();
    const auto newPort = std::uint16_t(settings.port);
    EXPECT_TRUE(Accepts(oldPort));
    EXPECT_FALSE(Accepts(newPort));

    control.actServerSnSExecute();
    Events expected = kStopped;
    expected.insert(expected.end(), kRunning.begin(), kRunning.end());
    EXPECT_EQ(view.Take(), expected);
    EXPECT_FALSE(Accepts(oldPort));
    EXPECT_TRUE(Accepts(newPort));
    ASSERT_EQ(listener.Bindings().size(), 1u);
    EXPECT_EQ(listener.Bindings()[0].port, newPort);
}

TEST_F(ListenerCommands, StopAndStartWhoseStartFailsEndsStopped) {
    control.actServerStartExecute();
    view.Take();
    settings.host = "127.0.0";
    control.actServerSnSExecute();
    Events expected = kStopped;
    expected.insert(expected.end(), kStartFailed.begin(), kStartFailed.end());
    EXPECT_EQ(view.Take(), expected);
    EXPECT_FALSE(listener.Running());
}

TEST(ListenerCommandsTimeout, ATimedOutStopReportsTheErrorAndChangesNothing) {
    testing::BlockingService service;
    TcpListener listener(service, SystemThreads(), testing::WaitingAtMost({}));
    FakeSettings settings;
    settings.port = FreePort();
    RecordingView view;
    ServerControl control(listener, settings, view);
    control.actServerStartExecute();
    view.Take();
    testing::Client client(std::uint16_t(settings.port));
    client.Send("LOGIN:0101;1\n");
    service.WaitForLogins(1);

    EXPECT_FALSE(control.Stop());
    EXPECT_EQ(view.Take(), Events{"general Terminate Thread Timeout"});
    EXPECT_TRUE(listener.Running());
    EXPECT_EQ(listener.Bindings().size(), 1u);

    control.actServerSnSExecute();  // ends with the stop's error, before the start
    EXPECT_EQ(view.Take(), Events{"general Terminate Thread Timeout"});

    service.Release();
    while (listener.OpenConnections() != 0)
        SleepMilliseconds(10);
    control.actServerStopExecute();
    EXPECT_EQ(view.Take(), kStopped);
}

// An accept thread that fails tells the window's thread, which then stops the listener as the
// stop command does, instead of leaving it running with nobody accepting.
TEST(ListenerCommandsAcceptFailure, AnEndOfAcceptingStopsTheListenerAsStopDoes) {
    testing::FakeClock clock;
    TerminalTable table{clock};
    testing::FailingAfterOne threads;  // the second connection cannot be recorded
    TcpListener listener{table, threads};
    std::atomic<int> notices{0};
    listener.OnAcceptFailed([&] { ++notices; });
    FakeSettings settings;
    settings.port = FreePort();
    RecordingView view;
    ServerControl control{listener, settings, view};
    control.actServerStartExecute();
    testing::Client(std::uint16_t(settings.port)).Send("x\n");
    EXPECT_EQ(testing::Client(std::uint16_t(settings.port), kLoopback + 1).ReadToClose(), "");
    while (notices == 0)  // the socket closes just before the notice
        SleepMilliseconds(5);
    view.Take();
    control.CheckAccepting();
    EXPECT_EQ(view.Take(), kStopped);
    EXPECT_FALSE(Accepts(std::uint16_t(settings.port)));
}

// A listener whose opening and shutdown return without effect, for the states that the real
// one never reaches.
class StuckListener final : public Listener {
  public:
    void RemoveBindings() override { bindings.clear(); }
    void AddBinding(std::string ip, std::int32_t port) override {
        bindings.push_back({std::move(ip), port});
    }
    void Open() override {}
    void Shutdown() override {}
    bool Running() const override { return running; }
    bool running = false;
    std::vector<ListenerBinding> bindings;
};

class ListenerCommandsStuck : public ::testing::Test {
  protected:
    ListenerCommandsStuck() { settings.port = 4000; }
    StuckListener listener;
    FakeSettings settings;
    RecordingView view;
    ServerControl control{listener, settings, view};
};

TEST_F(ListenerCommandsStuck, AnOpeningThatLeavesTheListenerStoppedFailsTheStart) {
    control.actServerStartExecute();
    EXPECT_EQ(view.Take(), (Events{std::string("error ") + kStartFailedText,
                                   std::string("panel ") + kListenerStoppedText}));
}

TEST_F(ListenerCommandsStuck, AShutdownThatLeavesTheListenerRunningFailsTheStop) {
    listener.running = true;
    const Events stopFailed = {std::string("error ") + kStopFailedText,
                               std::string("panel ") + kListenerRunningText};
    EXPECT_TRUE(control.Stop());
    EXPECT_EQ(view.Take(), stopFailed);
    // Stop-and-start then leaves the running listener and its binding alone.
    listener.AddBinding("127.0.0.1", 3000);
    control.actServerSnSExecute();
    EXPECT_EQ(view.Take(), stopFailed);
}

TEST_F(ListenerCommandsStuck, AStartNeverRebindsARunningListener) {
    listener.running = true;
    listener.AddBinding("127.0.0.1", 3000);
    control.actServerStartExecute();
    EXPECT_EQ(view.Take(), kStartFailed);
    ASSERT_EQ(listener.bindings.size(), 1u);
    EXPECT_EQ(listener.bindings[0].port, 3000);
}

}  // namespace
}  // namespace tarnwick
