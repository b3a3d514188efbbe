// The system clipboard, as text in code page 936.
#pragma once

#include <cstdint>
#include <optional>

#include "core/text.h"

namespace zelvane {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    // The clipboard's text (empty when it holds none), or nothing when it could
    // not be read: held by another program, or marked as not to be monitored.
    virtual std::optional<Text> ReadText() = 0;
    // Replaces the clipboard's content with the text; false when the clipboard
    // could not be written (then it is unchanged, or empty).
    virtual bool WriteText(const Text& text) = 0;
    // A counter that moves whenever the clipboard's content changes.
    virtual std::uint32_t ChangeCount() const = 0;
};

}  // namespace zelvane
