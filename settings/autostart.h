// 选择框6: a shortcut in the user's Startup folder.
#pragma once

#include "core/file_system.h"
#include "settings/shortcuts.h"
#include "ui/dialogs.h"
#include "ui/form.h"

namespace zelvane {

class Autostart {
public:
    Autostart(FileSystem& files, Shortcuts& shortcuts, Dialogs& dialogs, Form& form);
    void OnClicked();  // the click has already toggled 选择框6

private:
    FileSystem& files_;
    Shortcuts& shortcuts_;
    Dialogs& dialogs_;
    Form& form_;
};

}  // namespace zelvane
