#include "common/action_list.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace tarnwick {
namespace {

enum class Act {
    actFileExit,
    actFileProperty,
    actHelpTopic,
    actViewLargeIcon,
    actViewReport,
    actViewTool
};
using enum Act;

class ActionListTest : public ::testing::Test {
  protected:
    ActionListTest() {
        list.OnChanged([this](const Action& a) { changes.push_back(Act(a.Index())); });
        list.Add({"actFileExit", "File", "退出(&X)", 0}, [this] { ++runs; });
        list.Add({"actFileProperty", "File", "属性(&P)...", 5, 0, false}, [this] { ++runs; });
        list.Add({"actHelpTopic", "Help", "帮助主题(&T)", 12, 0x70}, [this] { ++runs; });
        list.Add({"actViewLargeIcon", "View", "大图标(&L)", -1, 0, true, false, 1}, {});
        list.Add({"actViewReport", "View", "详细资料(&D)", -1, 0, true, true, 1}, {});
        list.Add({"actViewTool", "View", "工具条(&T)", -1, 0, true, true, 0}, {});
    }
    ActionList list;
    std::vector<Act> changes;
    int runs = 0;
};

TEST_F(ActionListTest, RunsTheHandlerOnlyWhenEnabled) {
    EXPECT_TRUE(list[actFileExit].Execute());
    EXPECT_FALSE(list[actFileProperty].Execute());
    EXPECT_EQ(runs, 1);
    list[actFileProperty].SetEnabled(true);
    EXPECT_TRUE(list[actFileProperty].Execute());
    EXPECT_EQ(runs, 2);
}

TEST_F(ActionListTest, TellsItsObserverOfRealChangesOnly) {
    list[actFileExit].SetEnabled(true);
    list[actFileProperty].SetEnabled(true);
    list[actFileProperty].SetEnabled(false);
    EXPECT_EQ(changes, (std::vector<Act>{actFileProperty, actFileProperty}));
}

TEST_F(ActionListTest, ARadioGroupCarriesOneMark) {
    list[actViewLargeIcon].SetChecked(true);
    EXPECT_TRUE(list[actViewLargeIcon].Checked());
    EXPECT_FALSE(list[actViewReport].Checked());
    EXPECT_TRUE(list[actViewTool].Checked());  // outside the group
    list[actViewTool].SetChecked(false);
    EXPECT_FALSE(list[actViewTool].Checked());
    EXPECT_TRUE(list[actViewLargeIcon].Checked());
}

TEST_F(ActionListTest, KnowsEachActionByItsPlace) {
    EXPECT_EQ(list.At(6), nullptr);
    EXPECT_THROW(list[Act(6)], std::out_of_range);
    EXPECT_EQ(list[actHelpTopic].Index(), 2);
    EXPECT_EQ(list.At(2), &list[actHelpTopic]);
    EXPECT_EQ(list[actHelpTopic].Shortcut(), 0x70);
    EXPECT_EQ(list[actFileProperty].Image(), 5);
}

}  // namespace
}  // namespace tarnwick
