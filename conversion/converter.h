// The conversion cycle run by the timer (and on every clipboard change), and
// the copy button beside the converted link.
#pragma once

#include <cstdint>
#include <optional>

#include "conversion/clipboard.h"
#include "conversion/shell.h"
#include "core/program_state.h"
#include "ui/form.h"

namespace zelvane {

class Converter {
public:
    Converter(ProgramState& state, Form& form, Clipboard& clipboard, Shell& shell);

    void ConversionCycle();      // 时钟1, and each clipboard change
    void OnCopyButtonClicked();  // 按钮1

private:
    std::optional<Text> ReadChangedClipboard();
    void WriteClipboard(Text text);
    void TakeSharePassword();
    bool RebuildLinkWithDomain();
    void ShowRebuiltLink();
    Text LinkBeforePasswordKeyword();
    void CopyConvertedLinkIfChosen();
    void OpenLinkIfChosen(const Text& linkToOpen);

    ProgramState& state_;
    Form& form_;
    Clipboard& clipboard_;
    Shell& shell_;
    // The clipboard's change count when its text was last known: read by a
    // tick or written by this program. While it holds, the text is unchanged.
    std::optional<std::uint32_t> knownChangeCount_;
};

}  // namespace zelvane
