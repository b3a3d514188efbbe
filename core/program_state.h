// The program-wide variables the conversion cycle works on. One instance lives
// from start-up until the teardown releases it; only the GUI thread touches it.
#pragma once

#include "core/text.h"

namespace zelvane {

struct ProgramState {
    TextArray partsArray;    // the members of the latest split
    Text clipboardText;      // the clipboard text of this tick, later the converted text
    Text lastClipboardText;  // the clipboard text of the last tick that saw a change
    Text sharePassword;      // the share password last extracted
    Text rebuiltLink;        // the link being reassembled
};

}  // namespace zelvane
