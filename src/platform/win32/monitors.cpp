#include "monitors.h"

#include "dpi.h"

namespace plumbmark::win32 {
namespace {

// Adds one monitor's place, scaling and role to the list.
BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC /*dc*/, LPRECT /*clip*/, LPARAM list) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!GetMonitorInfoW(monitor, &info)) return TRUE;
  const RECT& r = info.rcMonitor;
  reinterpret_cast<std::vector<MonitorState>*>(list)->push_back(
      MonitorState{{r.left, r.top, r.right - r.left, r.bottom - r.top},
                   MonitorDpi(monitor),
                   (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
  return TRUE;
}

}  // namespace

std::vector<MonitorState> CurrentMonitors() {
  std::vector<MonitorState> monitors;
  EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  if (monitors.empty()) {
    monitors.push_back(
        {{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, SystemDpi(), true});
  }
  return monitors;
}

}  // namespace plumbmark::win32
