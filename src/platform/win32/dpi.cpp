#include "dpi.h"

namespace plumbmark::win32 {

UINT WindowDpi(HWND window, UINT fallback) {
  const UINT dpi = GetDpiForWindow(window);
  return dpi != 0 ? dpi : fallback;
}

}  // namespace plumbmark::win32
