// The listener's settings in main.ini, read afresh on every use: texts exactly as stored, the
// port also as an integer where anything but integer text reads as 0.
#include "terminals/server_settings.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace tarnwick {
namespace {

using testing::TempFolder;

std::string ServerSection(std::string_view host, std::string_view port) {
    return "[server]\r\nhost=" + std::string(host) + "\r\nip=" + std::string(port) + "\r\n";
}

TEST(ServerSettings, WithoutMainIniEverythingIsEmptyAndUnset) {
    const TempFolder folder;
    const ServerSettings settings(folder.Folder());
    EXPECT_EQ(settings.Read().host, "");
    EXPECT_EQ(settings.Read().portText, "");
    EXPECT_EQ(settings.Read().port, 0);
    EXPECT_TRUE(settings.Read().Unset());
    EXPECT_FALSE(folder.Holds("main.ini"));
}

TEST(ServerSettings, ReadsThePortAsIntegerTextAndAnythingElseAsZero) {
    const struct {
        const char* stored;
        std::int32_t port;
    } cases[] = {
        {"8080", 8080}, {"0x32", 50}, {"$32", 50},       {"X32", 50},   {"0X32", 50},
        {"0", 0},       {"-1", -1},   {"70000", 70000},  {"12abc", 0},  {"", 0},
        {"8O", 0},      {"0x", 0},    {"2147483648", 0}, {"+0x1F", 31},
    };
    const TempFolder folder;
    for (const auto& c : cases) {
        folder.Write("main.ini", ServerSection("10.0.0.1", c.stored));
        const ServerSettings settings(folder.Folder());
        EXPECT_EQ(settings.Read().port, c.port) << '"' << c.stored << '"';
        EXPECT_EQ(settings.Read().portText, c.stored);
    }
}

TEST(ServerSettings, BlanksAroundValuesAreNotPartOfThem) {
    const TempFolder folder;
    folder.Write("main.ini", "[server]\r\nhost =  127.0.0.1 \t\r\nip=   80  \r\n");
    const ServerSettings settings(folder.Folder());
    EXPECT_EQ(settings.Read().host, "127.0.0.1");
    EXPECT_EQ(settings.Read().portText, "80");
    EXPECT_EQ(settings.Read().port, 80);
}

TEST(ServerSettings, SectionAndKeysMatchWithoutRegardToCase) {
    const TempFolder folder;
    folder.Write("main.ini", "[Other]\r\nhost=x\r\n[SERVER]\r\nHost=10.1.2.3\r\nIP=$50\r\n");
    const ServerSettings settings(folder.Folder());
    EXPECT_EQ(settings.Read().host, "10.1.2.3");
    EXPECT_EQ(settings.Read().port, 80);
}

TEST(ServerSettings, ValuesAreCutAfter2047Bytes) {
    const TempFolder folder;
    const std::string longHost(3000, '1');
    folder.Write("main.ini", ServerSection(longHost, "80"));
    EXPECT_EQ(ServerSettings(folder.Folder()).Read().host, longHost.substr(0, 2047));
}

TEST(ServerSettings, UnsetMeansAnEmptyHostOrPortZero) {
    const struct {
        const char* host;
        const char* port;
        bool unset;
    } cases[] = {
        {"127.0.0.1", "80", false},  {"", "80", true},
        {"127.0.0.1", "0", true},    {"127.0.0.1", "", true},
        {"127.0.0.1", "80 x", true}, {"a", "0x50", false},
    };
    const TempFolder folder;
    for (const auto& c : cases) {
        folder.Write("main.ini", ServerSection(c.host, c.port));
        EXPECT_EQ(ServerSettings(folder.Folder()).Read().Unset(), c.unset)
            << '"' << c.host << "\" \"" << c.port << '"';
    }
}

TEST(ServerSettings, SaveCreatesTheFileAndWritesBothTextsAsGiven) {
    const TempFolder folder;
    ServerSettings settings(folder.Folder());
    ASSERT_TRUE(settings.Save("192.168.1.10", "0x50"));
    EXPECT_EQ(settings.Read().host, "192.168.1.10");
    EXPECT_EQ(settings.Read().portText, "0x50");
    EXPECT_EQ(settings.Read().port, 80);
    const std::string file = folder.Read("main.ini");
    EXPECT_NE(file.find("[server]"), std::string::npos) << file;
    EXPECT_NE(file.find("host=192.168.1.10"), std::string::npos) << file;
    EXPECT_NE(file.find("ip=0x50"), std::string::npos) << file;
}

TEST(ServerSettings, SaveReplacesTheValuesAndKeepsAnEmptyPortAsAKey) {
    const TempFolder folder;
    ServerSettings settings(folder.Folder());
    ASSERT_TRUE(settings.Save("10.0.0.1", "80"));
    ASSERT_TRUE(settings.Save("10.0.0.2", ""));
    EXPECT_EQ(settings.Read().host, "10.0.0.2");
    EXPECT_EQ(settings.Read().portText, "");
    EXPECT_EQ(settings.Read().port, 0);
    EXPECT_NE(folder.Read("main.ini").find("ip="), std::string::npos);
}

TEST(ServerSettings, SaveIntoAMissingFolderFails) {
    const TempFolder folder;
    ServerSettings settings(folder.Folder() + "missing" + folder.Folder().back());
    EXPECT_FALSE(settings.Save("10.0.0.1", "80"));
}

}  // namespace
}  // namespace tarnwick
