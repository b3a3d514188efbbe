// A file-system path, held as UTF-8 so that a directory name that code page 936
// cannot spell still works; the Windows adapters turn it into UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace zelvane {

struct Path {
    std::string utf8;
    friend bool operator==(const Path&, const Path&) = default;
};

// Appends a suffix as it stands: no separator is added, the caller writes it.
inline Path JoinPath(const Path& base, std::string_view suffix) {
    return Path{base.utf8 + std::string(suffix)};
}

}  // namespace zelvane
