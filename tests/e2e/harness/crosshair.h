// What the crosshair must look like on the screen, pixel for pixel, and
// waiting until the screen shows it.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "harness/image.h"
#include "harness/wait.h"
#include "harness/x_client.h"

namespace plumbmark::e2e {

// The program's default line colour, blue (0x00FF0000 as a colour value).
inline constexpr Rgb kDefaultBlue = ScreenColor(16711680);
inline constexpr int kDefaultThickness = 5;

struct Look {
  int pointerX = 0, pointerY = 0;
  Rgb color = kDefaultBlue;
  int vertical = kDefaultThickness;    // thickness in pixels; 0 when hidden
  int horizontal = kDefaultThickness;  // thickness in pixels; 0 when hidden
};

// What lies under the lines: the bare root window (black), or the harness's
// backdrop window, and areas that other windows (a dialog) may cover.
struct Scene {
  struct Fill {
    Rect area;
    Rgb color;
  };
  Rgb background = 0x000000;
  std::vector<Fill> fills;    // windows of one colour over the background
  std::vector<Rect> covered;  // areas whose pixels are not checked
};

// The expected colour of one pixel; nothing for a pixel in a covered area.
std::optional<Rgb> ExpectedPixel(const Look& look, const Scene& scene, int x, int y);

// Where the picture differs from the look, in words; empty when it matches.
std::string Mismatch(const Image& picture, const Look& look, const Scene& scene);

// The full-height and full-width lines found on the picture, in words.
std::string DescribeLines(const Image& picture, const Scene& scene);

// Polls the screen until it shows the look.
::testing::AssertionResult WaitForLook(XClient& x, const Look& look, const Scene& scene = {},
                                       std::chrono::milliseconds deadline = kReactionDeadline);

}  // namespace plumbmark::e2e
