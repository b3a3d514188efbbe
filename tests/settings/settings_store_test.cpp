// The restore at start: each settings file alone, their combinations, and
// the files that are odd (empty, with line breaks, with a zero byte, a
// directory, unreadable).
#include <functional>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "settings/settings_store.h"
#include "tests/settings/settings_session.h"
#include "ui/tray_image.h"

namespace zelvane::testing {
namespace {

using namespace std::string_literals;

TEST(ConfigFilePath, HasExactlyOneBackslashBeforeConfig) {
    const FakeFileSystem files;
    EXPECT_EQ(ConfigFilePath(files, "URL.ini"), Path{"C:\\Zelvane\\Config\\URL.ini"});
    EXPECT_EQ(ConfigFilePath(files, "AutoHide.dll"), Path{"C:\\Zelvane\\Config\\AutoHide.dll"});
}

TEST(ConfigFilePath, AtTheRootOfADriveUsesConfigAtTheRoot) {
    const FakeFileSystem files(Path{"D:"});
    EXPECT_EQ(ConfigFilePath(files, "AutoOpen.dll"), Path{"D:\\Config\\AutoOpen.dll"});
}

struct RestoreCase {
    const char* name;
    std::function<void(FakeFileSystem&)> arrange;
    Options expected;
    // Only a custom domain is written back: nothing, or the bytes it becomes.
    std::optional<std::string> urlIniRewrittenTo = std::nullopt;
    bool hideMode = false;
};

const Options kCustom{.box1 = false, .editDisabled = false, .domain = "pan.example.net"};

const RestoreCase kRestoreCases[] = {
    {"NoFiles", [](FakeFileSystem&) {}, Options{}},
    {"UrlIniHoldingTheDefaultDomain", [](FakeFileSystem& f) { f.AddFile(kUrlIni, DEFAULT_DOMAIN); }, Options{}},
    {"UrlIniHoldingACustomDomain", [](FakeFileSystem& f) { f.AddFile(kUrlIni, "pan.example.net"); }, kCustom,
     "pan.example.net"},
    {"UrlIniHoldingCodePage936Bytes",
     [](FakeFileSystem& f) { f.AddFile(kUrlIni, "\xD6\xD0\xCE\xC4.example"); },  // 中文.example
     Options{.box1 = false, .editDisabled = false, .domain = "\xD6\xD0\xCE\xC4.example"},
     "\xD6\xD0\xCE\xC4.example"},
    {"UrlIniEmpty", [](FakeFileSystem& f) { f.AddFile(kUrlIni, ""); },
     Options{.box1 = false, .editDisabled = false, .domain = ""}, ""},
    {"UrlIniEndingInCrLfIsNotTrimmed", [](FakeFileSystem& f) { f.AddFile(kUrlIni, "pan.example.net\r\n"); },
     Options{.box1 = false, .editDisabled = false, .domain = "pan.example.net\r\n"}, "pan.example.net\r\n"},
    {"UrlIniDefaultDomainWithSpacesIsCustom",
     [](FakeFileSystem& f) { f.AddFile(kUrlIni, " "s + std::string(DEFAULT_DOMAIN)); },
     Options{.box1 = false, .editDisabled = false, .domain = " " + kDefault}, " " + kDefault},
    {"UrlIniWithAZeroByteLosesItAndTheRest",
     [](FakeFileSystem& f) { f.AddFile(kUrlIni, "pan.example.net\0tail"s); }, kCustom, "pan.example.net"},
    {"UrlIniStartingWithAZeroByteReadsEmpty", [](FakeFileSystem& f) { f.AddFile(kUrlIni, "\0www"s); },
     Options{.box1 = false, .editDisabled = false, .domain = ""}, ""},
    // Unreadable reads as the empty domain; the write-back cannot touch it.
    {"UrlIniADirectory", [](FakeFileSystem& f) { f.AddDirectory(kUrlIni); },
     Options{.box1 = false, .editDisabled = false, .domain = ""}},
    {"UrlIniHeldOpenByAnotherProgram",
     [](FakeFileSystem& f) {
         f.AddFile(kUrlIni, "pan.example.net");
         f.LockPath(kUrlIni);
     },
     Options{.box1 = false, .editDisabled = false, .domain = ""}},
    {"AutoCopyPassword", [](FakeFileSystem& f) { f.AddFile(kAutoCopyPassword, "AutoCopyPassword"); },
     Options{.box3Disabled = true, .box5 = true}},
    {"AutoCopyPasswordEmpty", [](FakeFileSystem& f) { f.AddFile(kAutoCopyPassword, ""); },
     Options{.box3Disabled = true, .box5 = true}},
    {"AutoOpen", [](FakeFileSystem& f) { f.AddFile(kAutoOpen, "AutoOpenURL"); }, Options{.box4 = true}},
    {"AutoOpenADirectory", [](FakeFileSystem& f) { f.AddDirectory(kAutoOpen); }, Options{.box4 = true}},
    {"AutoHide", [](FakeFileSystem& f) { f.AddFile(kAutoHide, "AutoHide"); }, Options{.box7 = true},
     std::nullopt, true},
    {"AutoHideEmpty", [](FakeFileSystem& f) { f.AddFile(kAutoHide, ""); }, Options{.box7 = true}, std::nullopt,
     true},
    {"AutoHideADirectory", [](FakeFileSystem& f) { f.AddDirectory(kAutoHide); }, Options{.box7 = true},
     std::nullopt, true},
    {"MarkersMatchWithoutRegardToCase", [](FakeFileSystem& f) { f.AddFile(Path{"C:\\Zelvane\\CONFIG\\autoopen.DLL"}, ""); },
     Options{.box4 = true}},
    {"AllFiles",
     [](FakeFileSystem& f) {
         f.AddFile(kAutoCopyPassword, "AutoCopyPassword");
         f.AddFile(kAutoOpen, "AutoOpenURL");
         f.AddFile(kAutoHide, "AutoHide");
         f.AddFile(kUrlIni, "pan.example.net");
     },
     Options{.box1 = false, .editDisabled = false, .domain = "pan.example.net", .box3Disabled = true,
             .box4 = true, .box5 = true, .box7 = true},
     "pan.example.net", true},
    {"AllMarkersWithTheDefaultDomain",
     [](FakeFileSystem& f) {
         f.AddFile(kAutoCopyPassword, "");
         f.AddFile(kAutoOpen, "");
         f.AddFile(kAutoHide, "");
         f.AddFile(kUrlIni, DEFAULT_DOMAIN);
     },
     Options{.box3Disabled = true, .box4 = true, .box5 = true, .box7 = true}, std::nullopt, true},
    {"MarkersInAnotherFolderDoNotCount",
     [](FakeFileSystem& f) {
         f.AddFile(Path{"C:\\Zelvane\\AutoOpen.dll"}, "AutoOpenURL");
         f.AddFile(Path{"C:\\Config\\AutoHide.dll"}, "AutoHide");
     },
     Options{}},
};

class Restore : public ::testing::TestWithParam<RestoreCase> {
protected:
    Restore() { files.AddDirectory(kConfig); }
    FakeFileSystem files;
};

TEST_P(Restore, SetsTheControlsAndWritesOnlyACustomDomainBack) {
    const RestoreCase& c = GetParam();
    c.arrange(files);
    const auto before = ConfigSnapshot(files);
    Session run(files);
    run.state.lastClipboardText = "copied before";
    files.calls.clear();

    run.Start();

    EXPECT_EQ(Read(run.form), c.expected);
    ExpectInvariants(run.form);
    EXPECT_EQ(run.state.lastClipboardText, "");
    EXPECT_FALSE(run.form.IsChecked(Control::选择框6));

    auto expectedFiles = before;
    if (c.urlIniRewrittenTo) expectedFiles[kUrlIni.utf8] = *c.urlIniRewrittenTo;
    EXPECT_EQ(ConfigSnapshot(files), expectedFiles);
    EXPECT_EQ(CountCalls(files, "RemoveFile", kUrlIni), 0);
    for (const Path& marker : {kAutoHide, kAutoOpen, kAutoCopyPassword}) {
        EXPECT_EQ(CountCalls(files, "WriteWholeFile", marker) + CountCalls(files, "RemoveFile", marker), 0)
            << marker.utf8;
    }

    if (c.hideMode) {
        ASSERT_EQ(run.tray.calls.size(), 1u);
        EXPECT_TRUE(run.tray.IconPresent());
        EXPECT_EQ(run.tray.Image(), TrayIconImage());
        EXPECT_EQ(run.tray.Tip(), Text(TRAY_START_TIP));
    } else {
        EXPECT_TRUE(run.tray.calls.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Files, Restore, ::testing::ValuesIn(kRestoreCases),
                         RowName());

// 编辑框1 is set twice: the default first, with the box disabled, then the
// custom domain, whose nested text-changed event writes it back while
// 选择框1 is still checked (it is unchecked only after the write).
TEST(RestoreOrder, DefaultFirstThenCustomDomainWrittenBackInsideSetText) {
    FakeFileSystem files;
    files.AddFile(kUrlIni, "pan.example.net\0tail"s);
    Session run(files);
    struct Seen {
        Text text;
        std::optional<std::string> urlIni;
        bool box1;
        bool editDisabled;
    };
    std::vector<Seen> seen;
    run.afterTextChanged = [&](Control control) {
        ASSERT_EQ(control, Control::编辑框1);
        seen.push_back({run.form.GetText(control), files.ContentText(kUrlIni),
                        run.form.IsChecked(Control::选择框1), run.form.IsDisabled(Control::编辑框1)});
    };

    run.Start();

    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].text, kDefault);
    EXPECT_EQ(seen[0].urlIni, "pan.example.net\0tail"s) << "the default domain must not be written over it";
    EXPECT_TRUE(seen[0].editDisabled);
    EXPECT_EQ(seen[1].text, "pan.example.net");
    EXPECT_EQ(seen[1].urlIni, "pan.example.net");
    EXPECT_TRUE(seen[1].box1);
    EXPECT_TRUE(seen[1].editDisabled);
    EXPECT_EQ(Read(run.form), kCustom);
}

TEST(RestoreWithoutConfig, ShowsTheDefaultsAndCreatesNothing) {
    FakeFileSystem files;  // Config could not be created
    Session run(files);
    run.Start();
    EXPECT_EQ(Read(run.form), Options{});
    EXPECT_FALSE(files.PathExists(kConfig));
    EXPECT_TRUE(run.tray.calls.empty());
}

}  // namespace
}  // namespace zelvane::testing
