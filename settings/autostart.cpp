#include "settings/autostart.h"

namespace zelvane {

Autostart::Autostart(FileSystem& files, Shortcuts& shortcuts, Dialogs& dialogs, Form& form)
    : files_(files), shortcuts_(shortcuts), dialogs_(dialogs), form_(form) {}

// Without a Startup folder there is nowhere a shortcut would be started from:
// a bare "Zelvane.lnk" would land in the program directory and the user would
// be told it worked. Report the failure instead and touch no file.
void Autostart::OnClicked() {
    const Path folder = shortcuts_.StartupFolder();
    if (folder.utf8.empty()) {
        Report(false);
        return;
    }
    const Path shortcut = JoinPath(folder, SHORTCUT_FILE_NAME);
    if (form_.IsChecked(Control::选择框6)) {
        Report(CreateStartupShortcut(shortcut));
    } else {
        Report(files_.RemoveFile(shortcut));
    }
}

// Points at the running executable; an existing shortcut is overwritten.
bool Autostart::CreateStartupShortcut(const Path& shortcut) {
    const Path target = JoinPath(files_.ProgramDirectory(), JoinTexts({"\\", files_.ExecutableName().utf8}));
    return shortcuts_.CreateShortcut(shortcut, target, Text(SHORTCUT_DESCRIPTION));
}

void Autostart::Report(bool succeeded) {
    if (succeeded) {
        dialogs_.ShowMessage(Text(SETTING_SUCCEEDED), MessageIcon::None);
    } else {
        dialogs_.ShowMessage(Text(SETTING_FAILED), MessageIcon::Error);
    }
}

}  // namespace zelvane
