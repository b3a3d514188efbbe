// Each event of the window reaches the handler bound to it. The handlers'
// own behaviour is tested with their classes; here one visible effect per
// binding shows that the right one ran.
#include "ui/app.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/constants.h"
#include "tests/fakes/fake_clipboard.h"
#include "tests/fakes/fake_dialogs.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_form.h"
#include "tests/fakes/fake_lifetime.h"
#include "tests/fakes/fake_shell.h"
#include "tests/fakes/fake_shortcuts.h"
#include "tests/fakes/fake_tray.h"
#include "ui/credits_text.h"
#include "ui/tray_image.h"

namespace zelvane {
namespace {

using namespace zelvane::testing;
using Journal = std::vector<std::string>;

const Path kProgramDirectory{"C:\\Zelvane"};

class AppTest : public ::testing::Test {
protected:
    AppTest() {
        files.AddDirectory(Path{"C:\\Zelvane\\Config"});
        form.Connect(&app);
    }

    Path ConfigFile(const char* name) const { return Path{"C:\\Zelvane\\Config\\" + std::string(name)}; }

    Journal journal;
    ProgramState state;
    FakeFileSystem files{kProgramDirectory};
    FakeForm form;
    FakeTray tray{&journal};
    FakeClipboard clipboard;
    FakeShell shell;
    FakeDialogs dialogs;
    FakeShortcuts shortcuts{&files};
    FakeLifetime lifetime{&journal};
    App app{AppPorts{state, files, form, tray, clipboard, shell, dialogs, shortcuts, lifetime}};
};

TEST_F(AppTest, CreatedRestoresTheSettingsIncludingHideMode) {
    files.AddFile(ConfigFile("AutoHide.dll"), "AutoHide");

    app.OnCreated();

    EXPECT_TRUE(form.IsChecked(Control::选择框7));
    EXPECT_TRUE(tray.IconPresent());
    EXPECT_EQ(tray.Tip(), Text(TRAY_START_TIP));
    EXPECT_EQ(form.GetText(Control::编辑框1), Text(DEFAULT_DOMAIN));
}

TEST_F(AppTest, TimerTicksAndClipboardChangesBothRunTheConversionCycle) {
    struct Case {
        const char* name;
        void (App::*event)();
    };
    for (const Case& c : {Case{"timer", &App::OnTimer}, Case{"clipboard changed", &App::OnClipboardChanged}}) {
        SCOPED_TRACE(c.name);
        app.OnCreated();
        clipboard.Copy("https://www2.example.com/1AbC");

        (app.*c.event)();

        EXPECT_EQ(form.GetText(Control::编辑框_转换后), "https://www.example.com/1AbC");
        clipboard.Copy("no link");
        (app.*c.event)();
        EXPECT_EQ(form.GetText(Control::编辑框_转换后), Text(NO_LINK_TEXT));
    }
}

TEST_F(AppTest, CopyButtonCopiesTheShownLink) {
    form.SetText(Control::编辑框_转换后, "https://www.example.com/1AbC");

    form.Click(Control::按钮1);

    EXPECT_EQ(clipboard.writes, (std::vector<Text>{"https://www.example.com/1AbC"}));
}

TEST_F(AppTest, AutostartBoxGoesToTheShortcutHandler) {
    form.Click(Control::选择框6);

    EXPECT_EQ(shortcuts.calls.size(), 1u);
    EXPECT_EQ(dialogs.messages.size(), 1u) << "the outcome is reported";
}

TEST_F(AppTest, OptionClicksAndDomainEditsAreSavedAtOnce) {
    form.Click(Control::选择框4);
    EXPECT_TRUE(files.IsFile(ConfigFile("AutoOpen.dll")));

    form.Click(Control::选择框1);  // unchecked: the domain box is the user's
    form.Type(Control::编辑框1, "pan.example.net");
    EXPECT_EQ(files.ContentText(ConfigFile("URL.ini")), "pan.example.net");

    form.Click(Control::选择框7);
    EXPECT_TRUE(tray.IconPresent());
}

TEST_F(AppTest, CreditsLinkShowsTheIconCreditsWithoutAnIcon) {
    app.OnLinkReleased();

    EXPECT_EQ(dialogs.messages, (std::vector<FakeDialogs::Message>{{Text(ICON_CREDITS_TEXT), MessageIcon::None}}));
    EXPECT_TRUE(shell.opened.empty());
}

TEST_F(AppTest, TrayMenuCloseAndSessionEventsGoToTheTrayDecisions) {
    form.visible = true;
    app.OnTrayEvent(2);
    EXPECT_FALSE(form.visible);
    app.OnMenuSelected(MenuItem::显示主界面);
    EXPECT_TRUE(form.visible);

    form.SetChecked(Control::选择框7, true);
    EXPECT_FALSE(app.CanCloseWindow());
    EXPECT_FALSE(form.visible);

    tray.ShowTrayIcon(TrayIconImage(), std::nullopt);
    journal.clear();
    app.OnDestroyed();
    EXPECT_EQ(journal, (Journal{"RemoveTrayIcon"}));

    tray.ShowTrayIcon(TrayIconImage(), std::nullopt);
    journal.clear();
    app.OnMenuSelected(MenuItem::退出);
    EXPECT_EQ(journal, (Journal{"RemoveTrayIcon", "ExitProgram(0)"}));

    journal.clear();
    app.OnSessionEnded();
    EXPECT_EQ(journal, (Journal{"RemoveTrayIcon", "ExitProgram(0)"}));
}

}  // namespace
}  // namespace zelvane
