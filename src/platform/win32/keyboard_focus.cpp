#include "keyboard_focus.h"

namespace plumbmark::win32 {

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

void HandKeyboardTo(std::initializer_list<HWND> candidates, HWND closing,
                    const WindowClass& formClass) {
  for (HWND candidate : candidates) {
    if (candidate != closing && formClass.IsOurs(candidate) && IsWindowVisible(candidate) &&
        IsWindowEnabled(candidate)) {
      BringToForeground(candidate);
      return;
    }
  }
}

}  // namespace plumbmark::win32
