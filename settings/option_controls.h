// The option check boxes and the domain box: each change is saved at once.
// After every handler: 选择框1 checked means 编辑框1 disabled and showing
// DEFAULT_DOMAIN; 选择框3 and 选择框5 are never both checked, and the one that
// is checked keeps the other unchecked and disabled.
#pragma once

#include <string_view>

#include "core/file_system.h"
#include "ui/form.h"
#include "ui/tray.h"

namespace zelvane {

class OptionControls {
public:
    OptionControls(FileSystem& files, Form& form, Tray& tray);

    // Click handlers of 选择框1, 选择框3, 选择框4, 选择框5 and 选择框7 (the
    // click has already toggled the box); other controls are ignored.
    void OnClicked(Control control);
    // Text-changed handler of 编辑框1; other controls are ignored. Also runs
    // nested inside the restore and 选择框1's handler when they set the text.
    void OnTextChanged(Control control);

private:
    void OnDefaultDomainClicked();
    void OnCopyLinkClicked();
    void OnAutoOpenClicked();
    void OnCopyPasswordClicked();
    void OnHideAtStartClicked();
    void OnDomainChanged();

    void WriteSettingsFile(std::string_view fileName, std::string_view content);
    void RemoveSettingsFile(std::string_view fileName);

    FileSystem& files_;
    Form& form_;
    Tray& tray_;
};

}  // namespace zelvane
