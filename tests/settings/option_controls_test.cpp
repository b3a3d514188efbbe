// The option handlers: what each click and keystroke does to the controls and
// to the files, the couplings after every pair of clicks, and what the next
// start makes of it.
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/settings/settings_session.h"
#include "ui/tray_image.h"

namespace zelvane::testing {
namespace {

class OptionControlsTest : public ::testing::Test {
protected:
    OptionControlsTest() { files.AddDirectory(kConfig); }

    Session& StartRun() {
        run.emplace(files);
        run->Start();
        files.calls.clear();
        return *run;
    }
    FakeForm& form() { return run->form; }

    FakeFileSystem files;
    std::optional<Session> run;
};

// --- 选择框1 and 编辑框1 ---

TEST_F(OptionControlsTest, UncheckingDefaultFreesAnEmptyBoxAndDeletesUrlIni) {
    files.AddFile(kUrlIni, DEFAULT_DOMAIN);
    StartRun();
    std::vector<std::optional<std::string>> urlIniAtTextChange;
    run->afterTextChanged = [&](Control) { urlIniAtTextChange.push_back(files.ContentText(kUrlIni)); };

    form().Click(Control::选择框1);

    EXPECT_EQ(Read(form()), (Options{.box1 = false, .editDisabled = false, .domain = ""}));
    // The nested handler writes zero bytes; the click handler then deletes them.
    EXPECT_EQ(urlIniAtTextChange, (std::vector<std::optional<std::string>>{""}));
    EXPECT_FALSE(files.PathExists(kUrlIni));
}

TEST_F(OptionControlsTest, CheckingDefaultLocksTheBoxAndWritesTheDefaultDomain) {
    files.AddFile(kUrlIni, "pan.example.net");
    StartRun();
    std::vector<std::optional<std::string>> urlIniAtTextChange;
    run->afterTextChanged = [&](Control) { urlIniAtTextChange.push_back(files.ContentText(kUrlIni)); };

    form().Click(Control::选择框1);

    EXPECT_EQ(Read(form()), Options{});
    // Nothing is written while the text is the default; the click writes it after.
    EXPECT_EQ(urlIniAtTextChange, (std::vector<std::optional<std::string>>{"pan.example.net"}));
    EXPECT_EQ(files.ContentText(kUrlIni), std::string(DEFAULT_DOMAIN));
}

TEST_F(OptionControlsTest, DefaultOnAndOffAgainLosesTheCustomDomain) {
    files.AddFile(kUrlIni, "pan.example.net");
    StartRun();
    form().Click(Control::选择框1);
    form().Click(Control::选择框1);
    EXPECT_EQ(Read(form()), (Options{.box1 = false, .editDisabled = false, .domain = ""}));
    EXPECT_FALSE(files.PathExists(kUrlIni));

    StartRun();  // no domain was typed: the next start is back on the default
    EXPECT_EQ(Read(form()), Options{});
}

TEST_F(OptionControlsTest, UrlIniFollowsEveryKeystroke) {
    StartRun();
    form().Click(Control::选择框1);
    for (const std::string typed : {"p", "pa", "pan", "pan.example.net", "pan.\xD6\xD0.net"}) {
        form().Type(Control::编辑框1, typed);
        EXPECT_EQ(files.ContentText(kUrlIni), typed);
    }
    StartRun();
    EXPECT_EQ(Read(form()), (Options{.box1 = false, .editDisabled = false, .domain = "pan.\xD6\xD0.net"}));
}

TEST_F(OptionControlsTest, ClearingTheBoxByHandKeepsAnEmptyDomain) {
    files.AddFile(kUrlIni, "pan.example.net");
    StartRun();
    form().Type(Control::编辑框1, "");
    EXPECT_EQ(files.ContentText(kUrlIni), "");
    StartRun();
    EXPECT_EQ(Read(form()), (Options{.box1 = false, .editDisabled = false, .domain = ""}));
}

// Typing the default domain into the free box saves it like any other text,
// so the next start lands on the default instead of on the text the box held
// one keystroke earlier.
TEST_F(OptionControlsTest, TypingTheDefaultDomainSavesIt) {
    StartRun();
    form().Click(Control::选择框1);
    const Text almost = kDefault.substr(0, kDefault.size() - 1);
    form().Type(Control::编辑框1, almost);
    form().Type(Control::编辑框1, kDefault);
    EXPECT_EQ(files.ContentText(kUrlIni), std::string(DEFAULT_DOMAIN));

    StartRun();
    EXPECT_EQ(Read(form()), Options{});
}

TEST_F(OptionControlsTest, TextChangesOfOtherBoxesWriteNothing) {
    StartRun();
    form().SetText(Control::编辑框_转换后, "https://pan.example.net/s/abc");
    form().Type(Control::编辑框_转换后, "typed");
    EXPECT_TRUE(files.calls.empty());
}

// --- the markers and the 选择框3 / 选择框5 pair ---

struct MarkerCase {
    const char* name;
    Control box;
    Path file;
    const char* content;
};

class MarkerClicks : public OptionControlsTest, public ::testing::WithParamInterface<MarkerCase> {};

TEST_P(MarkerClicks, CheckWritesTheExactBytesUncheckDeletes) {
    const MarkerCase& c = GetParam();
    StartRun();
    form().Click(c.box);
    EXPECT_EQ(files.ContentText(c.file), std::string(c.content));
    ExpectInvariants(form());
    form().Click(c.box);
    EXPECT_FALSE(files.PathExists(c.file));
    ExpectInvariants(form());
}

TEST_P(MarkerClicks, CheckOverwritesAnOldContentWhole) {
    const MarkerCase& c = GetParam();
    files.AddFile(c.file, "some much longer content left by someone");
    StartRun();
    form().Click(c.box);  // restored checked: this click unchecks
    form().Click(c.box);
    EXPECT_EQ(files.ContentText(c.file), std::string(c.content));
}

TEST_P(MarkerClicks, FailedWriteAndDeleteLeaveTheUsersChoiceOnScreen) {
    const MarkerCase& c = GetParam();
    files.AddFile(c.file, "old");
    StartRun();
    files.LockPath(c.file);
    form().Click(c.box);  // unchecks; the delete fails
    EXPECT_FALSE(form().IsChecked(c.box));
    EXPECT_EQ(files.ContentText(c.file), "old");
    form().Click(c.box);  // checks; the write fails
    EXPECT_TRUE(form().IsChecked(c.box));
    EXPECT_EQ(files.ContentText(c.file), "old");
    ExpectInvariants(form());
}

INSTANTIATE_TEST_SUITE_P(Markers, MarkerClicks,
                         ::testing::Values(MarkerCase{"AutoOpen", Control::选择框4, kAutoOpen, "AutoOpenURL"},
                                           MarkerCase{"AutoCopyPassword", Control::选择框5, kAutoCopyPassword,
                                                      "AutoCopyPassword"},
                                           MarkerCase{"AutoHide", Control::选择框7, kAutoHide, "AutoHide"}),
                         RowName());

TEST_F(OptionControlsTest, CopyLinkExcludesCopyPasswordAndStoresNothing) {
    StartRun();
    form().Click(Control::选择框3);
    EXPECT_EQ(Read(form()), (Options{.box3 = true, .box5Disabled = true}));
    form().Click(Control::选择框5);  // disabled: nothing happens
    EXPECT_EQ(Read(form()), (Options{.box3 = true, .box5Disabled = true}));
    form().Click(Control::选择框3);
    EXPECT_EQ(Read(form()), Options{});
    EXPECT_TRUE(files.calls.empty());
}

TEST_F(OptionControlsTest, CopyPasswordExcludesCopyLink) {
    StartRun();
    form().Click(Control::选择框5);
    EXPECT_EQ(Read(form()), (Options{.box3Disabled = true, .box5 = true}));
    form().Click(Control::选择框5);
    EXPECT_EQ(Read(form()), Options{});
}

TEST_F(OptionControlsTest, HideAtStartShowsAnIconWithoutTipAndKeepsTheWindow) {
    StartRun();
    form().Click(Control::选择框7);
    EXPECT_TRUE(run->tray.IconPresent());
    EXPECT_EQ(run->tray.Image(), TrayIconImage());
    EXPECT_EQ(run->tray.Tip(), std::nullopt);
    EXPECT_TRUE(form().IsWindowVisible());

    form().Click(Control::选择框7);
    EXPECT_FALSE(run->tray.IconPresent());
    ASSERT_EQ(run->tray.calls.size(), 2u);
    EXPECT_EQ(run->tray.calls[1].operation, "RemoveTrayIcon");
    EXPECT_TRUE(form().IsWindowVisible());
}

TEST_F(OptionControlsTest, ClicksOnOtherControlsDoNothing) {
    StartRun();
    for (Control other : {Control::选择框2, Control::按钮1, Control::编辑框1, Control::标签1}) {
        run->options.OnClicked(other);
    }
    EXPECT_TRUE(files.calls.empty());
    EXPECT_TRUE(run->tray.calls.empty());
    EXPECT_EQ(Read(form()), Options{});
}

// --- every pair of clicks, from every kind of start ---

struct StartCase {
    const char* name;
    std::function<void(FakeFileSystem&)> arrange;
};

const StartCase kStarts[] = {
    {"Fresh", [](FakeFileSystem&) {}},
    {"CopyPasswordAndCustomDomain",
     [](FakeFileSystem& f) {
         f.AddFile(kAutoCopyPassword, "AutoCopyPassword");
         f.AddFile(kUrlIni, "pan.example.net");
     }},
    {"AllMarkers",
     [](FakeFileSystem& f) {
         f.AddFile(kAutoCopyPassword, "");
         f.AddFile(kAutoOpen, "");
         f.AddFile(kAutoHide, "");
     }},
};

const Control kOptionBoxes[] = {Control::选择框1, Control::选择框3, Control::选择框4, Control::选择框5,
                                Control::选择框7};

// What the files say must be what the next start shows.
void ExpectFilesMatchControls(const FakeFileSystem& files, const Session& run) {
    const Options o = Read(run.form);
    EXPECT_EQ(files.PathExists(kAutoOpen), o.box4);
    EXPECT_EQ(files.PathExists(kAutoCopyPassword), o.box5);
    EXPECT_EQ(files.PathExists(kAutoHide), o.box7);
    EXPECT_EQ(run.tray.IconPresent(), o.box7);
    const auto urlIni = files.ContentText(kUrlIni);
    if (o.box1) {
        EXPECT_TRUE(!urlIni || *urlIni == kDefault);
    } else {
        EXPECT_TRUE(!urlIni || *urlIni == o.domain);
    }
}

class ClickPairs : public OptionControlsTest, public ::testing::WithParamInterface<StartCase> {};

TEST_P(ClickPairs, KeepTheCouplingsAndSurviveARestart) {
    for (Control first : kOptionBoxes) {
        for (Control second : kOptionBoxes) {
            SCOPED_TRACE(::testing::Message() << "clicks " << static_cast<int>(first) << " then "
                                              << static_cast<int>(second));
            files = FakeFileSystem();
            files.AddDirectory(kConfig);
            GetParam().arrange(files);
            StartRun();
            ExpectInvariants(form());
            form().Click(first);
            ExpectInvariants(form());
            ExpectFilesMatchControls(files, *run);
            form().Click(second);
            ExpectInvariants(form());
            ExpectFilesMatchControls(files, *run);

            const Options before = Read(form());
            StartRun();
            const Options after = Read(form());
            EXPECT_EQ(after.box4, before.box4);
            EXPECT_EQ(after.box5, before.box5);
            EXPECT_EQ(after.box7, before.box7);
            EXPECT_FALSE(after.box3);  // stored nowhere
            // A freed but empty box with no URL.ini goes back to the default.
            if (before.box1 || files.PathExists(kUrlIni)) {
                EXPECT_EQ(after.box1, before.box1);
                EXPECT_EQ(after.domain, before.domain);
            } else {
                EXPECT_TRUE(after.box1);
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Starts, ClickPairs, ::testing::ValuesIn(kStarts),
                         RowName());

}  // namespace
}  // namespace zelvane::testing
