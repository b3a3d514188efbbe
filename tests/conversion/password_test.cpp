#include "conversion/password.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/conversion/share_texts.h"

namespace zelvane {
namespace {

using testing::ShareText;

struct PasswordCase {
    const char* name;
    std::vector<std::string> members;  // partsArray on entry, as share-text patterns
    std::string password;
};

TextArray ArrayOf(const std::vector<std::string>& patterns) {
    std::vector<Text> texts;
    for (const std::string& pattern : patterns) texts.push_back(ShareText(pattern));
    switch (texts.size()) {
        case 0: return TextArray::Of({});
        case 1: return TextArray::Of({texts[0]});
        case 2: return TextArray::Of({texts[0], texts[1]});
        default: return TextArray::Of({texts[0], texts[1], texts[2]});
    }
}

TEST(ExtractPassword, TakesWhatFollowsTheKeywordWithoutColons) {
    const PasswordCase cases[] = {
        {"after 提取码 split", {"{链接}https://{H}/abc ", "{：}{P}"}, "{P}"},
        {"密码 with a colon", {"https://{H}/abc {密码}:{P}"}, "{P}"},
        {"分享码 with a full-width colon", {"https://{H}/abc {分享码}{：}{P}"}, "{P}"},
        {"访问码 keeps the space", {"https://{H}/abc {访问码}: {P}"}, " {P}"},
        {"words after the password stay", {"https://{H}/abc ", " {P} {复制后打开}"},
         " {P} {复制后打开}"},
        {"keyword twice: the piece whole", {"a {密码}{：}{P} {密码}{：}Q"}, "a {密码}{P} {密码}Q"},
        {"密码 decides before 分享码", {"x{分享码}A {密码}B"}, "B"},
        {"a later keyword when 密码 splits in three", {"{密码}A{密码}B{分享码}C"}, "C"},
        {"only the last member counts", {"{密码}{：}wrong", "{：}{P}"}, "{P}"},
        {"the keyword alone", {"{密码}"}, "{密码}"},
        {"one empty member", {""}, ""},
        {"no members", {}, ""},
        // B0 A3 and BA A1 are two characters: the A3 BA between them is no colon.
        {"colon bytes across characters", {"{密码}:\xB0\xA3\xBA\xA1"}, "\xB0\xA3\xBA\xA1"},
        {"line break kept", {"x {密码}{：}{P}\r\n"}, "{P}\r\n"},
    };
    for (const PasswordCase& c : cases) {
        SCOPED_TRACE(c.name);
        ProgramState state;
        state.partsArray = ArrayOf(c.members);
        EXPECT_EQ(ExtractPassword(state), ShareText(c.password));
    }
}

TEST(ExtractPassword, LeavesItsLastSplitInPartsArray) {
    ProgramState state;
    state.partsArray = TextArray::Of({ShareText("a{密码}{P}")});
    ExtractPassword(state);
    ASSERT_EQ(MemberCount(state.partsArray), 2u);
    EXPECT_EQ(state.partsArray.Member(1), "a");

    // No split in two: the split on 访问码 stays, one member.
    state.partsArray = TextArray::Of({ShareText("{密码}x{密码}y")});
    ExtractPassword(state);
    EXPECT_EQ(MemberCount(state.partsArray), 1u);
}

TEST(SplitAtPasswordKeyword, FirstKeywordThatCutsInTwoWins) {
    struct Case {
        const char* pattern;
        std::size_t count;
        const char* first;
    };
    const Case cases[] = {
        {"L {提取码}P", 2, "L "},
        {"L {访问码}P", 2, "L "},
        {"L {提取码}P {密码}Q", 2, "L {提取码}P "},
        {"{密码}{密码}", 2, ""},  // two empty members: none after the last keyword
        {"no keyword", 1, "no keyword"},
        {"", 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pattern);
        const TextArray parts = SplitAtPasswordKeyword(ShareText(c.pattern));
        ASSERT_EQ(MemberCount(parts), c.count);
        if (c.count > 0) {
            EXPECT_EQ(parts.Member(1), ShareText(c.first));
        }
    }
}

}  // namespace
}  // namespace zelvane
