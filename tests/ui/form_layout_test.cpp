#include "ui/form_layout.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace zelvane {
namespace {

TEST(FormLayoutTest, EveryControlAppearsOnceAndSpecOfFindsIt) {
    std::set<Control> seen;
    for (const ControlSpec& spec : FormControls()) {
        EXPECT_TRUE(seen.insert(spec.name).second) << static_cast<int>(spec.name);
        EXPECT_EQ(SpecOf(spec.name).name, spec.name);
    }
    EXPECT_EQ(seen.size(), 14u);
}

TEST(FormLayoutTest, TabVisitsTheEnabledTabStopsInCreationOrder) {
    std::vector<Control> order;
    for (const ControlSpec& spec : FormControls()) {
        if (spec.tabStop && !spec.disabled) order.push_back(spec.name);
    }
    using enum Control;
    EXPECT_EQ(order, (std::vector<Control>{编辑框1, 选择框1, 编辑框_转换后, 按钮1, 选择框3, 选择框5,
                                           选择框4, 选择框6, 选择框7}));
}

TEST(FormLayoutTest, OnlyCheckBoxesStartChecked) {
    for (const ControlSpec& spec : FormControls()) {
        SCOPED_TRACE(static_cast<int>(spec.name));
        if (spec.checked) {
            EXPECT_EQ(spec.kind, ControlKind::CheckBox);
        }
    }
    EXPECT_TRUE(SpecOf(Control::选择框1).checked);
    EXPECT_TRUE(SpecOf(Control::选择框2).checked && SpecOf(Control::选择框2).disabled);
}

TEST(FormLayoutTest, ControlsThatCannotTakeTheFocusHaveNoTabStop) {
    for (const ControlSpec& spec : FormControls()) {
        SCOPED_TRACE(static_cast<int>(spec.name));
        const bool focusable = spec.kind == ControlKind::EditBox || spec.kind == ControlKind::CheckBox ||
                               spec.kind == ControlKind::Button;
        EXPECT_EQ(spec.tabStop, focusable);
    }
}

TEST(FormLayoutTest, TrayMenuHasShowThenExit) {
    const auto items = TrayMenuItems();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].item, MenuItem::显示主界面);
    EXPECT_EQ(items[0].caption, "显示主界面");
    EXPECT_EQ(items[1].item, MenuItem::退出);
    EXPECT_EQ(items[1].caption, "退出");
}

TEST(FormLayoutTest, WindowIsCentredOnTheWholeScreenWithTheRemainderDropped) {
    struct Case {
        int screenWidth, screenHeight, left, top;
    };
    const Case cases[] = {
        {1024, 768, 356, 254},
        {1025, 769, 356, 255},
        {1920, 1080, 804, 410},
        {312, 259, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.screenWidth << "x" << c.screenHeight);
        const ScreenPoint origin = CentredOrigin(c.screenWidth, c.screenHeight);
        EXPECT_EQ(origin.x, c.left);
        EXPECT_EQ(origin.y, c.top);
    }
}

}  // namespace
}  // namespace zelvane
