// Who has the keyboard: bringing one of our windows forward, and giving the
// keyboard back after a window of ours closed.
#pragma once

#include <initializer_list>

#include "window_class.h"

namespace plumbmark::win32 {

// Asks Windows once to make `window` the foreground window, then gives it
// the keyboard within our own thread. Windows refuses the foreground to a
// program the user is not using (started by a script or the Startup folder,
// or while the user went on elsewhere): then `taskbarWindow`'s button
// flashes, and the user's click or the button gives the keyboard over.
void BringToForeground(HWND window, HWND taskbarWindow);

// Gives the keyboard to the first of `candidates` that is one of our shown,
// enabled windows and not `closing`; nothing when none is.
void HandKeyboardTo(std::initializer_list<HWND> candidates, HWND closing,
                    const WindowClass& formClass, HWND taskbarWindow);

}  // namespace plumbmark::win32
