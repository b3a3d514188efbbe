#include "settings/option_controls.h"

#include <optional>

#include "core/constants.h"
#include "settings/settings_store.h"
#include "ui/tray_image.h"

namespace zelvane {

OptionControls::OptionControls(FileSystem& files, Form& form, Tray& tray)
    : files_(files), form_(form), tray_(tray) {}

void OptionControls::OnClicked(Control control) {
    switch (control) {
        case Control::选择框1: OnDefaultDomainClicked(); break;
        case Control::选择框3: OnCopyLinkClicked(); break;
        case Control::选择框4: OnAutoOpenClicked(); break;
        case Control::选择框5: OnCopyPasswordClicked(); break;
        case Control::选择框7: OnHideAtStartClicked(); break;
        default: break;
    }
}

void OptionControls::OnTextChanged(Control control) {
    if (control == Control::编辑框1) OnDomainChanged();
}

void OptionControls::OnDefaultDomainClicked() {
    if (form_.IsChecked(Control::选择框1)) {
        form_.SetDisabled(Control::编辑框1, true);
        form_.SetText(Control::编辑框1, Text(DEFAULT_DOMAIN));
        WriteSettingsFile(DOMAIN_FILE, form_.GetText(Control::编辑框1));
    } else {
        form_.SetDisabled(Control::编辑框1, false);
        // Writes an empty URL.ini through the text-changed handler; the file
        // stays absent until the user types a domain.
        form_.SetText(Control::编辑框1, Text());
        RemoveSettingsFile(DOMAIN_FILE);
    }
}

// While 选择框1 locks the box to the default domain there is nothing to save
// (its own handler writes the file, and the restore must not overwrite a
// custom domain before reading it). Once the box is the user's, every text is
// saved, the default domain too: otherwise typing the last letter of the
// default domain would leave the text before that keystroke in URL.ini, and
// the next start would restore a domain the user never chose.
void OptionControls::OnDomainChanged() {
    const Text domain = form_.GetText(Control::编辑框1);
    const bool lockedToDefault = form_.IsChecked(Control::选择框1);
    if (lockedToDefault && CompareBytewise(domain, DEFAULT_DOMAIN) == 0) return;
    WriteSettingsFile(DOMAIN_FILE, domain);
}

// 选择框3 is kept nowhere; it only excludes 选择框5.
void OptionControls::OnCopyLinkClicked() {
    if (form_.IsChecked(Control::选择框3)) {
        form_.SetChecked(Control::选择框5, false);
        form_.SetDisabled(Control::选择框5, true);
    } else {
        form_.SetDisabled(Control::选择框5, false);
    }
}

void OptionControls::OnAutoOpenClicked() {
    if (form_.IsChecked(Control::选择框4)) {
        WriteSettingsFile(AUTO_OPEN_FILE, AUTO_OPEN_CONTENT);
    } else {
        RemoveSettingsFile(AUTO_OPEN_FILE);
    }
}

void OptionControls::OnCopyPasswordClicked() {
    if (form_.IsChecked(Control::选择框5)) {
        WriteSettingsFile(AUTO_COPY_PASSWORD_FILE, AUTO_COPY_PASSWORD_CONTENT);
        form_.SetChecked(Control::选择框3, false);
        form_.SetDisabled(Control::选择框3, true);
    } else {
        form_.SetDisabled(Control::选择框3, false);
        RemoveSettingsFile(AUTO_COPY_PASSWORD_FILE);
    }
}

// The window stays visible: hiding happens at the next start or on close.
void OptionControls::OnHideAtStartClicked() {
    if (form_.IsChecked(Control::选择框7)) {
        WriteSettingsFile(AUTO_HIDE_FILE, AUTO_HIDE_CONTENT);
        tray_.ShowTrayIcon(TrayIconImage(), std::nullopt);
    } else {
        RemoveSettingsFile(AUTO_HIDE_FILE);
        tray_.RemoveTrayIcon();
    }
}

// Results are ignored: on failure the control keeps the user's state and the
// file its old one, so the next start restores the file's version.
void OptionControls::WriteSettingsFile(std::string_view fileName, std::string_view content) {
    files_.WriteWholeFile(ConfigFilePath(files_, fileName), BytesOfText(content));
}

void OptionControls::RemoveSettingsFile(std::string_view fileName) {
    files_.RemoveFile(ConfigFilePath(files_, fileName));
}

}  // namespace zelvane
