// Message boxes owned by the main window: empty caption, OK only, task-modal.
#pragma once

#include <windows.h>

#include "ui/dialogs.h"

namespace zelvane::win32 {

class Win32Dialogs final : public Dialogs {
public:
    explicit Win32Dialogs(HWND owner) : owner_(owner) {}
    void ShowMessage(const Text& text, MessageIcon icon) override;

private:
    HWND owner_;
};

}  // namespace zelvane::win32
