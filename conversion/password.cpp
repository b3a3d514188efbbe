#include "conversion/password.h"

#include <array>

#include "core/constants.h"

namespace zelvane {
namespace {

// The order decides which keyword cuts a text that holds several.
constexpr std::array<std::string_view, 4> kKeywordsInSplitOrder = {
    KEYWORD_MIMA, KEYWORD_FENXIANGMA, KEYWORD_TIQUMA, KEYWORD_FANGWENMA};

Text WithoutColons(const Text& text) {
    if (!Contains(text, FULL_WIDTH_COLON) && !Contains(text, COLON)) return text;
    return ReplaceEvery(ReplaceEvery(text, FULL_WIDTH_COLON, ""), COLON, "");
}

}  // namespace

TextArray SplitAtPasswordKeyword(std::string_view text) {
    TextArray parts;
    for (std::string_view keyword : kKeywordsInSplitOrder) {
        parts = {};  // one split alive at a time
        parts = SplitOn(text, keyword);
        if (MemberCount(parts) == 2) break;
    }
    return parts;
}

Text ExtractPassword(ProgramState& state) {
    if (MemberCount(state.partsArray) == 0) return {};
    const Text piece = state.partsArray.Last();
    state.partsArray = {};
    state.partsArray = SplitAtPasswordKeyword(piece);
    if (MemberCount(state.partsArray) == 0) return {};
    return WithoutColons(state.partsArray.Last());
}

}  // namespace zelvane
