// The Shortcuts port on the Windows shell: the Startup folder and shell links.
// CreateShortcut needs COM (OLE) initialised on the calling thread.
#pragma once

#include "settings/shortcuts.h"

namespace zelvane::win32 {

class ShellShortcuts : public Shortcuts {
public:
    Path StartupFolder() const override;
    bool CreateShortcut(const Path& shortcut, const Path& target, const Text& description) override;
};

}  // namespace zelvane::win32
