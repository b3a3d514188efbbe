#include "conversion/clipboard_win32.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "core/constants.h"
#include "core/handles_win32.h"

namespace zelvane::win32 {
namespace {

using namespace std::chrono_literals;

OwnedGlobal GlobalWith(const void* bytes, std::size_t size) {
    OwnedGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, size));
    void* data = ::GlobalLock(memory.Get());
    std::memcpy(data, bytes, size);
    ::GlobalUnlock(memory.Get());
    return memory;
}

OwnedGlobal GlobalWith(const std::wstring& wide) {
    return GlobalWith(wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
}

// Puts exactly these formats on the clipboard, as another program would.
void PutOnClipboard(HWND owner, std::vector<std::pair<UINT, HANDLE>> formats) {
    ASSERT_TRUE(::OpenClipboard(owner));
    ::EmptyClipboard();
    for (auto& [format, data] : formats) EXPECT_NE(::SetClipboardData(format, data), nullptr);
    ::CloseClipboard();
}

void PutWideText(HWND owner, const std::wstring& wide) {
    PutOnClipboard(owner, {{CF_UNICODETEXT, GlobalWith(wide).Release()}});
}

// The UTF-16 text on the clipboard, read without the adapter.
std::wstring WideTextOnClipboard() {
    if (!::OpenClipboard(nullptr)) return L"<not open>";
    std::wstring wide = L"<no text>";
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        wide = static_cast<const wchar_t*>(::GlobalLock(data));
        ::GlobalUnlock(data);
    }
    ::CloseClipboard();
    return wide;
}

class Win32ClipboardTest : public ::testing::Test {
protected:
    Win32ClipboardTest()
        : window_(::CreateWindowExW(0, L"STATIC", L"clipboard test", 0, 0, 0, 0, 0, nullptr,
                                    nullptr, ::GetModuleHandleW(nullptr), nullptr)),
          clipboard(window_.Get()) {}

    HWND Owner() const { return window_.Get(); }

    OwnedWindow window_;
    Win32Clipboard clipboard;
};

struct GbkText {
    const char* name;
    Text text;             // code page 936
    std::wstring unicode;  // what other programs see
};

TEST_F(Win32ClipboardTest, GbkTextRoundTripsAsUnicode) {
    const GbkText cases[] = {
        {"ascii link", "https://www.example.com/abc", L"https://www.example.com/abc"},
        {"share text",
         "\xC1\xB4\xBD\xD3\xA3\xBA" "https://a/b \xCC\xE1\xC8\xA1\xC2\xEB\xA3\xBA" "x1Y2",
         L"\u94FE\u63A5\uFF1Ahttps://a/b \u63D0\u53D6\u7801\uFF1Ax1Y2"},  // 链接：… 提取码：x1Y2
        {"ends with the keyword", "https://a/b \xC3\xDC\xC2\xEB", L"https://a/b \u5BC6\u7801"},
        {"line breaks", "a\r\nb", L"a\r\nb"},
        {"empty", "", L""},
    };
    for (const GbkText& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(clipboard.WriteText(c.text));
        EXPECT_EQ(WideTextOnClipboard(), c.unicode);
        EXPECT_EQ(clipboard.ReadText(), std::optional<Text>(c.text));

        PutWideText(Owner(), c.unicode);
        EXPECT_EQ(clipboard.ReadText(), std::optional<Text>(c.text));
    }
}

TEST_F(Win32ClipboardTest, TextIsCutAtItsFirstZero) {
    const std::wstring withZero(L"abc\0def", 7);
    PutWideText(Owner(), withZero);
    EXPECT_EQ(clipboard.ReadText(), std::optional<Text>("abc"));
}

TEST_F(Win32ClipboardTest, ClipboardWithoutTextReadsAsEmptyText) {
    PutOnClipboard(Owner(), {});
    EXPECT_EQ(clipboard.ReadText(), std::optional<Text>(""));

    PutOnClipboard(Owner(), {{CF_BITMAP, ::CreateBitmap(1, 1, 1, 32, nullptr)}});
    EXPECT_EQ(clipboard.ReadText(), std::optional<Text>(""));

    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = 1;
    header.biHeight = 1;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    unsigned char dib[sizeof(header) + 4] = {};
    std::memcpy(dib, &header, sizeof(header));
    PutOnClipboard(Owner(), {{CF_DIB, GlobalWith(dib, sizeof(dib)).Release()}});
    EXPECT_EQ(clipboard.ReadText(), std::optional<Text>(""));
}

// Another thread holds the clipboard open for `hold`, starting now.
class ClipboardHolder {
public:
    explicit ClipboardHolder(std::chrono::milliseconds hold) {
        HANDLE opened = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
        thread_ = std::thread([opened, hold] {
            if (::OpenClipboard(nullptr)) {
                ::SetEvent(opened);
                std::this_thread::sleep_for(hold);
                ::CloseClipboard();
            } else {
                ::SetEvent(opened);
            }
        });
        ::WaitForSingleObject(opened, 5000);
        ::CloseHandle(opened);
    }
    ClipboardHolder(const ClipboardHolder&) = delete;
    ClipboardHolder& operator=(const ClipboardHolder&) = delete;
    ~ClipboardHolder() { thread_.join(); }

private:
    std::thread thread_;
};

TEST_F(Win32ClipboardTest, ClipboardHeldBrieflyIsReadAfterARetry) {
    ASSERT_TRUE(clipboard.WriteText("held"));
    const ClipboardHolder holder(40ms);
    EXPECT_EQ(clipboard.ReadText(), std::optional<Text>("held"));
}

TEST_F(Win32ClipboardTest, ClipboardHeldLongCannotBeReadOrWritten) {
    ASSERT_TRUE(clipboard.WriteText("held"));
    const ClipboardHolder holder(1500ms);

    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(clipboard.ReadText(), std::nullopt);
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, 60ms);   // it did try again
    EXPECT_LE(waited, 400ms);  // but gave up soon

    EXPECT_FALSE(clipboard.WriteText("other"));
}

TEST_F(Win32ClipboardTest, ChangeCountMovesOnWritesOnly) {
    ASSERT_TRUE(clipboard.WriteText("first"));
    const std::uint32_t afterFirst = clipboard.ChangeCount();
    ASSERT_TRUE(clipboard.ReadText().has_value());
    EXPECT_EQ(clipboard.ChangeCount(), afterFirst);

    ASSERT_TRUE(clipboard.WriteText("first"));
    EXPECT_NE(clipboard.ChangeCount(), afterFirst);
}

TEST_F(Win32ClipboardTest, ContentMarkedPrivateIsNotRead) {
    const UINT exclude = ::RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing");
    const UINT history = ::RegisterClipboardFormatW(L"CanIncludeInClipboardHistory");
    const DWORD no = 0;
    const DWORD yes = 1;
    const char empty = 0;
    struct Case {
        const char* name;
        UINT format;
        const void* data;
        std::size_t size;
        bool readable;
    };
    const Case cases[] = {
        {"exclude from monitoring", exclude, &empty, 1, false},
        {"no clipboard history", history, &no, sizeof(no), false},
        {"clipboard history allowed", history, &yes, sizeof(yes), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PutOnClipboard(Owner(), {{CF_UNICODETEXT, GlobalWith(std::wstring(L"secret")).Release()},
                                 {c.format, GlobalWith(c.data, c.size).Release()}});
        EXPECT_EQ(clipboard.ReadText(), c.readable ? std::optional<Text>("secret") : std::nullopt);
    }
}

}  // namespace
}  // namespace zelvane::win32
