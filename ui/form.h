// What handlers may do with the main window: read and write control properties
// by name. Writing an edit box's text raises its text-changed event exactly
// once, synchronously, before SetText returns (also when the text is unchanged
// or the box is disabled); setting checked or disabled raises nothing.
#pragma once

#include "core/text.h"
#include "ui/controls.h"

namespace zelvane {

class Form {
public:
    virtual ~Form() = default;

    virtual Text GetText(Control control) const = 0;
    virtual void SetText(Control control, const Text& text) = 0;
    virtual bool IsChecked(Control control) const = 0;
    virtual void SetChecked(Control control, bool checked) = 0;
    virtual void SetDisabled(Control control, bool disabled) = 0;
    virtual bool IsWindowVisible() const = 0;
    virtual void SetWindowVisible(bool visible) = 0;
};

// The events the window layer delivers to the program's handlers.
class FormEvents {
public:
    virtual ~FormEvents() = default;

    virtual void OnCreated() = 0;
    virtual void OnTimer() = 0;             // 时钟1, every 500 ms
    virtual void OnClipboardChanged() = 0;  // the clipboard's content changed
    virtual void OnClicked(Control control) = 0;
    virtual void OnTextChanged(Control control) = 0;
    virtual void OnLinkReleased() = 0;      // left button released over 超级链接框1
    virtual void OnTrayEvent(int code) = 0;  // 1 release, 2 double-click, 3 right click
    virtual void OnMenuSelected(MenuItem item) = 0;
    virtual bool CanCloseWindow() = 0;
    // The window is being destroyed (its tray icon goes with it).
    virtual void OnDestroyed() {}
    // The user's session is ending for real; the program must end too.
    virtual void OnSessionEnded() {}
};

}  // namespace zelvane
