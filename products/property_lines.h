// The lines of the property view, built from the product list as it is when the view opens.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tarnwick {

// The label-value separator of the view: the full-width colon, nothing around it.
inline constexpr const char* kPropertyColon = "：";

// One line per column: the column's caption, "：" and the selected row's text in that column
// (the row's caption in column 0, its sub-items after it). `row` holds one text per column; a
// missing text counts as empty. No row selected: no lines.
std::vector<std::string> PropertyLines(const std::vector<std::string>& columnCaptions,
                                       const std::optional<std::vector<std::string>>& row);

// The lines as the memo holds them: joined by CR LF.
std::string MemoText(const std::vector<std::string>& lines);

}  // namespace tarnwick
