// Who has the keyboard: bringing one of our windows forward, and giving the
// keyboard back after a window of ours closed.
#pragma once

#include <initializer_list>

#include "window_class.h"

namespace plumbmark::win32 {

// Makes `window` the foreground window and gives it the keyboard, even when
// the system's foreground rules would refuse it to this process.
void BringToForeground(HWND window);

// Gives the keyboard to the first of `candidates` that is one of our shown,
// enabled windows and not `closing`; nothing when none is.
void HandKeyboardTo(std::initializer_list<HWND> candidates, HWND closing,
                    const WindowClass& formClass);

}  // namespace plumbmark::win32
