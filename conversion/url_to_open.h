// What of a text may reach the shell: only an http or https URL. A share text
// such as 'C:\...\x.exe 密码 https://...' must never get a program run.
#pragma once

#include <string_view>

#include "core/text.h"

namespace zelvane {

// The first "https://" or "http://" in the text and what follows it up to the
// first space, full-width space, other ASCII control character (tab, CR, LF,
// ESC, DEL...), two-byte character whose trail byte is one of these, or the
// end; empty when the text holds no such URL or nothing follows the scheme.
Text UrlToOpen(std::string_view text);

}  // namespace zelvane
