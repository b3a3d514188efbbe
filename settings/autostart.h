// 选择框6: a shortcut in the user's Startup folder. The shortcut is the only
// record of the option; the box shows its form state, unchecked, at every start.
#pragma once

#include <string_view>

#include "core/file_system.h"
#include "settings/shortcuts.h"
#include "ui/dialogs.h"
#include "ui/form.h"

namespace zelvane {

inline constexpr std::string_view SHORTCUT_FILE_NAME = "Zelvane.lnk";
inline constexpr std::string_view SHORTCUT_DESCRIPTION = "Zelvane";
inline constexpr std::string_view SETTING_SUCCEEDED = "\xC9\xE8\xD6\xC3\xB3\xC9\xB9\xA6";  // 设置成功
inline constexpr std::string_view SETTING_FAILED = "\xC9\xE8\xD6\xC3\xCA\xA7\xB0\xDC";     // 设置失败

class Autostart {
public:
    Autostart(FileSystem& files, Shortcuts& shortcuts, Dialogs& dialogs, Form& form);
    // The click has already toggled 选择框6; the handler never changes it back.
    void OnClicked();

private:
    bool CreateStartupShortcut(const Path& shortcut);
    void Report(bool succeeded);

    FileSystem& files_;
    Shortcuts& shortcuts_;
    Dialogs& dialogs_;
    Form& form_;
};

}  // namespace zelvane
