// Clipboard contents as other programs leave them: several formats at once
// (a text with a marker format beside it), a format rendered only when it is
// asked for, or the clipboard held open. The owner window lives on the test's
// thread; the harness's waits take the messages Zelvane's clipboard calls send
// to it.
#pragma once

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "core/encoding_win32.h"
#include "core/handles_win32.h"
#include "tests/e2e/harness_win32.h"

namespace zelvane::e2e {

// One format and the bytes of its global memory block. An empty `bytes` with
// `delayed` set puts the format on the clipboard without data: the owner
// renders it on WM_RENDERFORMAT, after `renderDelay`.
struct ClipboardFormat {
    UINT format = 0;
    std::string bytes{};
    bool delayed = false;
};

inline std::string UnicodeBytes(std::wstring_view text) {
    std::string bytes(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    bytes.append(sizeof(wchar_t), '\0');
    return bytes;
}

inline std::string DwordBytes(DWORD value) {
    return std::string(reinterpret_cast<const char*>(&value), sizeof(value));
}

inline ClipboardFormat UnicodeFormat(std::wstring_view text) { return {CF_UNICODETEXT, UnicodeBytes(text)}; }

inline UINT RegisteredFormat(const wchar_t* name) { return ::RegisterClipboardFormatW(name); }

class ClipboardOwnerWindow {
public:
    ClipboardOwnerWindow() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &ClipboardOwnerWindow::Proc;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"ZelvaneTestClipboardOwner";
        ::RegisterClassW(&windowClass);  // fails harmlessly when registered already
        window_.Reset(::CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                        windowClass.hInstance, nullptr));
        ::SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ClipboardOwnerWindow(const ClipboardOwnerWindow&) = delete;
    ClipboardOwnerWindow& operator=(const ClipboardOwnerWindow&) = delete;
    ~ClipboardOwnerWindow() {
        // Nothing left to render: destroying the owner must not render into a
        // clipboard the next test uses.
        pending_.clear();
        ::SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, 0);
    }

    HWND Handle() const { return window_.Get(); }
    Duration renderDelay = std::chrono::milliseconds(0);
    int renderRequests = 0;  // WM_RENDERFORMAT messages taken

    // Opens the clipboard (waiting while someone else holds it), empties it,
    // puts the formats on it and, unless `keepOpen`, closes it again.
    bool Put(const std::vector<ClipboardFormat>& formats, bool keepOpen = false) {
        if (!WaitUntil([&] { return ::OpenClipboard(Handle()) != FALSE; }, std::chrono::seconds(5))) {
            return false;
        }
        ::EmptyClipboard();
        pending_.clear();
        bool written = true;
        for (const ClipboardFormat& format : formats) {
            if (format.delayed) {
                // Returns nothing either way: there is no data yet.
                pending_.push_back(format);
                ::SetClipboardData(format.format, nullptr);
                continue;
            }
            written = SetData(format) && written;
        }
        if (!keepOpen) ::CloseClipboard();
        return written;
    }

    static void Close() { ::CloseClipboard(); }

private:
    static bool SetData(const ClipboardFormat& format) {
        win32::OwnedGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, format.bytes.empty() ? 1 : format.bytes.size()));
        if (!memory) return false;
        void* target = ::GlobalLock(memory.Get());
        if (target == nullptr) return false;
        std::memcpy(target, format.bytes.data(), format.bytes.size());
        ::GlobalUnlock(memory.Get());
        if (::SetClipboardData(format.format, memory.Get()) == nullptr) return false;
        memory.Release();  // the clipboard owns it now
        return true;
    }

    void Render(UINT format) {
        ++renderRequests;
        std::this_thread::sleep_for(renderDelay);
        for (const ClipboardFormat& pending : pending_) {
            if (pending.format == format) SetData(pending);
        }
    }

    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<ClipboardOwnerWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self != nullptr && message == WM_RENDERFORMAT) {
            self->Render(static_cast<UINT>(wParam));
            return 0;
        }
        if (self != nullptr && message == WM_DESTROYCLIPBOARD) {
            self->pending_.clear();
            return 0;
        }
        return ::DefWindowProcW(window, message, wParam, lParam);
    }

    win32::OwnedWindow window_;
    std::vector<ClipboardFormat> pending_;
};

}  // namespace zelvane::e2e
