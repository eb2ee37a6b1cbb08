#include "keyboard_focus.h"

namespace plumbmark::win32 {
namespace {

// Flashes the taskbar button until the window comes to the foreground.
void FlashTaskbarButton(HWND window) {
  if (window == nullptr) return;
  FLASHWINFO flash{sizeof(flash), window, FLASHW_TRAY | FLASHW_TIMERNOFG, 0, 0};
  FlashWindowEx(&flash);
}

}  // namespace

// NOTE: never joins another program's input queue (AttachThreadInput) to
// force the foreground: the keys the user types there would become our
// commands, and a hung program in front would hang ours.
void BringToForeground(HWND window, HWND taskbarWindow) {
  if (GetForegroundWindow() != window && !SetForegroundWindow(window)) {
    FlashTaskbarButton(taskbarWindow);
  }
  if (GetActiveWindow() != window) SetActiveWindow(window);
  HWND focus = GetFocus();
  if (focus != window && !IsChild(window, focus)) SetFocus(window);
}

void HandKeyboardTo(std::initializer_list<HWND> candidates, HWND closing,
                    const WindowClass& formClass, HWND taskbarWindow) {
  for (HWND candidate : candidates) {
    if (candidate != closing && formClass.IsOurs(candidate) && IsWindowVisible(candidate) &&
        IsWindowEnabled(candidate)) {
      BringToForeground(candidate, taskbarWindow);
      return;
    }
  }
}

}  // namespace plumbmark::win32
