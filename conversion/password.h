#pragma once

#include "core/program_state.h"

namespace zelvane {

// Takes the share password out of the last member of state.partsArray, which
// it reuses as its working array.
Text ExtractPassword(ProgramState& state);

}  // namespace zelvane
