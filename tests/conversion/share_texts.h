// Share texts for the conversion tests, written with placeholders so a table
// row reads like the text a user copies:
//   {H} a host of the service, {HU} the same in capitals, {L} the service's
//   label, {D} the domain typed into 编辑框1, {P} a share password,
//   {链接} "链接：", {提取码} {密码} {分享码} {访问码} the keywords, {：} the
//   full-width colon, {　} the full-width space, {复制后打开} trailing words.
#pragma once

#include <cctype>
#include <string>
#include <string_view>
#include <utility>

#include "core/constants.h"
#include "core/text.h"

namespace zelvane::testing {

inline const Text kHost = JoinTexts({"wwx.", SERVICE_LABEL, ".com"});
inline const Text kDomain = "share.test";
inline const Text kPassword = "a1B2";

inline Text UpperCase(Text text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

inline Text ShareText(std::string_view pattern) {
    const std::pair<std::string_view, Text> kPlaceholders[] = {
        {"{HU}", UpperCase(kHost)},
        {"{H}", kHost},
        {"{L}", Text(SERVICE_LABEL)},
        {"{D}", kDomain},
        {"{P}", kPassword},
        {"{链接}", "\xC1\xB4\xBD\xD3\xA3\xBA"},            // 链接：
        {"{提取码}", Text(KEYWORD_TIQUMA)},
        {"{密码}", Text(KEYWORD_MIMA)},
        {"{分享码}", Text(KEYWORD_FENXIANGMA)},
        {"{访问码}", Text(KEYWORD_FANGWENMA)},
        {"{：}", Text(FULL_WIDTH_COLON)},
        {"{　}", "\xA1\xA1"},                              // full-width space
        {"{复制后打开}", "\xB8\xB4\xD6\xC6\xBA\xF3\xB4\xF2\xBF\xAA"},  // 复制后打开
    };
    Text text(pattern);
    for (const auto& [placeholder, value] : kPlaceholders) {
        for (std::size_t at = text.find(placeholder); at != Text::npos;
             at = text.find(placeholder, at + value.size())) {
            text.replace(at, placeholder.size(), value);
        }
    }
    return text;
}

}  // namespace zelvane::testing
