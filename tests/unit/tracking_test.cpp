// Pointer tracking: at every tick the lines start one pixel right of and
// below the pointer, at several screen factors, at the timer's pace, across
// the whole desktop and through display changes (resolution, monitors,
// scaling).
#include "program_fixture.h"

namespace plumbmark::testing {
namespace {

using TrackingTest = ProgramTest;

TEST_F(TrackingTest, LinesStartOnePixelPastThePointerAtEveryFactor) {
  // A factor, the pointer, and Left and Top in twips: (x + 1) and (y + 1) pixels.
  const std::tuple<float, int, int, float, float> cases[] = {
      {15, 100, 200, 1515, 3015},
      {12, 0, 0, 12, 12},
      {15, -1, -1, 0, 0},
      {15, -1920, -5, -28785, -60},
      {1440.0f / 168, 7, 13, 68.571426f, 120},
      {10, 1919, 1079, 19200, 10800},
      {10, 32767, 40000, 327680, 400010}};
  ASSERT_TRUE(Start());
  backend.screen.twipsPerPixelY = 20;  // never used: one factor for both axes
  for (const auto& [factor, x, y, left, top] : cases) {
    backend.screen.twipsPerPixelX = factor;
    MoveAndTick(x, y);
    EXPECT_EQ(tate.Left(), left) << factor << " " << x;
    EXPECT_EQ(yoko.Top(), top) << factor << " " << y;
  }
  backend.SetPointerReadable(false);  // the lines stay where the last reading put them
  MoveAndTick(500, 600);
  EXPECT_EQ(tate.Left(), 327680);
  EXPECT_EQ(yoko.Top(), 400010);
  EXPECT_TRUE(backend.messageBoxes.empty());
  backend.SetPointerReadable(true);
  backend.AdvanceTime(100);
  EXPECT_EQ(tate.Left(), 5010);
}

TEST_F(TrackingTest, TicksFollowTheIntervalWhichAppliesAtOnce) {
  backend.profiles[kIniPath] = SettingsFile({5, kBlue, 0, 250, 0});
  ASSERT_TRUE(Start());
  EXPECT_EQ(tate.Left(), (1920 * 15 - 2790) / 2.0f);  // centred until the first tick
  backend.AdvanceTime(249);
  EXPECT_EQ(backend.ticks(), 0);
  backend.AdvanceTime(751);
  EXPECT_EQ(backend.ticks(), 4);
  EXPECT_EQ(backend.pointerReads(), 4);  // one reading places both lines
  tate.getMousePos.SetInterval(50);
  backend.AdvanceTime(1000);
  EXPECT_EQ(backend.ticks(), 24);
  for (int interval : {0, -5, 9}) {  // stored as set, ticking at the 10 ms floor
    tate.getMousePos.SetInterval(interval);
    EXPECT_EQ(tate.getMousePos.Interval(), interval);
    const auto before = backend.ticks();
    backend.AdvanceTime(100);
    EXPECT_EQ(backend.ticks() - before, 10);
  }
}

// Each desktop once at start-up and once reported as a change to a running
// program whose hidden lines stay hidden, move, and show where the pointer is.
TEST_F(TrackingTest, LinesSpanTheDesktopAtStartAndAtOnceAfterEveryChange) {
  const std::tuple<const char*, PixelRect, int, int> cases[] = {
      {"one monitor", {0, 0, 1920, 1080}, 1919, 1079},
      {"a monitor to the left", {-1280, 0, 3200, 1080}, -1280, 10},
      {"a taller one to the right", {0, -200, 3000, 1280}, 2500, -150},
      {"lower resolution", {0, 0, 1024, 768}, 0, 0},
  };
  ProgramRun changed(SettingsFile({6, 255, 1, 250, 1}));
  ASSERT_TRUE(changed.Start());
  for (const auto& [name, desktop, x, y] : cases) {
    ProgramRun started(SettingsFile({7, kBlue, 0, 100, 0}));
    started.backend.screen.desktop = desktop;
    ASSERT_TRUE(started.Start());
    started.MoveAndTick(x, y);
    EXPECT_EQ(started.Vertical(), (PixelRect{x + 1, desktop.y, 7, desktop.height})) << name;
    EXPECT_EQ(started.Horizontal(), (PixelRect{desktop.x, y + 1, desktop.width, 7})) << name;
    changed.backend.SetPointer(x, y);
    changed.backend.ChangeDisplay({desktop.width, desktop.height, 15, 15, desktop});
    EXPECT_EQ(changed.Vertical(), (PixelRect{x + 1, desktop.y, 0, desktop.height})) << name;
    EXPECT_EQ(changed.Horizontal(), (PixelRect{desktop.x, y + 1, desktop.width, 0})) << name;
  }
  changed.backend.profiles.clear();
  changed.Press(kS);
  EXPECT_EQ(changed.backend.profiles[kIniPath], SettingsFile({6, 255, 1, 250, 1}));
  changed.Press(kF1);
  EXPECT_EQ(changed.Vertical(), (PixelRect{1, 0, 6, 768}));
  EXPECT_EQ(changed.Horizontal(), (PixelRect{0, 1, 1024, 6}));
}

TEST_F(TrackingTest, AChangeOfScalingKeepsEachLinesThicknessInPixels) {
  ASSERT_TRUE(Start());
  Press(kShift);
  Press(kUp);  // the horizontal line comes back one pixel thick
  for (float factor : {10.0f, 1440.0f / 168.0f, 15.0f}) {
    backend.ChangeDisplay({1920, 1080, factor, factor, {0, 0, 1920, 1080}});
    EXPECT_EQ(LinesNow(), (Lines{6, 1, 6, 0, -1})) << factor;
  }
  Press(kControl);
  backend.ChangeDisplay({1920, 1080, 12, 12, {0, 0, 1920, 1080}});
  EXPECT_EQ(Vertical().width, 0);
  Press(kControl);
  EXPECT_EQ(Vertical().width, 6);
}

}  // namespace
}  // namespace plumbmark::testing
