// Conversions at the Windows boundary. Text is code page 936 whatever the
// system's ANSI code page is; paths are UTF-8 inside and UTF-16 outside.
#pragma once

#include <string>
#include <string_view>

#include "core/path.h"
#include "core/text.h"

namespace zelvane::win32 {

inline constexpr unsigned kTextCodePage = 936;

std::wstring WideFromText(std::string_view text);  // code page 936 -> UTF-16
Text TextFromWide(std::wstring_view wide);          // UTF-16 -> code page 936
std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);
inline std::wstring WidePath(const Path& path) { return WideFromUtf8(path.utf8); }
inline Path PathFromWide(std::wstring_view wide) { return Path{Utf8FromWide(wide)}; }

}  // namespace zelvane::win32
