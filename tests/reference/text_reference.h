// Plain byte-by-byte versions of the text operations, written for clarity and
// not for speed: walk the text one character at a time (two bytes for a lead
// byte, one otherwise) and try a match wherever a character starts. The unit
// tests and the fuzz targets compare the real operations against these.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/text.h"

namespace zelvane::reference {

inline std::size_t Width(const Text& text, std::size_t i) {
    return static_cast<unsigned char>(text[i]) >= 0x80 ? 2 : 1;
}

inline bool SoughtAt(const Text& text, std::size_t i, const Text& sought) {
    return text.size() - i >= sought.size() && text.compare(i, sought.size(), sought) == 0;
}

inline std::int64_t ReferencePositionOf(const Text& text, const Text& sought) {
    if (sought.empty()) return text.empty() ? -1 : 1;
    for (std::size_t i = 0; i < text.size(); i += Width(text, i)) {
        if (SoughtAt(text, i, sought)) return static_cast<std::int64_t>(i) + 1;
    }
    return -1;
}

inline std::vector<Text> ReferenceSplit(const Text& text, const Text& delimiter) {
    if (text.empty()) return {};
    if (delimiter.empty()) return {text};
    std::vector<Text> members;
    std::size_t pieceBegin = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (SoughtAt(text, i, delimiter)) {
            members.push_back(text.substr(pieceBegin, i - pieceBegin));
            i += delimiter.size();
            pieceBegin = i;
        } else {
            i += Width(text, i);
        }
    }
    if (pieceBegin < text.size()) members.push_back(text.substr(pieceBegin));
    return members;
}

inline Text ReferenceReplace(const Text& text, const Text& sought, const Text& replacement) {
    if (text.empty() || sought.empty()) return text;
    Text out;
    std::size_t i = 0;
    while (i < text.size()) {
        if (SoughtAt(text, i, sought)) {
            out += replacement;
            i += sought.size();
        } else {
            out += text.substr(i, Width(text, i));
            i += Width(text, i);
        }
    }
    return out;
}

inline Text ReferenceDropSpaces(const Text& text) {
    const Text fullWidthSpace = "\xA1\xA1";  // 　
    Text out;
    for (std::size_t i = 0; i < text.size(); i += Width(text, i)) {
        const Text character = text.substr(i, Width(text, i));
        if (character.size() < Width(text, i)) continue;  // lone lead byte at the end
        if (character != " " && character != fullWidthSpace) out += character;
    }
    return out;
}

inline Text ReferenceLeftBytes(const Text& text, std::int64_t count) {
    Text out;
    for (std::size_t i = 0; i < text.size() && static_cast<std::int64_t>(i) < count; ++i) {
        out += text[i];
    }
    return out;
}

// -1, 0 or 1.
inline int ReferenceCompare(const Text& a, const Text& b) {
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

inline Text ReferenceTextOfBytes(const Bytes& bytes) {
    Text out;
    for (std::uint8_t byte : bytes) {
        if (byte == 0) break;
        out += static_cast<char>(byte);
    }
    return out;
}

}  // namespace zelvane::reference
