#include "core/encoding_win32.h"

#include <windows.h>

#include <limits>

namespace zelvane::win32 {
namespace {

// Inputs beyond what the conversion functions take (2 GiB) are cut there.
int ClampedLength(std::size_t size) {
    constexpr auto kMax = static_cast<std::size_t>(std::numeric_limits<int>::max());
    return static_cast<int>(size < kMax ? size : kMax);
}

std::wstring ToWide(unsigned codePage, std::string_view bytes) {
    if (bytes.empty()) return {};
    const int length = ClampedLength(bytes.size());
    const int needed = ::MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
    if (needed <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    ::MultiByteToWideChar(codePage, 0, bytes.data(), length, wide.data(), needed);
    return wide;
}

std::string FromWide(unsigned codePage, std::wstring_view wide) {
    if (wide.empty()) return {};
    const int length = ClampedLength(wide.size());
    const int needed =
        ::WideCharToMultiByte(codePage, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return {};
    std::string bytes(static_cast<std::size_t>(needed), '\0');
    ::WideCharToMultiByte(codePage, 0, wide.data(), length, bytes.data(), needed, nullptr, nullptr);
    return bytes;
}

}  // namespace

std::wstring WideFromText(std::string_view text) { return ToWide(kTextCodePage, text); }
Text TextFromWide(std::wstring_view wide) { return FromWide(kTextCodePage, wide); }
std::wstring WideFromUtf8(std::string_view utf8) { return ToWide(CP_UTF8, utf8); }
std::string Utf8FromWide(std::wstring_view wide) { return FromWide(CP_UTF8, wide); }

}  // namespace zelvane::win32
