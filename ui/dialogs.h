// Message boxes owned by the main window: empty caption, OK button, task-modal.
#pragma once

#include "core/text.h"

namespace zelvane {

enum class MessageIcon { None, Error };

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Returns when the user has closed the box.
    virtual void ShowMessage(const Text& text, MessageIcon icon) = 0;
};

}  // namespace zelvane
