// The files that the version window lists and the version text: which files of a folder match
// the patterns, and in which order they are shown.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

// What a file's version resource says; all empty for a file without one.
struct FileVersion {
    std::string name;  // the file name, without folder
    std::string fileVersion;
    std::string productName;
    std::string productVersion;
    std::string description;
    bool hasResource = false;
};

// The parts of a "|"-separated list, empty parts left out.
std::vector<std::string> SplitList(std::string_view list);

// Whether a file name matches one wildcard pattern ("*" any run, "?" one byte), letters compared
// without regard to case, as Windows file names are.
bool MatchesPattern(std::string_view name, std::string_view pattern);
bool MatchesAnyPattern(std::string_view name, const std::vector<std::string>& patterns);

// Puts the files of the named products first, in the order of the names, then the others; by
// file name within each group.
void OrderByProducts(std::vector<FileVersion>& files, const std::vector<std::string>& products);

// The program's version: the product version (else the file version) of "<product>.exe" for the
// first product that has one among `files`; empty when none has.
std::string ProgramVersion(const std::vector<FileVersion>& files,
                           const std::vector<std::string>& products);

}  // namespace tarnwick
