// The clipboard port on the Windows clipboard: CF_UNICODETEXT converted with
// code page 936, opened with the main window as owner.
#pragma once

#include <windows.h>

#include "conversion/clipboard.h"

namespace zelvane::win32 {

class Win32Clipboard : public Clipboard {
public:
    // Writing needs an owner: without one, SetClipboardData fails after
    // EmptyClipboard.
    explicit Win32Clipboard(HWND owner) : owner_(owner) {}

    std::optional<Text> ReadText() override;
    bool WriteText(const Text& text) override;
    std::uint32_t ChangeCount() const override;

private:
    HWND owner_;
};

// Whether the content on the (open) clipboard asks not to be watched: password
// managers mark what they copy so that clipboard tools leave it alone.
bool IsMarkedPrivate();

}  // namespace zelvane::win32
