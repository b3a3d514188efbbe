// The options of the real zelvane.exe: files in Config written and deleted
// by clicks and typing, restored by the next start (hide mode included), a
// Config that cannot be made, and the autostart shortcut in Wine's Startup
// folder.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/constants.h"
#include "core/encoding_win32.h"
#include "tests/e2e/harness_win32.h"
#include "tests/settings/shell_link_reader_win32.h"

namespace zelvane::e2e {
namespace {

using namespace std::string_literals;

const std::wstring kDefault = win32::WideFromText(DEFAULT_DOMAIN);
const std::string kDefaultBytes{DEFAULT_DOMAIN};
const std::wstring kSucceeded = L"\x8BBE\x7F6E\x6210\x529F";  // 设置成功
const std::wstring kFailed = L"\x8BBE\x7F6E\x5931\x8D25";     // 设置失败
const std::wstring kChineseDomain = L"\x4E2D\x6587.example";   // 中文.example
const std::string kChineseDomainBytes = "\xD6\xD0\xCE\xC4.example";

// Whether Zelvane's icon (its window, identifier 100) is in the notification
// area: a modification that changes nothing succeeds only for an icon that is
// there. The tip cannot be read back from outside.
bool TrayIconPresent(HWND window) {
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V1_SIZE;
    data.hWnd = window;
    data.uID = 100;
    data.uFlags = 0;
    return ::Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

// The icon a message box shows, from its static control of style SS_ICON;
// nullptr when it shows none (MB_ICONERROR shows one, no icon flag none).
HICON MessageBoxIcon(HWND box) {
    HICON icon = nullptr;
    ::EnumChildWindows(
        box,
        [](HWND child, LPARAM found) -> BOOL {
            wchar_t className[16] = {};
            ::GetClassNameW(child, className, 16);
            const LONG_PTR style = ::GetWindowLongPtrW(child, GWL_STYLE);
            if (::lstrcmpiW(className, L"Static") != 0 || (style & SS_TYPEMASK) != SS_ICON) return TRUE;
            *reinterpret_cast<HICON*>(found) = reinterpret_cast<HICON>(::SendMessageW(child, STM_GETICON, 0, 0));
            return *reinterpret_cast<HICON*>(found) == nullptr;
        },
        reinterpret_cast<LPARAM>(&icon));
    return icon;
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                  TRUE) == CSTR_EQUAL;
}

bool IsDirectory(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::vector<std::wstring> EntriesIn(const std::wstring& directory) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE find = ::FindFirstFileW((directory + L"\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (::FindNextFileW(find, &found));
    ::FindClose(find);
    return names;
}

// The controls as a user sees them.
struct Seen {
    bool box1, edit1Enabled;
    std::wstring domain;
    bool box3, box3Enabled, box4, box5, box5Enabled, box7;
};

Seen Look(const ZelvaneRun& run) {
    return Seen{run.IsChecked(Control::选择框1), run.IsEnabled(Control::编辑框1), run.Text(Control::编辑框1),
                run.IsChecked(Control::选择框3), run.IsEnabled(Control::选择框3), run.IsChecked(Control::选择框4),
                run.IsChecked(Control::选择框5), run.IsEnabled(Control::选择框5), run.IsChecked(Control::选择框7)};
}

// Everything a run left in its Config, to start the next run with.
std::vector<ConfigEntry> SavedConfig(const ZelvaneRun& run) {
    std::vector<ConfigEntry> saved;
    for (const std::wstring& name : EntriesIn(run.Directory() + L"\\Config")) {
        const bool directory = IsDirectory(run.ConfigPath(name));
        saved.push_back(ConfigEntry{win32::Utf8FromWide(name),
                                    directory ? std::string() : run.ReadConfigFile(name).value_or(""), directory});
    }
    return saved;
}

// --- clicks and typing ---

TEST(SettingsE2eTest, ClicksAndTypingWriteAndDeleteTheFiles) {
    ZelvaneRun run;
    ASSERT_TRUE(run.Started()) << run.Failure();
    ASSERT_TRUE(IsDirectory(run.Directory() + L"\\Config"));
    EXPECT_TRUE(EntriesIn(run.Directory() + L"\\Config").empty()) << "a first start writes nothing";
    EXPECT_EQ(run.Text(Control::编辑框1), kDefault);
    EXPECT_FALSE(run.IsEnabled(Control::编辑框1));

    run.Click(Control::选择框4);
    EXPECT_EQ(run.ReadConfigFile(L"AutoOpen.dll"), "AutoOpenURL");
    run.Click(Control::选择框5);
    EXPECT_EQ(run.ReadConfigFile(L"AutoCopyPassword.dll"), "AutoCopyPassword");
    EXPECT_FALSE(run.IsChecked(Control::选择框3));
    EXPECT_FALSE(run.IsEnabled(Control::选择框3));
    run.Click(Control::选择框7);
    EXPECT_EQ(run.ReadConfigFile(L"AutoHide.dll"), "AutoHide");
    EXPECT_TRUE(TrayIconPresent(run.Window()));
    EXPECT_TRUE(run.IsWindowVisible());

    run.Click(Control::选择框1);
    EXPECT_TRUE(run.IsEnabled(Control::编辑框1));
    EXPECT_EQ(run.Text(Control::编辑框1), L"");
    EXPECT_FALSE(run.ConfigFileExists(L"URL.ini")) << "absent until the first keystroke";

    run.SetText(Control::编辑框1, L"pan.example.ne");
    EXPECT_EQ(run.ReadConfigFile(L"URL.ini"), "pan.example.ne");
    run.Focus(Control::编辑框1);
    run.PressKey(Control::编辑框1, VK_END);
    run.PressKey(Control::编辑框1, 'T');
    EXPECT_TRUE(run.WaitFor([&] { return run.ReadConfigFile(L"URL.ini") == "pan.example.net"; }))
        << "URL.ini holds " << run.ReadConfigFile(L"URL.ini").value_or("nothing");
    run.SetText(Control::编辑框1, kChineseDomain);
    EXPECT_EQ(run.ReadConfigFile(L"URL.ini"), kChineseDomainBytes) << "written as code page 936";

    run.Click(Control::选择框4);
    run.Click(Control::选择框5);
    run.Click(Control::选择框7);
    EXPECT_FALSE(run.ConfigFileExists(L"AutoOpen.dll"));
    EXPECT_FALSE(run.ConfigFileExists(L"AutoCopyPassword.dll"));
    EXPECT_FALSE(run.ConfigFileExists(L"AutoHide.dll"));
    EXPECT_TRUE(run.IsEnabled(Control::选择框3));
    EXPECT_FALSE(TrayIconPresent(run.Window()));

    run.Click(Control::选择框1);
    EXPECT_EQ(run.ReadConfigFile(L"URL.ini"), kDefaultBytes);
    EXPECT_EQ(run.Text(Control::编辑框1), kDefault);
    EXPECT_FALSE(run.IsEnabled(Control::编辑框1));

    run.Click(Control::选择框3);
    EXPECT_FALSE(run.IsEnabled(Control::选择框5));
    EXPECT_FALSE(run.ConfigFileExists(L"AutoCopyPassword.dll")) << "选择框3 is stored nowhere";
    EXPECT_TRUE(run.IsRunning());
}

// --- a second start ---

TEST(SettingsE2eTest, ASecondStartRestoresWhatTheFirstSaved) {
    std::vector<ConfigEntry> saved;
    {
        ZelvaneRun first;
        ASSERT_TRUE(first.Started()) << first.Failure();
        first.Click(Control::选择框4);
        first.Click(Control::选择框5);
        first.Click(Control::选择框7);
        first.Click(Control::选择框1);
        first.SetText(Control::编辑框1, kChineseDomain);
        saved = SavedConfig(first);
    }
    ASSERT_EQ(saved.size(), 4u);

    ZelvaneRun second(RunOptions{.config = saved});
    ASSERT_TRUE(second.Started()) << second.Failure();
    // Hide mode: hidden at the end of start-up, reachable through the icon.
    EXPECT_TRUE(second.WaitFor([&] { return !second.IsWindowVisible(); }));
    EXPECT_TRUE(TrayIconPresent(second.Window()));
    const Seen seen = Look(second);
    EXPECT_FALSE(seen.box1);
    EXPECT_TRUE(seen.edit1Enabled);
    EXPECT_EQ(seen.domain, kChineseDomain);
    EXPECT_FALSE(seen.box3);
    EXPECT_FALSE(seen.box3Enabled);
    EXPECT_TRUE(seen.box4);
    EXPECT_TRUE(seen.box5);
    EXPECT_TRUE(seen.box5Enabled);
    EXPECT_TRUE(seen.box7);
    EXPECT_FALSE(second.IsChecked(Control::选择框6));
    EXPECT_EQ(second.ReadConfigFile(L"URL.ini"), kChineseDomainBytes);

    second.PostTrayCallback(WM_LBUTTONDBLCLK);
    EXPECT_TRUE(second.WaitFor([&] { return second.IsWindowVisible(); }));
}

TEST(SettingsE2eTest, UncheckingDefaultWithoutTypingStartsOnTheDefaultAgain) {
    std::vector<ConfigEntry> saved;
    {
        ZelvaneRun first(RunOptions{.config = {{"URL.ini", "pan.example.net"}}});
        ASSERT_TRUE(first.Started()) << first.Failure();
        first.Click(Control::选择框1);  // checks: the default is written
        EXPECT_EQ(first.ReadConfigFile(L"URL.ini"), kDefaultBytes);
        first.Click(Control::选择框1);  // unchecks: the box is emptied, URL.ini deleted
        EXPECT_EQ(first.Text(Control::编辑框1), L"");
        EXPECT_FALSE(first.ConfigFileExists(L"URL.ini"));
        saved = SavedConfig(first);
    }
    ZelvaneRun second(RunOptions{.config = saved});
    ASSERT_TRUE(second.Started()) << second.Failure();
    EXPECT_TRUE(second.IsChecked(Control::选择框1));
    EXPECT_EQ(second.Text(Control::编辑框1), kDefault);
    EXPECT_TRUE(second.IsWindowVisible());
    EXPECT_FALSE(TrayIconPresent(second.Window()));
}

struct StartCase {
    const char* name;
    std::vector<ConfigEntry> config;
    std::wstring domain;                     // 编辑框1 after the start
    bool box1;                               // 选择框1 after the start
    std::optional<std::string> urlIniAfter;  // nothing: no such file
    bool box4 = false;
    bool hidden = false;
};

TEST(SettingsE2eTest, OddFilesAtStart) {
    const StartCase cases[] = {
        {"zero byte", {{"URL.ini", "pan.example.net\0tail"s}}, L"pan.example.net", false, "pan.example.net"},
        {"empty URL.ini", {{"URL.ini", ""}}, L"", false, ""},
        {"default domain", {{"URL.ini", kDefaultBytes}}, kDefault, true, kDefaultBytes},
        {"URL.ini a directory", {{"URL.ini", "", true}}, L"", false, std::nullopt},
        {"AutoOpen.dll a directory", {{"AutoOpen.dll", "", true}}, kDefault, true, std::nullopt, true},
        {"empty AutoHide.dll", {{"AutoHide.dll", ""}}, kDefault, true, std::nullopt, false, true},
    };
    for (const StartCase& c : cases) {
        SCOPED_TRACE(c.name);
        ZelvaneRun run(RunOptions{.config = c.config});
        ASSERT_TRUE(run.Started()) << run.Failure();
        EXPECT_EQ(run.Text(Control::编辑框1), c.domain);
        EXPECT_EQ(run.IsChecked(Control::选择框1), c.box1);
        EXPECT_EQ(run.IsEnabled(Control::编辑框1), !c.box1);
        const bool urlIniIsDirectory = IsDirectory(run.ConfigPath(L"URL.ini"));
        EXPECT_EQ(urlIniIsDirectory ? std::nullopt : run.ReadConfigFile(L"URL.ini"), c.urlIniAfter);
        EXPECT_EQ(run.IsChecked(Control::选择框4), c.box4);
        EXPECT_EQ(run.IsChecked(Control::选择框7), c.hidden);
        EXPECT_TRUE(run.WaitFor([&] { return run.IsWindowVisible() == !c.hidden; }));
        EXPECT_EQ(TrayIconPresent(run.Window()), c.hidden);
    }
}

// Nothing is trimmed: the one-line box keeps the line break, and the
// write-back leaves the file as it was.
TEST(SettingsE2eTest, UrlIniEndingInALineBreakRoundTripsThroughTheBox) {
    ZelvaneRun run(RunOptions{.config = {{"URL.ini", "pan.example.net\r\n"}}});
    ASSERT_TRUE(run.Started()) << run.Failure();
    EXPECT_FALSE(run.IsChecked(Control::选择框1));
    const std::string shown = win32::TextFromWide(run.Text(Control::编辑框1));
    EXPECT_EQ(shown, "pan.example.net\r\n");
    EXPECT_EQ(run.ReadConfigFile(L"URL.ini"), "pan.example.net\r\n");
}

// --- a Config that cannot be made ---

TEST(SettingsE2eTest, ConfigThatCannotBeCreatedLeavesTheDefaultsAndWritesNothing) {
    ZelvaneRun run(RunOptions{.config = {}, .start = false});
    const std::wstring config = run.Directory() + L"\\Config";
    std::ofstream(std::filesystem::path(config), std::ios::binary) << "a file, not a directory";
    ASSERT_TRUE(run.Start()) << run.Failure();

    EXPECT_TRUE(run.IsChecked(Control::选择框1));
    EXPECT_EQ(run.Text(Control::编辑框1), kDefault);
    run.Click(Control::选择框4);
    run.Click(Control::选择框7);
    run.Click(Control::选择框1);
    run.SetText(Control::编辑框1, L"pan.example.net");
    EXPECT_TRUE(run.IsChecked(Control::选择框4));
    EXPECT_TRUE(run.IsChecked(Control::选择框7));
    EXPECT_TRUE(TrayIconPresent(run.Window()));
    EXPECT_TRUE(run.IsRunning());
    EXPECT_FALSE(IsDirectory(config));
    std::ifstream file(std::filesystem::path(config), std::ios::binary);
    const std::string content((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_EQ(content, "a file, not a directory");
}

// --- the autostart shortcut ---

class AutostartE2eTest : public ::testing::Test {
protected:
    AutostartE2eTest() {
        wchar_t folder[MAX_PATH] = {};
        if (::SHGetSpecialFolderPathW(nullptr, folder, CSIDL_STARTUP, FALSE)) {
            shortcut_ = std::wstring(folder) + L"\\Zelvane.lnk";
            ::DeleteFileW(shortcut_.c_str());
        }
        oleReady_ = SUCCEEDED(::OleInitialize(nullptr));
    }
    ~AutostartE2eTest() override {
        if (!shortcut_.empty()) ::DeleteFileW(shortcut_.c_str());
        if (oleReady_) ::OleUninitialize();
    }

    // Clicks 选择框6, waits for the message box, checks it, closes it.
    void ClickAndExpectMessage(ZelvaneRun& run, const std::wstring& text, bool errorIcon) {
        run.PostClick(Control::选择框6);
        const HWND box = run.WaitForMessageBox();
        ASSERT_NE(box, nullptr) << "no message box";
        EXPECT_EQ(run.MessageBoxText(box), text);
        EXPECT_EQ(run.MessageBoxCaption(box), L"");
        EXPECT_EQ(::GetWindow(box, GW_OWNER), run.Window()) << "owned by the main window";
        const HICON icon = MessageBoxIcon(box);
        if (errorIcon) {
            // Which picture it is cannot be told from outside: Wine's icon
            // handles cannot be read from another process.
            EXPECT_NE(icon, nullptr) << "no icon";
        } else {
            EXPECT_EQ(icon, nullptr);
        }
        run.CloseMessageBox(box);
        EXPECT_TRUE(run.WaitFor([&] { return !::IsWindow(box); }));
    }

    bool ShortcutExists() const { return ::GetFileAttributesW(shortcut_.c_str()) != INVALID_FILE_ATTRIBUTES; }

    std::wstring shortcut_;
    bool oleReady_ = false;
};

TEST_F(AutostartE2eTest, CheckWritesTheShortcutUncheckDeletesIt) {
    ASSERT_FALSE(shortcut_.empty()) << "no Startup folder in this prefix";
    ZelvaneRun run;
    ASSERT_TRUE(run.Started()) << run.Failure();

    ClickAndExpectMessage(run, kSucceeded, false);
    EXPECT_TRUE(run.IsChecked(Control::选择框6));
    ASSERT_TRUE(ShortcutExists());
    testing::ShellLinkContents link;
    ASSERT_TRUE(testing::ReadShellLink(shortcut_, link));
    EXPECT_TRUE(SamePath(link.target, run.Directory() + L"\\zelvane.exe")) << win32::Utf8FromWide(link.target);
    EXPECT_EQ(link.description, L"Zelvane");
    EXPECT_EQ(link.showCommand, SW_SHOW);
    EXPECT_EQ(link.arguments, L"");

    ClickAndExpectMessage(run, kSucceeded, false);
    EXPECT_FALSE(run.IsChecked(Control::选择框6));
    EXPECT_FALSE(ShortcutExists());
    EXPECT_TRUE(EntriesIn(run.Directory() + L"\\Config").empty())
        << "the shortcut is recorded nowhere else";
}

TEST_F(AutostartE2eTest, UncheckingWithoutAShortcutReportsFailure) {
    ASSERT_FALSE(shortcut_.empty()) << "no Startup folder in this prefix";
    ZelvaneRun run;
    ASSERT_TRUE(run.Started()) << run.Failure();
    ClickAndExpectMessage(run, kSucceeded, false);
    ASSERT_TRUE(::DeleteFileW(shortcut_.c_str()));  // deleted by hand meanwhile
    ClickAndExpectMessage(run, kFailed, true);
    EXPECT_FALSE(run.IsChecked(Control::选择框6));
    EXPECT_TRUE(run.IsRunning());
}

}  // namespace
}  // namespace zelvane::e2e
