#include "ui/tray_win32.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/encoding_win32.h"
#include "ui/tray_image.h"
#include "ui/tray_tip.h"

namespace zelvane::win32 {
namespace {

struct IconSize {
    LONG width;
    LONG height;
};

// The size of an icon's colour picture; nothing for a handle that is no icon
// (any more).
std::optional<IconSize> SizeOf(HICON icon) {
    ICONINFO info{};
    if (!::GetIconInfo(icon, &info)) return std::nullopt;
    const OwnedGdiObject colour(info.hbmColor);
    const OwnedGdiObject mask(info.hbmMask);
    BITMAP bitmap{};
    if (!colour || ::GetObjectW(colour.Get(), sizeof bitmap, &bitmap) == 0) return std::nullopt;
    return IconSize{bitmap.bmWidth, bitmap.bmHeight};
}

bool IsIcon(HICON icon) { return SizeOf(icon).has_value(); }

std::vector<UINT> g_commands;  // WM_COMMAND identifiers the owner window received

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) g_commands.push_back(LOWORD(wParam));
    return ::DefWindowProcW(window, message, wParam, lParam);
}

OwnedWindow TestWindow() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = RecordingProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"ZelvaneTrayTest";
    ::RegisterClassW(&windowClass);  // fails harmlessly once registered
    return OwnedWindow(::CreateWindowExW(0, L"ZelvaneTrayTest", L"tray test", WS_OVERLAPPEDWINDOW, 0, 0,
                                         100, 100, nullptr, nullptr, windowClass.hInstance, nullptr));
}

// Wine hides its tray window when the last icon goes, and waits two seconds
// for a window manager that Xvfb does not have. An icon of another window,
// left until the process ends, keeps the tray window up.
void KeepTrayWindowUp() {
    static const OwnedWindow owner = TestWindow();
    static const OwnedIcon icon = IconFromImage(TrayIconImage());
    static const bool added = [] {
        NOTIFYICONDATAW data = TrayIconData(owner.Get(), icon.Get(), L"");
        return ::Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
    }();
    (void)added;
}

// A hidden top-level window that owns the icon, as the main window does.
class TrayTest : public ::testing::Test {
protected:
    void SetUp() override {
        KeepTrayWindowUp();
        window_ = TestWindow();
        ASSERT_TRUE(window_);
        g_commands.clear();
    }

    // Whether the shell knows an icon of our window: modifying succeeds only then.
    bool ShellHasIcon() const {
        NOTIFYICONDATAW data{};
        data.cbSize = NOTIFYICONDATAW_V1_SIZE;
        data.hWnd = window_.Get();
        data.uID = kTrayIconId;
        return ::Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
    }

    OwnedWindow window_;
};

Bytes Garbage() { return Bytes{0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x10, 0x10, 0xFF, 0xFF}; }

TEST(IconFromImage, MakesASixteenPixelIconOfTheProgramsImage) {
    const OwnedIcon icon = IconFromImage(TrayIconImage());
    ASSERT_TRUE(icon);
    const std::optional<IconSize> size = SizeOf(icon.Get());
    ASSERT_TRUE(size.has_value());
    EXPECT_EQ(size->width, 16);
    EXPECT_EQ(size->height, 16);
}

TEST(IconFromImage, TriesTheThirtyTwoPixelImageWhenTheSixteenPixelOneFails) {
    // The first entry qualifies for 16 but is broken; the second qualifies for
    // 32 and is the program's 32-pixel picture; the last entry is broken too.
    const Bytes real = TrayIconImage();
    const auto dword = [&](std::size_t at) {
        return static_cast<std::uint32_t>(real[at] | real[at + 1] << 8 | real[at + 2] << 16 |
                                           real[at + 3] << 24);
    };
    const std::size_t entry32 = 6 + 16 * 2;
    const Bytes picture32(real.begin() + dword(entry32 + 12),
                          real.begin() + dword(entry32 + 12) + dword(entry32 + 8));
    Bytes ico{0, 0, 1, 0, 3, 0};
    const auto addEntry = [&](std::uint8_t width, std::uint8_t colours, std::uint32_t size, std::uint32_t offset) {
        const Bytes entry{width, width, colours, 0, 1, 0, 32, 0,
                          static_cast<std::uint8_t>(size), static_cast<std::uint8_t>(size >> 8),
                          static_cast<std::uint8_t>(size >> 16), 0,
                          static_cast<std::uint8_t>(offset), static_cast<std::uint8_t>(offset >> 8),
                          static_cast<std::uint8_t>(offset >> 16), 0};
        ico.insert(ico.end(), entry.begin(), entry.end());
    };
    const std::uint32_t imagesAt = 6 + 16 * 3;
    const auto size32 = static_cast<std::uint32_t>(picture32.size());
    addEntry(16, 16, 8, imagesAt + size32);
    addEntry(32, 16, size32, imagesAt);
    addEntry(16, 0, 8, imagesAt + size32);
    ico.insert(ico.end(), picture32.begin(), picture32.end());
    ico.insert(ico.end(), std::size_t{8}, std::uint8_t{0xEE});

    const OwnedIcon icon = IconFromImage(ico);
    ASSERT_TRUE(icon);
    const std::optional<IconSize> size = SizeOf(icon.Get());
    ASSERT_TRUE(size.has_value());
    EXPECT_EQ(size->width, 32);
}

TEST(IconFromImage, MakesNoIconOfBrokenBytes) {
    Bytes truncated = TrayIconImage();
    truncated.resize(truncated.size() - 100);
    const std::vector<std::pair<const char*, Bytes>> cases = {
        {"empty", {}}, {"garbage", Garbage()}, {"truncated", truncated}, {"text", BytesOfText("Zelvane")}};
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(IconFromImage(bytes));
    }
}

TEST(TrayIconData, FillsTheFirstVersionOfTheWideStructure) {
    const OwnedIcon icon = IconFromImage(TrayIconImage());
    const NOTIFYICONDATAW data =
        TrayIconData(reinterpret_cast<HWND>(0x1234), icon.Get(), WideFromText(TRAY_START_TIP));
    EXPECT_EQ(data.cbSize, NOTIFYICONDATAW_V1_SIZE);
    EXPECT_EQ(data.hWnd, reinterpret_cast<HWND>(0x1234));
    EXPECT_EQ(data.uID, 100u);
    EXPECT_EQ(data.uFlags, 7u);
    EXPECT_EQ(data.uCallbackMessage, 0x8064u);
    EXPECT_EQ(data.hIcon, icon.Get());
    EXPECT_EQ(std::wstring(data.szTip), L"Zelvane - 双击显隐|右键菜单");
}

TEST(TrayIconData, CarriesTheTipCutToSixtyTwoBytes) {
    Text tip;
    for (int i = 0; i < 40; ++i) tip += "\xCB\xAB";  // 双
    const NOTIFYICONDATAW data = TrayIconData(nullptr, nullptr, WideFromText(TrayTipText(tip)));
    EXPECT_EQ(std::wstring(data.szTip), std::wstring(31, L'双'));

    const NOTIFYICONDATAW none = TrayIconData(nullptr, nullptr, WideFromText(TrayTipText(std::nullopt)));
    for (const wchar_t c : none.szTip) EXPECT_EQ(c, L'\0');
}

TEST_F(TrayTest, ShowAddsTheIconAndRemoveDeletesIt) {
    Win32Tray tray(window_.Get());
    tray.ShowTrayIcon(TrayIconImage(), Text(TRAY_START_TIP));
    const HICON shown = tray.PresentIcon();
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(ShellHasIcon());

    tray.RemoveTrayIcon();
    EXPECT_EQ(tray.PresentIcon(), nullptr);
    EXPECT_FALSE(IsIcon(shown));
    EXPECT_FALSE(ShellHasIcon());

    tray.RemoveTrayIcon();  // nothing there: nothing happens
    EXPECT_FALSE(ShellHasIcon());
}

TEST_F(TrayTest, ShowingAgainReplacesTheIconAndDestroysThePreviousOne) {
    Win32Tray tray(window_.Get());
    tray.ShowTrayIcon(TrayIconImage(), Text(TRAY_START_TIP));
    const HICON first = tray.PresentIcon();
    tray.ShowTrayIcon(TrayIconImage(), std::nullopt);
    const HICON second = tray.PresentIcon();
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    EXPECT_FALSE(IsIcon(first));
    EXPECT_TRUE(IsIcon(second));
    EXPECT_TRUE(ShellHasIcon());
}

TEST_F(TrayTest, BytesThatMakeNoIconRemoveAPresentIcon) {
    Win32Tray tray(window_.Get());
    tray.ShowTrayIcon(TrayIconImage(), std::nullopt);
    const HICON shown = tray.PresentIcon();
    ASSERT_TRUE(ShellHasIcon());

    tray.ShowTrayIcon(Garbage(), Text("tip"));
    EXPECT_EQ(tray.PresentIcon(), nullptr);
    EXPECT_FALSE(IsIcon(shown));
    EXPECT_FALSE(ShellHasIcon());

    tray.ShowTrayIcon({}, std::nullopt);  // with no icon there, still none
    EXPECT_EQ(tray.PresentIcon(), nullptr);
    EXPECT_FALSE(ShellHasIcon());
}

TEST_F(TrayTest, TheIconGoesWithTheTray) {
    HICON shown = nullptr;
    {
        Win32Tray tray(window_.Get());
        tray.ShowTrayIcon(TrayIconImage(), std::nullopt);
        shown = tray.PresentIcon();
    }
    EXPECT_FALSE(IsIcon(shown));
    EXPECT_FALSE(ShellHasIcon());
}

TEST_F(TrayTest, AShellRestartGetsThePresentIconBack) {
    Win32Tray tray(window_.Get());
    tray.ReAddAfterShellRestart();  // no icon: nothing is added
    EXPECT_FALSE(ShellHasIcon());

    tray.ShowTrayIcon(TrayIconImage(), Text(TRAY_START_TIP));
    // A new taskbar knows no icons.
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V1_SIZE;
    data.hWnd = window_.Get();
    data.uID = kTrayIconId;
    ASSERT_TRUE(::Shell_NotifyIconW(NIM_DELETE, &data));
    ASSERT_FALSE(ShellHasIcon());

    tray.ReAddAfterShellRestart();
    EXPECT_TRUE(ShellHasIcon());
    EXPECT_TRUE(IsIcon(tray.PresentIcon()));
    EXPECT_NE(TaskbarCreatedMessage(), 0u);
}

TEST_F(TrayTest, ShowAndRemoveCyclesLeakNoObjects) {
    Win32Tray tray(window_.Get());
    const HANDLE process = ::GetCurrentProcess();
    tray.ShowTrayIcon(TrayIconImage(), Text(TRAY_START_TIP));  // warm up caches
    tray.RemoveTrayIcon();
    const DWORD gdiBefore = ::GetGuiResources(process, GR_GDIOBJECTS);
    const DWORD userBefore = ::GetGuiResources(process, GR_USEROBJECTS);
    std::vector<HICON> made;
    for (int i = 0; i < 200; ++i) {
        tray.ShowTrayIcon(TrayIconImage(), Text(TRAY_START_TIP));
        made.push_back(tray.PresentIcon());
        tray.ShowTrayIcon(TrayIconImage(), std::nullopt);
        made.push_back(tray.PresentIcon());
        tray.RemoveTrayIcon();
    }
    // Every icon made is destroyed again (a replaced one as well as a removed one).
    std::size_t alive = 0;
    for (const HICON icon : made) {
        if (IsIcon(icon)) ++alive;
    }
    EXPECT_EQ(alive, 0u);
    // Wine does not count GUI objects (it reports 0); Windows does.
    if (gdiBefore > 0 && userBefore > 0) {
        EXPECT_EQ(::GetGuiResources(process, GR_GDIOBJECTS), gdiBefore);
        EXPECT_EQ(::GetGuiResources(process, GR_USEROBJECTS), userBefore);
    }
}

// What the timer saw of the open pop-up menu.
struct SeenMenu {
    std::vector<std::pair<UINT, std::wstring>> items;
    RECT rect{};
    std::vector<WPARAM> keys;  // pressed while the menu was open
};
SeenMenu g_seen;

void CALLBACK InspectMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    HWND popup = ::FindWindowW(L"#32768", nullptr);
    if (popup == nullptr) {
        ::EndMenu();
        return;
    }
    ::GetWindowRect(popup, &g_seen.rect);
    auto* menu = reinterpret_cast<HMENU>(::SendMessageW(popup, MN_GETHMENU, 0, 0));
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        wchar_t text[64] = {};
        ::GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
        g_seen.items.emplace_back(::GetMenuItemID(menu, i), text);
    }
    if (g_seen.keys.empty()) {
        ::EndMenu();
        return;
    }
    for (const WPARAM key : g_seen.keys) ::PostMessageW(popup, WM_KEYDOWN, key, 0);
}

void DrainMessages() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
}

TEST_F(TrayTest, MenuOpensLeftOfAndAboveTheCursorWithItsTwoItems) {
    ::SetCursorPos(400, 300);
    POINT cursor{};
    ::GetCursorPos(&cursor);
    Win32Tray tray(window_.Get());
    g_seen = {};
    ::SetTimer(nullptr, 0, 200, InspectMenu);
    tray.ShowTrayMenu();

    const std::vector<std::pair<UINT, std::wstring>> expected = {
        {kShowWindowCommand, L"显示主界面"}, {kExitCommand, L"退出"}};
    EXPECT_EQ(g_seen.items, expected);
    EXPECT_EQ(g_seen.rect.right, cursor.x - 5);
    EXPECT_EQ(g_seen.rect.top, cursor.y - 5);
    MSG message;
    EXPECT_TRUE(::PeekMessageW(&message, window_.Get(), WM_NULL, WM_NULL, PM_REMOVE));
    DrainMessages();
    EXPECT_TRUE(g_commands.empty());  // dismissed: no command
}

TEST_F(TrayTest, ChosenItemsReachTheWindowAsTheirMenuItems) {
    Win32Tray tray(window_.Get());
    const std::vector<std::pair<std::vector<WPARAM>, MenuItem>> cases = {
        {{VK_DOWN, VK_RETURN}, MenuItem::显示主界面}, {{VK_DOWN, VK_DOWN, VK_RETURN}, MenuItem::退出}};
    for (const auto& [keys, item] : cases) {
        SCOPED_TRACE(static_cast<int>(item));
        g_seen = {};
        g_seen.keys = keys;
        g_commands.clear();
        ::SetTimer(nullptr, 0, 200, InspectMenu);
        tray.ShowTrayMenu();
        DrainMessages();
        ASSERT_EQ(g_commands.size(), 1u);
        EXPECT_EQ(MenuItemOfCommand(g_commands[0]), item);
    }
    EXPECT_EQ(MenuItemOfCommand(0), std::nullopt);
}

}  // namespace
}  // namespace zelvane::win32
