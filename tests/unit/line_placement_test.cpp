// Where a line's real window goes for the rectangle its form asks for.
#include "platform/win32/line_placement.h"

#include <gtest/gtest.h>

namespace plumbmark::win32 {
namespace {

using forms::PixelRect;

TEST(LinePlacement, KeepsOneRealPixelOnTheDesktopAndShowsNothingThere) {
  const PixelRect desktop{0, 0, 1280, 800};
  const struct {
    const char* name;
    PixelRect wanted, window;
    bool showsNothing;
  } cases[] = {
      {"vertical line", {301, 0, 5, 800}, {301, 0, 5, 800}, false},
      {"horizontal line", {0, 201, 1280, 5}, {0, 201, 1280, 5}, false},
      {"hidden vertical", {301, 0, 0, 800}, {301, 0, 1, 800}, true},
      {"hidden horizontal", {0, 201, 1280, 0}, {0, 201, 1280, 1}, true},
      {"past the right edge", {1280, 0, 5, 800}, {1279, 0, 5, 800}, true},
      {"past the bottom edge", {0, 800, 1280, 5}, {0, 799, 1280, 5}, true},
      {"partly past the right edge", {1278, 0, 5, 800}, {1278, 0, 5, 800}, false},
      {"far left", {-40, 0, 5, 800}, {-4, 0, 5, 800}, true},
      {"hidden and past the edge", {1280, 0, 0, 800}, {1279, 0, 1, 800}, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PlaceLine(c.wanted, desktop), (LinePlacement{c.window, c.showsNothing})) << c.name;
  }
  const PixelRect leftOfPrimary{-1920, 0, 3200, 1080};
  EXPECT_EQ(PlaceLine({-1000, 0, 5, 1080}, leftOfPrimary),
            (LinePlacement{{-1000, 0, 5, 1080}, false}));
}

}  // namespace
}  // namespace plumbmark::win32
