// The main window on Win32: builds the form by walking its table, turns
// messages into the events of FormEvents, and implements the Form port with
// the control contract (an edit box's text write raises text-changed exactly
// once, synchronously; checked and disabled raise nothing; nothing is raised
// while the window is created or once the teardown has begun).
#pragma once

#include <windows.h>

#include <array>
#include <optional>

#include "core/handles_win32.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/form_layout.h"

namespace zelvane::win32 {

// The window identifier of a control: its place in the table plus this base,
// clear of IDOK and IDCANCEL and of the tray menu's commands.
inline constexpr int kFirstControlId = 100;
inline constexpr UINT_PTR kTimerId = 1;  // 时钟1
inline constexpr wchar_t kMainWindowClass[] = L"ZelvaneMainWindow";
inline constexpr wchar_t kPaintedTextClass[] = L"ZelvanePaintedText";

inline int ControlId(Control control) { return kFirstControlId + static_cast<int>(control); }

// Whoever owns the window: makes the handlers once the window exists (the
// tray and message boxes need its handle) and hears of a restarted shell.
class WindowOwner {
public:
    virtual ~WindowOwner() = default;
    // Called once, after the controls exist and before any event flows.
    virtual FormEvents& OnWindowBuilt(HWND window) = 0;
    // The shell's taskbar was (re)created and knows no icons.
    virtual void OnTaskbarCreated() = 0;
};

class MainWindow final : public Form {
public:
    explicit MainWindow(HINSTANCE instance);
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;
    ~MainWindow() override;

    // Creates the window hidden, its controls in table order and the timer;
    // then turns event delivery on, raises the created event and shows the
    // window. False when the window could not be created.
    bool Create(WindowOwner& owner);
    bool Exists() const { return window_ != nullptr; }
    HWND Handle() const { return window_; }
    // For good: no handler runs after this, whatever messages arrive.
    void StopEventDelivery() { stopped_ = true; }

    Text GetText(Control control) const override;
    void SetText(Control control, const Text& text) override;
    bool IsChecked(Control control) const override;
    void SetChecked(Control control, bool checked) override;
    void SetDisabled(Control control, bool disabled) override;
    bool IsWindowVisible() const override;
    void SetWindowVisible(bool visible) override;

private:
    static LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    static LRESULT CALLBACK PaintedTextProc(HWND control, UINT message, WPARAM wParam,
                                            LPARAM lParam) noexcept;

    bool RegisterClasses() const;
    bool CreateFrame();
    void CreateControls();
    HWND CreateControl(const ControlSpec& spec);
    void SetIcons();

    // The main window's messages.
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(int id, int notification, HWND control);
    void OnControlNotification(Control control, int notification);
    void OnTrayCallback(LPARAM lParam);
    void OnClose();
    void OnEndSession(bool ending);
    void OnDestroy();
    void OnActivate(bool active);
    LRESULT OnControlColour(HDC dc, HWND control, UINT message, WPARAM wParam, LPARAM lParam);

    // The painted labels and the link.
    LRESULT OnPaintedTextMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
    void PaintText(HWND control);
    void OnLinkMouseMove(HWND control, POINT at);
    void OnLinkButtonUp(HWND control, POINT at);
    static bool IsInside(HWND control, POINT at);
    void SetLinkHovered(HWND control, bool hovered);

    bool Delivering() const { return events_ != nullptr && delivering_ && !stopped_; }
    std::optional<Control> ControlOfHandle(HWND control) const;
    std::optional<Control> ControlOfId(int id) const;
    HWND ControlHandle(Control control) const;

    HINSTANCE instance_;
    HWND window_ = nullptr;
    std::array<HWND, 14> controls_{};  // in table order; none for the timer
    OwnedGdiObject editFont_;
    OwnedIcon bigIcon_;
    OwnedIcon smallIcon_;
    WindowOwner* owner_ = nullptr;
    FormEvents* events_ = nullptr;
    UINT taskbarCreatedMessage_ = 0;
    bool delivering_ = false;         // off while the window is being created
    bool stopped_ = false;            // off for good once the teardown begins
    bool writingEditText_ = false;    // the EN_CHANGE of our own write is not the user's
    bool linkHovered_ = false;
    bool clipboardListening_ = false;
    HWND focusBeforeDeactivation_ = nullptr;
};

}  // namespace zelvane::win32
