#include "ui/dialogs_win32.h"

#include <string>

#include "core/encoding_win32.h"

namespace zelvane::win32 {

void Win32Dialogs::ShowMessage(const Text& text, MessageIcon icon) {
    const std::wstring wide = WideFromText(text);
    UINT style = MB_OK | MB_TASKMODAL;
    if (icon == MessageIcon::Error) style |= MB_ICONERROR;
    ::MessageBoxW(owner_, wide.c_str(), L"", style);
}

}  // namespace zelvane::win32
