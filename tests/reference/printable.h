// Bytes as a failure message can show them: printable ASCII as it is, every
// other byte (and the backslash) as \xNN, so that code page 936 texts and
// control bytes read unambiguously.
#pragma once

#include <string>
#include <string_view>

namespace zelvane::reference {

inline std::string Printable(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (char byte : text) {
        const auto c = static_cast<unsigned char>(byte);
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += byte;
        } else {
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        }
    }
    return out;
}

}  // namespace zelvane::reference
