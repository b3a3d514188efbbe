// The program's handlers bound to the main window's events.
#pragma once

#include "conversion/clipboard.h"
#include "conversion/converter.h"
#include "conversion/shell.h"
#include "core/file_system.h"
#include "core/lifetime.h"
#include "core/program_state.h"
#include "settings/autostart.h"
#include "settings/option_controls.h"
#include "settings/shortcuts.h"
#include "ui/dialogs.h"
#include "ui/form.h"
#include "ui/tray.h"
#include "ui/tray_logic.h"

namespace zelvane {

// Everything the handlers reach the world through. All of it outlives the App.
struct AppPorts {
    ProgramState& state;
    FileSystem& files;
    Form& form;
    Tray& tray;
    Clipboard& clipboard;
    Shell& shell;
    Dialogs& dialogs;
    Shortcuts& shortcuts;
    Lifetime& lifetime;
};

class App final : public FormEvents {
public:
    explicit App(const AppPorts& ports);

    void OnCreated() override;
    void OnTimer() override;
    void OnClipboardChanged() override;
    void OnClicked(Control control) override;
    void OnTextChanged(Control control) override;
    void OnLinkReleased() override;
    void OnTrayEvent(int code) override;
    void OnMenuSelected(MenuItem item) override;
    bool CanCloseWindow() override;
    void OnDestroyed() override;
    void OnSessionEnded() override;

private:
    AppPorts ports_;
    Converter converter_;
    OptionControls options_;
    Autostart autostart_;
    TrayLogic trayLogic_;
};

}  // namespace zelvane
