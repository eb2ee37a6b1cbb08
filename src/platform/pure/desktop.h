// The screen the program sees, worked out from the monitors the system
// reports: the primary monitor's size and scaling, and the desktop that
// spans every monitor. Pure, so any arrangement of monitors is tested.
#pragma once

#include <cstdint>
#include <vector>

#include "backend.h"

namespace plumbmark::win32 {

// One monitor as the system reports it.
struct MonitorState {
  forms::PixelRect area;  // in pixels, from the primary's top-left corner
  std::uint32_t dpi = 0;  // 0 when the system cannot tell
  bool primary = false;
  bool operator==(const MonitorState&) const = default;
};

inline constexpr std::uint32_t kDefaultDpi = 96;

// Twips per pixel at `dpi`: 1440 twips to the inch.
float TwipsPerPixelAt(std::uint32_t dpi);

// The DPI of the primary monitor; kDefaultDpi when there is none or it has none.
std::uint32_t PrimaryDpi(const std::vector<MonitorState>& monitors);

// The primary monitor's size at its scaling (the first monitor when none is
// marked primary), and the desktop: the smallest rectangle holding every
// monitor, wherever each lies.
forms::ScreenMetrics ScreenOf(const std::vector<MonitorState>& monitors);

}  // namespace plumbmark::win32
