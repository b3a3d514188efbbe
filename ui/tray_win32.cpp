#include "ui/tray_win32.h"

#include <algorithm>
#include <cwchar>

#include "core/encoding_win32.h"
#include "ui/form_layout.h"
#include "ui/icon_selection.h"
#include "ui/tray_tip.h"

namespace zelvane::win32 {
namespace {

constexpr DWORD kIconFormatVersion = 0x00030000;
constexpr std::uint8_t kTrayWidth = 16;
constexpr std::uint8_t kFallbackWidth = 32;
constexpr int kMenuOffset = 5;  // the menu's right edge and top stand this far from the cursor

OwnedIcon IconForWidth(std::span<const std::uint8_t> ico, std::uint8_t width) {
    const std::optional<IconImage> image = SelectIconImage(ico, width);
    if (!image) return {};
    const std::span<const std::uint8_t> bytes = image->BytesIn(ico);
    // The functions only read the bytes, whatever their parameter type says.
    auto* data = const_cast<PBYTE>(bytes.data());
    const auto size = static_cast<DWORD>(bytes.size());
    HICON icon = ::CreateIconFromResourceEx(data, size, TRUE, kIconFormatVersion, image->width,
                                            image->height, LR_DEFAULTCOLOR);
    if (icon == nullptr && image->bitCount != 16) {
        icon = ::CreateIconFromResource(data, size, TRUE, kIconFormatVersion);
    }
    return OwnedIcon(icon);
}

NOTIFYICONDATAW IdentityData(HWND window) {
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V1_SIZE;
    data.hWnd = window;
    data.uID = kTrayIconId;
    return data;
}

}  // namespace

UINT CommandOfMenuItem(MenuItem item) {
    switch (item) {
        case MenuItem::显示主界面: return kShowWindowCommand;
        case MenuItem::退出: return kExitCommand;
    }
    return 0;
}

std::optional<MenuItem> MenuItemOfCommand(UINT command) {
    for (const MenuItemSpec& spec : TrayMenuItems()) {
        if (command == CommandOfMenuItem(spec.item)) return spec.item;
    }
    return std::nullopt;
}

UINT TaskbarCreatedMessage() { return ::RegisterWindowMessageW(L"TaskbarCreated"); }

OwnedIcon IconFromImage(std::span<const std::uint8_t> ico) {
    OwnedIcon icon = IconForWidth(ico, kTrayWidth);
    if (!icon) icon = IconForWidth(ico, kFallbackWidth);
    return icon;
}

NOTIFYICONDATAW TrayIconData(HWND window, HICON icon, const std::wstring& tip) {
    NOTIFYICONDATAW data = IdentityData(window);
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kTrayCallbackMessage;
    data.hIcon = icon;
    // Up to 63 characters and the terminating zero; a 62-byte tip needs at most 62.
    const std::size_t length = std::min(tip.size(), std::size(data.szTip) - 1);
    std::wmemcpy(data.szTip, tip.data(), length);
    return data;
}

void Win32Tray::ShowTrayIcon(const Bytes& image, const std::optional<Text>& tip) {
    OwnedIcon icon = IconFromImage(image);
    if (!icon) {
        RemoveTrayIcon();
        return;
    }
    std::wstring cutTip = WideFromText(TrayTipText(tip));
    NOTIFYICONDATAW data = TrayIconData(window_, icon.Get(), cutTip);
    // What the shell answers is not looked at: the icon counts as present
    // either way, so a later removal still sends its delete.
    ::Shell_NotifyIconW(icon_ ? NIM_MODIFY : NIM_ADD, &data);
    icon_ = std::move(icon);  // destroys the previous icon, now replaced
    tip_ = std::move(cutTip);
}

void Win32Tray::RemoveTrayIcon() {
    if (!icon_) return;
    NOTIFYICONDATAW data = IdentityData(window_);
    ::Shell_NotifyIconW(NIM_DELETE, &data);
    icon_.Reset();
    tip_.clear();
}

void Win32Tray::ReAddAfterShellRestart() {
    if (!icon_) return;
    NOTIFYICONDATAW data = TrayIconData(window_, icon_.Get(), tip_);
    ::Shell_NotifyIconW(NIM_ADD, &data);
}

void Win32Tray::ShowTrayMenu() {
    OwnedMenu menu(::CreatePopupMenu());
    if (!menu) return;
    for (const MenuItemSpec& spec : TrayMenuItems()) {
        ::AppendMenuW(menu.Get(), MF_STRING, CommandOfMenuItem(spec.item), WideFromUtf8(spec.caption).c_str());
    }
    POINT cursor{};
    ::GetCursorPos(&cursor);
    // Without the foreground the menu would not close on a click elsewhere;
    // the WM_NULL afterwards makes the next click on the icon work at once.
    ::SetForegroundWindow(window_);
    ::TrackPopupMenu(menu.Get(), TPM_RIGHTALIGN, cursor.x - kMenuOffset, cursor.y - kMenuOffset, 0,
                     window_, nullptr);
    ::PostMessageW(window_, WM_NULL, 0, 0);
}

}  // namespace zelvane::win32
