#include "form_window.h"

#include <exception>
#include <utility>

#include "keyboard_focus.h"
#include "system_error.h"
#include "wide_text.h"

namespace plumbmark::win32 {
namespace {

static_assert(forms::kSystemColorCount == COLOR_MENUBAR + 1, "system colours are COLOR_* indices");

constexpr std::int16_t kShiftMask = 1;
constexpr std::int16_t kCtrlMask = 2;
constexpr std::int16_t kAltMask = 4;

// The Shift, Ctrl and Alt state as the key-down event reports it.
std::int16_t ModifierState() {
  std::int16_t state = 0;
  if (GetKeyState(VK_SHIFT) < 0) state |= kShiftMask;
  if (GetKeyState(VK_CONTROL) < 0) state |= kCtrlMask;
  if (GetKeyState(VK_MENU) < 0) state |= kAltMask;
  return state;
}

}  // namespace

bool NeverActivated(HWND window) {
  return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_NOACTIVATE) != 0;
}

FormWindow::FormWindow(Win32Backend& backend, forms::Form& form) : backend_(backend), form_(form) {}

FormWindow::~FormWindow() { Destroy(); }

void FormWindow::Create(DWORD style, DWORD exStyle, int x, int y, int width, int height) {
  HWND window = CreateWindowExW(exStyle, MAKEINTATOM(backend_.windowClass().atom()),
                                WideText(form_.design().caption).c_str(), style, x, y, width,
                                height, nullptr, nullptr, backend_.instance(), this);
  if (window == nullptr) throw SystemError("CreateWindowExW");
  window_.Reset(window);
}

void FormWindow::Destroy() {
  HWND window = window_.get();
  if (window == nullptr) return;
  for (std::size_t i = 0; i < timers_.size(); ++i) KillTimer(window, i + 1);
  UnregisterHotKey(window, kHotKeyId);  // fails harmlessly where none was registered
  // NOTE: when the active window goes away, Windows (and Wine even more so)
  // activates whichever window comes next, often the horizontal line, which
  // takes no keys; the start-up form gets the keyboard back instead.
  if (GetActiveWindow() == window) backend_.HandKeyboardBack(nullptr, window);
  window_.Reset();
}

// Starts a system timer for each of the form's timers, in the form's order.
void FormWindow::StartTimers() {
  for (forms::Control* control : form_.controls()) {
    if (control->kind() != forms::ControlKind::kTimer) continue;
    timers_.push_back(static_cast<forms::Timer*>(control));
    StartTimer(timers_.size() - 1);
  }
}

// Setting a timer again with its id restarts it at the new period.
void FormWindow::StartTimer(std::size_t index) {
  const auto period = static_cast<UINT>(forms::Timer::TickPeriod(timers_[index]->interval()));
  if (SetTimer(window_.get(), index + 1, period, nullptr) == 0) throw SystemError("SetTimer");
}

void FormWindow::ControlChanged(forms::Control& control) {
  for (std::size_t i = 0; i < timers_.size(); ++i) {
    if (timers_[i] == &control) StartTimer(i);
  }
}

void FormWindow::OnTimer(WPARAM id) {
  if (id == 0 || id > timers_.size()) return;
  forms::Application& app = backend_.app();
  app.RaiseTick(*timers_[id - 1]);  // may end the program: nothing of `this` after it
}

void FormWindow::OnClose() {
  forms::Application& app = backend_.app();
  app.RaiseClose(form_);  // may unload this form: nothing of `this` after it
}

// Every key-down, auto-repeats and system keys included, becomes the form's
// KeyDown event; system keys then go on to the system (Alt+F4 still closes).
// Bit 30 of lParam, the key's previous state, marks an auto-repeat.
LRESULT FormWindow::OnKeyDown(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  forms::Application& app = backend_.app();
  const bool autoRepeat = (lParam & (LPARAM{1} << 30)) != 0;
  app.RaiseKeyDown(form_, static_cast<std::int16_t>(wParam & 0xFF), ModifierState(), autoRepeat);
  // The command may have ended the program: nothing of `this` from here on.
  if (message == WM_SYSKEYDOWN && IsWindow(window)) {
    return DefWindowProcW(window, message, wParam, lParam);
  }
  return 0;
}

void FormWindow::ColorChanged() { ApplyPaint(); }

// Mirrors BackColor into the background brush; the same colour changes nothing.
void FormWindow::ApplyPaint() {
  const forms::ShownColor paint = forms::DisplayColor(form_.backColor());
  if (paint_ == paint) return;
  UniqueBrush brush;
  if (!paint.system) {
    brush.Reset(CreateSolidBrush(paint.value));
    if (!brush) throw SystemError("CreateSolidBrush");
  }
  brush_ = std::move(brush);  // the old brush is deleted here: none piles up
  paint_ = paint;
  RedrawWindow(window_.get(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

HBRUSH FormWindow::BackgroundBrush() const {
  if (!paint_) return nullptr;
  return paint_->system ? GetSysColorBrush(static_cast<int>(paint_->value)) : brush_.get();
}

COLORREF FormWindow::BackgroundColor() const {
  if (!paint_) return GetSysColor(COLOR_BTNFACE);
  return paint_->system ? GetSysColor(static_cast<int>(paint_->value)) : paint_->value;
}

LRESULT FormWindow::OnEraseBackground(HWND window, HDC dc) const {
  HBRUSH brush = BackgroundBrush();
  if (brush == nullptr) return 0;
  RECT client{};
  GetClientRect(window, &client);
  FillRect(dc, &client, brush);
  return 1;
}

// Shown and hidden through SetWindowPos, not ShowWindow: Windows may replace
// a program's first ShowWindow with the show state its launcher asked for
// ("Run: Maximized" in a shortcut). Showing also activates, as the forms
// layer does right after anyway.
// NOTE: Wine 8 tells the X window manager about an activation only when a
// window is mapped; a window first shown inactive stays inactive for the
// window manager, whose own keys (Alt+F4) then go to another window.
void FormWindow::VisibleChanged() {
  HWND window = window_.get();
  UINT show = form_.visible() ? SWP_SHOWWINDOW : SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOZORDER;
  if (NeverActivated(window)) show |= SWP_NOACTIVATE;
  if (!SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, show | SWP_NOMOVE | SWP_NOSIZE)) {
    throw SystemError("SetWindowPos");
  }
  KeepRestored();
}

// A window that never takes the keyboard is only shown.
void FormWindow::Activate() {
  HWND window = window_.get();
  if (IsWindowVisible(window)) {
    KeepRestored();
  } else {
    VisibleChanged();  // shows it, restored
  }
  if (!NeverActivated(window)) BringToForeground(window, backend_.StartupWindow());
}

// A form's window is never minimised or maximised: its size and place come
// from the form alone. SW_SHOWNOACTIVATE restores either state in place.
void FormWindow::KeepRestored() {
  HWND window = window_.get();
  if (IsIconic(window) || IsZoomed(window)) ShowWindow(window, SW_SHOWNOACTIVATE);
}

LRESULT FormWindow::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return OnEraseBackground(window, reinterpret_cast<HDC>(wParam));
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      return OnKeyDown(window, message, wParam, lParam);
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_TIMER:
      OnTimer(wParam);
      return 0;
    case WM_HOTKEY:
      backend_.app().RaiseHotKey(form_);
      return 0;
    // Each of our top-level windows hears it; the forms layer takes it once.
    case WM_ACTIVATEAPP:
      backend_.app().RaiseAppActivation(wParam != FALSE);
      return 0;
    // Every top-level window hears of a display change; the backend tells the
    // program once. A change of scaling reaches as WM_DPICHANGED only the
    // windows on the monitor concerned, so each of the three makes it look.
    case WM_DISPLAYCHANGE:
    case WM_SETTINGCHANGE:
      backend_.NoteDisplayChange();
      return DefWindowProcW(window, message, wParam, lParam);
    // NOTE: the rectangle offered for the new DPI is not applied: a line's
    // geometry comes only from its form, as many pixels on every monitor.
    case WM_DPICHANGED:
      backend_.NoteDisplayChange();
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

// The peer that a window of our class carries in its user data, if any.
FormWindow* FormWindow::PeerOf(HWND window) {
  return reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT CALLBACK FormWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  FormWindow* peer = PeerOf(window);
  if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  if (peer == nullptr || peer->backend_.failed()) {
    return DefWindowProcW(window, message, wParam, lParam);
  }
  // No exception may cross into the system's code that called us; the forms
  // layer has already reported every run-time error, so what arrives here is
  // unexpected and ends the program.
  Win32Backend& backend = peer->backend_;
  try {
    return peer->OnMessage(window, message, wParam, lParam);
  } catch (const std::exception& error) {
    backend.Fail(error.what());
  } catch (...) {
    backend.Fail("unknown exception");
  }
  return 0;
}

bool FormWindow::PreTranslate(MSG& message, const WindowClass& formClass) {
  HWND root = GetAncestor(message.hwnd, GA_ROOT);
  if (!formClass.IsClassOf(root)) return false;
  FormWindow* peer = PeerOf(root);
  return peer != nullptr && peer->OnQueuedMessage(message);
}

}  // namespace plumbmark::win32
