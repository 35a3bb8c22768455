// Registry keys as the autorun entry uses them, on a key of the test's own under
// HKEY_CURRENT_USER, so that the machine-wide Run key is left to the dialog's tests.
#include "terminals/autorun_win.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "common/wide_text_win.h"
#include "support/inside_win.h"

namespace tarnwick {
namespace {

// Values as code page 936 text, as the tests' expectations are written.
std::string ReadText(const RegistryKey& key, const std::string& name) {
    return Narrow(key.ReadWide(name));
}
void WriteText(RegistryKey& key, const std::string& name, const std::string& data) {
    key.WriteWide(name, Wide(data));
}

constexpr const char* kTestKey = "Software\\TarnwickTests\\Autorun";

class RegistryKeyTest : public ::testing::Test {
  protected:
    void SetUp() override { RegDeleteKeyA(HKEY_CURRENT_USER, kTestKey); }
    void TearDown() override { RegDeleteKeyA(HKEY_CURRENT_USER, kTestKey); }

    // Stores `data` byte for byte, so that a test controls type and terminator.
    void StoreBytes(const char* name, DWORD type, std::string_view data) {
        HKEY key;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        EXPECT_EQ(RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                                 DWORD(data.size())),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }
    void Store(const char* name, DWORD type, const std::string& text) {
        StoreBytes(name, type, std::string_view(text.c_str(), text.size() + 1));
    }
    // The raw type and bytes of a value; type 0 when it is missing.
    std::pair<DWORD, std::string> Stored(const char* name) {
        char data[1024] = {};
        DWORD type = 0, size = sizeof data;
        if (RegGetValueA(HKEY_CURRENT_USER, kTestKey, name, RRF_RT_ANY | RRF_NOEXPAND, &type, data,
                         &size) != ERROR_SUCCESS) {
            return {0, {}};
        }
        return {type, std::string(data, size)};
    }

    RegistryKey Key() { return RegistryKey(HKEY_CURRENT_USER, kTestKey); }
};

TEST_F(RegistryKeyTest, CreatesAMissingKeyAndReadsAMissingValueAsEmpty) {
    const RegistryKey key = Key();
    ASSERT_TRUE(TestInsideWin::IsOpen(key));
    EXPECT_EQ(ReadText(key, "Tarnwick"), "");
    EXPECT_FALSE(key.HasValue("Tarnwick"));
}

TEST_F(RegistryKeyTest, ReadsStringsAsStored) {
    Store("plain", REG_SZ, "C:\\Program Files\\Tarnwick.exe");
    StoreBytes("unterminated", REG_SZ, "C:\\A\\Tarnwick.exe");
    Store("expandable", REG_EXPAND_SZ, "%SystemRoot%\\Tarnwick.exe");
    Store("chinese", REG_SZ, "C:\\服务\\Tarnwick.exe");
    Store("empty", REG_SZ, "");
    const RegistryKey key = Key();
    EXPECT_EQ(ReadText(key, "plain"), "C:\\Program Files\\Tarnwick.exe");
    EXPECT_EQ(ReadText(key, "unterminated"), "C:\\A\\Tarnwick.exe");
    EXPECT_EQ(ReadText(key, "expandable"), "%SystemRoot%\\Tarnwick.exe");
    EXPECT_EQ(ReadText(key, "chinese"), "C:\\服务\\Tarnwick.exe");
    EXPECT_EQ(ReadText(key, "empty"), "");
    EXPECT_TRUE(key.HasValue("empty"));
}

TEST_F(RegistryKeyTest, AValueOfAnotherTypeIsAnError) {
    StoreBytes("number", REG_DWORD, std::string_view("\x01\x00\x00\x00", 4));
    StoreBytes("bytes", REG_BINARY, "C:\\");
    StoreBytes("list", REG_MULTI_SZ, std::string_view("a\0b\0", 5));
    const RegistryKey key = Key();
    for (const char* name : {"number", "bytes", "list"}) {
        EXPECT_TRUE(key.HasValue(name));
        EXPECT_THROW(ReadText(key, name), std::runtime_error) << name;
    }
}

TEST_F(RegistryKeyTest, WritesAStringWithItsTerminatorAndDeletesIt) {
    RegistryKey key = Key();
    WriteText(key, "Tarnwick", "C:\\A B\\Tarnwick.exe");
    EXPECT_EQ(Stored("Tarnwick"),
              std::make_pair(DWORD(REG_SZ), std::string("C:\\A B\\Tarnwick.exe", 20)));
    key.DeleteValue("Tarnwick");
    EXPECT_EQ(Stored("Tarnwick").first, 0u);
    key.DeleteValue("Tarnwick");  // already gone: quiet
}

TEST_F(RegistryKeyTest, AFailedWriteIsAnError) {
    RegistryKey key = Key();
    const std::string tooLongName(20000, 'n');
    EXPECT_THROW(WriteText(key, tooLongName, "x"), std::runtime_error);
}

// A key deleted behind its open handle refuses every change, as the machine-wide key refuses a
// user without the rights to it: clearing the entry must not pass for done.
TEST_F(RegistryKeyTest, AValueThatCannotBeDeletedIsAnError) {
    Store(kAutorunValue, REG_SZ, "C:\\A\\Tarnwick.exe");
    RegistryKey key = Key();
    ASSERT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, kTestKey), ERROR_SUCCESS);
    EXPECT_THROW(key.DeleteValue(kAutorunValue), std::runtime_error);
    EXPECT_THROW(SetAutorun(key, false, "C:\\A\\"), std::runtime_error);
}

// The program's words, then the cause as Windows words it in its own language: the tests run
// under a Chinese Windows ("拒绝访问。", Wine "访问被拒绝。"), with the line end dropped.
TEST_F(RegistryKeyTest, AFailureSaysWhyInWindowsOwnWords) {
    EXPECT_EQ(Wide(SystemErrorText(ERROR_ACCESS_DENIED)).back(), L'。');
    Store(kAutorunValue, REG_SZ, "C:\\A\\Tarnwick.exe");
    RegistryKey key = Key();
    ASSERT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, kTestKey), ERROR_SUCCESS);
    try {
        key.DeleteValue(kAutorunValue);
        FAIL();
    } catch (const std::runtime_error& e) {
        const std::string what = e.what();
        const std::string words = "无法删除注册表值 Tarnwick（错误 ";
        ASSERT_EQ(what.compare(0, words.size(), words), 0) << what;
        const DWORD code = DWORD(std::stoul(what.substr(words.size())));
        EXPECT_EQ(what, words + std::to_string(code) + "）。" + SystemErrorText(code));
        EXPECT_NE(SystemErrorText(code), "");
    }
}

TEST_F(RegistryKeyTest, AKeyThatCannotBeOpenedIsSilent) {
    RegistryKey key(nullptr, "Software");
    EXPECT_FALSE(TestInsideWin::IsOpen(key));
    EXPECT_EQ(ReadText(key, "Tarnwick"), "");
    EXPECT_FALSE(key.HasValue("Tarnwick"));
    EXPECT_NO_THROW(WriteText(key, "Tarnwick", "x"));
    EXPECT_NO_THROW(key.DeleteValue("Tarnwick"));
    EXPECT_FALSE(HoldsAutorunFor(key, "C:\\"));
    EXPECT_NO_THROW(SetAutorun(key, true, "C:\\"));
}

TEST_F(RegistryKeyTest, AMovedKeyIsClosedOnce) {
    RegistryKey first = Key();
    RegistryKey second = std::move(first);
    EXPECT_FALSE(TestInsideWin::IsOpen(first));
    ASSERT_TRUE(TestInsideWin::IsOpen(second));
    WriteText(second, "v", "1");
    first = std::move(second);
    EXPECT_EQ(ReadText(first, "v"), "1");
}

TEST(Autorun, NamesTheFixedProgramInTheFolderWithoutQuotes) {
    EXPECT_EQ(AutorunCommand("C:\\Program Files\\Tarnwick\\"),
              L"C:\\Program Files\\Tarnwick\\Tarnwick.exe");
}

TEST_F(RegistryKeyTest, TheEntryMatchesItsFolderIgnoringOnlyTheCaseOfAToZ) {
    const std::filesystem::path folder = Wide("C:\\Tarnwick服务\\");
    const struct {
        const char* stored;
        bool matches;
    } cases[] = {
        {"C:\\Tarnwick服务\\Tarnwick.exe", true},   {"c:\\TARNWICK服务\\tarnwick.EXE", true},
        {"C:\\Other\\Tarnwick.exe", false},         {"\"C:\\Tarnwick服务\\Tarnwick.exe\"", false},
        {"C:\\Tarnwick服务\\Tarnwick.exe ", false}, {"", false},
    };
    for (const auto& c : cases) {
        Store(kAutorunValue, REG_SZ, c.stored);
        EXPECT_EQ(HoldsAutorunFor(Key(), folder), c.matches) << c.stored;
    }
    RegDeleteKeyA(HKEY_CURRENT_USER, kTestKey);
    EXPECT_FALSE(HoldsAutorunFor(Key(), folder));
}

TEST_F(RegistryKeyTest, SettingTheEntryWritesItAlwaysAndClearingDeletesIt) {
    RegistryKey key = Key();
    Store(kAutorunValue, REG_SZ, "c:\\a\\tarnwick.exe");
    SetAutorun(key, true, "C:\\A\\");
    EXPECT_EQ(ReadText(key, kAutorunValue), "C:\\A\\Tarnwick.exe");
    SetAutorun(key, false, "C:\\A\\");
    EXPECT_FALSE(key.HasValue(kAutorunValue));
    SetAutorun(key, false, "C:\\A\\");
    EXPECT_FALSE(key.HasValue(kAutorunValue));
}

}  // namespace
}  // namespace tarnwick
