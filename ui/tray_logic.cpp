#include "ui/tray_logic.h"

namespace zelvane {

std::optional<int> TrayEventOfMouseMessage(std::uint32_t mouseMessage) {
    switch (mouseMessage) {
        case 0x202:  // WM_LBUTTONUP
            return kTrayLeftButtonUp;
        case 0x203:  // WM_LBUTTONDBLCLK
            return kTrayDoubleClick;
        case 0x205:  // WM_RBUTTONUP
        case 0x07B:  // WM_CONTEXTMENU
            return kTrayRightClick;
        default:
            return std::nullopt;
    }
}

TrayLogic::TrayLogic(Form& form, Tray& tray, Lifetime& lifetime)
    : form_(form), tray_(tray), lifetime_(lifetime) {}

void TrayLogic::HandleTrayEvent(int code) {
    if (code == kTrayDoubleClick) form_.SetWindowVisible(!form_.IsWindowVisible());
    if (code == kTrayRightClick) tray_.ShowTrayMenu();
}

void TrayLogic::OnMenuSelected(MenuItem item) {
    switch (item) {
        case MenuItem::显示主界面:
            form_.SetWindowVisible(true);
            break;
        case MenuItem::退出:
            RemoveIconAndExit();
            break;
    }
}

bool TrayLogic::CanCloseWindow() {
    if (form_.IsChecked(Control::选择框7)) {
        form_.SetWindowVisible(false);
        return false;
    }
    tray_.RemoveTrayIcon();
    return true;
}

void TrayLogic::OnWindowDestroyed() { tray_.RemoveTrayIcon(); }

void TrayLogic::OnSessionEnded() { RemoveIconAndExit(); }

void TrayLogic::RemoveIconAndExit() {
    tray_.RemoveTrayIcon();
    lifetime_.ExitProgram(0);
}

}  // namespace zelvane
