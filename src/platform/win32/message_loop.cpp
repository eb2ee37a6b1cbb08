#include "message_loop.h"

#include "form_window.h"
#include "system_error.h"

namespace plumbmark::win32 {

int RunMessageLoop(const WindowClass& formClass) {
  MSG message{};
  for (;;) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(message.wParam);
    if (got == -1) throw SystemError("GetMessageW");
    // Keys only: the dialog manager (Tab moves between a dialog's controls,
    // the line windows get Tab as a key) and translation into characters act
    // on nothing else, so a tick costs neither call.
    if (message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST) {
      if (FormWindow::PreTranslate(message, formClass)) continue;
      TranslateMessage(&message);
    }
    DispatchMessageW(&message);
  }
}

}  // namespace plumbmark::win32
