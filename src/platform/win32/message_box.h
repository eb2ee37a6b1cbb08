// The program's message boxes: modal over every window of the program.
#pragma once

#include <cstdint>
#include <string>

#include "window_class.h"

namespace plumbmark::win32 {

// Shows a message box owned by `owner` with our other windows disabled
// meanwhile, as a modal box of the forms layer requires; returns
// MessageBoxW's result. Timers keep ticking while it is open.
int ShowModalMessageBox(HWND owner, const WindowClass& formClass, const std::string& text,
                        std::int32_t style, const std::string& title);

}  // namespace plumbmark::win32
