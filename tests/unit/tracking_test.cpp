// Pointer tracking: at every tick the lines start one pixel right of and
// below the pointer, at several screen factors, at the timer's pace.
#include "program_fixture.h"

namespace plumbmark::testing {
namespace {

class TrackingTest : public ProgramTest {
 protected:
  void MoveAndTick(int x, int y) {
    backend.SetPointer(x, y);
    backend.AdvanceTime(tate.getMousePos.Interval());
  }
};

TEST_F(TrackingTest, LinesStartOnePixelPastThePointerAtEveryFactor) {
  backend.screen.twipsPerPixelY = 20;  // never used: one factor for both axes
  const struct {
    float factor;
    int x, y;
    float left, top;  // twips: (x + 1) and (y + 1) pixels
  } cases[] = {{15, 100, 200, 1515, 3015},
               {12, 0, 0, 12, 12},
               {15, -1, -1, 0, 0},
               {15, -1920, -5, -28785, -60},
               {1440.0f / 168, 7, 13, 68.571426f, 120},
               {10, 1919, 1079, 19200, 10800},
               {10, 32767, 40000, 327680, 400010}};
  ASSERT_TRUE(Start());
  for (const auto& c : cases) {
    backend.screen.twipsPerPixelX = c.factor;
    MoveAndTick(c.x, c.y);
    EXPECT_EQ(tate.Left(), c.left) << c.factor << " " << c.x;
    EXPECT_EQ(yoko.Top(), c.top) << c.factor << " " << c.y;
    backend.screen.twipsPerPixelY = c.factor;
    EXPECT_EQ(Vertical().x, c.x + 1) << c.factor;
    EXPECT_EQ(Horizontal().y, c.y + 1) << c.factor;
    backend.screen.twipsPerPixelY = 20;
  }
}

TEST_F(TrackingTest, AFailedPointerReadPutsTheLinesOnePixelFromTheOrigin) {
  ASSERT_TRUE(Start());
  MoveAndTick(500, 400);
  backend.SetPointerReadable(false);
  backend.AdvanceTime(100);
  EXPECT_EQ(Vertical().x, 1);
  EXPECT_EQ(Horizontal().y, 1);
  EXPECT_TRUE(backend.messageBoxes.empty());
}

TEST_F(TrackingTest, TicksFollowTheIntervalWhichAppliesAtOnce) {
  Store(5, kBlue, 0, 250, 0);
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

TEST_F(TrackingTest, HiddenLinesKeepMovingAndShowAtOnceWhereThePointerIs) {
  Store(5, kBlue, 1, 100, 1);
  ASSERT_TRUE(Start());
  MoveAndTick(300, 150);
  EXPECT_EQ(Vertical(), (forms::PixelRect{301, 0, 0, 1080}));
  Press(kF1);
  EXPECT_EQ(Vertical(), (forms::PixelRect{301, 0, 5, 1080}));
  EXPECT_EQ(Horizontal(), (forms::PixelRect{0, 151, 1920, 5}));
}

}  // namespace
}  // namespace plumbmark::testing
