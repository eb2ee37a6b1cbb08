// How fast the lines follow the pointer, measured against the program's own
// ticks rather than against fixed durations: every measurement starts just
// after a tick has been seen to move the lines.
#pragma once

#include <chrono>
#include <optional>
#include <vector>

#include "harness/image.h"
#include "harness/x_client.h"

namespace plumbmark::e2e {

class PaceMeter {
 public:
  // Moves the pointer along the screen row `pointerY` and watches the
  // vertical line of `color` on a row well away from the horizontal line.
  PaceMeter(XClient& x, int pointerY, Rgb color)
      : x_(x), pointerY_(pointerY), row_(pointerY > 100 ? 50 : pointerY + 100), color_(color) {}

  // The first screen column of the vertical line on the watched row.
  std::optional<int> LineColumn();

  // Moves the pointer to `fromX` and waits until a tick has put the line
  // there; then moves it to `toX` and returns the milliseconds until the
  // line is seen there. Nothing if the line never arrives.
  std::optional<double> FollowDelay(int fromX, int toX);

  // Like FollowDelay up to the second move, then reads the line's column
  // `after` the tick that was seen. Nothing if the machine was too busy to
  // read it before `after` + `slack`.
  std::optional<int> ColumnAfterTick(int fromX, int toX, std::chrono::milliseconds after,
                                     std::chrono::milliseconds slack);

 private:
  // Leaves the line just after a tick that moved it to fromX.
  bool SyncToTick(int fromX);
  bool WaitForColumn(int column);

  XClient& x_;
  int pointerY_;
  int row_;
  Rgb color_;
};

// The middle value of the samples (which must not be empty).
double Median(std::vector<double> samples);

}  // namespace plumbmark::e2e
