// The tray icon's picture and the tip it carries after a hidden start.
#pragma once

#include <string_view>

#include "core/text.h"

namespace zelvane {

// The bytes of the program's .ico file (the same pictures as the window
// icon): 128, 48, 32, 24 and 16 pixels, 32 bits each.
Bytes TrayIconImage();

// "Zelvane - 双击显隐|右键菜单"
inline constexpr std::string_view TRAY_START_TIP =
    "Zelvane - \xCB\xAB\xBB\xF7\xCF\xD4\xD2\xFE|\xD3\xD2\xBC\xFC\xB2\xCB\xB5\xA5";

}  // namespace zelvane
