#include "platform/win32/dialog_window.h"

#include "platform/win32/system_error.h"

namespace plumbmark::win32 {
namespace {

// A close box and no resizing frame; the controls take Tab from the dialog.
constexpr DWORD kDialogStyle = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kDialogExtendedStyle = WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT;

int Width(const RECT& rect) { return rect.right - rect.left; }
int Height(const RECT& rect) { return rect.bottom - rect.top; }

}  // namespace

// Creates the hidden window at the system's default position with the client
// size of its design, then its colour, controls and timers.
DialogWindow::DialogWindow(Win32Backend& backend, forms::Form& form)
    : FormWindow(backend, form),
      placed_(forms::DisplayRect(form, backend.Screen())),
      controls_(backend, form) {
  const RECT outer = OuterRect(kDialogStyle, kDialogExtendedStyle);
  Create(kDialogStyle, kDialogExtendedStyle, CW_USEDEFAULT, CW_USEDEFAULT, Width(outer),
         Height(outer));
  // NOTE: the system widens a captioned window to its minimum tracking size
  // while creating it, before this peer can answer WM_GETMINMAXINFO (at
  // 144 DPI the interval dialog came out a pixel wider than designed); sized
  // again now, it keeps the design's client area.
  if (!::SetWindowPos(hwnd(), nullptr, 0, 0, Width(outer), Height(outer),
                      SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE)) {
    throw SystemError("SetWindowPos");
  }
  ApplyPaint();
  controls_.Create(hwnd());
  StartTimers();
}

DialogWindow::~DialogWindow() { Destroy(); }

// The outer rectangle of a dialog whose client area has the design's size.
RECT DialogWindow::OuterRect(DWORD style, DWORD exStyle) const {
  RECT rect{0, 0, placed_.width, placed_.height};
  if (!AdjustWindowRectExForDpi(&rect, style, FALSE, exStyle, backend().ScreenDpi())) {
    throw SystemError("AdjustWindowRectExForDpi");
  }
  return rect;
}

// The same, for the styles `window` really has.
RECT DialogWindow::OuterRect(HWND window) const {
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
  return OuterRect(style, exStyle);
}

// Mirrors a change of the form's geometry: a new position moves the window,
// a new client size resizes it; the default position stays until then.
void DialogWindow::GeometryChanged() {
  const forms::PixelRect wanted = forms::DisplayRect(form(), backend().Screen());
  const bool move = wanted.x != placed_.x || wanted.y != placed_.y;
  const bool size = wanted.width != placed_.width || wanted.height != placed_.height;
  if (!move && !size) return;
  placed_ = wanted;
  const RECT outer = OuterRect(hwnd());
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  if (!move) flags |= SWP_NOMOVE;
  if (!size) flags |= SWP_NOSIZE;
  if (!::SetWindowPos(hwnd(), nullptr, wanted.x + outer.left, wanted.y + outer.top, Width(outer),
                      Height(outer), flags)) {
    throw SystemError("SetWindowPos");
  }
}

void DialogWindow::ControlChanged(forms::Control& control) {
  controls_.Mirror(control);
  FormWindow::ControlChanged(control);
}

// A dialog is exactly as large as its design: never widened to the system's
// minimum tracking size for captioned windows.
void DialogWindow::OnGetMinMaxInfo(HWND window, MINMAXINFO& limits) const {
  const RECT outer = OuterRect(window);
  limits.ptMinTrackSize = {Width(outer), Height(outer)};
}

// Remembers which control had the keyboard when the dialog is left.
void DialogWindow::OnActivate(HWND window, WPARAM wParam) {
  if (LOWORD(wParam) != WA_INACTIVE) return;
  HWND focus = GetFocus();
  if (focus != nullptr && IsChild(window, focus)) lastFocus_ = focus;
}

// Gives the keyboard to the control that last had it, or the first in tab order.
void DialogWindow::FocusLastControl() {
  HWND window = hwnd();
  HWND target = lastFocus_ != nullptr && IsChild(window, lastFocus_)
                    ? lastFocus_
                    : GetNextDlgTabItem(window, nullptr, FALSE);
  if (target != nullptr) SetFocus(target);
}

// Labels and buttons are drawn on the dialog's own background.
LRESULT DialogWindow::OnControlColor(HDC dc) const {
  SetBkColor(dc, BackgroundColor());
  return reinterpret_cast<LRESULT>(BackgroundBrush());
}

LRESULT DialogWindow::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      controls_.OnCommand(wParam);
      return 0;
    case WM_ACTIVATE:
      OnActivate(window, wParam);
      break;
    case WM_SETFOCUS:
      FocusLastControl();
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return OnControlColor(reinterpret_cast<HDC>(wParam));
    case WM_GETMINMAXINFO:
      OnGetMinMaxInfo(window, *reinterpret_cast<MINMAXINFO*>(lParam));
      return 0;
    default:
      break;
  }
  return FormWindow::OnMessage(window, message, wParam, lParam);
}

// Tab, the arrow keys and the controls' own keys go through the dialog manager.
bool DialogWindow::OnQueuedMessage(MSG& message) {
  return IsDialogMessageW(hwnd(), &message) != FALSE;
}

}  // namespace plumbmark::win32
