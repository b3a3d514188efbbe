// The user's Startup folder and shell links.
#pragma once

#include "core/path.h"
#include "core/text.h"

namespace zelvane {

class Shortcuts {
public:
    virtual ~Shortcuts() = default;
    // The Startup folder ending in a backslash, or an empty path.
    virtual Path StartupFolder() const = 0;
    virtual bool CreateShortcut(const Path& shortcut, const Path& target, const Text& description) = 0;
};

}  // namespace zelvane
