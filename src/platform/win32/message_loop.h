// The program's message loop: every message of the one thread, until the
// program ends.
#pragma once

#include "window_class.h"

namespace plumbmark::win32 {

// Runs until WM_QUIT and returns its exit code. A key message is offered to
// the form window it is for before it is translated and dispatched. A failed
// GetMessageW raises the system's error.
int RunMessageLoop(const WindowClass& formClass);

}  // namespace plumbmark::win32
