#include "desktop.h"

#include <algorithm>
#include <ranges>

namespace plumbmark::win32 {
namespace {

constexpr float kTwipsPerInch = 1440.0f;

const MonitorState* Primary(const std::vector<MonitorState>& monitors) {
  const auto primary = std::ranges::find_if(monitors, &MonitorState::primary);
  if (primary != monitors.end()) return &*primary;
  return monitors.empty() ? nullptr : &monitors.front();
}

// The bounding rectangle of every monitor's area.
forms::PixelRect Bounds(const std::vector<MonitorState>& monitors) {
  if (monitors.empty()) return {};
  std::int64_t left = monitors.front().area.x, top = monitors.front().area.y;
  std::int64_t right = left, bottom = top;
  for (const MonitorState& m : monitors) {
    left = std::min<std::int64_t>(left, m.area.x);
    top = std::min<std::int64_t>(top, m.area.y);
    right = std::max<std::int64_t>(right, std::int64_t{m.area.x} + m.area.width);
    bottom = std::max<std::int64_t>(bottom, std::int64_t{m.area.y} + m.area.height);
  }
  return {static_cast<std::int32_t>(left), static_cast<std::int32_t>(top),
          static_cast<std::int32_t>(right - left), static_cast<std::int32_t>(bottom - top)};
}

}  // namespace

float TwipsPerPixelAt(std::uint32_t dpi) { return kTwipsPerInch / static_cast<float>(dpi); }

std::uint32_t PrimaryDpi(const std::vector<MonitorState>& monitors) {
  const MonitorState* primary = Primary(monitors);
  return primary != nullptr && primary->dpi != 0 ? primary->dpi : kDefaultDpi;
}

forms::ScreenMetrics ScreenOf(const std::vector<MonitorState>& monitors) {
  const MonitorState* primary = Primary(monitors);
  const float twipsPerPixel = TwipsPerPixelAt(PrimaryDpi(monitors));
  return {primary != nullptr ? primary->area.width : 0,
          primary != nullptr ? primary->area.height : 0, twipsPerPixel, twipsPerPixel,
          Bounds(monitors)};
}

}  // namespace plumbmark::win32
