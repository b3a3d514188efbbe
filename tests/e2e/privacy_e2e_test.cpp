// Clipboard content that its owner marks as not to be monitored, such as a
// password manager's secret, is never read by the real zelvane.exe: nothing
// is shown, opened or remembered, so the secret can never come back later as
// the share password. Unmarked content beside it is handled as usual.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/constants.h"
#include "core/encoding_win32.h"
#include "tests/e2e/browser_log_win32.h"
#include "tests/e2e/clipboard_content_win32.h"
#include "tests/e2e/harness_win32.h"
#include "tests/e2e/share_links_win32.h"

namespace zelvane::e2e {
namespace {

using enum Control;
using namespace std::chrono_literals;

std::wstring ShareText(const std::wstring& code, const std::wstring& password) {
    return L"链接：https://" + kHost + L"/" + code + L" 提取码：" + password;
}

UINT ExcludeFormat() { return RegisteredFormat(L"ExcludeClipboardContentFromMonitorProcessing"); }
UINT HistoryFormat() { return RegisteredFormat(L"CanIncludeInClipboardHistory"); }

// Zelvane with 选择框4 and 选择框5 on, which has opened one share text and
// put its password "old1" on the clipboard.
class PrivacyE2eTest : public ::testing::Test {
protected:
    void SetUp() override {
        ClearClipboard();
        run_.emplace();
        ASSERT_TRUE(run_->Started()) << run_->Failure();
        if (!BrowserLog().Available()) GTEST_SKIP() << "needs the fake browser of scripts/wine-session.sh";
        run_->Click(选择框4);
        run_->Click(选择框5);
        const BrowserLog opened;
        const std::wstring code = UniqueCode();
        ASSERT_TRUE(owner_.Put({UnicodeFormat(ShareText(code, L"old1"))}));
        ASSERT_TRUE(opened.WaitForCount(1));
        ASSERT_TRUE(WaitUntil([] { return ClipboardText() == L"old1"; }));
        shownBefore_ = ShareText(code, L"old1");
        shownBefore_.replace(shownBefore_.find(kHost), kHost.size(), kDefaultDomain);
        ASSERT_EQ(run_->Text(编辑框_转换后), shownBefore_);
    }

    ZelvaneRun& Run() { return *run_; }

    // A link without a password: Zelvane opens it and puts the password it
    // remembers on the clipboard.
    std::wstring PasswordAfterALinkWithoutOne() {
        const BrowserLog opened;
        const std::wstring code = UniqueCode();
        EXPECT_TRUE(owner_.Put({UnicodeFormat(L"https://" + kHost + L"/" + code)}));
        EXPECT_TRUE(opened.WaitForCount(1));
        EXPECT_EQ(opened.Since(), std::vector<std::wstring>{L"https://" + kDefaultDomain + L"/" + code});
        std::wstring password;
        WaitUntil([&] {
            password = ClipboardText().value_or(L"");
            return password.find(L"https://") == std::wstring::npos;
        });
        return password;
    }

    std::optional<ZelvaneRun> run_;
    ClipboardOwnerWindow owner_;
    std::wstring shownBefore_;
};

struct PrivateContent {
    const char* name;
    std::wstring text;
    std::vector<ClipboardFormat> markers;
};

TEST_F(PrivacyE2eTest, MarkedContentIsNeverReadAndTheNextCopyIsHandled) {
    const std::wstring code = UniqueCode();
    const PrivateContent cases[] = {
        {"share text, excluded from monitoring", ShareText(code + L"a", L"secret1"), {{ExcludeFormat(), ""}}},
        {"share text, kept out of the history", ShareText(code + L"b", L"secret2"),
         {{HistoryFormat(), DwordBytes(0)}}},
        {"a password manager's secret, both markers", L"密码：secret3",
         {{ExcludeFormat(), ""}, {HistoryFormat(), DwordBytes(0)}}},
    };
    for (const PrivateContent& c : cases) {
        SCOPED_TRACE(c.name);
        const BrowserLog opened;
        std::vector<ClipboardFormat> formats = c.markers;
        formats.push_back(UnicodeFormat(c.text));
        ASSERT_TRUE(owner_.Put(formats));

        Pause(kSeveralTicks);
        EXPECT_EQ(Run().Text(编辑框_转换后), shownBefore_) << "the shown text is unchanged";
        EXPECT_TRUE(opened.Since().empty()) << "nothing is opened";
        EXPECT_EQ(ClipboardText(), c.text) << "the clipboard is left alone";

        EXPECT_EQ(PasswordAfterALinkWithoutOne(), L"old1") << "the secret never became the share password";
        shownBefore_ = Run().Text(编辑框_转换后);
    }
}

// The marker holding 1 allows the history, and monitoring with it.
TEST_F(PrivacyE2eTest, ContentAllowedInTheHistoryIsReadNormally) {
    const BrowserLog opened;
    const std::wstring code = UniqueCode();
    ASSERT_TRUE(owner_.Put({{HistoryFormat(), DwordBytes(1)}, UnicodeFormat(ShareText(code, L"new2"))}));
    ASSERT_TRUE(opened.WaitForCount(1));
    EXPECT_EQ(opened.Since(), std::vector<std::wstring>{L"https://" + kDefaultDomain + L"/" + code});
    EXPECT_TRUE(WaitUntil([] { return ClipboardText() == L"new2"; }));
    EXPECT_EQ(PasswordAfterALinkWithoutOne(), L"new2");
}

}  // namespace
}  // namespace zelvane::e2e
