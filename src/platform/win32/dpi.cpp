#include "dpi.h"

#include "handles.h"
#include "newer_functions.h"

namespace plumbmark::win32 {
namespace {

constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

// A length at the system DPI scaled to `dpi`.
int Scaled(int length, UINT dpi) {
  return MulDiv(length, static_cast<int>(dpi), static_cast<int>(SystemDpi()));
}

}  // namespace

UINT SystemDpi() {
  static const UINT dpi = [] {
    const UniqueScreenDc screen(GetDC(nullptr));
    const int pixels = screen ? GetDeviceCaps(screen.get(), LOGPIXELSX) : 0;
    return pixels > 0 ? static_cast<UINT>(pixels) : USER_DEFAULT_SCREEN_DPI;
  }();
  return dpi;
}

UINT MonitorDpi(HMONITOR monitor) {
  UINT dpiX = 0, dpiY = 0;
  const auto getDpi = Newer().GetDpiForMonitor;
  if (getDpi != nullptr && SUCCEEDED(getDpi(monitor, kEffectiveDpi, &dpiX, &dpiY)) && dpiX != 0) {
    return dpiX;
  }
  return SystemDpi();
}

UINT WindowDpi(HWND window) {
  const auto getDpi = Newer().GetDpiForWindow;
  const UINT dpi = getDpi != nullptr ? getDpi(window) : 0;
  return dpi != 0 ? dpi : MonitorDpi(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}

int SystemMetricForDpi(int metric, UINT dpi) {
  const auto forDpi = Newer().GetSystemMetricsForDpi;
  return forDpi != nullptr ? forDpi(metric, dpi) : Scaled(GetSystemMetrics(metric), dpi);
}

// Without the DPI-aware call, the frame around the client area at the
// system DPI is scaled to `dpi`.
bool AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, UINT dpi) {
  if (const auto forDpi = Newer().AdjustWindowRectExForDpi) {
    return forDpi(&rect, style, FALSE, exStyle, dpi) != FALSE;
  }
  RECT outer = rect;
  if (!AdjustWindowRectEx(&outer, style, FALSE, exStyle)) return false;
  rect = {rect.left - Scaled(rect.left - outer.left, dpi),
          rect.top - Scaled(rect.top - outer.top, dpi),
          rect.right + Scaled(outer.right - rect.right, dpi),
          rect.bottom + Scaled(outer.bottom - rect.bottom, dpi)};
  return true;
}

// Without the DPI-aware call, the font's height at the system DPI is scaled.
bool MessageFontForDpi(LOGFONTW& font, UINT dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  const auto forDpi = Newer().SystemParametersInfoForDpi;
  const bool read =
      forDpi != nullptr
          ? forDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi) != FALSE
          : SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0) != FALSE;
  if (!read) return false;
  font = metrics.lfMessageFont;
  if (forDpi == nullptr) font.lfHeight = Scaled(font.lfHeight, dpi);
  return true;
}

}  // namespace plumbmark::win32
