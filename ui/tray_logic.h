// What the tray icon, its menu and close requests do to the main window.
#pragma once

#include <cstdint>
#include <optional>

#include "core/lifetime.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/tray.h"

namespace zelvane {

// Tray event codes.
inline constexpr int kTrayLeftButtonUp = 1;
inline constexpr int kTrayDoubleClick = 2;
inline constexpr int kTrayRightClick = 3;

// The tray event of a mouse message that the icon's callback carries, or
// nothing for moves and button presses.
std::optional<int> TrayEventOfMouseMessage(std::uint32_t mouseMessage);

class TrayLogic {
public:
    TrayLogic(Form& form, Tray& tray, Lifetime& lifetime);

    // 2 toggles the window, 3 pops up the menu, anything else does nothing.
    void HandleTrayEvent(int code);
    // "显示主界面" shows the window; "退出" removes the icon and ends the program.
    void OnMenuSelected(MenuItem item);
    // In hide mode (选择框7 checked) closing only hides the window.
    bool CanCloseWindow();
    // The window is being destroyed: its icon goes with it.
    void OnWindowDestroyed();
    // The user's session is ending for real: no icon may stay behind, and the
    // program ends as for "退出".
    void OnSessionEnded();

private:
    void RemoveIconAndExit();

    Form& form_;
    Tray& tray_;
    Lifetime& lifetime_;
};

}  // namespace zelvane
