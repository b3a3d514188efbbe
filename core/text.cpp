#include "core/text.h"

#include <algorithm>
#include <cstring>

namespace zelvane {
namespace {

constexpr std::size_t kNotFound = std::string_view::npos;

unsigned char ByteAt(std::string_view text, std::size_t i) {
    return static_cast<unsigned char>(text[i]);
}

// Width of the character that starts at i: two for a lead byte, one otherwise.
// A lead byte in the last byte counts as two so that the scan moves past the end.
std::size_t CharacterWidth(std::string_view text, std::size_t i) {
    return IsLeadByte(ByteAt(text, i)) ? 2 : 1;
}

bool MatchesAt(std::string_view text, std::size_t i, std::string_view sought) {
    // The first byte rules out almost every position without a call.
    return text[i] == sought[0] && std::memcmp(text.data() + i, sought.data(), sought.size()) == 0;
}

// First match of a non-empty sought text at a character start at or after
// `from` (itself a character start), or kNotFound.
std::size_t NextMatch(std::string_view text, std::size_t from, std::string_view sought) {
    for (std::size_t i = from; i + sought.size() <= text.size(); i += CharacterWidth(text, i)) {
        if (MatchesAt(text, i, sought)) return i;
    }
    return kNotFound;
}

// Calls onPiece(begin, end) for the members of the split in order, until it
// returns false.
template <typename OnPiece>
void ForEachPiece(std::string_view text, std::string_view delimiter, OnPiece onPiece) {
    if (text.empty()) return;
    if (delimiter.empty()) {
        onPiece(std::size_t{0}, text.size());
        return;
    }
    std::size_t pieceBegin = 0;
    for (std::size_t match = NextMatch(text, 0, delimiter); match != kNotFound;
         match = NextMatch(text, pieceBegin, delimiter)) {
        if (!onPiece(pieceBegin, match)) return;
        pieceBegin = match + delimiter.size();
    }
    if (pieceBegin < text.size()) onPiece(pieceBegin, text.size());
}

}  // namespace

TextArray TextArray::Of(std::initializer_list<std::string_view> members) {
    TextArray array;
    for (std::string_view member : members) array.listed_.emplace_back(member);
    array.count_ = array.listed_.size();
    return array;
}

Text TextArray::Member(std::size_t number) const {
    if (number == 0 || number > count_) return {};
    if (!listed_.empty()) return listed_[number - 1];
    if (number == count_) return Last();
    Text found;
    std::size_t seen = 0;
    ForEachPiece(*source_, delimiter_, [&](std::size_t begin, std::size_t end) {
        if (++seen < number) return true;
        found.assign(*source_, begin, end - begin);
        return false;
    });
    return found;
}

Text TextArray::Last() const {
    if (count_ == 0) return {};
    if (!listed_.empty()) return listed_.back();
    return source_->substr(lastBegin_, lastEnd_ - lastBegin_);
}

std::size_t ByteLength(std::string_view text) { return text.size(); }

Text JoinTexts(std::initializer_list<std::string_view> parts) {
    std::size_t total = 0;
    for (std::string_view part : parts) total += part.size();
    Text joined;
    joined.reserve(total);
    for (std::string_view part : parts) joined.append(part);
    return joined;
}

int CompareBytewise(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        if (ByteAt(a, i) != ByteAt(b, i)) return ByteAt(a, i) < ByteAt(b, i) ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

std::int64_t PositionOf(std::string_view text, std::string_view sought) {
    if (sought.empty()) return text.empty() ? -1 : 1;
    const std::size_t match = NextMatch(text, 0, sought);
    return match == kNotFound ? -1 : static_cast<std::int64_t>(match) + 1;
}

TextArray SplitOn(std::string_view text, std::string_view delimiter) {
    TextArray array;
    ForEachPiece(text, delimiter, [&](std::size_t begin, std::size_t end) {
        ++array.count_;
        array.lastBegin_ = begin;
        array.lastEnd_ = end;
        return true;
    });
    if (array.count_ > 0) {
        array.source_ = std::make_shared<const Text>(text);
        array.delimiter_ = Text(delimiter);
    }
    return array;
}

Text ReplaceEvery(std::string_view text, std::string_view sought, std::string_view replacement) {
    if (text.empty() || sought.empty()) return Text(text);
    Text result;
    result.reserve(text.size());
    std::size_t i = 0;
    while (i + sought.size() <= text.size()) {
        if (MatchesAt(text, i, sought)) {
            result.append(replacement);
            i += sought.size();
        } else {
            const std::size_t width = std::min(CharacterWidth(text, i), text.size() - i);
            result.append(text.substr(i, width));
            i += width;
        }
    }
    if (i < text.size()) result.append(text.substr(i));
    return result;
}

Text DropSpaces(std::string_view text) {
    Text result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char byte = ByteAt(text, i);
        if (!IsLeadByte(byte)) {
            if (byte != ' ') result.push_back(static_cast<char>(byte));
            i += 1;
        } else if (i + 1 < text.size()) {
            const bool fullWidthSpace = byte == 0xA1 && ByteAt(text, i + 1) == 0xA1;
            if (!fullWidthSpace) result.append(text.substr(i, 2));
            i += 2;
        } else {
            i += 1;  // a lone lead byte at the end is dropped
        }
    }
    return result;
}

Text LeftBytes(std::string_view text, std::int64_t count) {
    if (count <= 0) return {};
    const auto wanted = static_cast<std::uint64_t>(count);
    if (wanted >= text.size()) return Text(text);
    return Text(text.substr(0, static_cast<std::size_t>(wanted)));
}

Bytes BytesOfText(std::string_view text) { return Bytes(text.begin(), text.end()); }

Text TextOfBytes(const Bytes& bytes) {
    const auto zero = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
    return Text(bytes.begin(), zero);
}

std::size_t MemberCount(const TextArray& array) { return array.Count(); }

}  // namespace zelvane
