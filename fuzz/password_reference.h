// The share password worked out step by step with the plain text reference:
// the last member, cut at the first keyword (in the order 密码, 分享码, 提取码,
// 访问码) that splits it in exactly two, its last piece without colons.
#pragma once

#include <array>
#include <vector>

#include "core/constants.h"
#include "tests/reference/text_reference.h"

namespace zelvane::reference {

inline const std::array<Text, 4> kKeywordsInSplitOrder = {
    Text(KEYWORD_MIMA), Text(KEYWORD_FENXIANGMA), Text(KEYWORD_TIQUMA), Text(KEYWORD_FANGWENMA)};

inline std::vector<Text> ReferenceSplitAtPasswordKeyword(const Text& text) {
    std::vector<Text> pieces;
    for (const Text& keyword : kKeywordsInSplitOrder) {
        pieces = ReferenceSplit(text, keyword);
        if (pieces.size() == 2) break;
    }
    return pieces;
}

inline Text ReferenceExtractPassword(const std::vector<Text>& members) {
    if (members.empty()) return {};
    const std::vector<Text> pieces = ReferenceSplitAtPasswordKeyword(members.back());
    if (pieces.empty()) return {};
    const Text& last = pieces.back();
    const Text colon(COLON);
    const Text fullWidthColon(FULL_WIDTH_COLON);
    if (ReferencePositionOf(last, colon) == -1 && ReferencePositionOf(last, fullWidthColon) == -1) {
        return last;
    }
    return ReferenceReplace(ReferenceReplace(last, fullWidthColon, ""), colon, "");
}

}  // namespace zelvane::reference
