// The options kept as small files in Config beside the executable.
#pragma once

#include <string_view>

#include "core/file_system.h"
#include "core/program_state.h"
#include "ui/form.h"
#include "ui/tray.h"

namespace zelvane {

// ProgramDirectory, "\Config\" and the file name.
Path ConfigFilePath(const FileSystem& files, std::string_view fileName);

// Reads the settings files back into the controls; run by the window's
// created event.
void RestoreSettings(ProgramState& state, const FileSystem& files, Form& form, Tray& tray);

}  // namespace zelvane
