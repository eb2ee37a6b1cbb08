// The scaling a window is laid out for.
#pragma once

#include "windows_api.h"

namespace plumbmark::win32 {

// The DPI `window` is laid out for; `fallback` when the system cannot tell.
UINT WindowDpi(HWND window, UINT fallback);

}  // namespace plumbmark::win32
