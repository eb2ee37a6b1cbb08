#include "line_window.h"

#include "dpi.h"
#include "resource_ids.h"
#include "system_error.h"

namespace plumbmark::win32 {
namespace {

// A borderless popup with a system menu and the design's minimize and maximize boxes.
DWORD LineStyle(const forms::FormDesign& design) {
  DWORD style = WS_POPUP | WS_SYSMENU;
  if (design.minButton) style |= WS_MINIMIZEBOX;
  if (design.maxButton) style |= WS_MAXIMIZEBOX;
  return style;
}

// Layered and transparent, a line lets every click through to the window
// beneath: Windows' hit testing skips such a window, whatever it shows. An
// app window gets a taskbar button (and Alt+Tab), through which the user
// gives it the keyboard; a tool window gets neither, takes no keys and is
// never activated at all.
// NOTE: not WS_EX_NOACTIVATE on the app window, though the taskbar and
// Alt+Tab would still activate it on Windows: Wine 8 then never gives it the
// X input focus, and no key reaches it.
DWORD LineExtendedStyle(const forms::FormDesign& design) {
  constexpr DWORD kClickThrough = WS_EX_LAYERED | WS_EX_TRANSPARENT;
  return kClickThrough |
         (design.showInTaskbar ? WS_EX_APPWINDOW : WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE);
}

// The program icon at one of the system's icon sizes for `dpi`.
UniqueIcon LoadProgramIcon(HINSTANCE instance, int metric, UINT dpi) {
  const int size = SystemMetricForDpi(metric, dpi);
  UniqueIcon icon(static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(IDI_PLUMBMARK), IMAGE_ICON, size, size, 0)));
  if (!icon) throw SystemError("LoadImageW");
  return icon;
}

// NOTE: F10 or a lone Alt would put a borderless window into menu mode, where
// it swallows the next keys without showing any menu; Alt+Space (lParam is
// the space character) still opens the system menu.
bool IsKeyboardMenuCommand(WPARAM wParam, LPARAM lParam) {
  return (wParam & 0xFFF0) == SC_KEYMENU && lParam == 0;
}

// The system menu stays, but a line is never minimised or maximised from
// it (Alt+Space) or from the shell; nothing would ever restore it.
bool IsMinimizeOrMaximize(WPARAM wParam) {
  const WPARAM command = wParam & 0xFFF0;
  return command == SC_MINIMIZE || command == SC_MAXIMIZE;
}

// Posted to put a line back after something minimised or maximised it
// without asking (another program's ShowWindow).
constexpr UINT kKeepRestoredMessage = WM_APP;

}  // namespace

// Creates the hidden window at its place on the desktop, then its colour,
// input and icon, then its timers.
LineWindow::LineWindow(Win32Backend& backend, forms::Form& form) : FormWindow(backend, form) {
  const LinePlacement placement = Placement();
  const forms::PixelRect& at = placement.window;
  Create(LineStyle(form.design()), LineExtendedStyle(form.design()), at.x, at.y, at.width,
         at.height);
  RECT created{};
  if (!GetWindowRect(hwnd(), &created)) throw SystemError("GetWindowRect");
  rect_ = {created.left, created.top, created.right - created.left, created.bottom - created.top};
  // Fully opaque: a layered line is drawn as any window is, by WM_ERASEBKGND.
  if (!SetLayeredWindowAttributes(hwnd(), 0, 255, LWA_ALPHA)) {
    throw SystemError("SetLayeredWindowAttributes");
  }
  SetShowsNothing(placement.showsNothing);
  ApplyPaint();
  SetUpInputAndIcon();
  StartTimers();
}

LineWindow::~LineWindow() { Destroy(); }

// A blank line keeps its place and shows nothing, as a zero-thickness one.
LinePlacement LineWindow::Placement() const {
  const forms::ScreenMetrics screen = backend().Screen();
  LinePlacement placement = PlaceLine(forms::DisplayRect(form(), screen), screen.desktop);
  placement.showsNothing = placement.showsNothing || form().blank();
  return placement;
}

// Switches the input method off and shows the program icon if the design has one.
void LineWindow::SetUpInputAndIcon() {
  // NOTE: with a Japanese input method switched on, letter keys reach the
  // window as VK_PROCESSKEY; the line windows take single keys, never text.
  ImmAssociateContextEx(hwnd(), nullptr, 0);
  if (!form().design().hasIcon) return;
  const UINT dpi = backend().ScreenDpi();
  bigIcon_ = LoadProgramIcon(backend().instance(), SM_CXICON, dpi);
  smallIcon_ = LoadProgramIcon(backend().instance(), SM_CXSMICON, dpi);
  SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
  SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
}

// Puts the window where the form's rectangle and the current desktop place
// it, only when its rectangle differs: an unchanged tick makes no system call,
// and a window that the window manager pushed elsewhere is put back on the
// next tick (its rectangle follows every move, see OnWindowPosChanged).
void LineWindow::MirrorGeometry() {
  const LinePlacement placement = Placement();
  if (placement.showsNothing) SetShowsNothing(true);  // clip before moving: no flash
  if (placement.window != rect_) MoveTo(placement.window);
  if (!placement.showsNothing) SetShowsNothing(false);
}

// Moves and sizes only what differs; WM_WINDOWPOSCHANGED records the result.
// A line in the topmost band goes back to its top with the same call: the
// taskbar, the Start menu or another program's topmost window that came
// forward meanwhile is covered again at the next move, and only then.
void LineWindow::MoveTo(const forms::PixelRect& want) {
  const bool move = rect_.x != want.x || rect_.y != want.y;
  const bool size = rect_.width != want.width || rect_.height != want.height;
  UINT flags = SWP_NOOWNERZORDER | SWP_NOACTIVATE;
  if (!move) flags |= SWP_NOMOVE;
  if (!size) flags |= SWP_NOSIZE;
  if ((GetWindowLongPtrW(hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST) == 0) flags |= SWP_NOZORDER;
  if (!::SetWindowPos(hwnd(), HWND_TOPMOST, want.x, want.y, want.width, want.height, flags)) {
    throw SystemError("SetWindowPos");
  }
}

// Every change of the window's rectangle, ours or the window manager's,
// arrives here with the final position and size.
void LineWindow::OnWindowPosChanged(const WINDOWPOS& pos) {
  if ((pos.flags & SWP_NOMOVE) == 0) {
    rect_.x = pos.x;
    rect_.y = pos.y;
  }
  if ((pos.flags & SWP_NOSIZE) == 0) {
    rect_.width = pos.cx;
    rect_.height = pos.cy;
  }
}

// Clips the window to an empty region, or lifts the clip.
void LineWindow::SetShowsNothing(bool showsNothing) {
  if (showsNothing == showsNothing_) return;
  UniqueRegion region(showsNothing ? CreateRectRgn(0, 0, 0, 0) : nullptr);
  if (showsNothing && !region) throw SystemError("CreateRectRgn");
  if (SetWindowRgn(hwnd(), region.get(), TRUE) == 0) throw SystemError("SetWindowRgn");
  region.Release();  // the window owns it now and deletes it when replaced
  showsNothing_ = showsNothing;
}

LRESULT LineWindow::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SYSCOMMAND:
      if (IsKeyboardMenuCommand(wParam, lParam) || IsMinimizeOrMaximize(wParam)) return 0;
      break;
    case WM_SIZE:
      if (wParam == SIZE_MINIMIZED || wParam == SIZE_MAXIMIZED) {
        PostMessageW(window, kKeepRestoredMessage, 0, 0);
      }
      break;
    case kKeepRestoredMessage:
      KeepRestored();
      return 0;
    case WM_WINDOWPOSCHANGED:
      OnWindowPosChanged(*reinterpret_cast<WINDOWPOS*>(lParam));
      break;
    default:
      break;
  }
  return FormWindow::OnMessage(window, message, wParam, lParam);
}

}  // namespace plumbmark::win32
