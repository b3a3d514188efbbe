// The option check boxes and the domain box: each change is saved at once.
#pragma once

#include "core/file_system.h"
#include "ui/form.h"
#include "ui/tray.h"

namespace zelvane {

class OptionControls {
public:
    OptionControls(FileSystem& files, Form& form, Tray& tray);

    // Click handlers of 选择框1, 选择框3, 选择框4, 选择框5 and 选择框7; other
    // controls are ignored.
    void OnClicked(Control control);
    // Text-changed handler of 编辑框1; other controls are ignored.
    void OnTextChanged(Control control);

private:
    FileSystem& files_;
    Form& form_;
    Tray& tray_;
};

}  // namespace zelvane
