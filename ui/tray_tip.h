// The tip that goes into the notification area's fixed-size field.
#pragma once

#include <cstddef>
#include <optional>

#include "core/text.h"

namespace zelvane {

inline constexpr std::size_t kTrayTipBytes = 62;

// The tip cut to its first 62 bytes, even where that splits a two-byte
// character; empty when there is no tip.
Text TrayTipText(const std::optional<Text>& tip);

}  // namespace zelvane
