// The line windows: borderless forms whose geometry follows the pointer and
// which take the key commands.
#include "platform/win32/line_placement.h"
#include "platform/win32/resource_ids.h"
#include "platform/win32/system_error.h"
#include "platform/win32/window.h"

namespace plumbmark::win32 {
namespace {

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

// The program icon at one of the system's icon sizes for `dpi`.
UniqueIcon LoadProgramIcon(HINSTANCE instance, int metric, UINT dpi) {
  const int size = GetSystemMetricsForDpi(metric, dpi);
  UniqueIcon icon(static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(IDI_PLUMBMARK), IMAGE_ICON, size, size, 0)));
  if (!icon) throw SystemError("LoadImageW");
  return icon;
}

}  // namespace

void WindowPeer::SetUpLineWindow() {
  HWND window = window_.get();
  // NOTE: with a Japanese input method switched on, letter keys reach the
  // window as VK_PROCESSKEY; the line windows take single keys, never text.
  ImmAssociateContextEx(window, nullptr, 0);
  if (!form_.design().hasIcon) return;
  const UINT dpi = backend_.ScreenDpi();
  bigIcon_ = LoadProgramIcon(backend_.instance(), SM_CXICON, dpi);
  smallIcon_ = LoadProgramIcon(backend_.instance(), SM_CXSMICON, dpi);
  SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
  SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
}

// Moves and sizes the window only when its real rectangle differs from the
// wanted one: an unchanged tick costs no move and no repaint, and a window
// that the window manager pushed elsewhere is put back.
void WindowPeer::MirrorLineGeometry() {
  HWND window = window_.get();
  const LinePlacement placement =
      PlaceLine(forms::DisplayRect(form_, backend_.Screen()), backend_.Desktop());
  if (placement.showsNothing) SetShowsNothing(true);  // clip before moving: no flash
  RECT now{};
  if (!GetWindowRect(window, &now)) throw SystemError("GetWindowRect");
  const forms::PixelRect& want = placement.window;
  const bool move = now.left != want.x || now.top != want.y;
  const bool size = now.right - now.left != want.width || now.bottom - now.top != want.height;
  if (move || size) {
    UINT flags = SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOACTIVATE;
    if (!move) flags |= SWP_NOMOVE;
    if (!size) flags |= SWP_NOSIZE;
    if (!::SetWindowPos(window, nullptr, want.x, want.y, want.width, want.height, flags)) {
      throw SystemError("SetWindowPos");
    }
  }
  if (!placement.showsNothing) SetShowsNothing(false);
}

// Clips the window to an empty region, or lifts the clip.
void WindowPeer::SetShowsNothing(bool showsNothing) {
  if (showsNothing == showsNothing_) return;
  HRGN region = showsNothing ? CreateRectRgn(0, 0, 0, 0) : nullptr;
  if (showsNothing && region == nullptr) throw SystemError("CreateRectRgn");
  // The window owns the region from here on and deletes it when replaced.
  if (SetWindowRgn(window_.get(), region, TRUE) == 0) {
    if (region != nullptr) DeleteObject(region);
    throw SystemError("SetWindowRgn");
  }
  showsNothing_ = showsNothing;
}

// Every key-down, auto-repeats and system keys included, becomes the form's
// KeyDown event; system keys then go on to the system (Alt+F4 still closes).
LRESULT WindowPeer::OnKeyDown(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  forms::Application& app = backend_.app();
  app.RaiseKeyDown(form_, static_cast<std::int16_t>(wParam & 0xFF), ModifierState());
  // The command may have ended the program: nothing of `this` from here on.
  if (message == WM_SYSKEYDOWN && IsWindow(window)) {
    return DefWindowProcW(window, message, wParam, lParam);
  }
  return 0;
}

// NOTE: F10 or a lone Alt would put a borderless window into menu mode, where
// it swallows the next keys without showing any menu; Alt+Space (lParam is
// the space character) still opens the system menu.
bool WindowPeer::IsKeyboardMenuCommand(WPARAM wParam, LPARAM lParam) {
  return (wParam & 0xFFF0) == SC_KEYMENU && lParam == 0;
}

}  // namespace plumbmark::win32
