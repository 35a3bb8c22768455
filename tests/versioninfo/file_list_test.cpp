// Which files the version window lists, in which order, and which version text the program gets.
#include "versioninfo/file_list.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(FileList, PatternsMatchAsWindowsFileNamesDo) {
    const struct {
        const char* name;
        const char* pattern;
        bool matches;
    } cases[] = {
        {"Tarnwick.exe", "*.exe", true},
        {"TARNWICK.EXE", "*.exe", true},
        {"a.dll", "*.dll", true},
        {"a.dll.txt", "*.dll", false},
        {"dll", "*.dll", false},
        {".dll", "*.dll", true},
        {"ab.dll", "a?.dll", true},
        {"a.dll", "a?.dll", false},
        {"a.b.exe", "*.*.exe", true},
        {"x", "*", true},
        {"", "*", true},
        {"", "?", false},
        {"aXbXc", "a*b*c", true},
        {"aXbXd", "a*b*c", false},
        {"版本.exe", "*.exe", true},
        {"Tarnwick.exe", "Tarnwick.exe", true},
        {"Tarnwick.ex", "Tarnwick.exe", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MatchesPattern(c.name, c.pattern), c.matches) << c.name << " ~ " << c.pattern;
    }
}

TEST(FileList, ListsSplitAtBarsWithoutEmptyParts) {
    using Parts = std::vector<std::string>;
    EXPECT_EQ(SplitList("*.dll|*.exe"), (Parts{"*.dll", "*.exe"}));
    EXPECT_EQ(SplitList("Tarnwick"), (Parts{"Tarnwick"}));
    EXPECT_EQ(SplitList("|a||b|"), (Parts{"a", "b"}));
    EXPECT_EQ(SplitList(""), Parts{});
    EXPECT_TRUE(MatchesAnyPattern("x.exe", SplitList("*.dll|*.exe")));
    EXPECT_FALSE(MatchesAnyPattern("x.ini", SplitList("*.dll|*.exe")));
    EXPECT_FALSE(MatchesAnyPattern("x.exe", {}));
}

FileVersion File(const char* name, const char* product, const char* version = "") {
    FileVersion file{name, version, product, version, "", *product != '\0'};
    return file;
}

TEST(FileList, NamedProductsComeFirstInTheOrderOfTheNames) {
    std::vector<FileVersion> files = {
        File("z.dll", "Other"),    File("b.dll", "Bellmoor"),
        File("plain.dll", ""),     File("VersionInfo.dll", "Tarnwick"),
        File("a.dll", "Bellmoor"), File("Tarnwick.exe", "Tarnwick"),
        File("c.exe", "tarnwick"),
    };
    OrderByProducts(files, {"Tarnwick", "Bellmoor"});
    std::vector<std::string> names;
    for (const auto& file : files)
        names.push_back(file.name);
    // Product names compare exactly: "tarnwick" is another product.
    EXPECT_EQ(names, (std::vector<std::string>{"Tarnwick.exe", "VersionInfo.dll", "a.dll", "b.dll",
                                               "c.exe", "plain.dll", "z.dll"}));
}

TEST(FileList, TheVersionIsTheProgramsOwn) {
    const std::vector<FileVersion> files = {
        File("VersionInfo.dll", "Tarnwick", "9.9.9.9"),
        File("Bellmoor.exe", "Bellmoor", "2.0.0.0"),
        File("tarnwick.EXE", "Tarnwick", "3.1.0.0"),
    };
    EXPECT_EQ(ProgramVersion(files, {"Tarnwick"}), "3.1.0.0");
    EXPECT_EQ(ProgramVersion(files, {"Nothing", "Bellmoor"}), "2.0.0.0");
    EXPECT_EQ(ProgramVersion(files, {"VersionInfo"}), "");
    EXPECT_EQ(ProgramVersion({File("Tarnwick.exe", "")}, {"Tarnwick"}), "");
    EXPECT_EQ(ProgramVersion(files, {}), "");
}

}  // namespace
}  // namespace tarnwick
