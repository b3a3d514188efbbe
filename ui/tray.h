// The notification-area icon of the main window.
#pragma once

#include <optional>

#include "core/text.h"

namespace zelvane {

class Tray {
public:
    virtual ~Tray() = default;
    // Adds the icon, or replaces the one that is there. Bytes from which no icon
    // can be made act as RemoveTrayIcon.
    virtual void ShowTrayIcon(const Bytes& image, const std::optional<Text>& tip) = 0;
    virtual void RemoveTrayIcon() = 0;
    // Pops up the tray menu at the cursor; returns when it closes.
    virtual void ShowTrayMenu() = 0;
};

}  // namespace zelvane
