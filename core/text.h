// Text primitives. A Text is a byte string in code page 936: a byte of 0x80 or
// above begins a two-byte character whose second byte may be anything. Every
// operation is a pure function that cannot fail and runs in linear time.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zelvane {

using Text = std::string;  // code page 936 bytes, never a zero byte
using Bytes = std::vector<std::uint8_t>;

// The members of one split, numbered from 1. A split keeps one shared copy of
// its source and the delimiter instead of a string per member, so splitting a
// huge text made only of delimiters costs one copy, not millions of members.
class TextArray {
public:
    TextArray() = default;  // no members
    static TextArray Of(std::initializer_list<std::string_view> members);

    std::size_t Count() const { return count_; }
    Text Member(std::size_t number) const;  // 1 <= number <= Count()
    Text Last() const;

private:
    friend TextArray SplitOn(std::string_view text, std::string_view delimiter);

    std::shared_ptr<const Text> source_;
    Text delimiter_;
    std::size_t count_ = 0;
    std::size_t lastBegin_ = 0;  // the last member, as a range of source_
    std::size_t lastEnd_ = 0;
    std::vector<Text> listed_;                 // members given one by one (Of)
};

constexpr bool IsLeadByte(unsigned char byte) { return byte >= 0x80; }

std::size_t ByteLength(std::string_view text);
Text JoinTexts(std::initializer_list<std::string_view> parts);
int CompareBytewise(std::string_view a, std::string_view b);
// One-based byte position of the first match at a character start, or -1.
std::int64_t PositionOf(std::string_view text, std::string_view sought);
TextArray SplitOn(std::string_view text, std::string_view delimiter);
Text ReplaceEvery(std::string_view text, std::string_view sought, std::string_view replacement);
Text DropSpaces(std::string_view text);
Text LeftBytes(std::string_view text, std::int64_t count);
Bytes BytesOfText(std::string_view text);
Text TextOfBytes(const Bytes& bytes);
std::size_t MemberCount(const TextArray& array);

// Gives `target` its new value and lets the old buffer go. Plain assignment of
// a short text (moved or not) reuses the buffer, so a variable would keep the
// memory of the largest text it ever held.
inline void Reassign(Text& target, Text value) { target.swap(value); }

// "Contains" as the program uses it: PositionOf does not give -1.
inline bool Contains(std::string_view text, std::string_view sought) {
    return PositionOf(text, sought) != -1;
}

}  // namespace zelvane
