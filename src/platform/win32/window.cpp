#include "platform/win32/window.h"

#include <exception>

#include "platform/win32/line_placement.h"
#include "platform/win32/system_error.h"
#include "platform/win32/text.h"

namespace plumbmark::win32 {
namespace {

static_assert(forms::kSystemColorCount == COLOR_MENUBAR + 1, "system colours are COLOR_* indices");

DWORD WindowStyle(const forms::FormDesign& design) {
  if (design.border == forms::BorderStyle::kFixedToolWindow) {
    return WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;  // a close box, no resizing frame
  }
  DWORD style = WS_POPUP | WS_SYSMENU;
  if (design.minButton) style |= WS_MINIMIZEBOX;
  if (design.maxButton) style |= WS_MAXIMIZEBOX;
  return style;
}

DWORD ExtendedStyle(const forms::FormDesign& design) {
  if (design.border == forms::BorderStyle::kFixedToolWindow) {
    return WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT;
  }
  // A tool window gets no taskbar button; an app window always gets one.
  return design.showInTaskbar ? WS_EX_APPWINDOW : WS_EX_TOOLWINDOW;
}

}  // namespace

WindowPeer::WindowPeer(Win32Backend& backend, forms::Form& form) : backend_(backend), form_(form) {
  CreateNativeWindow();
  ApplyPaint();
  if (IsDialog()) {
    CreateControls();
  } else {
    SetUpLineWindow();
  }
  StartTimers();
}

WindowPeer::~WindowPeer() {
  HWND window = window_.get();
  for (std::size_t i = 0; i < timers_.size(); ++i) KillTimer(window, i + 1);
  // NOTE: when the active window goes away, Windows (and Wine even more so)
  // activates whichever window comes next, often the horizontal line, which
  // takes no keys; the start-up form gets the keyboard back instead.
  if (window != nullptr && GetActiveWindow() == window) backend_.HandKeyboardBack(nullptr, window);
}

// Creates the hidden window: a line at its display rectangle, a dialog at the
// system's default position with the client size of its design.
void WindowPeer::CreateNativeWindow() {
  const forms::FormDesign& design = form_.design();
  const DWORD style = WindowStyle(design);
  const DWORD exStyle = ExtendedStyle(design);
  int x = CW_USEDEFAULT, y = CW_USEDEFAULT, width = 0, height = 0;
  LinePlacement line;
  if (IsDialog()) {
    dialogRect_ = forms::DisplayRect(form_, backend_.Screen());
    const RECT outer = DialogWindowRect(style, exStyle);
    width = outer.right - outer.left;
    height = outer.bottom - outer.top;
  } else {
    line = PlaceLine(forms::DisplayRect(form_, backend_.Screen()), backend_.Desktop());
    x = line.window.x;
    y = line.window.y;
    width = line.window.width;
    height = line.window.height;
  }
  HWND window = CreateWindowExW(exStyle, MAKEINTATOM(backend_.windowClass()),
                                WideText(design.caption).c_str(), style, x, y, width, height,
                                nullptr, nullptr, backend_.instance(), this);
  if (window == nullptr) throw SystemError("CreateWindowExW");
  window_.Reset(window);
  if (!IsDialog()) {
    SetShowsNothing(line.showsNothing);
    return;
  }
  // NOTE: the system widens a captioned window to its minimum tracking size
  // while creating it, before this peer can answer WM_GETMINMAXINFO (at
  // 144 DPI the interval dialog came out a pixel wider than designed); sized
  // again now, it keeps the design's client area.
  if (!::SetWindowPos(window, nullptr, 0, 0, width, height,
                      SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE)) {
    throw SystemError("SetWindowPos");
  }
}

void WindowPeer::StartTimers() {
  for (forms::Control* control : form_.controls()) {
    if (control->kind() == forms::ControlKind::kTimer) {
      timers_.push_back(static_cast<forms::Timer*>(control));
      ControlChanged(*control);
    }
  }
}

void WindowPeer::ControlChanged(forms::Control& control) {
  if (control.kind() == forms::ControlKind::kComboBox) {
    if (ChildControl* child = FindChild(control)) MirrorCombo(*child);
    return;
  }
  if (control.kind() != forms::ControlKind::kTimer) return;
  for (std::size_t i = 0; i < timers_.size(); ++i) {
    if (timers_[i] != &control) continue;
    // Setting a timer again with its id restarts it at the new period.
    const auto period = static_cast<UINT>(forms::Timer::TickPeriod(timers_[i]->interval()));
    if (SetTimer(window_.get(), i + 1, period, nullptr) == 0) throw SystemError("SetTimer");
  }
}

void WindowPeer::OnTimer(WPARAM id) {
  if (id == 0 || id > timers_.size()) return;
  forms::Application& app = backend_.app();
  app.RaiseTick(*timers_[id - 1]);  // may end the program: nothing of `this` after it
}

void WindowPeer::OnClose() {
  forms::Application& app = backend_.app();
  app.RaiseClose(form_);  // may unload this form: nothing of `this` after it
}

void WindowPeer::GeometryChanged() {
  if (IsDialog()) {
    PlaceDialog();
  } else {
    MirrorLineGeometry();
  }
}

void WindowPeer::ColorChanged() { ApplyPaint(); }

// Mirrors BackColor into the background brush; the same colour changes nothing.
void WindowPeer::ApplyPaint() {
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

HBRUSH WindowPeer::BackgroundBrush() const {
  if (!paint_) return nullptr;
  return paint_->system ? GetSysColorBrush(static_cast<int>(paint_->value)) : brush_.get();
}

COLORREF WindowPeer::BackgroundColor() const {
  if (!paint_) return GetSysColor(COLOR_BTNFACE);
  return paint_->system ? GetSysColor(static_cast<int>(paint_->value)) : paint_->value;
}

LRESULT WindowPeer::OnEraseBackground(HWND window, HDC dc) const {
  HBRUSH brush = BackgroundBrush();
  if (brush == nullptr) return 0;
  RECT client{};
  GetClientRect(window, &client);
  FillRect(dc, &client, brush);
  return 1;
}

// Showing also activates, as the forms layer does right after anyway.
// NOTE: Wine 8 tells the X window manager about an activation only when a
// window is mapped; a window first shown inactive stays inactive for the
// window manager, whose own keys (Alt+F4) then go to another window.
void WindowPeer::VisibleChanged() {
  ShowWindow(window_.get(), form_.visible() ? SW_SHOW : SW_HIDE);
}

void WindowPeer::Activate() {
  HWND window = window_.get();
  if (IsIconic(window)) {
    ShowWindow(window, SW_RESTORE);
  } else if (!IsWindowVisible(window)) {
    ShowWindow(window, SW_SHOW);
  }
  BringToForeground(window);
}

void BringToForeground(HWND window) {
  if (GetForegroundWindow() != window && !SetForegroundWindow(window)) {
    // NOTE: only the process that owns the foreground may hand it on; when
    // another program holds it, share its input state for the one call.
    const DWORD ours = GetCurrentThreadId();
    const DWORD theirs = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
    if (theirs != 0 && theirs != ours && AttachThreadInput(ours, theirs, TRUE)) {
      SetForegroundWindow(window);
      AttachThreadInput(ours, theirs, FALSE);
    }
  }
  if (GetActiveWindow() != window) SetActiveWindow(window);
  HWND focus = GetFocus();
  if (focus != window && !IsChild(window, focus)) SetFocus(window);
}

LRESULT WindowPeer::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return OnEraseBackground(window, reinterpret_cast<HDC>(wParam));
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      return OnKeyDown(window, message, wParam, lParam);
    case WM_SYSCOMMAND:
      if (!IsDialog() && IsKeyboardMenuCommand(wParam, lParam)) return 0;
      break;
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_TIMER:
      OnTimer(wParam);
      return 0;
    case WM_COMMAND:
      OnCommand(wParam, lParam);
      return 0;
    case WM_ACTIVATE:
      OnActivate(window, wParam);
      break;
    case WM_SETFOCUS:
      if (!IsDialog()) break;
      FocusFirstControl();
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return OnControlColor(reinterpret_cast<HDC>(wParam));
    case WM_GETMINMAXINFO:
      if (!IsDialog()) break;
      OnGetMinMaxInfo(window, *reinterpret_cast<MINMAXINFO*>(lParam));
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK WindowPeer::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* peer = reinterpret_cast<WindowPeer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
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

bool WindowPeer::IsDialogWindow(HWND window, ATOM formClass) {
  if (static_cast<ATOM>(GetClassLongPtrW(window, GCW_ATOM)) != formClass) return false;
  const auto* peer = reinterpret_cast<const WindowPeer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  return peer != nullptr && peer->IsDialog();
}

}  // namespace plumbmark::win32
