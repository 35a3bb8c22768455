#include "products/property_lines.h"

namespace tarnwick {

std::vector<std::string> PropertyLines(const std::vector<std::string>& columnCaptions,
                                       const std::optional<std::vector<std::string>>& row) {
    std::vector<std::string> lines;
    if (!row) return lines;
    for (size_t c = 0; c < columnCaptions.size(); ++c) {
        std::string line = columnCaptions[c] + kPropertyColon;
        if (c < row->size()) line += (*row)[c];
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string MemoText(const std::vector<std::string>& lines) {
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i) text += "\r\n";
        text += lines[i];
    }
    return text;
}

}  // namespace tarnwick
