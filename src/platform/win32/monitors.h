// The monitors as the system reports them now: where each lies, its scaling
// and which one is the primary. A different list means the display changed.
#pragma once

#include <vector>

#include "desktop.h"

namespace plumbmark::win32 {

// Every monitor, in the system's order; the primary screen as the system
// metrics give it when the monitors cannot be listed.
std::vector<MonitorState> CurrentMonitors();

}  // namespace plumbmark::win32
