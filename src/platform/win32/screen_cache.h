// The monitors and the screen metrics as of start-up or the last display
// change. The system tells every window of each change, so a tick reads
// none of them from the system.
#pragma once

#include <vector>

#include "backend.h"
#include "desktop.h"

namespace plumbmark::win32 {

class ScreenCache {
 public:
  ScreenCache();

  const forms::ScreenMetrics& metrics() const { return metrics_; }
  // The DPI of the primary monitor, the one the metrics describe.
  std::uint32_t primaryDpi() const { return primaryDpi_; }
  // Reads the monitors again; true when they differ from those last read.
  bool Refresh();

 private:
  void Take(std::vector<MonitorState> monitors);

  std::vector<MonitorState> monitors_;
  forms::ScreenMetrics metrics_;
  std::uint32_t primaryDpi_ = kDefaultDpi;
};

}  // namespace plumbmark::win32
