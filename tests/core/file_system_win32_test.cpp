#include "core/file_system_win32.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "core/encoding_win32.h"
#include "core/handles_win32.h"

namespace zelvane::win32 {
namespace {

namespace fs = std::filesystem;

// Each test works in a fresh directory of its own under the temp directory.
class Win32FileSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        root_ = fs::temp_directory_path() /
                (L"zelvane-fs-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                 WideFromUtf8(info->name()));
        std::error_code ignored;
        fs::remove_all(root_, ignored);
        ASSERT_TRUE(fs::create_directories(root_));
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

    // A path inside the test's directory; `name` is UTF-8.
    Path At(std::string_view name) const {
        return Path{Utf8FromWide(root_.wstring()) + "\\" + std::string(name)};
    }
    static fs::path Native(const Path& path) { return fs::path(WidePath(path)); }

    void MakeFile(const Path& path, const Bytes& content) {
        ASSERT_TRUE(files_.WriteWholeFile(path, content));
    }

    static OwnedFile Hold(const Path& path, DWORD access, DWORD share) {
        return OwnedFile(::CreateFileW(WidePath(path).c_str(), access, share, nullptr,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    }

    Win32FileSystem files_;
    fs::path root_;
};

const Bytes kContent = {'u', 'r', 'l', 0x00, 0xC3, 0xDC, '\r', '\n'};

TEST_F(Win32FileSystemTest, WrittenBytesReadBackWholeZeroBytesIncluded) {
    const Path file = At("URL.ini");
    ASSERT_TRUE(files_.WriteWholeFile(file, kContent));
    EXPECT_EQ(files_.ReadWholeFile(file), kContent);
    EXPECT_TRUE(files_.PathExists(file));
}

TEST_F(Win32FileSystemTest, WritingTruncatesALongerFile) {
    const Path file = At("URL.ini");
    MakeFile(file, Bytes(1000, 'x'));
    ASSERT_TRUE(files_.WriteWholeFile(file, {'a', 'b'}));
    EXPECT_EQ(files_.ReadWholeFile(file), (Bytes{'a', 'b'}));
}

TEST_F(Win32FileSystemTest, EmptyBytesLeaveAZeroByteFile) {
    const Path file = At("AutoHide.dll");
    MakeFile(file, kContent);
    EXPECT_TRUE(files_.WriteWholeFile(file, {}));
    EXPECT_TRUE(files_.PathExists(file));
    EXPECT_EQ(fs::file_size(Native(file)), 0u);
    EXPECT_TRUE(files_.ReadWholeFile(file).empty());
}

TEST_F(Win32FileSystemTest, SeveralMegabytesReadWhole) {
    Bytes big(3 * 1024 * 1024 + 7);
    for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<std::uint8_t>(i * 31 + 7);
    const Path file = At("big.bin");
    ASSERT_TRUE(files_.WriteWholeFile(file, big));
    EXPECT_EQ(files_.ReadWholeFile(file), big);
}

TEST_F(Win32FileSystemTest, FileAboveTheReadLimitReadsAsEmpty) {
    const Path file = At("huge.bin");
    {
        OwnedFile handle(::CreateFileW(WidePath(file).c_str(), GENERIC_WRITE, 0, nullptr,
                                       CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(handle);
        LARGE_INTEGER size;
        size.QuadPart = static_cast<LONGLONG>(Win32FileSystem::kLargestReadableFile + 1);
        ASSERT_TRUE(::SetFilePointerEx(handle.Get(), size, nullptr, FILE_BEGIN));
        ASSERT_TRUE(::SetEndOfFile(handle.Get()));
    }
    EXPECT_TRUE(files_.ReadWholeFile(file).empty());
}

TEST_F(Win32FileSystemTest, EmptyPathsFailAtOnce) {
    EXPECT_FALSE(files_.PathExists(Path{}));
    EXPECT_TRUE(files_.ReadWholeFile(Path{}).empty());
    EXPECT_FALSE(files_.WriteWholeFile(Path{}, kContent));
    EXPECT_FALSE(files_.MakeDirectory(Path{}));
    EXPECT_FALSE(files_.RemoveFile(Path{}));
}

TEST_F(Win32FileSystemTest, MissingEntries) {
    const Path missing = At("missing.ini");
    EXPECT_FALSE(files_.PathExists(missing));
    EXPECT_TRUE(files_.ReadWholeFile(missing).empty());
    EXPECT_FALSE(files_.RemoveFile(missing));
    EXPECT_FALSE(files_.PathExists(At("missing\\inner.ini")));
    EXPECT_FALSE(files_.WriteWholeFile(At("missing\\inner.ini"), kContent));
    EXPECT_FALSE(fs::exists(Native(At("missing"))));
}

TEST_F(Win32FileSystemTest, MakeDirectoryMakesOneLevelOnly) {
    const Path config = At("Config");
    EXPECT_TRUE(files_.MakeDirectory(config));
    EXPECT_TRUE(fs::is_directory(Native(config)));
    EXPECT_FALSE(files_.MakeDirectory(config)) << "exists already";

    EXPECT_FALSE(files_.MakeDirectory(At("no-parent\\Config")));
    EXPECT_FALSE(fs::exists(Native(At("no-parent"))));
}

TEST_F(Win32FileSystemTest, DirectoryCountsAsAnEntryButIsNoFile) {
    const Path config = At("Config");
    ASSERT_TRUE(files_.MakeDirectory(config));
    EXPECT_TRUE(files_.PathExists(config));
    EXPECT_TRUE(files_.ReadWholeFile(config).empty());
    EXPECT_FALSE(files_.WriteWholeFile(config, kContent));
    EXPECT_FALSE(files_.RemoveFile(config));
    EXPECT_TRUE(fs::is_directory(Native(config)));
}

TEST_F(Win32FileSystemTest, FileAndDirectoryOfTheSameNameExcludeEachOther) {
    const Path name = At("AutoOpen.dll");
    MakeFile(name, kContent);
    EXPECT_FALSE(files_.MakeDirectory(name));
    EXPECT_EQ(files_.ReadWholeFile(name), kContent);

    ASSERT_TRUE(files_.RemoveFile(name));
    EXPECT_FALSE(files_.PathExists(name));
    ASSERT_TRUE(files_.MakeDirectory(name));
    EXPECT_TRUE(files_.PathExists(name));
    EXPECT_FALSE(files_.WriteWholeFile(name, kContent));
    EXPECT_TRUE(fs::is_directory(Native(name)));
}

TEST_F(Win32FileSystemTest, RemoveFileDeletesOnce) {
    const Path file = At("AutoCopyPassword.dll");
    MakeFile(file, {});
    EXPECT_TRUE(files_.RemoveFile(file));
    EXPECT_FALSE(files_.PathExists(file));
    EXPECT_FALSE(files_.RemoveFile(file));
}

// Sharing: a writer without read sharing keeps readers out; any holder that
// does not share writing keeps our exclusive writer out, and deletion needs
// delete sharing.
TEST_F(Win32FileSystemTest, FileHeldOpenForWritingCanBeNeitherReadWrittenNorDeleted) {
    const Path file = At("URL.ini");
    MakeFile(file, kContent);
    {
        const OwnedFile writer = Hold(file, GENERIC_WRITE, 0);
        ASSERT_TRUE(writer);
        EXPECT_TRUE(files_.ReadWholeFile(file).empty());
        EXPECT_FALSE(files_.WriteWholeFile(file, {'n', 'e', 'w'}));
        EXPECT_FALSE(files_.RemoveFile(file));
        EXPECT_TRUE(files_.PathExists(file));
    }
    EXPECT_EQ(files_.ReadWholeFile(file), kContent) << "a refused write keeps the old content";
}

TEST_F(Win32FileSystemTest, ReadingDeniesOthersWriting) {
    const Path file = At("URL.ini");
    MakeFile(file, kContent);
    // Someone writing with every sharing allowed still keeps our reader out:
    // the reader does not share writing.
    const OwnedFile writer = Hold(file, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_TRUE(writer);
    EXPECT_TRUE(files_.ReadWholeFile(file).empty());
}

TEST_F(Win32FileSystemTest, FileHeldOpenByAReaderCanBeReadButNotWritten) {
    const Path file = At("URL.ini");
    MakeFile(file, kContent);
    {
        const OwnedFile reader =
            Hold(file, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
        ASSERT_TRUE(reader);
        EXPECT_EQ(files_.ReadWholeFile(file), kContent);
        EXPECT_FALSE(files_.WriteWholeFile(file, {'n', 'e', 'w'})) << "writing is exclusive";
    }
    {
        const OwnedFile reader = Hold(file, GENERIC_READ, FILE_SHARE_READ);
        ASSERT_TRUE(reader);
        EXPECT_FALSE(files_.RemoveFile(file));
    }
    EXPECT_EQ(files_.ReadWholeFile(file), kContent);
    EXPECT_TRUE(files_.RemoveFile(file));
}

TEST_F(Win32FileSystemTest, NamesOutsideCodePage936Work) {
    // Korean and an emoji: neither exists in code page 936.
    const Path directory = At("\xED\x95\x9C\xEA\xB8\x80-\xF0\x9F\x90\xA2");  // 한글-🐢
    ASSERT_TRUE(files_.MakeDirectory(directory));
    EXPECT_TRUE(files_.PathExists(directory));
    const Path file = JoinPath(directory, "\\\xEC\x84\xA4\xEC\xA0\x95.ini");  // \설정.ini
    ASSERT_TRUE(files_.WriteWholeFile(file, kContent));
    EXPECT_TRUE(fs::exists(Native(file)));
    EXPECT_EQ(files_.ReadWholeFile(file), kContent);
    EXPECT_TRUE(files_.RemoveFile(file));
    EXPECT_FALSE(files_.PathExists(file));
}

// ------------------------------------------------------ the running program

std::wstring ModulePathOfThisProcess() {
    wchar_t buffer[32768];
    const DWORD length = ::GetModuleFileNameW(nullptr, buffer, 32768);
    return std::wstring(buffer, length);
}

TEST(Win32FileSystemProgram, DirectoryAndNameOfTheRunningTestProgram) {
    const std::wstring full = ModulePathOfThisProcess();
    ASSERT_FALSE(full.empty());
    const Win32FileSystem files;
    EXPECT_EQ(files.ExecutableName(), Path{"core_tests.exe"});
    const Path rejoined{files.ProgramDirectory().utf8 + '\\' + files.ExecutableName().utf8};
    EXPECT_EQ(rejoined, PathFromWide(full));
    EXPECT_TRUE(files.PathExists(files.ProgramDirectory()));
    EXPECT_TRUE(files.PathExists(JoinPath(files.ProgramDirectory(), "\\core_tests.exe")));
}

TEST(Win32FileSystemProgram, ModuleFileNameGrowsItsBufferUntilThePathFits) {
    const std::wstring full = ModulePathOfThisProcess();
    const auto length = static_cast<DWORD>(full.size());
    const DWORD capacities[] = {1, 4, length - 1, length, length + 1, MAX_PATH};
    for (DWORD capacity : capacities) {
        SCOPED_TRACE(capacity);
        EXPECT_EQ(ModuleFileName(capacity), full);
    }
}

TEST(Win32FileSystemProgram, SplitAtTheLastBackslash) {
    struct Row {
        std::wstring full;
        std::string directory;
        std::string name;
    };
    const Row rows[] = {
        {L"C:\\Tools\\zelvane.exe", "C:\\Tools", "zelvane.exe"},
        {L"C:\\zelvane.exe", "C:", "zelvane.exe"},
        {L"zelvane.exe", "", "zelvane.exe"},
        // 乗 is 81 5C in code page 936: its second byte is a backslash there,
        // but wide paths have no such trap.
        {L"C:\\\u4E57\\z.exe", "C:\\\xE4\xB9\x97", "z.exe"},
        {L"\\\\server\\share\\a.b.exe", "\\\\server\\share", "a.b.exe"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name + " in " + row.directory);
        const ModulePathParts parts = SplitModulePath(row.full);
        EXPECT_EQ(parts.directory, Path{row.directory});
        EXPECT_EQ(parts.name, Path{row.name});
    }
}

}  // namespace
}  // namespace zelvane::win32
