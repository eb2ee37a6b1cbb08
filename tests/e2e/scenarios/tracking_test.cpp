// The lines follow the pointer, over the whole screen and at the pace the
// tracking interval sets.
#include <vector>

#include "harness/pace.h"
#include "harness/plumbmark_test.h"

namespace plumbmark::e2e {
namespace {

using Tracking = PlumbmarkTest;

TEST_F(Tracking, LinesFollowThePointerToEveryEdgeOfTheScreen) {
  Look look{.pointerX = 512, .pointerY = 384};
  StartProgram(look);
  // Past the right and bottom edges only the part on the screen shows.
  const std::vector<std::pair<int, int>> points{{0, 0},      {1023, 0},   {0, 767},    {100, 700},
                                                {1018, 762}, {1021, 765}, {1023, 767}, {40, 30}};
  for (const auto& [px, py] : points) {
    ASSERT_TRUE(MovePointer(look, px, py)) << "pointer at " << px << "," << py;
  }
}

// NOTE: openbox keeps a tenth of every normal window on the screen, which
// for a line five pixels thick is no pixel at all: it pushes a line asked
// for at the last column one column further, off the screen. Windows has no
// such rule, so the last column and row are checked without a window manager.
class TrackingWithoutWindowManager : public PlumbmarkTest {
 protected:
  SessionOptions Options() const override { return {.windowManager = false}; }
};

TEST_F(TrackingWithoutWindowManager, LinesReachTheLastColumnAndRow) {
  Look look{.pointerX = 512, .pointerY = 384};
  StartProgram(look);
  for (const auto& [px, py] :
       {std::pair{1022, 766}, std::pair{1023, 767}, std::pair{1022, 766}, std::pair{1019, 763}}) {
    ASSERT_TRUE(MovePointer(look, px, py)) << "pointer at " << px << "," << py;
  }
}

TEST_F(Tracking, IntervalOfFiveHundredFromTheFileKeepsTheLinesBehindForATick) {
  constexpr int kPointerY = 500;
  session().WriteSettings(SettingsFileText({.interval = 500}));
  StartProgram({.pointerX = 60, .pointerY = kPointerY});
  PaceMeter meter(x(), kPointerY, kDefaultBlue);

  // A quarter of a second after a tick the lines are still where that tick
  // put them, though the pointer has moved on; a reading that a busy machine
  // delayed past 400 ms proves nothing and is taken again.
  int readings = 0;
  for (int attempt = 0; attempt < 5 && readings < 3; ++attempt) {
    const int from = 100 + attempt * 150;
    const auto column = meter.ColumnAfterTick(from, from + 60, 250ms, 150ms);
    if (!column) continue;
    EXPECT_EQ(*column, from + 1) << "the lines moved within 250 ms of a tick";
    ++readings;
  }
  EXPECT_EQ(readings, 3) << "too few timely readings";

  const auto delay = meter.FollowDelay(300, 900);
  ASSERT_TRUE(delay) << "the lines did not follow the pointer";
  RecordProperty("follow_delay_ms", std::to_string(*delay));
}

}  // namespace
}  // namespace plumbmark::e2e
