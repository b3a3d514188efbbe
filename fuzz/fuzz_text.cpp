// Differential fuzzing of the text operations: every result must equal the
// plain byte-by-byte reference of tests/reference/text_reference.h.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/text.h"
#include "fuzz/fuzz_check.h"
#include "tests/reference/text_reference.h"

namespace zelvane {
namespace {

using fuzz::Check;
using namespace reference;

// Keywords and characters whose bytes trip a scanner that ignores lead bytes.
const std::array<Text, 12> kFixedSought = {
    "/", ":", " ", "ww", "https://",
    "\xC3\xDC\xC2\xEB",          // 密码
    "\xCC\xE1\xC8\xA1\xC2\xEB",  // 提取码
    "\xA3\xBA",                  // ：
    "\xA1\xA1",                  // full-width space
    "\xB0\x2F",                  // a character whose trail byte is '/'
    "\xA1\xB0", "\xC2\xEB",      // the second half of one character and the first of the next
};

struct Case {
    Text text;
    Text sought;
    Text replacement;
    Text other;  // compared with text
    std::int64_t leftCount = 0;
};

Text SoughtFor(FuzzedDataProvider& data, const Text& text, int mode, const Text& own) {
    const auto fixed = data.ConsumeIntegralInRange<std::size_t>(0, kFixedSought.size() - 1);
    const auto sliceBegin = data.ConsumeIntegral<std::uint32_t>();
    const auto sliceLength = data.ConsumeIntegralInRange<std::size_t>(1, 8);
    if (mode == 0) return kFixedSought[fixed];
    if (mode == 1 || text.empty()) return own;
    // A slice of the text itself: found at least once, perhaps only on a trail byte.
    return text.substr(sliceBegin % text.size(), sliceLength);
}

Text OtherFor(FuzzedDataProvider& data, const Text& text, const Text& own) {
    const auto mode = data.ConsumeIntegralInRange<int>(0, 3);
    const auto at = data.ConsumeIntegral<std::uint32_t>();
    const auto byte = data.ConsumeIntegral<char>();
    if (mode == 0 || text.empty()) return own;
    if (mode == 1) return text;
    if (mode == 2) return text.substr(0, at % text.size());  // a leading part
    Text changed = text;  // one byte changed
    changed[at % text.size()] = byte;
    return changed;
}

std::int64_t LeftCountFor(FuzzedDataProvider& data, const Text& text) {
    if (data.ConsumeBool()) return data.ConsumeIntegral<std::int64_t>();
    return static_cast<std::int64_t>(text.size()) + data.ConsumeIntegralInRange<std::int64_t>(-3, 1);
}

Case CaseOf(FuzzedDataProvider& data) {
    Case c;
    const auto soughtMode = data.ConsumeIntegralInRange<int>(0, 2);
    const Text ownSought = data.ConsumeRandomLengthString(8);
    c.replacement = data.ConsumeRandomLengthString(8);
    const Text ownOther = data.ConsumeRandomLengthString(16);
    // Integers come from the end of the input, so read them before the text
    // takes what remains.
    const auto soughtBytes = data.ConsumeBytes<std::uint8_t>(16);
    FuzzedDataProvider soughtData(soughtBytes.data(), soughtBytes.size());
    const auto otherBytes = data.ConsumeBytes<std::uint8_t>(16);
    FuzzedDataProvider otherData(otherBytes.data(), otherBytes.size());
    const auto leftBytes = data.ConsumeBytes<std::uint8_t>(16);
    FuzzedDataProvider leftData(leftBytes.data(), leftBytes.size());
    c.text = data.ConsumeRemainingBytesAsString();
    c.sought = SoughtFor(soughtData, c.text, soughtMode, ownSought);
    c.other = OtherFor(otherData, c.text, ownOther);
    c.leftCount = LeftCountFor(leftData, c.text);
    return c;
}

void CheckSplit(const Case& c) {
    const std::vector<Text> expected = ReferenceSplit(c.text, c.sought);
    const TextArray split = SplitOn(c.text, c.sought);
    const std::size_t count = MemberCount(split);
    Check(count == expected.size(), "SplitOn: member count", {{"text", c.text}, {"sought", c.sought}});
    Check(split.Last() == (expected.empty() ? Text() : expected.back()), "SplitOn: last member",
          {{"text", c.text}, {"sought", c.sought}, {"last", split.Last()}});
    // Member(n) walks the split again, so a sample of members keeps each
    // input linear: the first few, the middle, the last two, and the numbers
    // just outside the array, which give empty texts.
    const std::size_t sample[] = {0, 1, 2, 3, 4, count / 2, count - 1, count, count + 1};
    for (std::size_t n : sample) {
        const Text want = (n >= 1 && n <= count) ? expected[n - 1] : Text();
        Check(split.Member(n) == want, "SplitOn: member",
              {{"text", c.text}, {"sought", c.sought}, {"member", split.Member(n)}, {"expected", want}});
    }
}

void CheckScanning(const Case& c) {
    Check(PositionOf(c.text, c.sought) == ReferencePositionOf(c.text, c.sought), "PositionOf",
          {{"text", c.text}, {"sought", c.sought}});
    Check(Contains(c.text, c.sought) == (ReferencePositionOf(c.text, c.sought) != -1), "Contains",
          {{"text", c.text}, {"sought", c.sought}});
    CheckSplit(c);
    for (const Text& replacement : {Text(), c.replacement}) {
        const Text got = ReplaceEvery(c.text, c.sought, replacement);
        const Text want = ReferenceReplace(c.text, c.sought, replacement);
        Check(got == want, "ReplaceEvery",
              {{"text", c.text}, {"sought", c.sought}, {"replacement", replacement}, {"got", got},
               {"expected", want}});
    }
    const Text dropped = DropSpaces(c.text);
    Check(dropped == ReferenceDropSpaces(c.text), "DropSpaces", {{"text", c.text}, {"got", dropped}});
}

void CheckBytewise(const Case& c) {
    const Text left = LeftBytes(c.text, c.leftCount);
    Check(left == ReferenceLeftBytes(c.text, c.leftCount), "LeftBytes",
          {{"text", c.text}, {"count", std::to_string(c.leftCount)}, {"got", left}});

    for (const auto& [a, b] : {std::pair{&c.text, &c.other}, std::pair{&c.other, &c.text},
                               std::pair{&c.text, &c.text}, std::pair{&c.text, &c.sought}}) {
        const int result = CompareBytewise(*a, *b);
        Check((result > 0) - (result < 0) == ReferenceCompare(*a, *b), "CompareBytewise",
              {{"a", *a}, {"b", *b}, {"result", std::to_string(result)}});
    }

    const Bytes bytes(c.text.begin(), c.text.end());  // zero bytes included
    Check(TextOfBytes(bytes) == ReferenceTextOfBytes(bytes), "TextOfBytes", {{"bytes", c.text}});
    Check(BytesOfText(c.text) == bytes, "BytesOfText", {{"text", c.text}});

    Check(JoinTexts({c.text, c.sought, c.replacement}) == c.text + c.sought + c.replacement,
          "JoinTexts", {{"text", c.text}, {"sought", c.sought}, {"replacement", c.replacement}});
    Check(ByteLength(c.text) == c.text.size(), "ByteLength", {{"text", c.text}});
}

}  // namespace
}  // namespace zelvane

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider provider(data, size);
    const zelvane::Case c = zelvane::CaseOf(provider);
    zelvane::CheckScanning(c);
    zelvane::CheckBytewise(c);
    return 0;
}
