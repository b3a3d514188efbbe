// The program's own literals. Chinese keywords are code page 936 bytes, with
// the readable text beside them.
#pragma once

#include <string_view>

namespace zelvane {

// Set by the build (ZELVANE_SERVICE_LABEL, ZELVANE_DEFAULT_DOMAIN).
inline constexpr std::string_view SERVICE_LABEL = ZELVANE_SERVICE_LABEL_VALUE;
inline constexpr std::string_view DEFAULT_DOMAIN = ZELVANE_DEFAULT_DOMAIN_VALUE;

inline constexpr std::string_view NO_LINK_TEXT = "Unkonw";

inline constexpr std::string_view KEYWORD_TIQUMA = "\xCC\xE1\xC8\xA1\xC2\xEB";   // 提取码
inline constexpr std::string_view KEYWORD_MIMA = "\xC3\xDC\xC2\xEB";             // 密码
inline constexpr std::string_view KEYWORD_FENXIANGMA = "\xB7\xD6\xCF\xED\xC2\xEB";  // 分享码
inline constexpr std::string_view KEYWORD_FANGWENMA = "\xB7\xC3\xCE\xCA\xC2\xEB";   // 访问码

inline constexpr std::string_view COLON = ":";
inline constexpr std::string_view FULL_WIDTH_COLON = "\xA3\xBA";  // ：

}  // namespace zelvane
