// The main window, its tray icon and the ways the program ends, driven from
// outside the real zelvane.exe.
#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "core/encoding_win32.h"
#include "tests/e2e/harness_win32.h"
#include "ui/credits.h"

namespace zelvane::e2e {
namespace {

using enum Control;

// Long enough for a posted message to have been handled, for checks that
// something did NOT happen.
constexpr Duration kSettle = 800ms;

RunOptions HideModeStart() { return RunOptions{{ConfigEntry{"AutoHide.dll", "AutoHide"}}}; }

// Wine takes the pointer's place from the X server now and then (a window
// shown elsewhere may move it): set it until it stays put.
bool PlaceCursor(int x, int y) {
    return WaitUntil([&] {
        ::SetCursorPos(x, y);
        Pause(100ms);
        POINT now{};
        return ::GetCursorPos(&now) && now.x == x && now.y == y;
    });
}

std::string ControlName(Control control) { return std::to_string(static_cast<int>(control)); }

TEST(WindowE2eTest, OpensCentredOnTheWholeScreenWithItsFixedSize) {
    ZelvaneRun run;
    ASSERT_TRUE(run.Started()) << run.Failure();

    const RECT rect = run.WindowRect();
    EXPECT_EQ(rect.right - rect.left, 312);
    EXPECT_EQ(rect.bottom - rect.top, 259);
    EXPECT_EQ(rect.left, (::GetSystemMetrics(SM_CXSCREEN) - 312) / 2);
    EXPECT_EQ(rect.top, (::GetSystemMetrics(SM_CYSCREEN) - 259) / 2);

    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(run.Window(), GWL_STYLE));
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN),
              DWORD{WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN});
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0u) << "it can be neither resized nor maximised";
    EXPECT_EQ(::GetMenu(run.Window()), nullptr) << "the menu \"A\" never shows on the window";
    EXPECT_EQ(run.WindowTitle(), L"Zelvane");
    EXPECT_TRUE(run.IsWindowVisible());
}

TEST(WindowE2eTest, ControlsShowTheirCaptionsAndStatesWithoutSettings) {
    ZelvaneRun run;
    ASSERT_TRUE(run.Started()) << run.Failure();

    struct Expected {
        Control control;
        std::wstring caption;
        bool checked;
        bool enabled;
    };
    const Expected expected[] = {
        {标签1, L"转换域名：", false, true},
        {选择框1, L"默认(推荐)", true, true},
        {按钮1, L"C", false, true},
        {选择框2, L"监视剪贴板自动转换[必]", true, false},
        {选择框3, L"转换后自动复制", false, true},
        {选择框5, L"打开链接自动复制密码", false, true},
        {选择框4, L"转换完成自动打开链接", false, true},
        {选择框6, L"开机自启", false, true},
        {选择框7, L"启动时隐藏", false, true},
        {标签2, win32::WideFromUtf8(CREDITS_LINE), false, true},
        {超级链接框1, L"图标制作", false, true},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(ControlName(e.control));
        EXPECT_EQ(run.Text(e.control), e.caption);
        EXPECT_EQ(run.IsChecked(e.control), e.checked);
        EXPECT_EQ(run.IsEnabled(e.control), e.enabled);
    }
    EXPECT_EQ(run.ControlWindow(时钟1), nullptr) << "the timer has no window";
    EXPECT_TRUE(run.ConfigFileExists(L"")) << "Config is made at the first start";
}

TEST(WindowE2eTest, TabVisitsTheEnabledControlsInCreationOrderBothWays) {
    ZelvaneRun run;
    ASSERT_TRUE(run.Started()) << run.Failure();
    // 选择框1 is checked, so 编辑框1 is disabled; 选择框2 is always disabled.
    const std::vector<Control> cycle{选择框1, 编辑框_转换后, 按钮1, 选择框3, 选择框5, 选择框4, 选择框6, 选择框7};
    run.Focus(选择框1);
    ASSERT_TRUE(run.WaitFor([&] { return run.FocusedControl() == 选择框1; }));

    for (std::size_t step = 1; step <= cycle.size(); ++step) {
        const Control from = cycle[step - 1];
        const Control to = cycle[step % cycle.size()];
        SCOPED_TRACE("Tab from " + ControlName(from));
        run.PressKey(from, VK_TAB);
        EXPECT_TRUE(run.WaitFor([&] { return run.FocusedControl() == to; }, 3s));
    }
    for (std::size_t step = cycle.size(); step >= 1; --step) {
        const Control from = cycle[step % cycle.size()];
        const Control to = cycle[step - 1];
        SCOPED_TRACE("Shift+Tab from " + ControlName(from));
        run.PressKey(from, VK_TAB, true);
        EXPECT_TRUE(run.WaitFor([&] { return run.FocusedControl() == to; }, 3s));
    }
}

TEST(WindowE2eTest, EscClosesLikeTheCloseBox) {
    {
        SCOPED_TRACE("out of hide mode: the program ends");
        ZelvaneRun run;
        ASSERT_TRUE(run.Started()) << run.Failure();
        run.PressKey(选择框3, VK_ESCAPE);
        EXPECT_EQ(run.WaitForExit(), 0);
    }
    {
        SCOPED_TRACE("in hide mode: the window hides");
        ZelvaneRun run(HideModeStart());
        ASSERT_TRUE(run.Started()) << run.Failure();
        run.PostTrayCallback(WM_LBUTTONDBLCLK);
        ASSERT_TRUE(run.WaitFor([&] { return run.IsWindowVisible(); }));
        run.Focus(选择框3);
        run.PressKey(选择框3, VK_ESCAPE);
        EXPECT_TRUE(run.WaitFor([&] { return !run.IsWindowVisible(); }));
        EXPECT_FALSE(run.WaitForExit(kSettle).has_value());
    }
}

TEST(WindowE2eTest, HideModeStartsHiddenAndTheTrayClicksToggleIt) {
    ZelvaneRun run(HideModeStart());
    ASSERT_TRUE(run.Started()) << run.Failure();
    EXPECT_FALSE(run.IsWindowVisible());
    EXPECT_TRUE(run.IsChecked(选择框7));

    // A single click and moves do nothing.
    run.PostTrayCallback(WM_LBUTTONUP);
    run.PostTrayCallback(WM_MOUSEMOVE);
    run.PostTrayCallback(WM_LBUTTONDOWN);
    EXPECT_FALSE(run.WaitFor([&] { return run.IsWindowVisible(); }, kSettle));

    // A double-click arrives as release, double-click, release: one toggle.
    for (const bool visibleAfter : {true, false, true}) {
        SCOPED_TRACE(visibleAfter);
        run.PostTrayCallback(WM_LBUTTONUP);
        run.PostTrayCallback(WM_LBUTTONDBLCLK);
        run.PostTrayCallback(WM_LBUTTONUP);
        EXPECT_TRUE(run.WaitFor([&] { return run.IsWindowVisible() == visibleAfter; }));
    }
    EXPECT_TRUE(run.IsRunning());
}

TEST(WindowE2eTest, AHideMarkerThatIsADirectoryHidesToo) {
    ZelvaneRun run(RunOptions{{ConfigEntry{"AutoHide.dll", "", true}}});
    ASSERT_TRUE(run.Started()) << run.Failure();

    EXPECT_FALSE(run.IsWindowVisible());
    EXPECT_TRUE(run.IsChecked(选择框7));
}

TEST(WindowE2eTest, RightClickMenuShowsTheWindowAndItsExitEndsWithZero) {
    ZelvaneRun run(HideModeStart());
    ASSERT_TRUE(run.Started()) << run.Failure();
    ASSERT_TRUE(PlaceCursor(600, 400));

    run.PostTrayCallback(WM_RBUTTONUP);
    HWND menu = run.WaitForPopupMenu();
    ASSERT_NE(menu, nullptr);
    RECT place{};
    ::GetWindowRect(menu, &place);
    EXPECT_EQ(place.right, 600 - 5);
    EXPECT_EQ(place.top, 400 - 5);
    run.ChoosePopupMenuItem(menu, 0);
    EXPECT_TRUE(run.WaitFor([&] { return run.IsWindowVisible(); }));

    // The context-menu message opens it too; Esc closes it with no effect.
    run.PostTrayCallback(WM_CONTEXTMENU);
    menu = run.WaitForPopupMenu();
    ASSERT_NE(menu, nullptr);
    run.DismissPopupMenu(menu);
    EXPECT_TRUE(run.WaitFor([&] { return run.WaitForPopupMenu(0ms) == nullptr; }));
    EXPECT_TRUE(run.IsWindowVisible());
    EXPECT_TRUE(run.IsRunning());

    run.PostTrayCallback(WM_RBUTTONUP);
    menu = run.WaitForPopupMenu();
    ASSERT_NE(menu, nullptr);
    run.ChoosePopupMenuItem(menu, 1);
    EXPECT_EQ(run.WaitForExit(), 0);
}

TEST(WindowE2eTest, ExitFromTheMenuWhileHiddenEndsWithZero) {
    ZelvaneRun run(HideModeStart());
    ASSERT_TRUE(run.Started()) << run.Failure();

    run.PostTrayCallback(WM_RBUTTONUP);
    HWND menu = run.WaitForPopupMenu();
    ASSERT_NE(menu, nullptr);
    run.ChoosePopupMenuItem(menu, 1);

    EXPECT_EQ(run.WaitForExit(), 0);
}

TEST(WindowE2eTest, CloseHidesInHideModeAndEndsTheProgramOtherwise) {
    ZelvaneRun run(HideModeStart());
    ASSERT_TRUE(run.Started()) << run.Failure();
    run.PostTrayCallback(WM_LBUTTONDBLCLK);
    ASSERT_TRUE(run.WaitFor([&] { return run.IsWindowVisible(); }));

    run.PostClose();
    EXPECT_TRUE(run.WaitFor([&] { return !run.IsWindowVisible(); }));
    EXPECT_FALSE(run.WaitForExit(kSettle).has_value()) << "closing in hide mode only hides";

    // Leaving hide mode: the next close ends the program.
    run.PostTrayCallback(WM_LBUTTONDBLCLK);
    ASSERT_TRUE(run.WaitFor([&] { return run.IsWindowVisible(); }));
    run.Click(选择框7);
    ASSERT_FALSE(run.IsChecked(选择框7));
    run.PostClose();
    EXPECT_EQ(run.WaitForExit(), 0);
}

TEST(WindowE2eTest, SessionQueryIsAllowedInEveryModeAndTheSessionEndEndsWithZero) {
    for (const bool hideMode : {false, true}) {
        SCOPED_TRACE(hideMode ? "hide mode" : "normal");
        ZelvaneRun run(hideMode ? HideModeStart() : RunOptions{});
        ASSERT_TRUE(run.Started()) << run.Failure();
        const bool visible = run.IsWindowVisible();

        EXPECT_EQ(run.QueryEndSession(), LRESULT{TRUE});
        EXPECT_EQ(run.IsWindowVisible(), visible) << "the query changes nothing";

        run.PostEndSession(false);  // the session goes on after all
        EXPECT_FALSE(run.WaitForExit(kSettle).has_value());

        run.PostEndSession(true);
        EXPECT_EQ(run.WaitForExit(), 0);
    }
}

// Lines in the fake browser's record of opened URLs (the Wine session's), or
// nothing when this run has no such record.
std::optional<std::size_t> OpenedUrlCount() {
    wchar_t unixPath[MAX_PATH] = {};
    if (::GetEnvironmentVariableW(L"ZELVANE_OPENED_URLS", unixPath, MAX_PATH) == 0) return std::nullopt;
    std::ifstream urls(win32::Utf8FromWide(L"Z:" + std::wstring(unixPath)));
    std::size_t count = 0;
    for (std::string line; std::getline(urls, line);) ++count;
    return count;
}

TEST(WindowE2eTest, CreditsLinkShowsTheMessageOpensNothingAndConversionGoesOn) {
    ZelvaneRun run;
    ASSERT_TRUE(run.Started()) << run.Failure();
    const std::optional<std::size_t> openedBefore = OpenedUrlCount();
    HWND link = run.ControlWindow(超级链接框1);
    ::PostMessageW(link, WM_MOUSEMOVE, 0, MAKELPARAM(20, 10));
    ::PostMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(20, 10));

    HWND box = run.WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(run.MessageBoxText(box), win32::WideFromUtf8(ICON_CREDITS));
    EXPECT_EQ(run.MessageBoxCaption(box), L"");

    // The timer goes on inside the box's own loop.
    ASSERT_TRUE(SetClipboardText(L"https://www2.example.com/1AbC"));
    EXPECT_TRUE(run.WaitFor([&] { return run.Text(编辑框_转换后) == L"https://www.example.com/1AbC"; }));

    run.CloseMessageBox(box);
    EXPECT_TRUE(run.WaitFor([&] { return run.WaitForMessageBox(0ms) == nullptr; }));
    EXPECT_TRUE(run.IsRunning());
    EXPECT_EQ(OpenedUrlCount(), openedBefore) << "the link has no target";
}

TEST(WindowE2eTest, TwoCopiesRunSideBySide) {
    ZelvaneRun first;
    ZelvaneRun second;
    ASSERT_TRUE(first.Started()) << first.Failure();
    ASSERT_TRUE(second.Started()) << second.Failure();

    EXPECT_NE(first.Window(), second.Window());
    EXPECT_TRUE(first.IsRunning());
    first.PostClose();
    EXPECT_EQ(first.WaitForExit(), 0);
    EXPECT_TRUE(second.IsRunning());
    second.PostClose();
    EXPECT_EQ(second.WaitForExit(), 0);
}

}  // namespace
}  // namespace zelvane::e2e
