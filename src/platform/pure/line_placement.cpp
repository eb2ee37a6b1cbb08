#include "line_placement.h"

#include <algorithm>
#include <cstdint>

namespace plumbmark::win32 {
namespace {

std::int64_t Right(const forms::PixelRect& r) { return std::int64_t{r.x} + r.width; }
std::int64_t Bottom(const forms::PixelRect& r) { return std::int64_t{r.y} + r.height; }

// True when the two rectangles share at least one pixel.
bool Overlaps(const forms::PixelRect& a, const forms::PixelRect& b) {
  return a.x < Right(b) && b.x < Right(a) && a.y < Bottom(b) && b.y < Bottom(a);
}

// Moves `position` (of a window `length` long) so that at least its last
// or first pixel lies in [start, start + span).
std::int32_t KeepOnePixelIn(std::int32_t position, std::int32_t length, std::int32_t start,
                            std::int32_t span) {
  const std::int64_t lowest = std::int64_t{start} - length + 1;
  const std::int64_t highest = std::int64_t{start} + span - 1;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(position, lowest, highest));
}

}  // namespace

LinePlacement PlaceLine(const forms::PixelRect& wanted, const forms::PixelRect& desktop) {
  LinePlacement placement{wanted, false};
  forms::PixelRect& window = placement.window;
  window.width = std::max(wanted.width, 1);
  window.height = std::max(wanted.height, 1);
  placement.showsNothing = wanted.width <= 0 || wanted.height <= 0 || !Overlaps(wanted, desktop);
  if (!Overlaps(window, desktop) && desktop.width > 0 && desktop.height > 0) {
    window.x = KeepOnePixelIn(window.x, window.width, desktop.x, desktop.width);
    window.y = KeepOnePixelIn(window.y, window.height, desktop.y, desktop.height);
  }
  return placement;
}

}  // namespace plumbmark::win32
