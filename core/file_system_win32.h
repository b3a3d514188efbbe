// The file-system port on the wide-character Windows file functions. Paths
// arrive as UTF-8 and go to Windows as UTF-16, so any directory name works,
// whatever the system's ANSI code page.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "core/file_system.h"

namespace zelvane::win32 {

// The full path of the running executable. The buffer starts at
// `initialCapacity` characters and grows until the path fits, so paths longer
// than MAX_PATH come back whole. Empty if the system cannot tell.
std::wstring ModuleFileName(DWORD initialCapacity = MAX_PATH);

struct ModulePathParts {
    Path directory;  // up to the last backslash, the backslash excluded
    Path name;       // after the last backslash
};
// A path without a backslash has an empty directory and is all name.
ModulePathParts SplitModulePath(std::wstring_view fullPath);

class Win32FileSystem final : public FileSystem {
public:
    // The program's own files are a few bytes; a file above this size reads
    // as empty (as a file that cannot be read) instead of making the process
    // allocate whatever a stray file asks for.
    static constexpr std::uint64_t kLargestReadableFile = 64u * 1024u * 1024u;

    // Works out the program directory and executable name once, now.
    Win32FileSystem();

    Path ProgramDirectory() const override { return module_.directory; }
    Path ExecutableName() const override { return module_.name; }
    bool MakeDirectory(const Path& path) override;
    bool PathExists(const Path& path) const override;
    Bytes ReadWholeFile(const Path& path) const override;
    bool WriteWholeFile(const Path& path, const Bytes& content) override;
    bool RemoveFile(const Path& path) override;

private:
    ModulePathParts module_;
};

}  // namespace zelvane::win32
