#include "conversion/converter.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/constants.h"
#include "tests/conversion/share_texts.h"
#include "tests/fakes/fake_clipboard.h"
#include "tests/fakes/fake_form.h"
#include "tests/fakes/fake_shell.h"

namespace zelvane {
namespace {

using testing::FakeClipboard;
using testing::FakeForm;
using testing::FakeShell;
using testing::ShareText;
using Texts = std::vector<Text>;

const Text kUnknown(NO_LINK_TEXT);

// One converter over fakes, with 编辑框1 holding the test domain.
struct Rig {
    Rig() {
        form.SetText(Control::编辑框1, testing::kDomain);
        form.textWrites.clear();
    }

    void Tick() { converter.ConversionCycle(); }
    void CopyAndTick(const Text& text) {
        clipboard.Copy(text);
        Tick();
    }
    void Check(Control box, bool checked = true) { form.SetChecked(box, checked); }
    Text Shown() const { return form.GetText(Control::编辑框_转换后); }
    Texts ShownWrites() const {
        Texts writes;
        for (const auto& write : form.textWrites) {
            if (write.control == Control::编辑框_转换后) writes.push_back(write.text);
        }
        return writes;
    }

    ProgramState state;
    FakeForm form;
    FakeClipboard clipboard;
    FakeShell shell;
    Converter converter{state, form, clipboard, shell};
};

class ConverterTest : public ::testing::Test, protected Rig {};

// The examples of share texts, each copied once with 选择框4 checked (so what
// would be opened shows) and "OLD" as the password of an earlier text.
struct Example {
    const char* copied;
    std::optional<std::string> shown;  // nothing: the window is left unchanged
    const char* password;
    const char* opened;  // "": nothing opened
    const char* domain = "{D}";
};

TEST(ConversionCycle, ShareTextExamples) {
    const Example examples[] = {
        {"https://{H}/abc", "https://{D}/abc", "OLD", "https://{D}/abc"},
        {"https://{H}/abc/", "https://{D}/abc", "OLD", "https://{D}/abc"},
        {"http://{H}/abc", "http://{D}/abc", "OLD", "http://{D}/abc"},
        {"{链接}https://{H}/abc {提取码}{：}{P}", "{链接}https://{D}/abc {提取码}{：}{P}", "{P}",
         "https://{D}/abc"},
        {"https://{H}/abc {密码}:{P}", "https://{D}/abc {密码}:{P}", "{P}", "https://{D}/abc"},
        {"https://{H}/abc {分享码}{：}{P}", "https://{D}/abc {分享码}{：}{P}", "{P}",
         "https://{D}/abc"},
        {"https://{H}/abc {访问码}: {P}", "https://{D}/abc {访问码}: {P}", " {P}",
         "https://{D}/abc"},
        {"{链接}https://{H}/abc {提取码}{：}{P} {复制后打开}",
         "{链接}https://{D}/abc {提取码}{：}{P} {复制后打开}", "{P} {复制后打开}",
         "https://{D}/abc"},
        {"{链接}https://{H}/abc\r\n{提取码}{：}{P}", "{链接}https://{D}/abc\r\n{提取码}{：}{P}",
         "{P}", "https://{D}/abc"},
        {"https://{H}/abc{　}{提取码}{：}{P}", "https://{D}/abc{　}{提取码}{：}{P}", "{P}",
         "https://{D}/abc"},
        {"https://{H}/abc {复制后打开}", "https://{D}/abc {复制后打开}", "OLD", "https://{D}/abc"},
        {"https://{H}/b/abc {提取码}{：}{P}", std::nullopt, "{P}", ""},  // 5 members
        {"https://{H}", std::nullopt, "OLD", ""},                       // 3 members
        {"https://www.other.org/abc", std::nullopt, "OLD", ""},
        {"https://pan.{L}.com/abc", std::nullopt, "OLD", ""},  // no "ww"
        {"https://www.{L}.net/abc", std::nullopt, "OLD", ""},  // no ".com"
        {"hello", kUnknown, "OLD", ""},
        {"HTTPS://{HU}/ABC", kUnknown, "OLD", ""},
        {"abc {密码}{：}{P}", kUnknown, "{P}", ""},
        {"{提取码}{：}{P}", kUnknown, "{P}", ""},
        {"{提取码}", kUnknown, "", ""},
        {"https://{H}/abc", "https:///abc", "OLD", "https:///abc", ""},
        // A program path in front of the link is shown converted, never run.
        {"C:\\windows\\notepad.exe {密码} https://{H}/abc", "C:\\windows\\notepad.exe {密码} https://{D}/abc",
         " https//{H}/abc", ""},
        {"C:\\tools\\x.exe https://{H}/abc", "C:\\tools\\x.exe https://{D}/abc", "OLD",
         "https://{D}/abc"},
    };
    for (const Example& example : examples) {
        SCOPED_TRACE(example.copied);
        Rig rig;
        rig.state.sharePassword = "OLD";
        rig.form.SetText(Control::编辑框1, ShareText(example.domain));
        rig.form.textWrites.clear();
        rig.Check(Control::选择框4);

        rig.CopyAndTick(ShareText(example.copied));

        if (example.shown) {
            EXPECT_EQ(rig.form.textWrites.size(), 1u);
            EXPECT_EQ(rig.ShownWrites(), Texts{ShareText(*example.shown)});
        } else {
            EXPECT_TRUE(rig.form.textWrites.empty());
        }
        EXPECT_EQ(rig.state.sharePassword, ShareText(example.password));
        const Text opened = ShareText(example.opened);
        EXPECT_EQ(rig.shell.opened, opened.empty() ? Texts{} : Texts{opened});
        EXPECT_TRUE(rig.clipboard.writes.empty());
    }
}

// Every combination of copy (3), open (4) and password (5). The domain is the
// default one, so a converted link that came back as a new copy would pass the
// link tests again and be opened a second time.
TEST(ConversionCycle, FollowUpActionsOfEveryOptionCombination) {
    struct ShareCase {
        const char* copied;
        const char* passwordBefore;
        const char* password;
    };
    const ShareCase shares[] = {
        {"{链接}https://{H}/abc {提取码}{：}{P}", "", "{P}"},
        {"https://{H}/abc", "OLD", "OLD"},  // the password of an earlier text
        {"https://{H}/abc", "", ""},        // and none at all: "" is put on the clipboard
    };
    for (const ShareCase& share : shares) {
        for (int options = 0; options < 8; ++options) {
            const bool copy = (options & 1) != 0;
            const bool open = (options & 2) != 0;
            const bool password = (options & 4) != 0;
            SCOPED_TRACE(::testing::Message() << share.copied << " password before '"
                                              << share.passwordBefore << "' 选择框3=" << copy
                                              << " 选择框4=" << open << " 选择框5=" << password);
            Rig rig;
            rig.state.sharePassword = ShareText(share.passwordBefore);
            rig.form.SetText(Control::编辑框1, Text(DEFAULT_DOMAIN));
            rig.Check(Control::选择框3, copy);
            rig.Check(Control::选择框4, open);
            rig.Check(Control::选择框5, password);

            const Text copied = ShareText(share.copied);
            Text converted = copied;
            converted.replace(converted.find(testing::kHost), testing::kHost.size(), DEFAULT_DOMAIN);
            const Text url = JoinTexts({"https://", DEFAULT_DOMAIN, "/abc"});
            Texts writes;
            if (copy) writes.push_back(converted);
            if (open && password) writes.push_back(ShareText(share.password));

            rig.CopyAndTick(copied);
            rig.Tick();
            rig.Tick();

            EXPECT_EQ(rig.ShownWrites(), Texts{converted});
            EXPECT_EQ(rig.state.sharePassword, ShareText(share.password));
            EXPECT_EQ(rig.clipboard.writes, writes);
            EXPECT_EQ(rig.clipboard.text, writes.empty() ? copied : writes.back());
            EXPECT_EQ(rig.shell.opened, open ? Texts{url} : Texts{});
        }
    }
}

TEST_F(ConverterTest, SameTextCopiedTwiceIsHandledOnce) {
    Check(Control::选择框4);
    const Text link = ShareText("https://{H}/abc");
    CopyAndTick(link);
    CopyAndTick(link);
    EXPECT_EQ(ShownWrites(), Texts{ShareText("https://{D}/abc")});
    EXPECT_EQ(shell.opened.size(), 1u);
}

// A huge copy is let go once a small one follows: none of the program's texts
// keeps its buffer.
TEST_F(ConverterTest, HugeTextIsLetGoWhenASmallOneFollows) {
    Check(Control::选择框3);
    Text huge = ShareText("https://{H}/abc {提取码}{P}");
    huge.append(10 * 1024 * 1024, 'x');
    CopyAndTick(huge);
    CopyAndTick(ShareText("{密码}{P}"));

    const std::size_t kept = state.clipboardText.capacity() + state.lastClipboardText.capacity() +
                             state.sharePassword.capacity() + state.rebuiltLink.capacity();
    EXPECT_LT(kept, std::size_t{4096});
}

TEST_F(ConverterTest, PictureAfterATextShowsUnknown) {
    CopyAndTick(ShareText("https://{H}/abc"));
    clipboard.CopyPicture();
    Tick();
    EXPECT_EQ(Shown(), kUnknown);
}

TEST_F(ConverterTest, EmptyClipboardAtStartDoesNothing) {
    Check(Control::选择框4);
    Tick();
    Tick();
    EXPECT_TRUE(ShownWrites().empty());
    EXPECT_TRUE(shell.opened.empty());
}

TEST_F(ConverterTest, TextAlreadyOnTheClipboardIsConvertedOnTheFirstTick) {
    clipboard.Copy(ShareText("https://{H}/abc"));
    Tick();
    EXPECT_EQ(Shown(), ShareText("https://{D}/abc"));
}

TEST_F(ConverterTest, UnchangedClipboardIsNotReadAgain) {
    CopyAndTick(ShareText("https://{H}/abc"));
    for (int tick = 0; tick < 5; ++tick) Tick();
    EXPECT_EQ(clipboard.reads, 1);

    clipboard.Touch();
    Tick();
    EXPECT_EQ(clipboard.reads, 2);
}

// With the password on the clipboard the window keeps the link, and the
// converted link put back on the clipboard is not converted and opened again,
// even when the clipboard's count moves while the text stays.
TEST_F(ConverterTest, OwnClipboardWritesAreNotNewCopies) {
    form.SetText(Control::编辑框1, Text(DEFAULT_DOMAIN));
    Check(Control::选择框3);
    Check(Control::选择框4);
    CopyAndTick(ShareText("https://{H}/abc {提取码}{：}{P}"));
    const Text converted = Shown();
    Tick();
    clipboard.Touch();
    Tick();
    EXPECT_EQ(ShownWrites(), Texts{converted});
    EXPECT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(clipboard.writes, Texts{converted});

    Check(Control::选择框5);
    CopyAndTick(ShareText("https://{H}/xyz {提取码}{：}Q9"));
    clipboard.Touch();
    Tick();
    EXPECT_EQ(clipboard.text, "Q9");
    EXPECT_EQ(Shown(), JoinTexts({"https://", DEFAULT_DOMAIN, "/xyz ", KEYWORD_TIQUMA,
                                  FULL_WIDTH_COLON, "Q9"}));
    EXPECT_EQ(shell.opened.size(), 2u);
}

// A failed write leaves the clipboard's text as the one last seen, so the
// same text copied again is still not new.
TEST_F(ConverterTest, FailedOwnWriteIsNotTakenAsTheClipboardsText) {
    Check(Control::选择框3);
    Check(Control::选择框4);
    clipboard.writable = false;
    CopyAndTick(ShareText("https://{H}/abc"));
    clipboard.writable = true;
    clipboard.Touch();
    Tick();
    EXPECT_EQ(shell.opened.size(), 1u);
    EXPECT_TRUE(clipboard.writes.empty());
}

TEST_F(ConverterTest, UnreadableClipboardChangesNothing) {
    Check(Control::选择框4);
    CopyAndTick(ShareText("https://{H}/abc"));
    const ProgramState before = state;

    clipboard.readable = false;
    clipboard.Touch();
    Tick();
    EXPECT_EQ(state.lastClipboardText, before.lastClipboardText);
    EXPECT_EQ(state.clipboardText, before.clipboardText);
    EXPECT_EQ(Shown(), ShareText("https://{D}/abc"));

    clipboard.readable = true;
    Tick();
    EXPECT_EQ(ShownWrites().size(), 1u);
    EXPECT_EQ(shell.opened.size(), 1u);
}

// The count seen while the clipboard was held is not taken as read: the text
// copied meanwhile is converted once the clipboard can be read.
TEST_F(ConverterTest, CopyMadeWhileTheClipboardWasHeldIsConvertedLater) {
    clipboard.readable = false;
    CopyAndTick(ShareText("https://{H}/abc"));
    Tick();
    EXPECT_TRUE(ShownWrites().empty());

    clipboard.readable = true;
    Tick();
    EXPECT_EQ(Shown(), ShareText("https://{D}/abc"));
}

TEST_F(ConverterTest, CopyButtonCopiesAnyShownTextButUnknown) {
    struct Case {
        Text shown;
        bool copied;
    };
    const Case cases[] = {{"", false}, {kUnknown, false}, {"typed by hand", true},
                          {ShareText("https://{D}/abc"), true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        FakeClipboard buttonClipboard;
        Converter buttonConverter(state, form, buttonClipboard, shell);
        form.SetText(Control::编辑框_转换后, c.shown);
        buttonConverter.OnCopyButtonClicked();
        EXPECT_EQ(buttonClipboard.writes, c.copied ? Texts{c.shown} : Texts{});
    }
}

TEST_F(ConverterTest, CopyButtonWithOpenCheckedOpensNothing) {
    Check(Control::选择框4);
    CopyAndTick(ShareText("https://{H}/abc"));
    form.SetText(Control::编辑框_转换后, ShareText("https://{H}/edited"));
    converter.OnCopyButtonClicked();
    Tick();
    EXPECT_EQ(clipboard.text, ShareText("https://{H}/edited"));
    EXPECT_EQ(shell.opened, Texts{ShareText("https://{D}/abc")});
}

// An edit box may change what is written into it; the copy and the open take
// the text as the box holds it.
class ShorteningForm : public FakeForm {
public:
    void SetText(Control control, const Text& text) override {
        FakeForm::SetText(control, control == Control::编辑框_转换后 ? text.substr(0, 22) : text);
    }
};

TEST(ConverterReadsTheBox, CopyAndOpenUseTheTextTheBoxHolds) {
    ProgramState state;
    ShorteningForm form;
    FakeClipboard clipboard;
    FakeShell shell;
    Converter converter(state, form, clipboard, shell);
    form.SetText(Control::编辑框1, testing::kDomain);
    form.SetChecked(Control::选择框3, true);
    form.SetChecked(Control::选择框4, true);

    clipboard.Copy(ShareText("https://{H}/abcdefghij"));
    converter.ConversionCycle();

    EXPECT_EQ(clipboard.writes, Texts{"https://share.test/abc"});
    EXPECT_EQ(shell.opened, Texts{"https://share.test/abc"});
}

}  // namespace
}  // namespace zelvane
