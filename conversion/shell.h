// Hands a link to the shell's default handler.
#pragma once

#include "core/text.h"

namespace zelvane {

class Shell {
public:
    virtual ~Shell() = default;
    virtual void ShellOpen(const Text& url) = 0;
};

}  // namespace zelvane
