#include "ui/credits_text.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "ui/credits.h"

#if __has_include(<iconv.h>)
#include <iconv.h>

namespace zelvane {
namespace {

std::string Utf8ToCodePage936(std::string_view utf8) {
    iconv_t converter = iconv_open("CP936", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) return "iconv has no CP936";
    std::string in(utf8);
    std::string out(in.size() * 2 + 1, '\0');
    char* inPointer = in.data();
    char* outPointer = out.data();
    std::size_t inLeft = in.size();
    std::size_t outLeft = out.size();
    const std::size_t result = iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft);
    iconv_close(converter);
    if (result == static_cast<std::size_t>(-1)) return "not convertible";
    out.resize(out.size() - outLeft);
    return out;
}

TEST(CreditsTextTest, MessageBoxTextSaysWhatTheUtf8WordingSays) {
    EXPECT_EQ(Utf8ToCodePage936(ICON_CREDITS), ICON_CREDITS_TEXT);
}

}  // namespace
}  // namespace zelvane
#endif
