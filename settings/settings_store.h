// The options kept as small files in Config beside the executable. The three
// markers count by their existence alone (a directory of that name counts
// too); URL.ini holds the bare domain, no line break, no terminator.
#pragma once

#include <string_view>

#include "core/file_system.h"
#include "core/program_state.h"
#include "ui/form.h"
#include "ui/tray.h"

namespace zelvane {

inline constexpr std::string_view CONFIG_DIRECTORY = "\\Config";  // appended to ProgramDirectory

inline constexpr std::string_view AUTO_HIDE_FILE = "AutoHide.dll";  // 选择框7
inline constexpr std::string_view AUTO_HIDE_CONTENT = "AutoHide";
inline constexpr std::string_view AUTO_OPEN_FILE = "AutoOpen.dll";  // 选择框4
inline constexpr std::string_view AUTO_OPEN_CONTENT = "AutoOpenURL";
inline constexpr std::string_view AUTO_COPY_PASSWORD_FILE = "AutoCopyPassword.dll";  // 选择框5
inline constexpr std::string_view AUTO_COPY_PASSWORD_CONTENT = "AutoCopyPassword";
inline constexpr std::string_view DOMAIN_FILE = "URL.ini";  // 编辑框1, unless 选择框1 says default

// ProgramDirectory, "\Config\" and the file name.
Path ConfigFilePath(const FileSystem& files, std::string_view fileName);

// Reads the settings files back into the controls; run by the window's
// created event. The form's SetText of 编辑框1 raises its text-changed event,
// which must reach OptionControls::OnTextChanged.
void RestoreSettings(ProgramState& state, const FileSystem& files, Form& form, Tray& tray);

}  // namespace zelvane
