#include "core/text.h"
#include "tests/reference/printable.h"
#include "tests/reference/text_reference.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace zelvane {
namespace {

// Code page 936 bytes of the Chinese texts used below.
const Text kLinkKeyword = "\xC1\xB4\xBD\xD3";             // 链接
const Text kFullWidthColon = "\xA3\xBA";                  // ：
const Text kPasswordKeyword = "\xC3\xDC\xC2\xEB";         // 密码
const Text kFullWidthSpace = "\xA1\xA1";                  // 　
const Text kSlashTrail = "\xB0\x2F";  // a two-byte character whose trail byte is '/'

std::vector<Text> MembersOf(const TextArray& array) {
    std::vector<Text> members;
    for (std::size_t n = 1; n <= array.Count(); ++n) members.push_back(array.Member(n));
    return members;
}

// ---------------------------------------------------------------- tables

TEST(PositionOf, Table) {
    struct Row {
        const char* name;
        Text text;
        Text sought;
        std::int64_t expected;
    };
    const std::vector<Row> rows = {
        {"slash in a link", "https://h", "/", 7},
        {"absent", "abc", "ww", -1},
        {"only occurrence starts on a trail byte", "\xB0\xA1\xB0\xA1", "\xA1\xB0", -1},
        {"two-byte character at the start", "\xB0\xA1\xB0\xA1", "\xB0\xA1", 1},
        {"trail byte '/' is not a slash", kSlashTrail + "/", "/", 3},
        {"trail byte ':' is not a colon", "\xB0:", ":", -1},
        {"match at the very end", "xab", "ab", 2},
        {"sought longer than text", "ab", "abc", -1},
        {"case-sensitive", "abc", "B", -1},
        {"empty sought in a text", "abc", "", 1},
        {"empty sought in an empty text", "", "", -1},
        {"empty text", "", "a", -1},
        {"Chinese keyword after ASCII", "x " + kPasswordKeyword, kPasswordKeyword, 3},
        {"match before a lone lead byte", "ab\x81", "b", 2},
        {"nothing found past a lone lead byte", "a\x81", "/", -1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(PositionOf(row.text, row.sought), row.expected);
        EXPECT_EQ(Contains(row.text, row.sought), row.expected != -1);
    }
}

TEST(SplitOn, Table) {
    struct Row {
        const char* name;
        Text text;
        Text delimiter;
        std::vector<Text> members;
    };
    const std::vector<Row> rows = {
        {"one delimiter", "a/b", "/", {"a", "b"}},
        {"delimiter at the start", "/a", "/", {"", "a"}},
        {"doubled and final delimiter", "a//b/", "/", {"a", "", "b"}},
        {"only the delimiter", "/", "/", {""}},
        {"empty text", "", "/", {}},
        {"no delimiter", "abc", "/", {"abc"}},
        {"link", "https://h/x", "/", {"https:", "", "h", "x"}},
        {"four with a final slash", "a/b/c/d/", "/", {"a", "b", "c", "d"}},
        {"five", "a/b/c/d/e", "/", {"a", "b", "c", "d", "e"}},
        {"three", "a/b/c", "/", {"a", "b", "c"}},
        {"two final delimiters", "x//", "/", {"x", ""}},
        {"two-byte delimiter", kLinkKeyword + kFullWidthColon + "x", kLinkKeyword,
         {"", kFullWidthColon + "x"}},
        {"empty delimiter", "abc", "", {"abc"}},
        {"trail byte '/' does not split", kSlashTrail + "a/b", "/", {kSlashTrail + "a", "b"}},
        {"multi-byte delimiter, non-overlapping", "aaaab", "aa", {"", "", "b"}},
        {"lone lead byte stays in the last member", "a/\x81", "/", {"a", "\x81"}},
        {"delimiter longer than text", "ab", "abc", {"ab"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const TextArray split = SplitOn(row.text, row.delimiter);
        EXPECT_EQ(MemberCount(split), row.members.size());
        EXPECT_EQ(MembersOf(split), row.members);
        EXPECT_EQ(split.Last(), row.members.empty() ? Text{} : row.members.back());
    }
}

TEST(SplitOn, MembersOutsideTheArrayAreEmpty) {
    const TextArray split = SplitOn("a/b", "/");
    EXPECT_EQ(split.Member(0), "");
    EXPECT_EQ(split.Member(3), "");
    EXPECT_EQ(TextArray().Last(), "");
    EXPECT_EQ(MemberCount(TextArray()), 0u);
}

TEST(SplitOn, ArrayKeepsItsOwnCopyOfTheText) {
    Text text = "a/b/c";
    const TextArray split = SplitOn(text, "/");
    text.assign("zzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzz");
    EXPECT_EQ(MembersOf(split), (std::vector<Text>{"a", "b", "c"}));
}

TEST(TextArrayOf, ListsItsMembers) {
    const TextArray array = TextArray::Of({"x", "", "z"});
    EXPECT_EQ(MemberCount(array), 3u);
    EXPECT_EQ(MembersOf(array), (std::vector<Text>{"x", "", "z"}));
    EXPECT_EQ(array.Last(), "z");
}

TEST(ReplaceEvery, Table) {
    struct Row {
        const char* name;
        Text text;
        Text sought;
        Text replacement;
        Text expected;
    };
    const std::vector<Row> rows = {
        {"delete colons", "::a:", ":", "", "a"},
        {"sought absent", "abc", "x", "", "abc"},
        {"empty text", "", ":", "y", ""},
        {"empty sought", "abc", "", "y", "abc"},
        {"full-width colon", kFullWidthColon + "P" + kFullWidthColon, kFullWidthColon, "", "P"},
        {"trail byte ':' is kept", "\xB0:", ":", "", "\xB0:"},
        {"occurrences do not overlap", "aaa", "aa", "b", "ba"},
        {"emitted bytes are not examined again", "ab", "a", "aa", "aab"},
        {"short tail kept", "xa", "ab", "", "xa"},
        {"lone lead byte at the end kept", "a\x81", "a", "", "\x81"},
        {"two-byte sought not matched across characters", "\xB0\xA1\xB0\xA1", "\xA1\xB0", "",
         "\xB0\xA1\xB0\xA1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ReplaceEvery(row.text, row.sought, row.replacement), row.expected);
    }
}

TEST(DropSpaces, Table) {
    struct Row {
        const char* name;
        Text text;
        Text expected;
    };
    const std::vector<Row> rows = {
        {"only spaces", "  " + kFullWidthSpace + " " + kFullWidthSpace, ""},
        {"tab kept", "a b\t", "ab\t"},
        {"line breaks kept", " a\r\n b ", "a\r\nb"},
        {"trail byte 0x20 is not a space", "\x81 x", "\x81 x"},
        {"A1 A1 across two characters is not a space", "a\xB0\xA1\xA1\xB0", "a\xB0\xA1\xA1\xB0"},
        {"lone lead byte at the end dropped", "a \x81", "a"},
        {"empty", "", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(DropSpaces(row.text), row.expected);
    }
}

TEST(LeftBytes, Table) {
    struct Row {
        Text text;
        std::int64_t count;
        Text expected;
    };
    const std::vector<Row> rows = {
        {"abc", 2, "ab"},  {"abc", 0, ""},    {"abc", -1, ""},
        {"abc", 10, "abc"}, {"abc", 3, "abc"}, {"", 5, ""},
        {"\xC3\xDC", 1, "\xC3"},  // counts bytes, may cut a character
        {"abc", INT64_MIN, ""},    {"abc", INT64_MAX, "abc"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text + " / " + std::to_string(row.count));
        EXPECT_EQ(LeftBytes(row.text, row.count), row.expected);
    }
}

TEST(CompareBytewise, Table) {
    struct Row {
        const char* name;
        Text a;
        Text b;
        int sign;
    };
    const Text neverSet;
    const std::vector<Row> rows = {
        {"empty and never set", "", neverSet, 0},
        {"equal", "abc", "abc", 0},
        {"prefix is smaller", "a", "ab", -1},
        {"longer is larger", "ab", "a", 1},
        {"first differing byte decides", "abz", "acA", -1},
        {"bytes compare unsigned", kPasswordKeyword, "a", 1},
        {"0x80 above 0x7F", "\x80", "\x7F", 1},
        {"case matters", "A", "a", -1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const int result = CompareBytewise(row.a, row.b);
        EXPECT_EQ((result > 0) - (result < 0), row.sign);
    }
}

TEST(BytesAndText, ConvertBothWays) {
    EXPECT_EQ(TextOfBytes(Bytes{0x61, 0x62, 0x00, 0x63}), "ab");
    EXPECT_EQ(TextOfBytes(Bytes{0x00, 0x61}), "");
    EXPECT_EQ(TextOfBytes(Bytes{}), "");
    EXPECT_EQ(TextOfBytes(Bytes{0xC3, 0xDC, 0x2F}), "\xC3\xDC/");
    EXPECT_EQ(BytesOfText("ab"), (Bytes{0x61, 0x62}));
    EXPECT_TRUE(BytesOfText("").empty());
    EXPECT_EQ(TextOfBytes(BytesOfText(kPasswordKeyword + "x")), kPasswordKeyword + "x");
}

TEST(JoinTextsAndByteLength, CountBytes) {
    EXPECT_EQ(JoinTexts({"C:\\Tools", "\\Config"}), "C:\\Tools\\Config");
    EXPECT_EQ(JoinTexts({"", "h", "/"}), "h/");
    EXPECT_EQ(JoinTexts({"", ""}), "");
    EXPECT_EQ(ByteLength(kPasswordKeyword), 4u);
    EXPECT_EQ(ByteLength(""), 0u);
}

// ------------------------------------------------------ differential test
// The plain byte-by-byte reference lives in tests/reference/text_reference.h.

using namespace reference;

// Characters chosen to trip a scanner that ignores lead bytes: trail bytes
// equal to '/', ':', ' ', 'a' and 0xA1, and full-width spaces.
const std::vector<Text> kPieces = {
    "a", "b", "/", ":", " ", "\t", "//",
    kSlashTrail, "\xB0:", "\x81 ", "\x81" "a", kFullWidthSpace, "\xB0\xA1", "\xA1\xB0",
    kFullWidthColon, "\xC3\xDC",
};
const std::vector<Text> kLoneLeads = {"\xB0", "\xA1", "\x81"};
const std::vector<Text> kSought = {
    "/", ":", " ", "a", "//", "a/", kSlashTrail, "\xA1\xB0", "/\xB0", kFullWidthSpace,
    kFullWidthColon, "\xB0\xA1", "\xC3\xDC", "a" "\xA1",
};

class TextGenerator {
public:
    explicit TextGenerator(std::uint32_t seed) : engine_(seed) {}

    std::size_t Below(std::size_t bound) { return static_cast<std::size_t>(engine_() % bound); }

    Text NextText() {
        Text text;
        const std::size_t pieces = Below(24);
        for (std::size_t p = 0; p < pieces; ++p) text += kPieces[Below(kPieces.size())];
        if (Below(4) == 0) text += kLoneLeads[Below(kLoneLeads.size())];
        return text;
    }

    // A fixed sought text, or any slice of the text (which may start on a
    // trail byte or end on a lead byte).
    Text NextSought(const Text& text) {
        if (text.empty() || Below(3) != 0) return kSought[Below(kSought.size())];
        const std::size_t begin = Below(text.size());
        return text.substr(begin, 1 + Below(4));
    }

private:
    std::mt19937 engine_;
};

using reference::Printable;

TEST(ScanningOperations, AgreeWithByteByByteReferenceOnGeneratedTexts) {
    TextGenerator generator(20240611);
    for (int round = 0; round < 4000; ++round) {
        const Text text = generator.NextText();
        const Text sought = generator.NextSought(text);
        SCOPED_TRACE("round " + std::to_string(round) + ": text '" + Printable(text) +
                     "', sought '" + Printable(sought) + "'");

        EXPECT_EQ(PositionOf(text, sought), ReferencePositionOf(text, sought));

        const std::vector<Text> expected = ReferenceSplit(text, sought);
        const TextArray split = SplitOn(text, sought);
        ASSERT_EQ(MemberCount(split), expected.size());
        EXPECT_EQ(MembersOf(split), expected);
        EXPECT_EQ(split.Last(), expected.empty() ? Text{} : expected.back());

        EXPECT_EQ(ReplaceEvery(text, sought, ""), ReferenceReplace(text, sought, ""));
        EXPECT_EQ(ReplaceEvery(text, sought, "<>"), ReferenceReplace(text, sought, "<>"));
        EXPECT_EQ(DropSpaces(text), ReferenceDropSpaces(text));
        if (HasFailure()) return;  // one named failing row is enough
    }
}

// ------------------------------------------------------------ large texts

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Generous enough for sanitizers and Wine; a split that grows faster than
// linearly needs hours for these sizes.
constexpr double kQuickSeconds = 20.0;

TEST(SplitOn, FiveMegabytesOfDelimitersIsQuick) {
    const std::size_t size = 5u * 1024u * 1024u;
    const Text text(size, '/');
    const auto start = std::chrono::steady_clock::now();
    const TextArray split = SplitOn(text, "/");
    EXPECT_EQ(MemberCount(split), size);
    EXPECT_EQ(split.Last(), "");
    EXPECT_EQ(split.Member(1), "");
    EXPECT_EQ(split.Member(size / 2), "");
    EXPECT_LT(SecondsSince(start), kQuickSeconds);
}

TEST(SplitOn, LargeTextOfSlashTrailBytesIsOneMember) {
    Text text;
    for (int i = 0; i < 1024 * 1024; ++i) text += kSlashTrail;
    text += "/x";
    const auto start = std::chrono::steady_clock::now();
    const TextArray split = SplitOn(text, "/");
    ASSERT_EQ(MemberCount(split), 2u);
    EXPECT_EQ(split.Member(1).size(), text.size() - 2);
    EXPECT_EQ(split.Last(), "x");
    EXPECT_EQ(PositionOf(text, "/"), static_cast<std::int64_t>(text.size()) - 1);
    EXPECT_EQ(ReplaceEvery(text, "/", "").size(), text.size() - 1);
    EXPECT_EQ(DropSpaces(text), text);
    EXPECT_LT(SecondsSince(start), kQuickSeconds);
}

}  // namespace
}  // namespace zelvane
