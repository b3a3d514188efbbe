#include "ui/main_window_win32.h"

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/encoding_win32.h"
#include "ui/tray_logic.h"
#include "ui/tray_win32.h"

namespace zelvane::win32 {
namespace {

constexpr COLORREF kBlack = 0x00000000;
constexpr COLORREF kWhite = 0x00FFFFFF;
constexpr COLORREF kLinkColour = 0x00FF0000;         // blue
constexpr COLORREF kHoveredLinkColour = 0x000000FF;  // red
constexpr int kEditFontHeight = -12;                 // a character height of 12 pixels

struct NativeControl {
    const wchar_t* className;
    DWORD style;
    DWORD extendedStyle;
};

NativeControl NativeControlOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::EditBox:
            return {L"EDIT", ES_AUTOHSCROLL | ES_CENTER, WS_EX_CLIENTEDGE};
        case ControlKind::CheckBox:
            return {L"BUTTON", BS_AUTOCHECKBOX | BS_MULTILINE | BS_LEFT | BS_VCENTER, 0};
        case ControlKind::Button:
            return {L"BUTTON", BS_PUSHBUTTON | BS_MULTILINE | BS_CENTER | BS_VCENTER, 0};
        case ControlKind::Label:
        case ControlKind::HyperLinker:
            return {kPaintedTextClass, 0, 0};
        case ControlKind::Timer:
            break;
    }
    return {nullptr, 0, 0};
}

DWORD FrameStyle() {
    DWORD style = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    if (kMainWindowSpec.minimizeBox) style |= WS_MINIMIZEBOX;
    if (kMainWindowSpec.maximizeBox) style |= WS_MAXIMIZEBOX;
    if (kMainWindowSpec.sizingBorder) style |= WS_THICKFRAME;
    return style;
}

// The edit boxes' font: 12 pixels high, normal weight, the face left to the system.
OwnedGdiObject MakeEditFont() {
    LOGFONTW font{};
    font.lfHeight = kEditFontHeight;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = PROOF_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH;
    return OwnedGdiObject(::CreateFontIndirectW(&font));
}

HFONT GuiFont() { return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)); }

POINT PointOf(LPARAM lParam) {
    // Signed: a captured mouse reports positions left of or above the control.
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

MainWindow* MainWindowOf(HWND window) {
    return reinterpret_cast<MainWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance) : instance_(instance) {}

MainWindow::~MainWindow() {
    if (window_ != nullptr) {
        stopped_ = true;
        ::DestroyWindow(window_);
    }
}

bool MainWindow::Create(WindowOwner& owner) {
    owner_ = &owner;
    delivering_ = false;
    if (!RegisterClasses() || !CreateFrame()) return false;
    CreateControls();
    ::SetTimer(window_, kTimerId, kTimerIntervalMilliseconds, nullptr);
    events_ = &owner.OnWindowBuilt(window_);
    clipboardListening_ = ::AddClipboardFormatListener(window_) != FALSE;
    taskbarCreatedMessage_ = TaskbarCreatedMessage();

    delivering_ = true;
    if (Delivering()) events_->OnCreated();
    ::ShowWindow(window_, SW_SHOW);
    ::UpdateWindow(window_);
    return true;
}

bool MainWindow::RegisterClasses() const {
    WNDCLASSEXW main{};
    main.cbSize = sizeof(main);
    main.lpfnWndProc = &MainWindow::MainProc;
    main.hInstance = instance_;
    main.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    main.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
    main.lpszClassName = kMainWindowClass;

    WNDCLASSEXW painted{};
    painted.cbSize = sizeof(painted);
    painted.style = CS_HREDRAW | CS_VREDRAW;
    painted.lpfnWndProc = &MainWindow::PaintedTextProc;
    painted.hInstance = instance_;
    painted.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
    painted.lpszClassName = kPaintedTextClass;

    const auto registered = [](const WNDCLASSEXW& windowClass) {
        return ::RegisterClassExW(&windowClass) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    };
    return registered(main) && registered(painted);
}

bool MainWindow::CreateFrame() {
    const ScreenPoint origin =
        CentredOrigin(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    const std::wstring title = WideFromUtf8(kMainWindowSpec.title);
    // WM_NCCREATE stores `this` with the window before any other message.
    window_ = ::CreateWindowExW(0, kMainWindowClass, title.c_str(), FrameStyle(), origin.x, origin.y,
                                kMainWindowSpec.outerWidth, kMainWindowSpec.outerHeight, nullptr,
                                nullptr, instance_, this);
    if (window_ == nullptr) return false;
    SetIcons();
    ::SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(GuiFont()), FALSE);
    return true;
}

void MainWindow::SetIcons() {
    const auto load = [this](int metricX, int metricY) {
        return OwnedIcon(static_cast<HICON>(::LoadImageW(instance_, L"DEFAULT_ICON", IMAGE_ICON,
                                                         ::GetSystemMetrics(metricX),
                                                         ::GetSystemMetrics(metricY), 0)));
    };
    bigIcon_ = load(SM_CXICON, SM_CYICON);
    smallIcon_ = load(SM_CXSMICON, SM_CYSMICON);
    ::SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.Get()));
    ::SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.Get()));
}

void MainWindow::CreateControls() {
    editFont_ = MakeEditFont();
    for (const ControlSpec& spec : FormControls()) {
        controls_[static_cast<std::size_t>(spec.name)] = CreateControl(spec);
    }
}

HWND MainWindow::CreateControl(const ControlSpec& spec) {
    const NativeControl native = NativeControlOf(spec.kind);
    if (native.className == nullptr) return nullptr;  // the timer has no window
    DWORD style = WS_CHILD | WS_VISIBLE | native.style;
    if (spec.tabStop) style |= WS_TABSTOP;
    if (spec.disabled) style |= WS_DISABLED;
    const std::wstring caption = WideFromUtf8(spec.caption);
    HWND control = ::CreateWindowExW(native.extendedStyle, native.className, caption.c_str(), style,
                                     spec.place.left, spec.place.top, spec.place.width,
                                     spec.place.height, window_,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(spec.name))),
                                     instance_, nullptr);
    if (control == nullptr) return nullptr;
    const bool edit = spec.kind == ControlKind::EditBox;
    const HGDIOBJ font = edit && editFont_ ? editFont_.Get() : GuiFont();
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (edit) ::SendMessageW(control, EM_LIMITTEXT, 0, 0);
    if (spec.checked) ::SendMessageW(control, BM_SETCHECK, BST_CHECKED, 0);
    return control;
}

// --- the Form port ---

Text MainWindow::GetText(Control control) const {
    HWND handle = ControlHandle(control);
    if (handle == nullptr) return {};
    const int length = ::GetWindowTextLengthW(handle);
    if (length <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(handle, wide.data(), length + 1);
    wide.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return TextFromWide(wide);
}

void MainWindow::SetText(Control control, const Text& text) {
    HWND handle = ControlHandle(control);
    if (handle == nullptr) return;
    const std::wstring wide = WideFromText(text);
    // The edit control answers WM_SETTEXT with EN_CHANGE (or not, when the
    // text is unchanged); the contract wants exactly one event either way,
    // so that one is swallowed and ours is raised below.
    const bool outerWrite = writingEditText_;
    writingEditText_ = true;
    ::SetWindowTextW(handle, wide.c_str());
    writingEditText_ = outerWrite;
    if (SpecOf(control).kind == ControlKind::EditBox && Delivering()) events_->OnTextChanged(control);
}

bool MainWindow::IsChecked(Control control) const {
    HWND handle = ControlHandle(control);
    return handle != nullptr && ::SendMessageW(handle, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void MainWindow::SetChecked(Control control, bool checked) {
    HWND handle = ControlHandle(control);
    if (handle != nullptr) ::SendMessageW(handle, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void MainWindow::SetDisabled(Control control, bool disabled) {
    HWND handle = ControlHandle(control);
    if (handle != nullptr) ::EnableWindow(handle, disabled ? FALSE : TRUE);
}

bool MainWindow::IsWindowVisible() const {
    return window_ != nullptr && ::IsWindowVisible(window_) != FALSE;
}

void MainWindow::SetWindowVisible(bool visible) {
    if (window_ != nullptr) ::ShowWindow(window_, visible ? SW_SHOW : SW_HIDE);
}

// --- messages of the main window ---

LRESULT CALLBACK MainWindow::MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    MainWindow* self = MainWindowOf(window);
    if (self == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
    return self->OnMessage(message, wParam, lParam);
}

LRESULT MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_TIMER:
            if (wParam == kTimerId && Delivering()) events_->OnTimer();
            return 0;
        case WM_CLIPBOARDUPDATE:
            if (Delivering()) events_->OnClipboardChanged();
            return 0;
        case kTrayCallbackMessage:
            OnTrayCallback(lParam);
            return 0;
        case WM_CLOSE:
            OnClose();
            return 0;
        case WM_QUERYENDSESSION:
            // Never refuse a log-off or shutdown; the session's end is handled
            // when it really comes.
            return TRUE;
        case WM_ENDSESSION:
            OnEndSession(wParam != FALSE);
            return 0;
        case WM_DESTROY:
            OnDestroy();
            return 0;
        case WM_NCDESTROY:
            ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
            window_ = nullptr;
            controls_.fill(nullptr);
            return 0;
        case WM_ACTIVATE:
            OnActivate(LOWORD(wParam) != WA_INACTIVE);
            return 0;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
            return OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), message,
                                   wParam, lParam);
        default:
            break;
    }
    if (taskbarCreatedMessage_ != 0 && message == taskbarCreatedMessage_) {
        if (owner_ != nullptr && !stopped_) owner_->OnTaskbarCreated();
        return 0;
    }
    return ::DefWindowProcW(window_, message, wParam, lParam);
}

void MainWindow::OnCommand(int id, int notification, HWND control) {
    if (control != nullptr) {
        if (const std::optional<Control> name = ControlOfId(id)) OnControlNotification(*name, notification);
        return;
    }
    if (id == IDCANCEL) {  // Esc, through the dialog keys of the message loop
        ::SendMessageW(window_, WM_CLOSE, 0, 0);
        return;
    }
    if (const std::optional<MenuItem> item = MenuItemOfCommand(static_cast<UINT>(id))) {
        if (Delivering()) events_->OnMenuSelected(*item);
    }
}

void MainWindow::OnControlNotification(Control control, int notification) {
    if (!Delivering()) return;
    switch (SpecOf(control).kind) {
        case ControlKind::EditBox:
            if (notification == EN_CHANGE && !writingEditText_) events_->OnTextChanged(control);
            break;
        case ControlKind::CheckBox:
        case ControlKind::Button:
            // An automatic check box has toggled itself before it notifies.
            if (notification == BN_CLICKED) events_->OnClicked(control);
            break;
        default:
            break;
    }
}

void MainWindow::OnTrayCallback(LPARAM lParam) {
    const auto mouseMessage = static_cast<std::uint32_t>(LOWORD(lParam));
    if (const std::optional<int> code = TrayEventOfMouseMessage(mouseMessage)) {
        if (Delivering()) events_->OnTrayEvent(*code);
    }
}

void MainWindow::OnClose() {
    if (!Delivering()) return;
    if (events_->CanCloseWindow()) ::DestroyWindow(window_);
}

void MainWindow::OnEndSession(bool ending) {
    if (ending && Delivering()) events_->OnSessionEnded();
}

void MainWindow::OnDestroy() {
    ::KillTimer(window_, kTimerId);
    if (clipboardListening_) ::RemoveClipboardFormatListener(window_);
    clipboardListening_ = false;
    if (Delivering()) events_->OnDestroyed();
    // The only window of the program is gone: the message loop ends.
    ::PostQuitMessage(0);
}

void MainWindow::OnActivate(bool active) {
    // A plain window does not remember its focused control across
    // deactivation as a dialog does; keep it, or start at the first tab stop.
    if (!active) {
        HWND focus = ::GetFocus();
        focusBeforeDeactivation_ = (focus != nullptr && ::IsChild(window_, focus)) ? focus : nullptr;
        return;
    }
    HWND target = focusBeforeDeactivation_;
    if (target == nullptr || !::IsWindow(target) || !::IsWindowEnabled(target)) {
        target = ::GetNextDlgTabItem(window_, nullptr, FALSE);
    }
    if (target != nullptr) ::SetFocus(target);
}

LRESULT MainWindow::OnControlColour(HDC dc, HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    const std::optional<Control> name = ControlOfHandle(control);
    const bool checkBox = name && SpecOf(*name).kind == ControlKind::CheckBox;
    const bool enabledEdit = name && SpecOf(*name).kind == ControlKind::EditBox && message == WM_CTLCOLOREDIT;
    if (checkBox) {
        ::SetTextColor(dc, kBlack);
        ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
    }
    if (enabledEdit) {
        ::SetTextColor(dc, kBlack);
        ::SetBkColor(dc, kWhite);
        return reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH));
    }
    return ::DefWindowProcW(window_, message, wParam, lParam);
}

// --- the painted labels and the link ---

LRESULT CALLBACK MainWindow::PaintedTextProc(HWND control, UINT message, WPARAM wParam,
                                             LPARAM lParam) noexcept {
    MainWindow* self = MainWindowOf(::GetParent(control));
    if (self == nullptr) return ::DefWindowProcW(control, message, wParam, lParam);
    return self->OnPaintedTextMessage(control, message, wParam, lParam);
}

LRESULT MainWindow::OnPaintedTextMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    const bool link = control == ControlHandle(Control::超级链接框1);
    switch (message) {
        case WM_PAINT:
            PaintText(control);
            return 0;
        case WM_ERASEBKGND:
            return 1;  // painted whole in WM_PAINT
        case WM_NCHITTEST:
            // Labels let the mouse through to the window; the link takes it.
            return link ? HTCLIENT : HTTRANSPARENT;
        case WM_SETCURSOR:
            if (!link) break;
            ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
            return TRUE;
        case WM_MOUSEMOVE:
            if (link) OnLinkMouseMove(control, PointOf(lParam));
            return 0;
        case WM_LBUTTONUP:
            if (link) OnLinkButtonUp(control, PointOf(lParam));
            return 0;
        case WM_CAPTURECHANGED:
            if (link && linkHovered_ && reinterpret_cast<HWND>(lParam) != control) {
                linkHovered_ = false;
                ::InvalidateRect(control, nullptr, TRUE);
            }
            return 0;
        default:
            break;
    }
    return ::DefWindowProcW(control, message, wParam, lParam);
}

void MainWindow::PaintText(HWND control) {
    PAINTSTRUCT paint{};
    HDC dc = ::BeginPaint(control, &paint);
    RECT area{};
    ::GetClientRect(control, &area);
    ::FillRect(dc, &area, ::GetSysColorBrush(COLOR_BTNFACE));

    const bool link = control == ControlHandle(Control::超级链接框1);
    const int length = ::GetWindowTextLengthW(control);
    std::wstring caption(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
    const int copied = ::GetWindowTextW(control, caption.data(), length + 1);
    caption.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));

    const HGDIOBJ previousFont = ::SelectObject(dc, GuiFont());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, link ? (linkHovered_ ? kHoveredLinkColour : kLinkColour) : kBlack);
    const UINT format = link ? DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX
                             : DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP;
    ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &area, format);
    ::SelectObject(dc, previousFont);
    ::EndPaint(control, &paint);
}

bool MainWindow::IsInside(HWND control, POINT at) {
    RECT area{};
    ::GetClientRect(control, &area);
    return ::PtInRect(&area, at) != FALSE;
}

void MainWindow::OnLinkMouseMove(HWND control, POINT at) { SetLinkHovered(control, IsInside(control, at)); }

void MainWindow::SetLinkHovered(HWND control, bool hovered) {
    if (hovered == linkHovered_) return;
    linkHovered_ = hovered;
    // While hovered the link holds the mouse, so it hears when the pointer leaves.
    if (hovered) {
        ::SetCapture(control);
    } else if (::GetCapture() == control) {
        ::ReleaseCapture();
    }
    ::InvalidateRect(control, nullptr, TRUE);
}

void MainWindow::OnLinkButtonUp(HWND control, POINT at) {
    if (!IsInside(control, at)) return;
    // The credits box runs its own loop; the link lets the mouse go first.
    SetLinkHovered(control, false);
    if (Delivering()) events_->OnLinkReleased();
}

// --- lookups ---

HWND MainWindow::ControlHandle(Control control) const {
    const auto index = static_cast<std::size_t>(control);
    return index < controls_.size() ? controls_[index] : nullptr;
}

std::optional<Control> MainWindow::ControlOfId(int id) const {
    const int index = id - kFirstControlId;
    if (index < 0 || static_cast<std::size_t>(index) >= FormControls().size()) return std::nullopt;
    return FormControls()[static_cast<std::size_t>(index)].name;
}

std::optional<Control> MainWindow::ControlOfHandle(HWND control) const {
    if (control == nullptr) return std::nullopt;
    for (const ControlSpec& spec : FormControls()) {
        if (controls_[static_cast<std::size_t>(spec.name)] == control) return spec.name;
    }
    return std::nullopt;
}

}  // namespace zelvane::win32
