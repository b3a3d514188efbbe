#include "settings/settings_store.h"

#include "core/constants.h"
#include "ui/tray_image.h"

namespace zelvane {

Path ConfigFilePath(const FileSystem& files, std::string_view fileName) {
    return JoinPath(files.ProgramDirectory(), JoinTexts({CONFIG_DIRECTORY, "\\", fileName}));
}

namespace {

bool SettingsFileExists(const FileSystem& files, std::string_view fileName) {
    return files.PathExists(ConfigFilePath(files, fileName));
}

// The form starts with 选择框1 checked, so this normally applies the lock.
void ApplyDefaultDomainLock(Form& form) {
    if (!form.IsChecked(Control::选择框1)) return;
    form.SetDisabled(Control::编辑框1, true);
    form.SetText(Control::编辑框1, Text(DEFAULT_DOMAIN));
}

void RestoreCopyPassword(const FileSystem& files, Form& form) {
    if (!SettingsFileExists(files, AUTO_COPY_PASSWORD_FILE)) return;
    form.SetChecked(Control::选择框5, true);
    form.SetChecked(Control::选择框3, false);
    form.SetDisabled(Control::选择框3, true);
}

void RestoreAutoOpen(const FileSystem& files, Form& form) {
    if (SettingsFileExists(files, AUTO_OPEN_FILE)) form.SetChecked(Control::选择框4, true);
}

void RestoreHideMode(const FileSystem& files, Form& form, Tray& tray) {
    if (!SettingsFileExists(files, AUTO_HIDE_FILE)) return;
    form.SetChecked(Control::选择框7, true);
    tray.ShowTrayIcon(TrayIconImage(), Text(TRAY_START_TIP));
}

// A URL.ini that cannot be read counts as the empty domain.
void RestoreCustomDomain(const FileSystem& files, Form& form) {
    const Path path = ConfigFilePath(files, DOMAIN_FILE);
    if (!files.PathExists(path)) return;
    const Text domain = TextOfBytes(files.ReadWholeFile(path));
    if (CompareBytewise(domain, DEFAULT_DOMAIN) == 0) return;
    // Raises text-changed, which writes the domain back: a zero byte and what
    // followed it are dropped from the file.
    form.SetText(Control::编辑框1, domain);
    form.SetChecked(Control::选择框1, false);
    form.SetDisabled(Control::编辑框1, false);
}

}  // namespace

void RestoreSettings(ProgramState& state, const FileSystem& files, Form& form, Tray& tray) {
    state.lastClipboardText.clear();
    ApplyDefaultDomainLock(form);
    RestoreCopyPassword(files, form);
    RestoreAutoOpen(files, form);
    RestoreHideMode(files, form, tray);
    RestoreCustomDomain(files, form);
}

}  // namespace zelvane
