#include "conversion/shell_win32.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "core/encoding_win32.h"

namespace zelvane::win32 {

// A link the shell cannot open fails silently, like a click on a dead link.
void Win32Shell::ShellOpen(const Text& url) {
    const std::wstring wide = WideFromText(url);
    ::ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace zelvane::win32
