// The main window's notification-area icon and its pop-up menu.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "core/handles_win32.h"
#include "ui/controls.h"
#include "ui/tray.h"

namespace zelvane::win32 {

inline constexpr UINT kTrayIconId = 100;
inline constexpr UINT kTrayCallbackMessage = WM_APP + 100;
// WM_COMMAND identifiers of the pop-up menu's items.
inline constexpr UINT kShowWindowCommand = 1001;  // 显示主界面
inline constexpr UINT kExitCommand = 1002;        // 退出

// The pop-up menu's items and captions are those of the form's menu "A".
UINT CommandOfMenuItem(MenuItem item);
std::optional<MenuItem> MenuItemOfCommand(UINT command);

// The message the shell broadcasts when its taskbar has been (re)created.
UINT TaskbarCreatedMessage();

// An icon made from .ico bytes: the image the selection rule picks for a
// width of 16, else for a width of 32; none when neither gives an icon.
OwnedIcon IconFromImage(std::span<const std::uint8_t> ico);

// The structure for adding or modifying the icon. cbSize is the first
// version's size of the wide structure, whose tip holds 64 characters.
NOTIFYICONDATAW TrayIconData(HWND window, HICON icon, const std::wstring& tip);

class Win32Tray final : public Tray {
public:
    explicit Win32Tray(HWND window) : window_(window) {}
    Win32Tray(const Win32Tray&) = delete;
    Win32Tray& operator=(const Win32Tray&) = delete;
    ~Win32Tray() override { RemoveTrayIcon(); }

    void ShowTrayIcon(const Bytes& image, const std::optional<Text>& tip) override;
    void RemoveTrayIcon() override;
    void ShowTrayMenu() override;

    // On TaskbarCreatedMessage(): the new taskbar knows no icons, so a present
    // one is added again with the same image and tip.
    void ReAddAfterShellRestart();

    HICON PresentIcon() const { return icon_.Get(); }

private:
    HWND window_;
    OwnedIcon icon_;     // the icon in the notification area, if any
    std::wstring tip_;   // its tip, already cut
};

}  // namespace zelvane::win32
