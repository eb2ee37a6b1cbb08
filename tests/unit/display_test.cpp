// The lines across the whole desktop, every monitor, and through display
// changes: resolution, monitors and scaling.
#include "program_fixture.h"

namespace plumbmark::testing {
namespace {

using forms::PixelRect;
using forms::ScreenMetrics;

class DisplayTest : public ProgramTest {
 protected:
  void ExpectCrossingAt(int x, int y, const PixelRect& desktop, int thickness) {
    backend.SetPointer(x, y);
    backend.AdvanceTime(tate.getMousePos.Interval());
    EXPECT_EQ(Vertical(), (PixelRect{x + 1, desktop.y, thickness, desktop.height})) << x;
    EXPECT_EQ(Horizontal(), (PixelRect{desktop.x, y + 1, desktop.width, thickness})) << y;
  }
};

TEST_F(DisplayTest, LinesSpanEveryMonitorAndCrossThePointerOnEach) {
  const struct {
    const char* name;
    PixelRect desktop;
    std::pair<int, int> points[3];
  } cases[] = {
      {"one monitor", {0, 0, 1920, 1080}, {{0, 0}, {960, 540}, {1919, 1079}}},
      {"second monitor to the left", {-1280, 0, 3200, 1080}, {{-1280, 10}, {-1, 700}, {1900, 5}}},
      {"taller monitor to the right",
       {0, -200, 3000, 1280},
       {{100, 100}, {2500, -150}, {2999, 1079}}},
  };
  for (const auto& c : cases) {
    ProgramRun run(SettingsFile(7, kBlue, 0, 100, 0));
    run.backend.screen.desktop = c.desktop;
    ASSERT_TRUE(run.program.Start());
    for (const auto& [x, y] : c.points) {
      run.backend.SetPointer(x, y);
      run.backend.AdvanceTime(100);
      EXPECT_EQ(forms::DisplayRect(run.tate, run.backend.screen),
                (PixelRect{x + 1, c.desktop.y, 7, c.desktop.height}))
          << c.name << " " << x;
      EXPECT_EQ(forms::DisplayRect(run.yoko, run.backend.screen),
                (PixelRect{c.desktop.x, y + 1, c.desktop.width, 7}))
          << c.name << " " << y;
    }
  }
}

TEST_F(DisplayTest, AResolutionOrMonitorChangeRespansAtOnceAndKeepsTheStyle) {
  Store(6, 255, 0, 250, 1);  // the horizontal line hidden
  ASSERT_TRUE(Start());
  backend.SetPointer(300, 200);
  const std::pair<int, int> sizes[] = {{2560, 1440}, {1024, 768}};
  for (const auto& [width, height] : sizes) {
    backend.ChangeDisplay({width, height, 15, 15, {0, 0, width, height}});
    EXPECT_EQ(Vertical(), (PixelRect{301, 0, 6, height}));
    EXPECT_EQ(Horizontal(), (PixelRect{0, 201, width, 0}));
  }
  const PixelRect twoMonitors{-1920, -100, 2944, 1180};
  backend.ChangeDisplay({1024, 768, 15, 15, twoMonitors});
  Press(kShift);
  ExpectCrossingAt(-1500, 900, twoMonitors, 6);
  Press(kShift);
  backend.profiles.clear();
  Press(kS);
  EXPECT_EQ(backend.profiles[kIniPath], SettingsFile(6, 255, 0, 250, 1));
}

TEST_F(DisplayTest, AChangeOfScalingKeepsEachLinesThicknessInPixels) {
  ASSERT_TRUE(Start());
  Press(kShift);
  Press(kUp);  // the horizontal line comes back one pixel thick
  for (float factor : {10.0f, 1440.0f / 168.0f, 15.0f}) {
    const PixelRect desktop{0, 0, 1920, 1080};
    backend.ChangeDisplay({1920, 1080, factor, factor, desktop});
    EXPECT_EQ(Vertical().width, 6) << factor;
    EXPECT_EQ(Horizontal().height, 1) << factor;
    EXPECT_EQ(tate.lineSize(), 6);
    backend.SetPointer(700, 300);
    backend.AdvanceTime(100);
    EXPECT_EQ(Vertical().x, 701) << factor;
    EXPECT_EQ(Horizontal().y, 301) << factor;
  }
  Press(kControl);
  backend.ChangeDisplay({1920, 1080, 12, 12, {0, 0, 1920, 1080}});
  EXPECT_EQ(Vertical().width, 0);
  Press(kControl);
  EXPECT_EQ(Vertical().width, 6);
}

}  // namespace
}  // namespace plumbmark::testing
