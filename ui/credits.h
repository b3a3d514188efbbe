// The two credits texts of the main window, in UTF-8 (the window shows them as
// UTF-16). The program and its icon are both the Zelvane developers' own work:
// the icon is drawn by resources/make_icon.py, no icon library is used.
#pragma once

#include <string_view>

namespace zelvane {

// 标签2: one short line, it has 144 pixels of room.
inline constexpr std::string_view CREDITS_LINE = "作者：Zelvane 开发者";

// The message box behind the link "图标制作".
inline constexpr std::string_view ICON_CREDITS =
    "图标：Zelvane 开发者用本项目的脚本 resources/make_icon.py 绘制的乌龟，未使用图标库。";

}  // namespace zelvane
