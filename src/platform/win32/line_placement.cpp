#include "platform/win32/line_placement.h"

#include <algorithm>
#include <cstdint>

namespace plumbmark::win32 {
namespace {

// True when the two rectangles share at least one pixel.
bool Overlaps(const forms::PixelRect& a, const forms::PixelRect& b) {
  const auto right = [](const forms::PixelRect& r) { return std::int64_t{r.x} + r.width; };
  const auto bottom = [](const forms::PixelRect& r) { return std::int64_t{r.y} + r.height; };
  return a.x < right(b) && b.x < right(a) && a.y < bottom(b) && b.y < bottom(a);
}

}  // namespace

LinePlacement PlaceLine(const forms::PixelRect& wanted, const forms::PixelRect& desktop) {
  LinePlacement placement{wanted, false};
  placement.window.width = std::max(wanted.width, 1);
  placement.window.height = std::max(wanted.height, 1);
  placement.showsNothing = wanted.width <= 0 || wanted.height <= 0 || !Overlaps(wanted, desktop);
  return placement;
}

}  // namespace plumbmark::win32
