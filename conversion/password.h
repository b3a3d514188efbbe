// The share password that comes with a share text, after a keyword such as
// "提取码：".
#pragma once

#include <string_view>

#include "core/program_state.h"

namespace zelvane {

// Splits the text on "密码", "分享码", "提取码" and "访问码" in that order and keeps
// the first split that cuts it in exactly two; when none does, the split on
// "访问码" is the result.
TextArray SplitAtPasswordKeyword(std::string_view text);

// Takes the share password out of the last member of state.partsArray, which
// it reuses as its working array: on return partsArray holds its last split.
Text ExtractPassword(ProgramState& state);

}  // namespace zelvane
