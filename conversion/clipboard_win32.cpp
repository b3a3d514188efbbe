#include "conversion/clipboard_win32.h"

#include <cstring>
#include <string>
#include <string_view>

#include "core/encoding_win32.h"
#include "core/handles_win32.h"

namespace zelvane::win32 {
namespace {

// Another program may hold the clipboard for a moment; try for about 100 ms.
constexpr int kOpenAttempts = 7;
constexpr DWORD kPauseBetweenAttemptsMs = 15;

bool OpenWithRetry(HWND owner) {
    for (int attempt = 1;; ++attempt) {
        if (::OpenClipboard(owner)) return true;
        if (attempt == kOpenAttempts) return false;
        ::Sleep(kPauseBetweenAttemptsMs);
    }
}

// Closes the clipboard only if this guard opened it.
class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) : open_(OpenWithRetry(owner)) {}
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    ~OpenedClipboard() {
        if (open_) ::CloseClipboard();
    }
    explicit operator bool() const { return open_; }

private:
    bool open_;
};

// The locked contents of a global memory block, unlocked when done.
template <typename Element>
class LockedGlobal {
public:
    explicit LockedGlobal(HANDLE memory)
        : memory_(memory),
          data_(memory == nullptr ? nullptr : static_cast<Element*>(::GlobalLock(memory))) {}
    LockedGlobal(const LockedGlobal&) = delete;
    LockedGlobal& operator=(const LockedGlobal&) = delete;
    ~LockedGlobal() {
        if (data_ != nullptr) ::GlobalUnlock(memory_);
    }
    explicit operator bool() const { return data_ != nullptr; }
    Element* Data() const { return data_; }
    // Whole elements in the block; the block may be larger than asked for.
    std::size_t Count() const { return ::GlobalSize(memory_) / sizeof(Element); }

private:
    HANDLE memory_;
    Element* data_;
};

// The text of a CF_UNICODETEXT block up to its first zero, never past its end.
std::wstring_view WideTextIn(const LockedGlobal<const wchar_t>& locked) {
    const std::wstring_view whole(locked.Data(), locked.Count());
    return whole.substr(0, whole.find(L'\0'));
}

OwnedGlobal GlobalCopyOf(std::wstring_view wide) {
    const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    OwnedGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory) return memory;
    LockedGlobal<wchar_t> locked(memory.Get());
    if (!locked) return OwnedGlobal();
    std::memcpy(locked.Data(), wide.data(), wide.size() * sizeof(wchar_t));
    locked.Data()[wide.size()] = L'\0';
    return memory;
}

bool HasDwordZero(UINT format) {
    HANDLE data = ::GetClipboardData(format);
    const LockedGlobal<const DWORD> value(data);
    return value && value.Count() >= 1 && *value.Data() == 0;
}

}  // namespace

bool IsMarkedPrivate() {
    const UINT exclude = ::RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing");
    if (exclude != 0 && ::IsClipboardFormatAvailable(exclude)) return true;
    const UINT history = ::RegisterClipboardFormatW(L"CanIncludeInClipboardHistory");
    return history != 0 && ::IsClipboardFormatAvailable(history) && HasDwordZero(history);
}

std::optional<Text> Win32Clipboard::ReadText() {
    const OpenedClipboard clipboard(owner_);
    if (!clipboard || IsMarkedPrivate()) return std::nullopt;
    const LockedGlobal<const wchar_t> locked(::GetClipboardData(CF_UNICODETEXT));
    if (!locked) return Text();  // no text on the clipboard, e.g. only a picture
    return TextFromWide(WideTextIn(locked));
}

bool Win32Clipboard::WriteText(const Text& text) {
    const OpenedClipboard clipboard(owner_);
    if (!clipboard || !::EmptyClipboard()) return false;
    OwnedGlobal memory = GlobalCopyOf(WideFromText(text));
    if (!memory || ::SetClipboardData(CF_UNICODETEXT, memory.Get()) == nullptr) return false;
    memory.Release();  // the clipboard owns it now
    return true;
}

std::uint32_t Win32Clipboard::ChangeCount() const { return ::GetClipboardSequenceNumber(); }

}  // namespace zelvane::win32
