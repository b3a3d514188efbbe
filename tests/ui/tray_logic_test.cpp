#include "ui/tray_logic.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tests/fakes/fake_form.h"
#include "tests/fakes/fake_lifetime.h"
#include "tests/fakes/fake_tray.h"

namespace zelvane {
namespace {

using testing::FakeForm;
using testing::FakeLifetime;
using testing::FakeTray;
using Journal = std::vector<std::string>;

TEST(TrayEventOfMouseMessageTest, OnlyReleasesDoubleClicksAndContextMenusAreEvents) {
    struct Case {
        std::uint32_t message;
        std::optional<int> event;
    };
    const Case cases[] = {
        {0x202, 1},             // left button released
        {0x203, 2},             // left double-click
        {0x205, 3},             // right button released
        {0x07B, 3},             // context menu (keyboard or newer shells)
        {0x200, std::nullopt},  // move
        {0x201, std::nullopt},  // left button pressed
        {0x204, std::nullopt},  // right button pressed
        {0x206, std::nullopt},  // right double-click
        {0x207, std::nullopt},  // middle button pressed
        {0x000, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        EXPECT_EQ(TrayEventOfMouseMessage(c.message), c.event);
    }
}

class TrayLogicTest : public ::testing::Test {
protected:
    void IconPresent() { tray.ShowTrayIcon(Bytes{1, 2, 3}, std::nullopt); }

    Journal journal;
    FakeForm form;
    FakeTray tray{&journal};
    FakeLifetime lifetime{&journal};
    TrayLogic logic{form, tray, lifetime};
};

TEST_F(TrayLogicTest, TrayEventsChangeVisibilityOrOpenTheMenu) {
    struct Case {
        int code;
        bool visibleBefore;
        bool visibleAfter;
        int menus;
    };
    const Case cases[] = {
        {1, true, true, 0},  {1, false, false, 0},  // a single click does nothing
        {2, true, false, 0}, {2, false, true, 0},   // a double-click toggles
        {3, true, true, 1},  {3, false, false, 1},  // a right click opens the menu only
        {0, true, true, 0},  {4, false, false, 0},  // unknown codes do nothing
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "code " << c.code << ", visible " << c.visibleBefore);
        FakeForm window;
        FakeTray icon;
        TrayLogic tested{window, icon, lifetime};
        window.visible = c.visibleBefore;

        tested.HandleTrayEvent(c.code);

        EXPECT_EQ(window.visible, c.visibleAfter);
        EXPECT_EQ(icon.menusShown, c.menus);
    }
    EXPECT_TRUE(lifetime.exitCodes.empty());
}

TEST_F(TrayLogicTest, DoubleClickSequenceTogglesExactlyOnce) {
    // Windows reports a release, the double-click and another release.
    for (const bool startVisible : {true, false}) {
        SCOPED_TRACE(startVisible);
        form.visible = startVisible;
        for (const int code : {1, 2, 1}) logic.HandleTrayEvent(code);
        EXPECT_EQ(form.visible, !startVisible);
    }
}

TEST_F(TrayLogicTest, ShowItemShowsTheWindowAndTouchesNothingElse) {
    IconPresent();
    for (const bool startVisible : {false, true}) {
        SCOPED_TRACE(startVisible);
        form.visible = startVisible;

        logic.OnMenuSelected(MenuItem::显示主界面);

        EXPECT_TRUE(form.visible);
    }
    EXPECT_TRUE(tray.IconPresent());
    EXPECT_TRUE(lifetime.exitCodes.empty());
}

TEST_F(TrayLogicTest, ExitItemRemovesTheIconBeforeEndingWithZero) {
    IconPresent();
    form.visible = false;
    journal.clear();

    logic.OnMenuSelected(MenuItem::退出);

    EXPECT_EQ(journal, (Journal{"RemoveTrayIcon", "ExitProgram(0)"}));
    EXPECT_FALSE(tray.IconPresent());
}

TEST_F(TrayLogicTest, CloseInHideModeOnlyHidesAndKeepsTheIcon) {
    form.SetChecked(Control::选择框7, true);
    IconPresent();
    journal.clear();

    EXPECT_FALSE(logic.CanCloseWindow());

    EXPECT_FALSE(form.visible);
    EXPECT_TRUE(tray.IconPresent());
    EXPECT_TRUE(journal.empty());
}

TEST_F(TrayLogicTest, CloseOutOfHideModeRemovesTheIconAndAllowsIt) {
    IconPresent();  // left over, e.g. after 选择框7 was checked and unchecked elsewhere
    journal.clear();

    EXPECT_TRUE(logic.CanCloseWindow());

    EXPECT_FALSE(tray.IconPresent());
    EXPECT_EQ(journal, (Journal{"RemoveTrayIcon"}));  // the window's end ends the program
}

TEST_F(TrayLogicTest, SessionEndRemovesTheIconAndEndsWithZeroInEveryMode) {
    for (const bool hideMode : {true, false}) {
        SCOPED_TRACE(hideMode);
        form.SetChecked(Control::选择框7, hideMode);
        IconPresent();
        journal.clear();

        logic.OnSessionEnded();

        EXPECT_EQ(journal, (Journal{"RemoveTrayIcon", "ExitProgram(0)"}));
        EXPECT_FALSE(tray.IconPresent());
    }
}

TEST_F(TrayLogicTest, DestroyedWindowTakesItsIconAlong) {
    IconPresent();

    logic.OnWindowDestroyed();

    EXPECT_FALSE(tray.IconPresent());
    EXPECT_TRUE(lifetime.exitCodes.empty());
}

}  // namespace
}  // namespace zelvane
