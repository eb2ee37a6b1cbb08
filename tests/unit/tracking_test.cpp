// Pointer tracking: the lines one pixel right of and below the pointer at
// every tick, at several screen factors, with the timer's interval rules.
#include "overlay/FunctionModule.h"
#include "program_fixture.h"

namespace plumbmark::testing {
namespace {

class TrackingTest : public ProgramTest {
 protected:
  void StartAt(float factor) {
    backend.screen.twipsPerPixelX = factor;
    backend.screen.twipsPerPixelY = factor;
    ASSERT_TRUE(Start());
  }
  forms::PixelRect VerticalRect() const { return forms::DisplayRect(tate, backend.screen); }
  forms::PixelRect HorizontalRect() const { return forms::DisplayRect(yoko, backend.screen); }
};

TEST_F(TrackingTest, TwipsAtFifteenTwipsPerPixel) {
  StartAt(15);
  backend.SetPointer(100, 200);
  backend.AdvanceTime(100);
  EXPECT_FLOAT_EQ(tate.Left(), 1515);
  EXPECT_FLOAT_EQ(yoko.Top(), 3015);
}

TEST_F(TrackingTest, LinesStartOnePixelPastThePointerAtEveryFactor) {
  const float factors[] = {15.0f, 12.0f, 10.0f, 1440.0f / 168.0f, 1440.0f / 120.0f};
  const std::pair<int, int> points[] = {{0, 0},     {1, 1},       {100, 200}, {1919, 1079},
                                        {-1, -1},   {-1920, -5},  {5000, 3000}, {1234, 987}};
  for (float factor : factors) {
    backend.screen.twipsPerPixelX = factor;
    backend.screen.twipsPerPixelY = factor;
    if (!tate.loaded()) {
      ASSERT_TRUE(Start());
    }
    for (const auto& [x, y] : points) {
      backend.SetPointer(x, y);
      backend.AdvanceTime(100);
      EXPECT_EQ(VerticalRect().x, x + 1) << "factor " << factor << " x " << x;
      EXPECT_EQ(HorizontalRect().y, y + 1) << "factor " << factor << " y " << y;
      EXPECT_EQ(VerticalRect().y, 0);
      EXPECT_EQ(HorizontalRect().x, 0);
    }
  }
}

TEST_F(TrackingTest, PositionFunctionsUseDoublePrecisionAndTheHorizontalFactor) {
  backend.screen.twipsPerPixelX = 1440.0f / 168.0f;
  backend.screen.twipsPerPixelY = 20;  // a vertical factor that differs
  backend.SetPointer(333, 444);
  const double factor = backend.screen.twipsPerPixelX;
  EXPECT_EQ(FunctionModule::CursorLineLeft(app),
            factor * 333.0 + static_cast<double>(static_cast<float>(factor)));
  EXPECT_EQ(FunctionModule::CursorLineTop(app),
            factor * 444.0 + static_cast<double>(static_cast<float>(factor)));
}

TEST_F(TrackingTest, PixelsToTwipsIsSinglePrecision) {
  backend.screen.twipsPerPixelX = 15;
  const struct {
    std::int16_t pixels;
    float twips;
  } cases[] = {{0, 0}, {-1, -15}, {1, 15}, {20, 300}, {32767, 491505}, {-32768, -491520}};
  for (const auto& c : cases) {
    const std::int16_t before = c.pixels;
    EXPECT_EQ(FunctionModule::PixelsToTwips(app, c.pixels), c.twips);
    EXPECT_EQ(c.pixels, before);
  }
  backend.screen.twipsPerPixelX = 1440.0f / 168.0f;
  EXPECT_EQ(FunctionModule::PixelsToTwips(app, 7), backend.screen.twipsPerPixelX * 7.0f);
}

TEST_F(TrackingTest, FailedPointerReadPlacesTheLinesOnePixelFromTheEdges) {
  StartAt(15);
  backend.SetPointer(500, 400);
  backend.AdvanceTime(100);
  backend.SetPointerReadable(false);
  backend.AdvanceTime(100);
  EXPECT_FLOAT_EQ(tate.Left(), 15);
  EXPECT_FLOAT_EQ(yoko.Top(), 15);
  EXPECT_TRUE(backend.messageBoxes.empty());
}

TEST_F(TrackingTest, LastColumnAndRowPutTheLinesJustOffScreen) {
  StartAt(15);
  backend.SetPointer(1919, 1079);
  backend.AdvanceTime(100);
  EXPECT_EQ(VerticalRect().x, 1920);
  EXPECT_EQ(HorizontalRect().y, 1080);
}

TEST_F(TrackingTest, EdgesKeepTheirCentredValueUntilTheFirstTick) {
  StartAt(15);
  EXPECT_FLOAT_EQ(tate.Left(), (1920 * 15 - 2790) / 2.0f);
  EXPECT_FLOAT_EQ(yoko.Top(), (1080 * 15 - 3195) / 2.0f);
  backend.SetPointer(10, 20);
  backend.AdvanceTime(99);
  EXPECT_EQ(backend.ticks(), 0);
  backend.AdvanceTime(1);
  EXPECT_EQ(backend.ticks(), 1);
  EXPECT_EQ(VerticalRect().x, 11);
}

TEST_F(TrackingTest, TicksFollowTheIntervalAndANewIntervalAppliesAtOnce) {
  WriteSettings(5, 16711680, 0, 250, 0);
  StartAt(15);
  backend.AdvanceTime(1000);
  EXPECT_EQ(backend.ticks(), 4);
  tate.getMousePos.SetInterval(50);
  backend.AdvanceTime(1000);
  EXPECT_EQ(backend.ticks(), 4 + 20);
}

TEST_F(TrackingTest, IntervalsBelowTheMinimumStillTrack) {
  for (int interval : {0, -5, 1, 9}) {
    tate.getMousePos.SetInterval(interval);
    EXPECT_EQ(tate.getMousePos.Interval(), interval);  // read back as set
    EXPECT_EQ(forms::Timer::TickPeriod(interval), 10);
  }
  EXPECT_EQ(forms::Timer::TickPeriod(11), 11);
  WriteSettings(5, 16711680, 0, 0, 0);
  StartAt(15);
  backend.AdvanceTime(100);
  EXPECT_EQ(backend.ticks(), 10);
}

TEST_F(TrackingTest, HiddenLinesKeepMoving) {
  WriteSettings(5, 16711680, 1, 100, 1);
  StartAt(15);
  backend.SetPointer(300, 150);
  backend.AdvanceTime(100);
  EXPECT_EQ(VerticalRect().x, 301);
  EXPECT_EQ(HorizontalRect().y, 151);
  EXPECT_EQ(VerticalRect().width, 0);
  Press(kF1);  // shown again: at the last tracked position at once
  EXPECT_EQ(VerticalRect(), (forms::PixelRect{301, 0, 5, 1080}));
  EXPECT_EQ(HorizontalRect(), (forms::PixelRect{0, 151, 1920, 5}));
}

}  // namespace
}  // namespace plumbmark::testing
