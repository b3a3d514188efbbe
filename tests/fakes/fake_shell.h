// A shell that records what it was asked to open.
#pragma once

#include <vector>

#include "conversion/shell.h"

namespace zelvane::testing {

class FakeShell : public Shell {
public:
    void ShellOpen(const Text& url) override { opened.push_back(url); }

    std::vector<Text> opened;
};

}  // namespace zelvane::testing
