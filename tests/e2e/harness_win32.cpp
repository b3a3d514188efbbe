#include "tests/e2e/harness_win32.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "core/encoding_win32.h"
#include "core/handles_win32.h"
#include "ui/main_window_win32.h"
#include "ui/tray_win32.h"

namespace zelvane::e2e {
namespace {

namespace fs = std::filesystem;

constexpr Duration kPollInterval = 10ms;
constexpr UINT kSendTimeoutMs = 10000;

std::wstring UniqueDirectoryName() {
    static std::atomic<unsigned> counter{0};
    return L"zelvane-e2e-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
           std::to_wstring(counter.fetch_add(1)) + L"-" + std::to_wstring(::GetTickCount64());
}

std::wstring TempDirectory() {
    wchar_t buffer[MAX_PATH + 1] = {};
    const DWORD length = ::GetTempPathW(MAX_PATH + 1, buffer);
    std::wstring path(buffer, length);
    while (!path.empty() && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
    return path;
}

std::wstring WindowText(HWND window) {
    if (window == nullptr) return {};
    // WM_GETTEXT crosses processes; GetWindowText would not read a control's
    // text in another process.
    DWORD_PTR length = 0;
    ::SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &length);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutW(window, WM_GETTEXT, static_cast<WPARAM>(text.size()),
                          reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL, kSendTimeoutMs, &copied);
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

std::wstring ClassName(HWND window) {
    wchar_t name[64] = {};
    const int length = ::GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return std::wstring(name, static_cast<std::size_t>(length > 0 ? length : 0));
}

struct TopLevelSearch {
    DWORD processId;
    const wchar_t* className;
    bool visibleOnly;
    HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<TopLevelSearch*>(parameter);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId) return TRUE;
    if (ClassName(window) != search->className) return TRUE;
    if (search->visibleOnly && !::IsWindowVisible(window)) return TRUE;
    search->found = window;
    return FALSE;
}

void PostKey(HWND window, UINT virtualKey) {
    const UINT scanCode = ::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    const auto down = static_cast<LPARAM>(1 | (scanCode << 16));
    const auto up = static_cast<LPARAM>(down | (1u << 30) | (1u << 31));
    ::PostMessageW(window, WM_KEYDOWN, virtualKey, down);
    ::PostMessageW(window, WM_KEYUP, virtualKey, up);
}

// A window of our own: the clipboard needs an owner for SetClipboardData.
// It also listens for clipboard changes, so that a wait wakes as soon as
// Zelvane has written the clipboard.
HWND CreateClipboardOwner() {
    HWND owner = ::CreateWindowExW(0, L"STATIC", L"zelvane-e2e-clipboard", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                   nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (owner != nullptr) ::AddClipboardFormatListener(owner);
    return owner;
}

HWND ClipboardOwner() {
    static HWND owner = CreateClipboardOwner();
    return owner;
}

void HandleMessages() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
}

// WaitUntil that also wakes when the handle (if any) is signalled.
bool WaitWaking(const std::function<bool()>& condition, Duration timeout, HANDLE wakeOn) {
    ClipboardOwner();  // listening from now on
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (true) {
        HandleMessages();
        if (condition()) return true;
        const auto left = std::chrono::duration_cast<Duration>(deadline - std::chrono::steady_clock::now());
        if (left <= Duration::zero()) return false;
        const DWORD handles = wakeOn != nullptr ? 1 : 0;
        ::MsgWaitForMultipleObjectsEx(handles, handles != 0 ? &wakeOn : nullptr,
                                      static_cast<DWORD>(std::min(left, kPollInterval).count()), QS_ALLINPUT,
                                      MWMO_INPUTAVAILABLE);
    }
}

// Whether the handle is signalled within the time.
bool WaitForHandle(HANDLE handle, Duration timeout) {
    return WaitWaking([&] { return ::WaitForSingleObject(handle, 0) == WAIT_OBJECT_0; }, timeout, handle);
}

// Zelvane reads the clipboard every 500 ms and holds it open for a moment.
bool OpenClipboardPatiently() {
    return WaitUntil([] { return ::OpenClipboard(ClipboardOwner()) != FALSE; }, 5s);
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, Duration timeout) {
    return WaitWaking(condition, timeout, nullptr);
}

void Pause(Duration duration) { WaitUntil([] { return false; }, duration); }

std::wstring ZelvaneExePath() {
    wchar_t fromEnvironment[MAX_PATH * 4] = {};
    if (::GetEnvironmentVariableW(L"ZELVANE_EXE", fromEnvironment, static_cast<DWORD>(std::size(fromEnvironment))) > 0) {
        return fromEnvironment;
    }
    std::wstring path = win32::WideFromUtf8(ZELVANE_EXE_BUILD_PATH);
    // A path of the Linux build machine: Wine shows its root as drive Z:.
    if (!path.empty() && path.front() == L'/') path = L"Z:" + path;
    for (wchar_t& c : path) {
        if (c == L'/') c = L'\\';
    }
    return path;
}

// --- ZelvaneRun ---

ZelvaneRun::ZelvaneRun(RunOptions options) {
    PrepareDirectory(options);
    if (options.start && failure_.empty()) Start();
}

ZelvaneRun::~ZelvaneRun() {
    Kill();
    if (process_.hProcess != nullptr) ::CloseHandle(process_.hProcess);
    if (process_.hThread != nullptr) ::CloseHandle(process_.hThread);
    if (directory_.empty()) return;
    // The image of an ended process can stay locked for a moment.
    WaitUntil(
        [&] {
            std::error_code error;
            fs::remove_all(fs::path(directory_), error);
            return !error;
        },
        3s);
}

void ZelvaneRun::PrepareDirectory(const RunOptions& options) {
    directory_ = TempDirectory() + L"\\" + UniqueDirectoryName();
    std::error_code error;
    fs::create_directories(fs::path(directory_), error);
    exePath_ = directory_ + L"\\zelvane.exe";
    if (error || !fs::copy_file(fs::path(ZelvaneExePath()), fs::path(exePath_), error)) {
        failure_ = "could not copy " + win32::Utf8FromWide(ZelvaneExePath()) + ": " + error.message();
        return;
    }
    if (options.config.empty()) return;
    fs::create_directory(fs::path(directory_ + L"\\Config"), error);
    for (const ConfigEntry& entry : options.config) {
        const fs::path path(ConfigPath(win32::WideFromUtf8(entry.name)));
        if (entry.directory) {
            fs::create_directory(path, error);
            continue;
        }
        std::ofstream file(path, std::ios::binary);
        file.write(entry.content.data(), static_cast<std::streamsize>(entry.content.size()));
    }
}

bool ZelvaneRun::Start() {
    if (!failure_.empty() || process_.hProcess != nullptr) return Started();
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    std::wstring commandLine = L"\"" + exePath_ + L"\"";
    // Started from the temp root, not its own directory: Zelvane must make
    // its directory the current one itself.
    const std::wstring startDirectory = TempDirectory();
    if (!::CreateProcessW(exePath_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          startDirectory.c_str(), &startup, &process_)) {
        failure_ = "CreateProcess failed with error " + std::to_string(::GetLastError());
        return false;
    }
    // Start-up has finished when the program first waits for input.
    WaitUntil([&] { return ::WaitForInputIdle(process_.hProcess, 0) != WAIT_TIMEOUT; });
    WaitUntil([&] { return (window_ = FindMainWindow()) != nullptr || !IsRunning(); });
    if (window_ == nullptr) failure_ = "no main window appeared";
    return Started();
}

bool ZelvaneRun::IsRunning() const {
    return process_.hProcess != nullptr && ::WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

std::optional<int> ZelvaneRun::WaitForExit(Duration timeout) {
    if (process_.hProcess == nullptr) return std::nullopt;
    if (!WaitForHandle(process_.hProcess, timeout)) return std::nullopt;
    DWORD code = 0;
    ::GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<int>(code);
}

void ZelvaneRun::Kill() {
    if (!IsRunning()) return;
    ::TerminateProcess(process_.hProcess, 99);
    WaitForHandle(process_.hProcess, 5s);
}

std::wstring ZelvaneRun::ConfigPath(std::wstring_view name) const {
    return directory_ + L"\\Config\\" + std::wstring(name);
}

bool ZelvaneRun::ConfigFileExists(std::wstring_view name) const {
    std::error_code error;
    return fs::exists(fs::path(ConfigPath(name)), error);
}

std::optional<std::string> ZelvaneRun::ReadConfigFile(std::wstring_view name) const {
    std::ifstream file(fs::path(ConfigPath(name)), std::ios::binary);
    if (!file) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

HWND ZelvaneRun::FindTopLevelWindow(const wchar_t* className) const {
    TopLevelSearch search{process_.dwProcessId, className, false, nullptr};
    ::EnumWindows(&MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND ZelvaneRun::FindMainWindow() const {
    HWND window = FindTopLevelWindow(win32::kMainWindowClass);
    return (window != nullptr && WindowText(window) == L"Zelvane") ? window : nullptr;
}

RECT ZelvaneRun::WindowRect() const {
    RECT rect{};
    ::GetWindowRect(window_, &rect);
    return rect;
}

bool ZelvaneRun::IsWindowVisible() const { return ::IsWindowVisible(window_) != FALSE; }

std::wstring ZelvaneRun::WindowTitle() const { return WindowText(window_); }

HWND ZelvaneRun::ControlWindow(Control control) const {
    return ::GetDlgItem(window_, win32::ControlId(control));
}

std::wstring ZelvaneRun::Text(Control control) const { return WindowText(ControlWindow(control)); }

void ZelvaneRun::SetText(Control control, std::wstring_view text) {
    const std::wstring copy(text);
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(ControlWindow(control), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(copy.c_str()),
                          SMTO_NORMAL, kSendTimeoutMs, &result);
}

bool ZelvaneRun::IsChecked(Control control) const {
    DWORD_PTR state = 0;
    ::SendMessageTimeoutW(ControlWindow(control), BM_GETCHECK, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &state);
    return state == BST_CHECKED;
}

bool ZelvaneRun::IsEnabled(Control control) const {
    return ::IsWindowEnabled(ControlWindow(control)) != FALSE;
}

RECT ZelvaneRun::ControlRect(Control control) const {
    RECT rect{};
    HWND handle = ControlWindow(control);
    ::GetWindowRect(handle, &rect);
    ::MapWindowPoints(HWND_DESKTOP, window_, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void ZelvaneRun::Click(Control control) {
    if (!IsEnabled(control)) return;
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(ControlWindow(control), BM_CLICK, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &result);
}

void ZelvaneRun::PostClick(Control control) {
    if (IsEnabled(control)) ::PostMessageW(ControlWindow(control), BM_CLICK, 0, 0);
}

void ZelvaneRun::PressKey(Control control, UINT virtualKey, bool shift) {
    if (!shift) {
        PostKey(ControlWindow(control), virtualKey);
        return;
    }
    // A posted message carries no Shift state: the dialog keys read the
    // keyboard itself, so this goes in as real input to the focused window.
    ::SetForegroundWindow(window_);
    INPUT keys[4] = {};
    const WORD sequence[4] = {VK_SHIFT, static_cast<WORD>(virtualKey), static_cast<WORD>(virtualKey), VK_SHIFT};
    for (int i = 0; i < 4; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = sequence[i];
        keys[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
    }
    ::SendInput(4, keys, sizeof(INPUT));
}

std::optional<Control> ZelvaneRun::FocusedControl() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    const DWORD thread = ::GetWindowThreadProcessId(window_, nullptr);
    if (!::GetGUIThreadInfo(thread, &info) || info.hwndFocus == nullptr) return std::nullopt;
    const int index = ::GetDlgCtrlID(info.hwndFocus) - win32::kFirstControlId;
    if (index < 0 || index > static_cast<int>(Control::超级链接框1)) return std::nullopt;
    return static_cast<Control>(index);
}

void ZelvaneRun::Focus(Control control) {
    // WM_NEXTDLGCTL is what dialogs use to move the focus to a given control.
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(ControlWindow(control)), TRUE,
                          SMTO_NORMAL, kSendTimeoutMs, &result);
}

void ZelvaneRun::PostTrayCallback(UINT mouseMessage) {
    ::PostMessageW(window_, win32::kTrayCallbackMessage, win32::kTrayIconId, mouseMessage);
}

void ZelvaneRun::PostClose() { ::PostMessageW(window_, WM_CLOSE, 0, 0); }

std::optional<LRESULT> ZelvaneRun::QueryEndSession(Duration timeout) {
    DWORD_PTR answer = 0;
    if (!::SendMessageTimeoutW(window_, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL,
                               static_cast<UINT>(timeout.count()), &answer)) {
        return std::nullopt;
    }
    return static_cast<LRESULT>(answer);
}

void ZelvaneRun::PostEndSession(bool ending) {
    ::PostMessageW(window_, WM_ENDSESSION, ending ? TRUE : FALSE, ENDSESSION_LOGOFF);
}

HWND ZelvaneRun::WaitForPopupMenu(Duration timeout) const {
    HWND menu = nullptr;
    WaitUntil(
        [&] {
            TopLevelSearch search{process_.dwProcessId, L"#32768", true, nullptr};
            ::EnumWindows(&MatchTopLevel, reinterpret_cast<LPARAM>(&search));
            menu = search.found;
            return menu != nullptr;
        },
        timeout);
    return menu;
}

void ZelvaneRun::ChoosePopupMenuItem(HWND menuWindow, int index) {
    for (int i = 0; i <= index; ++i) PostKey(menuWindow, VK_DOWN);
    PostKey(menuWindow, VK_RETURN);
}

void ZelvaneRun::DismissPopupMenu(HWND menuWindow) { PostKey(menuWindow, VK_ESCAPE); }

HWND ZelvaneRun::WaitForMessageBox(Duration timeout) const {
    HWND box = nullptr;
    WaitUntil(
        [&] {
            TopLevelSearch search{process_.dwProcessId, L"#32770", true, nullptr};
            ::EnumWindows(&MatchTopLevel, reinterpret_cast<LPARAM>(&search));
            box = search.found;
            return box != nullptr;
        },
        timeout);
    return box;
}

std::wstring ZelvaneRun::MessageBoxText(HWND box) const {
    // The message is the box's static text control with identifier 0xFFFF.
    return WindowText(::GetDlgItem(box, 0xFFFF));
}

std::wstring ZelvaneRun::MessageBoxCaption(HWND box) const { return WindowText(box); }

void ZelvaneRun::CloseMessageBox(HWND box) { ::PostMessageW(box, WM_COMMAND, IDOK, 0); }

// --- the clipboard ---

bool SetClipboardText(std::wstring_view text) {
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    win32::OwnedGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory) return false;
    void* target = ::GlobalLock(memory.Get());
    if (target == nullptr) return false;
    std::memcpy(target, text.data(), text.size() * sizeof(wchar_t));
    static_cast<wchar_t*>(target)[text.size()] = L'\0';
    ::GlobalUnlock(memory.Get());
    if (!OpenClipboardPatiently()) return false;
    ::EmptyClipboard();
    const bool written = ::SetClipboardData(CF_UNICODETEXT, memory.Get()) != nullptr;
    if (written) memory.Release();  // the clipboard owns it now
    ::CloseClipboard();
    return written;
}

std::optional<std::wstring> ClipboardText() {
    if (!OpenClipboardPatiently()) return std::nullopt;
    std::optional<std::wstring> text;
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(::GlobalLock(data))) {
            text = std::wstring(chars);
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

void ClearClipboard() {
    if (!OpenClipboardPatiently()) return;
    ::EmptyClipboard();
    ::CloseClipboard();
}

}  // namespace zelvane::e2e
