#include "conversion/shell_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace zelvane::win32 {
namespace {

// The URLs the session's fake browser recorded ($ZELVANE_OPENED_URLS is a
// Unix path; Wine shows the Unix root as drive Z:).
std::vector<std::string> OpenedUrls(const std::string& unixPath) {
    std::string windowsPath = "Z:" + unixPath;
    for (char& c : windowsPath) {
        if (c == '/') c = '\\';
    }
    std::vector<std::string> urls;
    std::ifstream file(windowsPath);
    for (std::string line; std::getline(file, line);) urls.push_back(line);
    return urls;
}

bool Recorded(const std::string& unixPath, const std::string& url) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        for (const std::string& opened : OpenedUrls(unixPath)) {
            if (opened == url) return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

TEST(Win32Shell, HandsTheUrlToTheDefaultBrowser) {
    const char* recorded = std::getenv("ZELVANE_OPENED_URLS");
    if (recorded == nullptr) GTEST_SKIP() << "needs the fake browser of scripts/wine-session.sh";
    const std::string url = "https://share.test/shell-" + std::to_string(::GetTickCount64());
    Win32Shell().ShellOpen(url);
    EXPECT_TRUE(Recorded(recorded, url)) << url;
}

}  // namespace
}  // namespace zelvane::win32
