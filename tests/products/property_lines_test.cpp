// The lines of the property view from the list's column captions and the selected row.
#include "products/property_lines.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

using Texts = std::vector<std::string>;

TEST(PropertyLines, OneLinePerColumnWithTheFullWidthColon) {
    const Texts columns = {"产品名称", "服务器", "数据库"};
    const struct {
        const char* what;
        Texts columns;
        std::optional<Texts> row;
        Texts lines;
    } cases[] = {
        {"server and database",
         columns,
         Texts{"0101-财务", "DB1", "Fin"},
         {"产品名称：0101-财务", "服务器：DB1", "数据库：Fin"}},
        {"empty values end in the colon",
         columns,
         Texts{"0102-进销存", "", ""},
         {"产品名称：0102-进销存", "服务器：", "数据库："}},
        {"a colon in the caption stays",
         columns,
         Texts{"0103-人事：工资", " s ", "d"},
         {"产品名称：0103-人事：工资", "服务器： s ", "数据库：d"}},
        {"captions as the list has them now", {"A", ""}, Texts{"x", "y"}, {"A：x", "：y"}},
        {"one column", {"产品名称"}, Texts{"x"}, {"产品名称：x"}},
        {"a text missing for a column",
         columns,
         Texts{"x"},
         {"产品名称：x", "服务器：", "数据库："}},
        {"no row selected", columns, std::nullopt, {}},
        {"no columns", {}, Texts{}, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PropertyLines(c.columns, c.row), c.lines) << c.what;
    }
}

TEST(PropertyLines, TheMemoJoinsLinesWithCrLf) {
    EXPECT_EQ(MemoText({}), "");
    EXPECT_EQ(MemoText({"a"}), "a");
    EXPECT_EQ(MemoText({"a", "", "c"}), "a\r\n\r\nc");
}

}  // namespace
}  // namespace tarnwick
