#include "ui/tray_tip.h"

namespace zelvane {

Text TrayTipText(const std::optional<Text>& tip) {
    if (!tip) return {};
    return LeftBytes(*tip, static_cast<std::int64_t>(kTrayTipBytes));
}

}  // namespace zelvane
