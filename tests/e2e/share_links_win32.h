// The share links the end-to-end tests copy: a host of the service, which
// Zelvane rewrites to the default domain while 选择框1 is checked, and codes
// that no earlier copy of the session has used.
#pragma once

#include <windows.h>

#include <chrono>
#include <string>
#include <string_view>

#include "core/constants.h"
#include "tests/e2e/harness_win32.h"

namespace zelvane::e2e {

inline std::wstring WideAscii(std::string_view ascii) { return std::wstring(ascii.begin(), ascii.end()); }

inline const std::wstring kHost = L"wwx." + WideAscii(SERVICE_LABEL) + L".com";
inline const std::wstring kDefaultDomain = WideAscii(DEFAULT_DOMAIN);

// Long enough for three timer ticks: for checks that something did NOT happen.
inline constexpr Duration kSeveralTicks = std::chrono::milliseconds(1600);

inline std::wstring UniqueCode() {
    static int counter = 0;
    return L"c" + std::to_wstring(::GetTickCount64()) + L"n" + std::to_wstring(++counter);
}

}  // namespace zelvane::e2e
