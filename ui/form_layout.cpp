#include "ui/form_layout.h"

#include <array>
#include <cstddef>

#include "ui/credits.h"

namespace zelvane {
namespace {

using enum Control;
using enum ControlKind;

constexpr bool kChecked = true;
constexpr bool kUnchecked = false;
constexpr bool kDisabled = true;
constexpr bool kEnabled = false;
constexpr bool kTabStop = true;
constexpr bool kNoTabStop = false;

const std::array<ControlSpec, 14> kControls{{
    {标签1, Label, {9, 8, 80, 24}, "转换域名：", kUnchecked, kEnabled, kNoTabStop},
    {编辑框1, EditBox, {9, 32, 288, 24}, "", kUnchecked, kEnabled, kTabStop},
    {选择框1, CheckBox, {216, 8, 80, 24}, "默认(推荐)", kChecked, kEnabled, kTabStop},
    {时钟1, Timer, {88, 8, 26, 26}, "", kUnchecked, kEnabled, kNoTabStop},
    {编辑框_转换后, EditBox, {8, 64, 270, 24}, "", kUnchecked, kEnabled, kTabStop},
    {按钮1, Button, {282, 64, 16, 24}, "C", kUnchecked, kEnabled, kTabStop},
    {选择框2, CheckBox, {8, 104, 152, 24}, "监视剪贴板自动转换[必]", kChecked, kDisabled, kTabStop},
    {选择框3, CheckBox, {160, 104, 116, 24}, "转换后自动复制", kUnchecked, kEnabled, kTabStop},
    {选择框5, CheckBox, {160, 136, 142, 24}, "打开链接自动复制密码", kUnchecked, kEnabled, kTabStop},
    {选择框4, CheckBox, {8, 136, 152, 24}, "转换完成自动打开链接", kUnchecked, kEnabled, kTabStop},
    {选择框6, CheckBox, {8, 168, 72, 24}, "开机自启", kUnchecked, kEnabled, kTabStop},
    {选择框7, CheckBox, {160, 168, 88, 24}, "启动时隐藏", kUnchecked, kEnabled, kTabStop},
    {标签2, Label, {8, 200, 144, 24}, CREDITS_LINE, kUnchecked, kEnabled, kNoTabStop},
    {超级链接框1, HyperLinker, {176, 200, 112, 24}, "图标制作", kUnchecked, kEnabled, kNoTabStop},
}};

const std::array<MenuItemSpec, 2> kTrayMenu{{
    {MenuItem::显示主界面, "显示主界面"},
    {MenuItem::退出, "退出"},
}};

}  // namespace

std::span<const ControlSpec> FormControls() { return kControls; }

const ControlSpec& SpecOf(Control control) {
    // The table is in the enum's order, so the enum's value is the index.
    return kControls[static_cast<std::size_t>(control)];
}

std::span<const MenuItemSpec> TrayMenuItems() { return kTrayMenu; }

ScreenPoint CentredOrigin(int screenWidth, int screenHeight) {
    return ScreenPoint{(screenWidth - kMainWindowSpec.outerWidth) / 2,
                       (screenHeight - kMainWindowSpec.outerHeight) / 2};
}

}  // namespace zelvane
