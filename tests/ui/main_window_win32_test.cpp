// The control contract of the real window, driven in-process with the
// messages a user's typing and clicking produce.
#include "ui/main_window_win32.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/encoding_win32.h"
#include "tests/fakes/fake_form.h"

namespace zelvane::win32 {
namespace {

using Log = std::vector<std::string>;

std::string NameOf(Control control) { return std::to_string(static_cast<int>(control)); }

class RecordingEvents : public testing::EventsAdapter {
public:
    explicit RecordingEvents(MainWindow& window) : window_(window) {}

    void OnCreated() override {
        log.push_back(std::string("created, visible ") + (window_.IsWindowVisible() ? "yes" : "no"));
        if (onCreated) onCreated();
        log.push_back("created end");
    }
    void OnTextChanged(Control control) override {
        log.push_back("text " + NameOf(control) + " " + window_.GetText(control));
    }
    void OnClicked(Control control) override {
        log.push_back("clicked " + NameOf(control) + (window_.IsChecked(control) ? " checked" : " unchecked"));
    }
    void OnLinkReleased() override { log.push_back("link"); }
    bool CanCloseWindow() override {
        log.push_back("can close");
        return allowClose;
    }
    void OnDestroyed() override { log.push_back("destroyed"); }

    Log log;
    std::function<void()> onCreated;
    bool allowClose = false;

private:
    MainWindow& window_;
};

class Owner : public WindowOwner {
public:
    explicit Owner(FormEvents& events) : events_(events) {}
    FormEvents& OnWindowBuilt(HWND) override { return events_; }
    void OnTaskbarCreated() override { ++taskbarsCreated; }

    int taskbarsCreated = 0;

private:
    FormEvents& events_;
};

class MainWindowTest : public ::testing::Test {
protected:
    void Create() {
        ASSERT_TRUE(window.Create(owner));
        events.log.push_back("-- created");
    }
    HWND Handle(Control control) { return ::GetDlgItem(window.Handle(), ControlId(control)); }
    void TypeChar(Control control, wchar_t c) { ::SendMessageW(Handle(control), WM_CHAR, c, 1); }
    void ClickOn(Control control) { ::SendMessageW(Handle(control), BM_CLICK, 0, 0); }

    MainWindow window{::GetModuleHandleW(nullptr)};
    RecordingEvents events{window};
    Owner owner{events};
};

const std::string kEdit = NameOf(Control::编辑框1);
const std::string kResult = NameOf(Control::编辑框_转换后);

TEST_F(MainWindowTest, CreatedRunsOnceBeforeTheWindowIsShownAndNothingElseDuringCreation) {
    Create();

    EXPECT_EQ(events.log, (Log{"created, visible no", "created end", "-- created"}));
    EXPECT_TRUE(window.IsWindowVisible());
}

TEST_F(MainWindowTest, ControlsStartInTheirFormStates) {
    Create();

    for (const ControlSpec& spec : FormControls()) {
        SCOPED_TRACE(NameOf(spec.name));
        HWND handle = Handle(spec.name);
        if (spec.kind == ControlKind::Timer) {
            EXPECT_EQ(handle, nullptr);
            continue;
        }
        ASSERT_NE(handle, nullptr);
        EXPECT_EQ(::IsWindowEnabled(handle) == FALSE, spec.disabled);
        EXPECT_EQ(window.IsChecked(spec.name), spec.checked);
        wchar_t caption[64] = {};
        ::GetWindowTextW(handle, caption, 64);
        EXPECT_EQ(std::wstring(caption), WideFromUtf8(spec.caption));
        RECT place{};
        ::GetWindowRect(handle, &place);
        ::MapWindowPoints(HWND_DESKTOP, window.Handle(), reinterpret_cast<POINT*>(&place), 2);
        EXPECT_EQ(place.left, spec.place.left);
        EXPECT_EQ(place.top, spec.place.top);
        EXPECT_EQ(place.right - place.left, spec.place.width);
        EXPECT_EQ(place.bottom - place.top, spec.place.height);
    }
}

TEST_F(MainWindowTest, WritingAnEditBoxRaisesExactlyOnceEvenWhenUnchangedOrDisabled) {
    Create();
    events.log.clear();

    window.SetText(Control::编辑框1, "a.example.net");
    window.SetText(Control::编辑框1, "a.example.net");
    window.SetDisabled(Control::编辑框1, true);
    window.SetText(Control::编辑框1, "b.example.net");
    window.SetText(Control::编辑框_转换后, "");

    EXPECT_EQ(events.log, (Log{"text " + kEdit + " a.example.net", "text " + kEdit + " a.example.net",
                               "text " + kEdit + " b.example.net", "text " + kResult + " "}));
}

TEST_F(MainWindowTest, WritesNestInsideTheCreatedEvent) {
    events.onCreated = [&] { window.SetText(Control::编辑框1, "nested"); };

    Create();

    EXPECT_EQ(events.log, (Log{"created, visible no", "text " + kEdit + " nested", "created end", "-- created"}));
}

TEST_F(MainWindowTest, TextCrossesAsCodePage936) {
    Create();
    const Text chinese = "\xD7\xAA\xBB\xBB";  // 转换

    window.SetText(Control::编辑框_转换后, chinese);

    wchar_t shown[16] = {};
    ::GetWindowTextW(Handle(Control::编辑框_转换后), shown, 16);
    EXPECT_EQ(std::wstring(shown), L"转换");
    EXPECT_EQ(window.GetText(Control::编辑框_转换后), chinese);
}

TEST_F(MainWindowTest, EachUserKeystrokeRaisesOnce) {
    Create();
    window.SetDisabled(Control::编辑框1, false);
    events.log.clear();

    TypeChar(Control::编辑框1, L'a');
    TypeChar(Control::编辑框1, L'b');

    EXPECT_EQ(events.log, (Log{"text " + kEdit + " a", "text " + kEdit + " ab"}));
}

TEST_F(MainWindowTest, CheckedAndDisabledRaiseNothing) {
    Create();
    events.log.clear();

    window.SetChecked(Control::选择框3, true);
    window.SetChecked(Control::选择框3, false);
    window.SetDisabled(Control::选择框5, true);
    window.SetDisabled(Control::选择框5, false);

    EXPECT_TRUE(events.log.empty());
}

TEST_F(MainWindowTest, ClickTogglesFirstThenRaises) {
    Create();
    events.log.clear();

    ClickOn(Control::选择框3);
    ClickOn(Control::选择框3);
    ClickOn(Control::按钮1);

    const std::string box = NameOf(Control::选择框3);
    EXPECT_EQ(events.log, (Log{"clicked " + box + " checked", "clicked " + box + " unchecked",
                               "clicked " + NameOf(Control::按钮1) + " unchecked"}));
}

TEST_F(MainWindowTest, NothingIsDeliveredOnceTheTeardownBegan) {
    Create();
    events.allowClose = true;
    events.log.clear();

    window.StopEventDelivery();
    window.SetText(Control::编辑框1, "x");
    ClickOn(Control::选择框3);
    ::SendMessageW(window.Handle(), WM_TIMER, kTimerId, 0);
    ::SendMessageW(window.Handle(), WM_CLOSE, 0, 0);

    EXPECT_TRUE(events.log.empty());
    EXPECT_TRUE(window.Exists());
}

TEST_F(MainWindowTest, CloseAsksTheHandlerAndDestroysOnlyWhenAllowed) {
    Create();
    events.log.clear();

    ::SendMessageW(window.Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(window.Exists());

    events.allowClose = true;
    ::SendMessageW(window.Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(window.Exists());

    EXPECT_EQ(events.log, (Log{"can close", "can close", "destroyed"}));
    MSG quit{};
    EXPECT_TRUE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(MainWindowTest, SessionQueryIsAnsweredYesWithoutAskingAnyone) {
    Create();
    events.log.clear();

    EXPECT_EQ(::SendMessageW(window.Handle(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);

    EXPECT_TRUE(events.log.empty());
    EXPECT_TRUE(window.IsWindowVisible());
}

TEST_F(MainWindowTest, LinkReleaseInsideRaisesOnceAndOutsideNothing) {
    Create();
    events.log.clear();
    HWND link = Handle(Control::超级链接框1);

    ::SendMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    ::SendMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(500, 10));

    EXPECT_EQ(events.log, (Log{"link"}));
}

TEST_F(MainWindowTest, HoveredLinkHoldsTheMouseUntilThePointerLeaves) {
    Create();
    HWND link = Handle(Control::超级链接框1);

    ::SendMessageW(link, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(::GetCapture(), link);
    ::SendMessageW(link, WM_MOUSEMOVE, 0, MAKELPARAM(-3, 10));  // captured: left of the link
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(MainWindowTest, RestartedTaskbarIsPassedToTheOwnerAndNoOneElse) {
    Create();
    events.log.clear();

    ::SendMessageW(window.Handle(), ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);

    EXPECT_EQ(owner.taskbarsCreated, 1);
    EXPECT_TRUE(events.log.empty());
}

}  // namespace
}  // namespace zelvane::win32
