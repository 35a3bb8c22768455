// The request protocol end to end over real loopback connections.
#include <gtest/gtest.h>

#include <mutex>

#include "support/loopback.h"

namespace tarnwick {
namespace {

using testing::Client;
using testing::LoopbackServer;

// Records what reaches the terminal table; only the code "0101" names a product.
class RecordingService final : public TerminalService {
  public:
    bool ClientLogin(std::string_view code, std::string_view address) override {
        Record("LOGIN", code, address);
        return code == "0101";
    }
    void ClientLogout(std::string_view code, std::string_view address) override {
        Record("LOGOUT", code, address);
    }
    std::vector<std::string> Calls() {
        std::lock_guard lock(mutex_);
        return calls_;
    }

  private:
    void Record(std::string_view what, std::string_view code, std::string_view address) {
        std::lock_guard lock(mutex_);
        calls_.push_back(std::string(what) + " [" + std::string(code) + "] " +
                         std::string(address));
    }
    std::mutex mutex_;
    std::vector<std::string> calls_;
};

using Calls = std::vector<std::string>;
const std::string kListed = "1\r\n";
const std::string kUnknown = "0\r\n";
const std::string kTwo = "2\r\n2\r\n";

class Protocol : public ::testing::Test {
  protected:
    RecordingService service;
    LoopbackServer server{service};
};

TEST_F(Protocol, LoginInAnyCaseWithOrWithoutCarriageReturn) {
    Client client(server.Port());
    client.Send("login:0101;3\r\n");
    EXPECT_EQ(client.Read(3), kListed);
    client.Send("LOGIN:0101;3\n");
    EXPECT_EQ(client.Read(3), kListed);
    client.Send("LoGiN:0202;3\n");
    EXPECT_EQ(client.Read(3), kUnknown);  // one reply also when no product has the code
    EXPECT_EQ(service.Calls(), (Calls{"LOGIN [0101] 127.0.0.1", "LOGIN [0101] 127.0.0.1",
                                      "LOGIN [0202] 127.0.0.1"}));
}

TEST_F(Protocol, EveryOtherLineGetsTwoTwos) {
    Client client(server.Port());
    for (const char* line :
         {"\n", "\r\n", "LOGIN\n", "LOGOUT\r\n", "HELLO:0101;3\n", " LOGIN:1;1\n"}) {
        client.Send(line);
        EXPECT_EQ(client.Read(kTwo.size()), kTwo) << line;
    }
    EXPECT_TRUE(service.Calls().empty());
}

TEST_F(Protocol, LoginWithoutSemicolonLooksUpTheEmptyCode) {
    Client client(server.Port());
    client.Send("LOGIN:0101\n");
    EXPECT_EQ(client.Read(3), kUnknown);
    EXPECT_EQ(service.Calls(), Calls{"LOGIN [] 127.0.0.1"});
}

TEST_F(Protocol, HexadecimalNumberAfterUpperCasing) {
    Client client(server.Port());
    client.Send("login:0101;0x1f\n");
    EXPECT_EQ(client.Read(3), kListed);
}

class BadNumber : public Protocol, public ::testing::WithParamInterface<const char*> {};

TEST_P(BadNumber, ClosesWithoutReplyOrTableChange) {
    Client client(server.Port());
    client.Send(GetParam());
    EXPECT_EQ(client.ReadToClose(), "");
    EXPECT_TRUE(service.Calls().empty());
}

INSTANTIATE_TEST_SUITE_P(Lines, BadNumber,
                         ::testing::Values("LOGIN:0101;\n", "LOGIN:0101;3 \n", "LOGIN:0101;3\r\r\n",
                                           "LOGIN:0101;x\n", "LOGIN:0101;+\n"),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST_F(Protocol, ARejectedLoginLosesTheRequestsBehindIt) {
    Client client(server.Port());
    client.Send("LOGIN:0101;1\nLOGIN:0101;z\nLOGIN:0101;2\n");
    EXPECT_EQ(client.ReadToClose(), kListed);
    EXPECT_EQ(service.Calls(), Calls{"LOGIN [0101] 127.0.0.1"});
}

TEST_F(Protocol, LogoutIsNotAnsweredAndTheNextRequestIsServed) {
    Client client(server.Port());
    client.Send("LOGOUT:0101\n");
    client.Send("logout:0101;3\n");
    client.Send("x\n");
    EXPECT_EQ(client.Read(kTwo.size()), kTwo);
    EXPECT_EQ(service.Calls(), (Calls{"LOGOUT [0101] 127.0.0.1", "LOGOUT [0101;3] 127.0.0.1"}));
}

TEST_F(Protocol, SeveralRequestsInOneSegmentAreServedInOrder) {
    Client client(server.Port());
    client.Send("LOGIN:0101;1\nZ\nLOGOUT:0101\nLOGIN:0202;2\r\nLOGIN:0101;3\n");
    EXPECT_EQ(client.Read(15), kListed + kTwo + kUnknown + kListed);
    EXPECT_EQ(service.Calls(), (Calls{"LOGIN [0101] 127.0.0.1", "LOGOUT [0101] 127.0.0.1",
                                      "LOGIN [0202] 127.0.0.1", "LOGIN [0101] 127.0.0.1"}));
}

TEST_F(Protocol, ALineOf16384BytesIsServedAndOneMoreByteCloses) {
    Client client(server.Port());
    client.Send(std::string(16383, 'a') + "\r\n");
    EXPECT_EQ(client.Read(kTwo.size()), kTwo);
    client.Send(std::string(16384, 'b') + "\n");
    EXPECT_EQ(client.Read(kTwo.size()), kTwo);
    client.Send(std::string(16385, 'c') + "\nx\n");
    EXPECT_EQ(client.ReadToClose(), "");
}

TEST_F(Protocol, AnUnfinishedLineIsDiscardedAtClose) {
    Client client(server.Port());
    client.Send("LOGOUT:0101\nLOGOUT:0202");
    client.CloseSending();
    EXPECT_EQ(client.ReadToClose(), "");
    // The complete line before the close was still served.
    EXPECT_EQ(service.Calls(), Calls{"LOGOUT [0101] 127.0.0.1"});
}

TEST_F(Protocol, NothingIsTrimmedAndDoubleByteCodesPassThrough) {
    Client client(server.Port());
    client.Send("LOGIN: 0101;3\n");
    EXPECT_EQ(client.Read(3), kUnknown);
    client.Send(
        "login:\xb2\xe2\xca\xd4"
        "a;3\n");
    EXPECT_EQ(client.Read(3), kUnknown);
    EXPECT_EQ(service.Calls(), (Calls{"LOGIN [ 0101] 127.0.0.1",
                                      "LOGIN [\xb2\xe2\xca\xd4"
                                      "A] 127.0.0.1"}));
}

TEST_F(Protocol, TerminalsAreToldApartByAddress) {
    Client first(server.Port(), kLoopback);
    Client second(server.Port(), kLoopback + 1);
    first.Send("LOGIN:0101;1\n");
    EXPECT_EQ(first.Read(3), kListed);
    second.Send("LOGIN:0101;1\n");
    EXPECT_EQ(second.Read(3), kListed);
    EXPECT_EQ(service.Calls(), (Calls{"LOGIN [0101] 127.0.0.1", "LOGIN [0101] 127.0.0.2"}));
}

TEST_F(Protocol, OneConnectionsFailureIsNotFeltByAnother) {
    Client good(server.Port());
    Client bad(server.Port());
    good.Send("LOGIN:0101;1\n");
    EXPECT_EQ(good.Read(3), kListed);
    bad.Send(std::string(20000, 'x'));
    EXPECT_EQ(bad.ReadToClose(), "");
    Client rejected(server.Port());
    rejected.Send("LOGIN:0101;?\n");
    EXPECT_EQ(rejected.ReadToClose(), "");
    good.Send("LOGIN:0101;2\n");
    EXPECT_EQ(good.Read(3), kListed);
}

TEST_F(Protocol, NothingIsWrittenOnConnect) {
    Client client(server.Port());
    client.CloseSending();
    EXPECT_EQ(client.ReadToClose(), "");
    EXPECT_TRUE(service.Calls().empty());
}

}  // namespace
}  // namespace tarnwick
