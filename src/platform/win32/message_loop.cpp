#include "message_loop.h"

#include "form_window.h"
#include "system_error.h"

namespace plumbmark::win32 {
namespace {

// A held key repeats into whichever window has the keyboard: C opens the
// colour dialog, and the held C would go on typing into its combo box. An
// auto-repeat counts only in the window its first key-down went to.
class KeyRepeats {
 public:
  // True for an auto-repeat of a key first pressed in another window.
  bool Strays(const MSG& message) {
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
    HWND window = GetAncestor(message.hwnd, GA_ROOT);
    const bool autoRepeat = (message.lParam & (LPARAM{1} << 30)) != 0;
    if (!autoRepeat) {
      key_ = message.wParam;
      window_ = window;
      return false;
    }
    return message.wParam != key_ || window != window_;
  }

 private:
  WPARAM key_ = 0;
  HWND window_ = nullptr;
};

}  // namespace

int RunMessageLoop(const WindowClass& formClass) {
  MSG message{};
  KeyRepeats repeats;
  for (;;) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(message.wParam);
    if (got == -1) throw SystemError("GetMessageW");
    // Keys only: the dialog manager (Tab moves between a dialog's controls,
    // the line windows get Tab as a key) and translation into characters act
    // on nothing else, so a tick costs neither call.
    if (message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST) {
      if (repeats.Strays(message)) continue;
      if (FormWindow::PreTranslate(message, formClass)) continue;
      TranslateMessage(&message);
    }
    DispatchMessageW(&message);
  }
}

}  // namespace plumbmark::win32
