// The process: platform set-up, the program state, start-up, the message loop
// and the one teardown that every way out runs.
#include <windows.h>

#include <ole2.h>

#include <new>
#include <optional>

#include "conversion/clipboard_win32.h"
#include "conversion/shell_win32.h"
#include "core/encoding_win32.h"
#include "core/file_system_win32.h"
#include "core/program_state.h"
#include "core/startup.h"
#include "core/teardown.h"
#include "settings/shortcuts_win32.h"
#include "ui/app.h"
#include "ui/dialogs_win32.h"
#include "ui/main_window_win32.h"
#include "ui/tray_win32.h"

namespace zelvane::win32 {
namespace {

// OLE for the GUI thread, released once and only when it was initialised.
class OleSession {
public:
    OleSession() : initialised_(SUCCEEDED(::OleInitialize(nullptr))) {}
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;
    ~OleSession() { Release(); }

    void Release() {
        if (initialised_) ::OleUninitialize();
        initialised_ = false;
    }

private:
    bool initialised_;
};

class Program final : public MainWindowHost, public WindowOwner, public TeardownSteps {
public:
    explicit Program(HINSTANCE instance) : window_(instance) {
        ::SetCurrentDirectoryW(WidePath(files_.ProgramDirectory()).c_str());
        state_.emplace();
    }

    // Start-up and the message loop; returns when the loop has ended.
    void Run() {
        StartUp(files_, *this);
        if (window_.Exists()) RunMessageLoop();
    }

    Teardown& GetTeardown() { return teardown_; }

    // MainWindowHost
    void CreateMainWindow() override { window_.Create(*this); }
    void HideMainWindow() override { window_.SetWindowVisible(false); }

    // WindowOwner
    FormEvents& OnWindowBuilt(HWND window) override {
        tray_.emplace(window);
        dialogs_.emplace(window);
        clipboard_.emplace(window);
        app_.emplace(AppPorts{*state_, files_, window_, *tray_, *clipboard_, shell_, *dialogs_, shortcuts_,
                              teardown_});
        return *app_;
    }
    void OnTaskbarCreated() override {
        if (tray_) tray_->ReAddAfterShellRestart();
    }

    // TeardownSteps
    void StopEventDelivery() override { window_.StopEventDelivery(); }
    void ReleaseState() override { state_.reset(); }
    void ReleaseOle() override { ole_.Release(); }
    [[noreturn]] void EndProcess(int code) override { ::ExitProcess(static_cast<UINT>(code)); }

private:
    void RunMessageLoop() {
        MSG message{};
        while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
            // Tab, Shift+Tab and Esc work as in a dialog.
            if (::IsDialogMessageW(window_.Handle(), &message)) continue;
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }

    // Declared in the order of the start: OLE first, the state before the
    // window; the teardown releases them in its own order.
    OleSession ole_;
    Win32FileSystem files_;
    std::optional<ProgramState> state_;
    Win32Shell shell_;
    ShellShortcuts shortcuts_;
    Teardown teardown_{*this};
    MainWindow window_;
    std::optional<Win32Tray> tray_;
    std::optional<Win32Dialogs> dialogs_;
    std::optional<Win32Clipboard> clipboard_;
    std::optional<App> app_;
};

// The handler of a failed allocation needs the teardown without any argument.
Teardown* failedAllocationTeardown = nullptr;

void OnAllocationFailure() {
    ::MessageBoxW(nullptr, L"内存不足，Zelvane 无法继续运行。", L"", MB_OK | MB_ICONERROR | MB_TASKMODAL);
    if (failedAllocationTeardown != nullptr) failedAllocationTeardown->FailAllocation();
    ::ExitProcess(static_cast<UINT>(-1));
}

}  // namespace
}  // namespace zelvane::win32

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    using namespace zelvane::win32;
    // The command line is not read.
    std::set_new_handler(&OnAllocationFailure);
    Program program(instance);
    failedAllocationTeardown = &program.GetTeardown();
    program.Run();
    program.GetTeardown().Run();
    return 0;
}
