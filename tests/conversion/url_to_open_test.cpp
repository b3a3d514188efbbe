#include "conversion/url_to_open.h"

#include <gtest/gtest.h>

#include "tests/conversion/share_texts.h"

namespace zelvane {
namespace {

using testing::ShareText;

TEST(UrlToOpen, TakesTheFirstHttpUrlUpToABreak) {
    struct Case {
        const char* text;
        const char* url;
    };
    const Case cases[] = {
        {"https://{D}/abc", "https://{D}/abc"},
        {"http://{D}/abc", "http://{D}/abc"},
        {"{链接}https://{D}/abc ", "https://{D}/abc"},
        {"https://{D}/abc{　}{提取码}", "https://{D}/abc"},
        {"https://{D}/abc\t", "https://{D}/abc"},
        {"https://{D}/abc\r\nnext", "https://{D}/abc"},
        {"https://{D}/abc\nnext", "https://{D}/abc"},
        {"https:///abc", "https:///abc"},  // an empty domain stays as converted
        {"see http://a/1 and https://b/2", "http://a/1"},
        {"see https://b/2 and http://a/1", "https://b/2"},
        {"https://{D}/{复制后打开}", "https://{D}/{复制后打开}"},
        // B0 A1 + A1 41: the A1 A1 spans two characters and is no space.
        {"https://{D}/\xB0\xA1\xA1\x41 x", "https://{D}/\xB0\xA1\xA1\x41"},
        // Every control character ends the URL, also as the trail byte of
        // a two-byte character; other trail bytes below 0x40 do not.
        {"https://{D}/abc\x1B[2J", "https://{D}/abc"},
        {"https://{D}/abc\x0Bx", "https://{D}/abc"},
        {"https://{D}/abc\x7Fx", "https://{D}/abc"},
        {"https://{D}/abc\x01", "https://{D}/abc"},
        {"https://{D}/ab\x81 c", "https://{D}/ab"},
        {"https://{D}/ab\x81\x1B", "https://{D}/ab"},
        {"https://{D}/ab\x81/c", "https://{D}/ab\x81/c"},
        {"C:\\windows\\notepad.exe ", ""},
        {"C:\\tools\\x.exe {密码} https://{D}/abc", "https://{D}/abc"},
        {"HTTPS://{D}/abc", ""},
        {"ftp://{D}/abc", ""},
        {"https://", ""},
        {"https:// rest", ""},
        {"", ""},
        // The scheme inside a two-byte character (B0 68) does not count.
        {"\xB0https://{D}", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(UrlToOpen(ShareText(c.text)), ShareText(c.url));
    }
}

}  // namespace
}  // namespace zelvane
