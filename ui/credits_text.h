// ICON_CREDITS as the program's Text (code page 936), for the message box it
// is shown in. A test keeps it equal to the UTF-8 wording in ui/credits.h.
#pragma once

#include <string_view>

namespace zelvane {

// 图标：Zelvane 开发者用本项目的脚本 resources/make_icon.py 绘制的乌龟，未使用图标库。
inline constexpr std::string_view ICON_CREDITS_TEXT =
    "\xCD\xBC\xB1\xEA\xA3\xBA" "Zelvane "
    "\xBF\xAA\xB7\xA2\xD5\xDF\xD3\xC3\xB1\xBE\xCF\xEE\xC4\xBF\xB5\xC4\xBD\xC5\xB1\xBE"
    " resources/make_icon.py "
    "\xBB\xE6\xD6\xC6\xB5\xC4\xCE\xDA\xB9\xEA\xA3\xAC\xCE\xB4\xCA\xB9\xD3\xC3\xCD\xBC\xB1\xEA\xBF\xE2\xA1\xA3";

}  // namespace zelvane
