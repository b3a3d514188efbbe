// The conversion cycle run by the timer (and on every clipboard change), and
// the copy button beside the converted link.
#pragma once

#include "conversion/clipboard.h"
#include "conversion/shell.h"
#include "core/program_state.h"
#include "ui/form.h"

namespace zelvane {

class Converter {
public:
    Converter(ProgramState& state, Form& form, Clipboard& clipboard, Shell& shell);

    void ConversionCycle();
    void OnCopyButtonClicked();  // 按钮1

private:
    ProgramState& state_;
    Form& form_;
    Clipboard& clipboard_;
    Shell& shell_;
};

}  // namespace zelvane
