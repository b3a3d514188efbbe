// What a fuzz target does when a property fails: print the property and the
// texts involved, with every byte outside printable ASCII as \xNN, and abort
// so that libFuzzer saves the input as a crash.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

#include "tests/reference/printable.h"

namespace zelvane::fuzz {

using reference::Printable;

using Named = std::pair<const char*, std::string_view>;

inline void Check(bool holds, const char* property, std::initializer_list<Named> texts = {}) {
    if (holds) return;
    std::fprintf(stderr, "\nPROPERTY FAILED: %s\n", property);
    for (const Named& text : texts) {
        std::fprintf(stderr, "  %s = '%s'\n", text.first, Printable(text.second).c_str());
    }
    std::abort();
}

}  // namespace zelvane::fuzz
