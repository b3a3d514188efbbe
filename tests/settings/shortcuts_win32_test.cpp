// The shell adapter on the real shell: the Startup folder and a .lnk that the
// shell itself reads back.
#include <windows.h>
#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "core/encoding_win32.h"
#include "core/handles_win32.h"
#include "settings/shortcuts_win32.h"
#include "tests/settings/shell_link_reader_win32.h"

namespace zelvane::win32 {
namespace {

// A fresh directory under the temporary folder, removed with what it holds.
// Its name needs Unicode: paths must not go through any ANSI code page.
class ScratchDirectory {
public:
    ScratchDirectory() {
        wchar_t temp[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, temp);
        path_ = std::wstring(temp) + L"zelvane-\x4E2D\x6587-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                std::to_wstring(::GetTickCount64());
        created_ = ::CreateDirectoryW(path_.c_str(), nullptr) != FALSE;
    }
    ~ScratchDirectory() {
        WIN32_FIND_DATAW found;
        const std::wstring pattern = path_ + L"\\*";
        OwnedFind find(::FindFirstFileW(pattern.c_str(), &found));
        if (find) {
            do {
                ::DeleteFileW((path_ + L"\\" + found.cFileName).c_str());
            } while (::FindNextFileW(find.Get(), &found));
        }
        find.Reset();
        ::RemoveDirectoryW(path_.c_str());
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    bool Created() const { return created_; }
    std::wstring Wide(const wchar_t* name) const { return path_ + L"\\" + name; }
    Path In(const wchar_t* name) const { return PathFromWide(Wide(name)); }

private:
    std::wstring path_;
    bool created_ = false;
};

class ShellShortcutsTest : public ::testing::Test {
protected:
    // COM as the program has it: OLE initialised on this thread.
    ShellShortcutsTest() : oleReady_(SUCCEEDED(::OleInitialize(nullptr))) {}
    ~ShellShortcutsTest() override {
        if (oleReady_) ::OleUninitialize();
    }

    static bool IsFile(const std::wstring& path) {
        const DWORD attributes = ::GetFileAttributesW(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    }

    bool oleReady_;
    ShellShortcuts shortcuts;
    ScratchDirectory scratch;
};

TEST_F(ShellShortcutsTest, StartupFolderEndsInABackslashAndExists) {
    const Path folder = shortcuts.StartupFolder();
    ASSERT_FALSE(folder.utf8.empty());
    EXPECT_EQ(folder.utf8.back(), '\\');
    const DWORD attributes = ::GetFileAttributesW(WidePath(folder).c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES) << folder.utf8;
    EXPECT_NE(attributes & FILE_ATTRIBUTE_DIRECTORY, 0u);

    wchar_t expected[MAX_PATH] = {};
    ASSERT_TRUE(::SHGetSpecialFolderPathW(nullptr, expected, CSIDL_STARTUP, FALSE));
    EXPECT_EQ(WidePath(folder).rfind(expected, 0), 0u);
}

TEST_F(ShellShortcutsTest, WrittenShortcutReadsBackThroughTheShell) {
    ASSERT_TRUE(oleReady_);
    ASSERT_TRUE(scratch.Created());
    const Path target = scratch.In(L"\x8F6C\x6362.exe");  // 转换.exe
    ASSERT_TRUE(shortcuts.CreateShortcut(scratch.In(L"Zelvane.lnk"), target, "Zelvane"));

    testing::ShellLinkContents link;
    ASSERT_TRUE(testing::ReadShellLink(scratch.Wide(L"Zelvane.lnk"), link));
    EXPECT_EQ(link.target, scratch.Wide(L"\x8F6C\x6362.exe"));
    EXPECT_EQ(link.description, L"Zelvane");
    EXPECT_EQ(link.showCommand, SW_SHOW);
    EXPECT_EQ(link.arguments, L"");
}

TEST_F(ShellShortcutsTest, DescriptionCrossesAsCodePage936) {
    ASSERT_TRUE(scratch.Created());
    ASSERT_TRUE(shortcuts.CreateShortcut(scratch.In(L"a.lnk"), scratch.In(L"a.exe"), "\xD6\xD0\xCE\xC4"));  // 中文
    testing::ShellLinkContents link;
    ASSERT_TRUE(testing::ReadShellLink(scratch.Wide(L"a.lnk"), link));
    EXPECT_EQ(link.description, L"\x4E2D\x6587");
}

TEST_F(ShellShortcutsTest, AnExistingShortcutIsOverwritten) {
    ASSERT_TRUE(scratch.Created());
    ASSERT_TRUE(shortcuts.CreateShortcut(scratch.In(L"Zelvane.lnk"), scratch.In(L"old.exe"), "Zelvane"));
    ASSERT_TRUE(shortcuts.CreateShortcut(scratch.In(L"Zelvane.lnk"), scratch.In(L"new.exe"), "Zelvane"));
    testing::ShellLinkContents link;
    ASSERT_TRUE(testing::ReadShellLink(scratch.Wide(L"Zelvane.lnk"), link));
    EXPECT_EQ(link.target, scratch.Wide(L"new.exe"));
}

TEST_F(ShellShortcutsTest, SavingIntoAMissingFolderFails) {
    ASSERT_TRUE(scratch.Created());
    const Path shortcut = PathFromWide(scratch.Wide(L"missing") + L"\\Zelvane.lnk");
    EXPECT_FALSE(shortcuts.CreateShortcut(shortcut, scratch.In(L"a.exe"), "Zelvane"));
    EXPECT_FALSE(IsFile(scratch.Wide(L"missing") + L"\\Zelvane.lnk"));
}

TEST(ShellShortcutsWithoutCom, FailsInsteadOfCrashing) {
    // No CoInitialize on this thread: no shell link object can be made.
    bool result = true;
    std::thread([&] {
        ShellShortcuts shortcuts;
        result = shortcuts.CreateShortcut(Path{"C:\\nowhere.lnk"}, Path{"C:\\a.exe"}, "Zelvane");
    }).join();
    EXPECT_FALSE(result);
}

}  // namespace
}  // namespace zelvane::win32
