// The main window as data: its own properties, its controls in creation order
// (which is also the tab order) and the items of its hidden menu. The window
// layer walks these tables; nothing here knows about Windows.
#pragma once

#include <span>
#include <string_view>

#include "ui/controls.h"

namespace zelvane {

enum class ControlKind { EditBox, CheckBox, Button, Label, HyperLinker, Timer };

// Pixels in the window's client area.
struct Place {
    int left;
    int top;
    int width;
    int height;
};

struct ControlSpec {
    Control name;
    ControlKind kind;
    Place place;
    std::string_view caption;  // UTF-8
    bool checked;              // initial state of a check box
    bool disabled;             // initial state
    bool tabStop;              // Tab skips it anyway while it is disabled
};

struct WindowSpec {
    std::string_view title;  // UTF-8
    int outerWidth;          // frame and title bar included
    int outerHeight;
    bool minimizeBox;
    bool maximizeBox;
    bool sizingBorder;
};

struct MenuItemSpec {
    MenuItem item;
    std::string_view caption;  // UTF-8
};

struct ScreenPoint {
    int x;
    int y;
};

inline constexpr WindowSpec kMainWindowSpec{"Zelvane", 312, 259, true, false, false};
inline constexpr int kTimerIntervalMilliseconds = 500;  // 时钟1

// The controls in creation order.
std::span<const ControlSpec> FormControls();
const ControlSpec& SpecOf(Control control);

// The items under the hidden top-level menu "A", in order.
std::span<const MenuItemSpec> TrayMenuItems();

// Where the window goes: centred on the whole primary screen (not the work
// area), the remainder of each halving dropped.
ScreenPoint CentredOrigin(int screenWidth, int screenHeight);

}  // namespace zelvane
