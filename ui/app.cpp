#include "ui/app.h"

#include "settings/settings_store.h"
#include "ui/credits_text.h"

namespace zelvane {

App::App(const AppPorts& ports)
    : ports_(ports),
      converter_(ports.state, ports.form, ports.clipboard, ports.shell),
      options_(ports.files, ports.form, ports.tray),
      autostart_(ports.files, ports.shortcuts, ports.dialogs, ports.form),
      trayLogic_(ports.form, ports.tray, ports.lifetime) {}

void App::OnCreated() { RestoreSettings(ports_.state, ports_.files, ports_.form, ports_.tray); }

void App::OnTimer() { converter_.ConversionCycle(); }

void App::OnClipboardChanged() { converter_.ConversionCycle(); }

void App::OnClicked(Control control) {
    switch (control) {
        case Control::按钮1:
            converter_.OnCopyButtonClicked();
            break;
        case Control::选择框6:
            autostart_.OnClicked();
            break;
        default:
            options_.OnClicked(control);  // ignores the controls it has no handler for
            break;
    }
}

void App::OnTextChanged(Control control) { options_.OnTextChanged(control); }

void App::OnLinkReleased() {
    ports_.dialogs.ShowMessage(Text(ICON_CREDITS_TEXT), MessageIcon::None);
}

void App::OnTrayEvent(int code) { trayLogic_.HandleTrayEvent(code); }

void App::OnMenuSelected(MenuItem item) { trayLogic_.OnMenuSelected(item); }

bool App::CanCloseWindow() { return trayLogic_.CanCloseWindow(); }

void App::OnDestroyed() { trayLogic_.OnWindowDestroyed(); }

void App::OnSessionEnded() { trayLogic_.OnSessionEnded(); }

}  // namespace zelvane
