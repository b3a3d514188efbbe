// Drives the real zelvane.exe from a test, as a user and Windows would.
//
//   ZelvaneRun run;                        // fresh temp dir, starts, waits for the window
//   ASSERT_TRUE(run.Started()) << run.Failure();
//   run.SetClipboardText(L"...");           // CF_UNICODETEXT
//   EXPECT_TRUE(run.WaitFor([&] { return run.Text(Control::编辑框_转换后) == L"..."; }));
//   run.Click(Control::选择框3);             // as a user's click: toggles, then the handler runs
//   EXPECT_TRUE(run.ConfigFileExists("AutoOpen.dll"));
//   run.PostClose();
//   EXPECT_EQ(run.WaitForExit(), 0);
//
// Every run copies zelvane.exe into a directory of its own (so its Config is
// its own) and removes that directory at the end; the process is killed if
// it is still running then. Nothing depends on the order of tests.
//
// Calls that send a message to Zelvane return once its handler has finished;
// calls named Post... return at once (use them when the handler opens a
// message box or a menu, which waits for the user). Texts are UTF-16 here;
// Zelvane converts them with code page 936.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/controls.h"

namespace zelvane::e2e {

using namespace std::chrono_literals;
using Duration = std::chrono::milliseconds;
inline constexpr Duration kDefaultTimeout = 10s;

// Tests the condition until it holds or the time is up; true when it held.
// It is tested every 10 ms and at once when a message reaches this thread or
// the clipboard changes. Every wait of the harness handles the messages sent
// and posted to this thread meanwhile: when Zelvane empties the clipboard,
// Windows sends WM_DESTROYCLIPBOARD to the harness's clipboard owner and
// Zelvane waits until this thread has taken it.
bool WaitUntil(const std::function<bool()>& condition, Duration timeout = kDefaultTimeout);
// Waits the whole time, handling messages: for checks that something did NOT
// happen.
void Pause(Duration duration);

// A file to put into Config before the start. A directory when `directory`.
struct ConfigEntry {
    std::string name{};     // e.g. "AutoHide.dll", "URL.ini"
    std::string content{};  // bytes as they go into the file (code page 936 for text)
    bool directory = false;
};

struct RunOptions {
    std::vector<ConfigEntry> config{};  // Config is created when this is not empty
    bool start = true;                // false: only prepare the directory; call Start()
};

class ZelvaneRun {
public:
    explicit ZelvaneRun(RunOptions options = {});
    ZelvaneRun(const ZelvaneRun&) = delete;
    ZelvaneRun& operator=(const ZelvaneRun&) = delete;
    ~ZelvaneRun();

    // Starts zelvane.exe and waits until its window exists and its start-up
    // has finished (the process waits for input). True when it did.
    bool Start();
    bool Started() const { return window_ != nullptr; }
    std::string Failure() const { return failure_; }  // why Start() failed

    // --- the process ---
    DWORD ProcessId() const { return process_.dwProcessId; }
    bool IsRunning() const;
    // The exit code once the process has ended, or nothing on time-out.
    // Codes are as the program gave them (-1 stays -1).
    std::optional<int> WaitForExit(Duration timeout = kDefaultTimeout);
    void Kill();

    // --- the directory ---
    std::wstring Directory() const { return directory_; }  // no trailing backslash
    std::wstring ConfigPath(std::wstring_view name) const;  // Directory()\Config\name
    bool ConfigFileExists(std::wstring_view name) const;    // file or directory
    std::optional<std::string> ReadConfigFile(std::wstring_view name) const;  // bytes

    // --- the window ---
    HWND Window() const { return window_; }
    RECT WindowRect() const;  // outer rectangle, in screen coordinates
    bool IsWindowVisible() const;
    std::wstring WindowTitle() const;

    // --- controls, found by their place in the form ---
    HWND ControlWindow(Control control) const;  // nullptr for 时钟1
    std::wstring Text(Control control) const;
    // What pasting a whole new text does: the box's text changes once.
    void SetText(Control control, std::wstring_view text);
    bool IsChecked(Control control) const;
    bool IsEnabled(Control control) const;
    RECT ControlRect(Control control) const;  // in the window's client coordinates
    // A user's click (BM_CLICK): does nothing on a disabled control, as the
    // mouse cannot reach it. Returns when the click handler has finished.
    void Click(Control control);
    void PostClick(Control control);  // returns at once
    // Key down and up, posted to the control as the keyboard would. With
    // Shift it is real keyboard input to Zelvane's focused control instead
    // (Zelvane is brought to the foreground first).
    void PressKey(Control control, UINT virtualKey, bool shift = false);
    // The control that has the keyboard focus in Zelvane, if any.
    std::optional<Control> FocusedControl() const;
    void Focus(Control control);

    // --- what Windows sends ---
    void PostTrayCallback(UINT mouseMessage);  // WM_LBUTTONUP, WM_LBUTTONDBLCLK, ...
    void PostClose();                          // WM_CLOSE, as the close box sends it
    // WM_QUERYENDSESSION; nothing when Zelvane did not answer in time.
    std::optional<LRESULT> QueryEndSession(Duration timeout = kDefaultTimeout);
    void PostEndSession(bool ending);  // WM_ENDSESSION

    // --- the tray menu and message boxes ---
    // The open pop-up menu of Zelvane, once it appears.
    HWND WaitForPopupMenu(Duration timeout = kDefaultTimeout) const;
    // Chooses the item by keyboard (Down n+1 times, Enter); 0 is the first.
    void ChoosePopupMenuItem(HWND menuWindow, int index);
    void DismissPopupMenu(HWND menuWindow);  // Esc
    // A message box of Zelvane (dialog class #32770), once it appears.
    HWND WaitForMessageBox(Duration timeout = kDefaultTimeout) const;
    std::wstring MessageBoxText(HWND box) const;
    std::wstring MessageBoxCaption(HWND box) const;
    void CloseMessageBox(HWND box);  // as the OK button does

    // WaitUntil, for reading tests as run.WaitFor(...).
    bool WaitFor(const std::function<bool()>& condition, Duration timeout = kDefaultTimeout) const {
        return WaitUntil(condition, timeout);
    }

private:
    void PrepareDirectory(const RunOptions& options);
    HWND FindMainWindow() const;
    HWND FindTopLevelWindow(const wchar_t* className) const;

    std::wstring directory_;
    std::wstring exePath_;
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
    std::string failure_;
};

// --- the clipboard, shared with Zelvane ---
// Replaces the clipboard's content with the text (CF_UNICODETEXT).
bool SetClipboardText(std::wstring_view text);
// The clipboard's text, or nothing when it holds none or cannot be opened.
std::optional<std::wstring> ClipboardText();
void ClearClipboard();

// The path of zelvane.exe under test (ZELVANE_EXE in the environment, else the
// one the build made), as a Windows path.
std::wstring ZelvaneExePath();

}  // namespace zelvane::e2e
