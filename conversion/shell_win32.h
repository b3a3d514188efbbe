// The shell port on ShellExecuteW "open": the default handler of the URL's
// scheme gets it.
#pragma once

#include "conversion/shell.h"

namespace zelvane::win32 {

class Win32Shell : public Shell {
public:
    void ShellOpen(const Text& url) override;
};

}  // namespace zelvane::win32
