// The monitors as the system reports them now: where each lies, its scaling
// and which one is the primary. A different list means the display changed.
#pragma once

#include <vector>

#include "platform/backend.h"
#include "platform/win32/windows_api.h"

namespace plumbmark::win32 {

struct MonitorState {
  forms::PixelRect area;  // in pixels, from the primary's top-left corner
  UINT dpi = 0;
  bool primary = false;
  bool operator==(const MonitorState&) const = default;
};

// Every monitor, in the system's order.
std::vector<MonitorState> CurrentMonitors();

}  // namespace plumbmark::win32
