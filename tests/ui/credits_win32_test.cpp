#include "ui/credits.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/encoding_win32.h"

namespace zelvane {
namespace {

// 标签2 is 144 pixels wide and draws one line without clipping.
TEST(Credits, CreditsLineFitsItsLabelInTheWindowsFont) {
    const std::wstring line = win32::WideFromUtf8(CREDITS_LINE);
    ASSERT_FALSE(line.empty());
    HDC screen = ::GetDC(nullptr);
    ASSERT_NE(screen, nullptr);
    const HGDIOBJ previous = ::SelectObject(screen, ::GetStockObject(DEFAULT_GUI_FONT));
    SIZE extent{};
    const BOOL measured =
        ::GetTextExtentPoint32W(screen, line.data(), static_cast<int>(line.size()), &extent);
    ::SelectObject(screen, previous);
    ::ReleaseDC(nullptr, screen);
    ASSERT_TRUE(measured);
    EXPECT_GT(extent.cx, 0);
    EXPECT_LE(extent.cx, 144);
}

TEST(Credits, BothTextsAreSingleLinesOfValidUtf8) {
    for (const std::string_view text : {CREDITS_LINE, ICON_CREDITS}) {
        SCOPED_TRACE(std::string(text));
        const std::wstring wide = win32::WideFromUtf8(text);
        EXPECT_EQ(win32::Utf8FromWide(wide), text);  // nothing lost on the way to the window
        EXPECT_EQ(wide.find_first_of(L"\r\n"), std::wstring::npos);
    }
}

}  // namespace
}  // namespace zelvane
