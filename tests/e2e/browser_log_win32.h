// The links the session's fake browser was asked to open: Wine's browser
// launcher runs a script of scripts/wine-session.sh that appends each URL to a
// file.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <fstream>
#include <string>
#include <vector>

#include "core/encoding_win32.h"
#include "tests/e2e/harness_win32.h"

namespace zelvane::e2e {

// The URLs the session's fake browser recorded ($ZELVANE_OPENED_URLS, a Unix
// path: Wine shows the Unix root as Z:) from the moment this object was made.
class BrowserLog {
public:
    BrowserLog() : path_(RecordPath()) { skip_ = All().size(); }

    bool Available() const { return !path_.empty(); }
    std::vector<std::wstring> Since() const {
        std::vector<std::wstring> all = All();
        all.erase(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(std::min(skip_, all.size())));
        return all;
    }
    bool WaitForCount(std::size_t count, Duration timeout = kDefaultTimeout) const {
        return WaitUntil([&] { return Since().size() >= count; }, timeout);
    }

private:
    static std::wstring RecordPath() {
        wchar_t unixPath[MAX_PATH * 4] = {};
        if (::GetEnvironmentVariableW(L"ZELVANE_OPENED_URLS", unixPath, MAX_PATH * 4) == 0) return {};
        std::wstring path = std::wstring(L"Z:") + unixPath;
        std::replace(path.begin(), path.end(), L'/', L'\\');
        return path;
    }
    std::vector<std::wstring> All() const {
        std::vector<std::wstring> urls;
        if (path_.empty()) return urls;
        std::ifstream file(win32::Utf8FromWide(path_));
        for (std::string line; std::getline(file, line);) urls.push_back(win32::WideFromUtf8(line));
        return urls;
    }

    std::wstring path_;
    std::size_t skip_ = 0;
};

}  // namespace zelvane::e2e
