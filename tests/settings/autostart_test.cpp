// 选择框6: the shortcut written and deleted, and what the user is told.
#include <string>

#include <gtest/gtest.h>

#include "settings/autostart.h"
#include "tests/settings/settings_session.h"

namespace zelvane::testing {
namespace {

const Path kStartup{FakeShortcuts::kStartupFolder};
const Path kShortcut{std::string(FakeShortcuts::kStartupFolder) + "Zelvane.lnk"};
const FakeDialogs::Message kSucceeded{"\xC9\xE8\xD6\xC3\xB3\xC9\xB9\xA6", MessageIcon::None};  // 设置成功
const FakeDialogs::Message kFailed{"\xC9\xE8\xD6\xC3\xCA\xA7\xB0\xDC", MessageIcon::Error};     // 设置失败

class AutostartTest : public ::testing::Test {
protected:
    AutostartTest() {
        files.AddDirectory(kConfig);
        files.AddDirectory(kStartup);
        run.Start();
    }
    void Click() { run.form.Click(Control::选择框6); }
    bool Checked() const { return run.form.IsChecked(Control::选择框6); }

    FakeFileSystem files;
    Session run{files};
};

TEST_F(AutostartTest, CheckingWritesAShortcutToTheRunningExecutable) {
    Click();
    ASSERT_EQ(run.shortcuts.calls.size(), 1u);
    EXPECT_EQ(run.shortcuts.calls[0].shortcut, kShortcut);
    EXPECT_EQ(run.shortcuts.calls[0].target, Path{"C:\\Zelvane\\zelvane.exe"});
    EXPECT_EQ(run.shortcuts.calls[0].description, "Zelvane");
    EXPECT_TRUE(files.IsFile(kShortcut));
    EXPECT_EQ(run.dialogs.messages, std::vector{kSucceeded});
    EXPECT_TRUE(Checked());
}

TEST_F(AutostartTest, CheckingOverwritesAnExistingShortcut) {
    files.AddFile(kShortcut, "shortcut to D:\\Old\\zelvane.exe");
    Click();
    EXPECT_EQ(files.ContentText(kShortcut), "shortcut to C:\\Zelvane\\zelvane.exe");
    EXPECT_EQ(run.dialogs.messages, std::vector{kSucceeded});
}

TEST_F(AutostartTest, UncheckingDeletesTheShortcut) {
    Click();
    Click();
    EXPECT_FALSE(files.PathExists(kShortcut));
    EXPECT_EQ(run.dialogs.messages, (std::vector{kSucceeded, kSucceeded}));
    EXPECT_FALSE(Checked());
}

TEST_F(AutostartTest, TouchesNoSettingsFile) {
    Click();
    Click();
    EXPECT_TRUE(files.EntriesIn(kConfig).empty());
    EXPECT_EQ(Read(run.form), Options{});
}

// Each failure is reported with the error icon; the box keeps what the click
// made of it, and nothing is written anywhere else.
TEST_F(AutostartTest, ShellLinkUnavailable) {
    run.shortcuts.failCreate = true;
    Click();
    EXPECT_EQ(run.dialogs.messages, std::vector{kFailed});
    EXPECT_TRUE(Checked());
    EXPECT_FALSE(files.PathExists(kShortcut));
}

TEST_F(AutostartTest, StartupFolderMissingOnDisk) {
    FakeFileSystem empty;
    empty.AddDirectory(kConfig);
    Session other(empty);
    other.Start();
    other.form.Click(Control::选择框6);
    EXPECT_EQ(other.dialogs.messages, std::vector{kFailed});
    EXPECT_TRUE(other.form.IsChecked(Control::选择框6));
}

TEST_F(AutostartTest, UncheckingWithoutAShortcutFails) {
    Click();
    files.RemoveFile(kShortcut);  // deleted by hand meanwhile
    Click();
    EXPECT_EQ(run.dialogs.messages, (std::vector{kSucceeded, kFailed}));
    EXPECT_FALSE(Checked());
}

TEST_F(AutostartTest, UncheckingAShortcutHeldOpenFailsAndKeepsIt) {
    Click();
    files.LockPath(kShortcut);
    Click();
    EXPECT_EQ(run.dialogs.messages, (std::vector{kSucceeded, kFailed}));
    EXPECT_TRUE(files.IsFile(kShortcut));
}

// With no Startup folder a bare "Zelvane.lnk" would land in the program
// directory, where nothing starts it: that is a failure, not a success, and
// no file there is written or deleted.
TEST_F(AutostartTest, UnknownStartupFolderIsAFailureBothWays) {
    run.shortcuts.startupFolder = Path{};
    const Path stray{"C:\\Zelvane\\Zelvane.lnk"};
    Click();
    EXPECT_TRUE(run.shortcuts.calls.empty());
    EXPECT_FALSE(files.PathExists(stray));

    files.AddFile(stray, "someone else's shortcut");
    Click();
    EXPECT_TRUE(files.IsFile(stray));
    EXPECT_EQ(run.dialogs.messages, (std::vector{kFailed, kFailed}));
    EXPECT_EQ(CountCalls(files, "RemoveFile", stray), 0);
}

TEST(AutostartTarget, AnExecutableAtADriveRootGetsOneBackslash) {
    FakeFileSystem files(Path{"E:"}, Path{"转换.exe"});
    files.AddDirectory(kStartup);
    Session run(files);
    run.Start();
    run.form.Click(Control::选择框6);
    ASSERT_EQ(run.shortcuts.calls.size(), 1u);
    EXPECT_EQ(run.shortcuts.calls[0].target, Path{"E:\\转换.exe"});
}

}  // namespace
}  // namespace zelvane::testing
