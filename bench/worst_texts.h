// Clipboard texts for measuring: a typical share text, and the worst cases a
// copy can bring: megabytes of "/" or of password keywords.
#pragma once

#include <cstddef>
#include <string_view>

#include "core/constants.h"
#include "core/text.h"

namespace zelvane::bench {

inline const Text kHost = JoinTexts({"wwx.", SERVICE_LABEL, ".com"});

// 链接：https://H/s1AbCdEfGh 提取码：x1Y2 复制这段内容后打开
inline Text TypicalShareText(char variant = 'a') {
    return JoinTexts({"\xC1\xB4\xBD\xD3\xA3\xBA" "https://", kHost, "/s1AbCdEfGh",
                      std::string_view(&variant, 1), " ", KEYWORD_TIQUMA, FULL_WIDTH_COLON,
                      "x1Y2 \xB8\xB4\xD6\xC6\xD5\xE2\xB6\xCE\xC4\xDA\xC8\xDD\xBA\xF3\xB4\xF2\xBF\xAA"});
}

// Appends copies of the piece while the text stays within `bytes`.
inline void AppendRepeated(Text& text, std::string_view piece, std::size_t bytes) {
    text.reserve(bytes);
    while (text.size() + piece.size() <= bytes) text.append(piece);
}

inline Text Repeated(std::string_view piece, std::size_t bytes) {
    Text text;
    AppendRepeated(text, piece, bytes);
    return text;
}

enum class WorstCase { Slashes, LinkThenSlashes, LinkThenMima, LinkThenTiquma };

inline const char* NameOf(WorstCase kind) {
    switch (kind) {
        case WorstCase::Slashes: return "slashes";
        case WorstCase::LinkThenSlashes: return "link+slashes";
        case WorstCase::LinkThenMima: return "link+mima";
        case WorstCase::LinkThenTiquma: return "link+tiquma";
    }
    return "";
}

// About `bytes` long; `variant` makes two texts that differ, so that each copy
// is new to the cycle.
inline Text WorstText(WorstCase kind, std::size_t bytes, char variant = 'a') {
    const std::string_view mark(&variant, 1);
    Text text = kind == WorstCase::Slashes ? JoinTexts({mark})
                                           : JoinTexts({"https://", kHost, "/abc", mark, " "});
    const std::size_t total = text.size() + bytes;
    switch (kind) {
        case WorstCase::Slashes:
        case WorstCase::LinkThenSlashes: AppendRepeated(text, "/", total); break;
        case WorstCase::LinkThenMima: AppendRepeated(text, KEYWORD_MIMA, total); break;
        case WorstCase::LinkThenTiquma: AppendRepeated(text, KEYWORD_TIQUMA, total); break;
    }
    return text;  // built in place: one copy of the text exists
}

}  // namespace zelvane::bench
