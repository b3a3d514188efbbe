#include "conversion/url_to_open.h"

#include <algorithm>

namespace zelvane {
namespace {

constexpr std::string_view kHttps = "https://";
constexpr std::string_view kHttp = "http://";
constexpr std::string_view kFullWidthSpace = "\xA1\xA1";  // 　

// Zero-based start of the first scheme at a character start, or npos.
std::size_t FirstSchemeAt(std::string_view text) {
    const std::int64_t https = PositionOf(text, kHttps);
    const std::int64_t http = PositionOf(text, kHttp);
    if (https == -1 && http == -1) return std::string_view::npos;
    if (https == -1) return static_cast<std::size_t>(http - 1);
    if (http == -1) return static_cast<std::size_t>(https - 1);
    return static_cast<std::size_t>(std::min(https, http) - 1);
}

// A space or any ASCII control character: a shell or a browser's command line
// may take it for the end of an argument or of a command.
bool IsBreakByte(unsigned char byte) { return byte <= 0x20 || byte == 0x7F; }

// End of the URL that starts at `begin`, a character start.
std::size_t UrlEnd(std::string_view text, std::size_t begin) {
    std::size_t i = begin;
    while (i < text.size()) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (!IsLeadByte(byte)) {
            if (IsBreakByte(byte)) return i;
            i += 1;
        } else {
            if (text.substr(i, 2) == kFullWidthSpace) return i;
            // No character of the code page has such a trail byte; at the
            // Windows boundary it may come out as the space or control
            // character itself.
            if (i + 1 < text.size() && IsBreakByte(static_cast<unsigned char>(text[i + 1]))) return i;
            i += 2;
        }
    }
    return text.size();
}

}  // namespace

Text UrlToOpen(std::string_view text) {
    const std::size_t begin = FirstSchemeAt(text);
    if (begin == std::string_view::npos) return {};
    const std::size_t end = std::min(UrlEnd(text, begin), text.size());
    const std::size_t schemeLength = text.substr(begin, kHttps.size()) == kHttps ? kHttps.size()
                                                                               : kHttp.size();
    if (end - begin <= schemeLength) return {};
    return Text(text.substr(begin, end - begin));
}

}  // namespace zelvane
