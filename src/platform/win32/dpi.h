// Scaling: per-monitor where the system has it, the system DPI before
// (Windows 7 and 8 scale every monitor alike). Each function gives today's
// values where the newer functions exist.
#pragma once

#include "windows_api.h"

namespace plumbmark::win32 {

// The system DPI, the one every monitor has before per-monitor scaling.
UINT SystemDpi();
// The DPI of a monitor, or of the monitor a window is laid out for.
UINT MonitorDpi(HMONITOR monitor);
UINT WindowDpi(HWND window);
// GetSystemMetrics at `dpi`.
int SystemMetricForDpi(int metric, UINT dpi);
// The outer rectangle of a window whose client area is `rect`, at `dpi`.
bool AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, UINT dpi);
// The system's message font at `dpi`, or false when it cannot be read.
bool MessageFontForDpi(LOGFONTW& font, UINT dpi);

}  // namespace plumbmark::win32
