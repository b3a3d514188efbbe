// The seven file-system operations the program needs. None of them throws or
// shows anything; failure is told only by the result.
#pragma once

#include "core/path.h"
#include "core/text.h"

namespace zelvane {

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Directory of the running executable, without the final backslash.
    virtual Path ProgramDirectory() const = 0;
    // File name of the running executable, extension included.
    virtual Path ExecutableName() const = 0;
    // Creates one directory level; false when it exists or cannot be made.
    virtual bool MakeDirectory(const Path& path) = 0;
    // True for a file or a directory; false for an empty path.
    virtual bool PathExists(const Path& path) const = 0;
    // Whole content; empty when missing, empty, a directory or unreadable.
    // Others may read the file meanwhile but not write it.
    virtual Bytes ReadWholeFile(const Path& path) const = 0;
    // Creates or truncates, writes with no sharing; an existing file keeps its
    // content when it cannot be opened.
    virtual bool WriteWholeFile(const Path& path, const Bytes& content) = 0;
    // Deletes a file (never a directory).
    virtual bool RemoveFile(const Path& path) = 0;
};

}  // namespace zelvane
