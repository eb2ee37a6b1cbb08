#include "screen_cache.h"

#include <utility>

#include "monitors.h"

namespace plumbmark::win32 {

ScreenCache::ScreenCache() { Take(CurrentMonitors()); }

bool ScreenCache::Refresh() {
  std::vector<MonitorState> monitors = CurrentMonitors();
  if (monitors == monitors_) return false;
  Take(std::move(monitors));
  return true;
}

void ScreenCache::Take(std::vector<MonitorState> monitors) {
  monitors_ = std::move(monitors);
  metrics_ = ScreenOf(monitors_);
  primaryDpi_ = PrimaryDpi(monitors_);
}

}  // namespace plumbmark::win32
