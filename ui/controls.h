// The controls of the main window, named as in the form. Their order is the
// order of creation, which is also the tab order.
#pragma once

namespace zelvane {

enum class Control {
    标签1,
    编辑框1,
    选择框1,
    时钟1,
    编辑框_转换后,
    按钮1,
    选择框2,
    选择框3,
    选择框5,
    选择框4,
    选择框6,
    选择框7,
    标签2,
    超级链接框1,
};

// The items of the hidden menu "A", popped up from the tray icon.
enum class MenuItem {
    显示主界面,
    退出,
};

}  // namespace zelvane
