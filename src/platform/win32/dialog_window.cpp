#include "dialog_window.h"

#include <algorithm>

#include "desktop.h"
#include "dpi.h"
#include "system_error.h"

namespace plumbmark::win32 {
namespace {

// A close box and no resizing frame; the controls take Tab from the dialog.
constexpr DWORD kDialogStyle = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kDialogExtendedStyle = WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT;

int Width(const RECT& rect) { return rect.right - rect.left; }
int Height(const RECT& rect) { return rect.bottom - rect.top; }

// Gives `window` the size of `outer`, at (x, y) unless `flags` hold SWP_NOMOVE.
void SetWindowRect(HWND window, int x, int y, const RECT& outer, UINT flags) {
  if (!::SetWindowPos(window, nullptr, x, y, Width(outer), Height(outer),
                      flags | SWP_NOZORDER | SWP_NOACTIVATE)) {
    throw SystemError("SetWindowPos");
  }
}

}  // namespace

// Creates the hidden window at the system's default position, lays it out
// for the monitor it opened on, then its colour, controls and timers.
DialogWindow::DialogWindow(Win32Backend& backend, forms::Form& form)
    : FormWindow(backend, form),
      placed_(form.geometry()),
      dpi_(backend.ScreenDpi()),  // until the window exists and has a monitor
      controls_(backend, form) {
  const RECT outer = OuterRect(kDialogStyle, kDialogExtendedStyle, dpi_);
  Create(kDialogStyle, kDialogExtendedStyle, CW_USEDEFAULT, CW_USEDEFAULT, Width(outer),
         Height(outer));
  dpi_ = WindowDpi(hwnd());
  // NOTE: the system widens a captioned window to its minimum tracking size
  // while creating it, before this peer can answer WM_GETMINMAXINFO (at
  // 144 DPI the interval dialog came out a pixel wider than designed); sized
  // again now, it keeps the design's client area.
  SizeToDesign();
  ApplyPaint();
  controls_.Create(hwnd(), dpi_);
  StartTimers();
}

DialogWindow::~DialogWindow() { Destroy(); }

// The outer rectangle of a dialog whose client area has the design's size at `dpi`.
RECT DialogWindow::OuterRect(DWORD style, DWORD exStyle, UINT dpi) const {
  const float twipsPerPixel = TwipsPerPixelAt(dpi);
  RECT rect{0, 0, std::max(0, forms::TwipsToPixels(placed_.width, twipsPerPixel)),
            std::max(0, forms::TwipsToPixels(placed_.height, twipsPerPixel))};
  if (!AdjustWindowRectForDpi(rect, style, exStyle, dpi)) throw SystemError("AdjustWindowRectEx");
  return rect;
}

// The same, for the styles `window` really has.
RECT DialogWindow::OuterRect(HWND window, UINT dpi) const {
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
  return OuterRect(style, exStyle, dpi);
}

// The design's client size at the DPI the dialog is laid out for, where it is.
void DialogWindow::SizeToDesign() {
  SetWindowRect(hwnd(), 0, 0, OuterRect(hwnd(), dpi_), SWP_NOMOVE);
}

// Mirrors a change of the form's geometry: a new position moves the window,
// a new client size resizes it; the default position stays until then.
void DialogWindow::GeometryChanged() {
  const forms::FormGeometry& wanted = form().geometry();
  const bool move = wanted.left != placed_.left || wanted.top != placed_.top;
  const bool size = wanted.width != placed_.width || wanted.height != placed_.height;
  if (!move && !size) return;
  placed_ = wanted;
  const forms::PixelRect at = forms::DisplayRect(form(), backend().Screen());
  const RECT outer = OuterRect(hwnd(), dpi_);
  SetWindowRect(hwnd(), at.x + outer.left, at.y + outer.top, outer, move ? 0 : SWP_NOMOVE);
}

// Laid out again for the monitor the dialog moved to: client size, controls
// and font from the design at the new DPI, at the position the system offers.
void DialogWindow::OnDpiChanged(HWND window, UINT dpi, const RECT& suggested) {
  dpi_ = dpi;
  controls_.Relayout(dpi);
  SetWindowRect(window, suggested.left, suggested.top, OuterRect(window, dpi), 0);
}

// The size the dialog takes at `dpi`, for the system to offer a position for it.
void DialogWindow::OnGetDpiScaledSize(HWND window, UINT dpi, SIZE& size) const {
  const RECT outer = OuterRect(window, dpi);
  size = {Width(outer), Height(outer)};
}

void DialogWindow::ControlChanged(forms::Control& control) {
  controls_.Mirror(control);
  FormWindow::ControlChanged(control);
}

// A dialog is exactly as large as its design: never widened to the system's
// minimum tracking size for captioned windows.
void DialogWindow::OnGetMinMaxInfo(HWND window, MINMAXINFO& limits) const {
  const RECT outer = OuterRect(window, dpi_);
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

// Labels and buttons are drawn on the dialog's own background, the system's
// button face, with the text colour that goes with it, so that the text
// reads in a high-contrast scheme too.
LRESULT DialogWindow::OnControlColor(HDC dc) const {
  SetBkColor(dc, BackgroundColor());
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
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
    case WM_GETDPISCALEDSIZE:
      OnGetDpiScaledSize(window, static_cast<UINT>(wParam), *reinterpret_cast<SIZE*>(lParam));
      return TRUE;
    case WM_DPICHANGED:
      OnDpiChanged(window, LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      break;  // the backend hears of it too
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
