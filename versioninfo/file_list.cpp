#include "versioninfo/file_list.h"

#include <algorithm>

namespace tarnwick {
namespace {

char Folded(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool SameNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return Folded(x) == Folded(y);
           });
}

// The place of the file's product among `products`, or their count for the others.
size_t ProductRank(const FileVersion& file, const std::vector<std::string>& products) {
    const auto found = std::find(products.begin(), products.end(), file.productName);
    return size_t(found - products.begin());
}

}  // namespace

std::vector<std::string> SplitList(std::string_view list) {
    std::vector<std::string> parts;
    while (!list.empty()) {
        const size_t bar = list.find('|');
        const std::string_view part = list.substr(0, bar);
        if (!part.empty()) parts.emplace_back(part);
        if (bar == std::string_view::npos) break;
        list.remove_prefix(bar + 1);
    }
    return parts;
}

// Backtracking over the last "*" only: linear in practice, never exponential.
bool MatchesPattern(std::string_view name, std::string_view pattern) {
    size_t n = 0, p = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == '?' || Folded(pattern[p]) == Folded(name[n]))) {
            ++n, ++p;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

bool MatchesAnyPattern(std::string_view name, const std::vector<std::string>& patterns) {
    return std::any_of(patterns.begin(), patterns.end(),
                       [&](const std::string& pattern) { return MatchesPattern(name, pattern); });
}

void OrderByProducts(std::vector<FileVersion>& files, const std::vector<std::string>& products) {
    std::stable_sort(files.begin(), files.end(), [&](const FileVersion& a, const FileVersion& b) {
        const size_t ra = ProductRank(a, products), rb = ProductRank(b, products);
        if (ra != rb) return ra < rb;
        return a.name < b.name;
    });
}

std::string ProgramVersion(const std::vector<FileVersion>& files,
                           const std::vector<std::string>& products) {
    for (const std::string& product : products) {
        for (const FileVersion& file : files) {
            if (!file.hasResource || !SameNoCase(file.name, product + ".exe")) continue;
            return file.productVersion.empty() ? file.fileVersion : file.productVersion;
        }
    }
    return {};
}

}  // namespace tarnwick
