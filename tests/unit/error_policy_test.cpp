// Run-time errors: reported in a message box, what the handler did before
// the error kept, the program going on (an error in start-up ends it: see
// StartupTest).
#include "program_fixture.h"

namespace plumbmark::testing {
namespace {

using ErrorPolicyTest = ProgramTest;

TEST_F(ErrorPolicyTest, AnErrorInACommandIsReportedAndTheNextOneRuns) {
  ASSERT_TRUE(Start());
  SetFactor(0);
  Press(kControl);
  EXPECT_EQ(backend.messageBoxes,
            (Boxes{{"実行時エラー '11':\n\n0 で除算しました。", kCritical, "Plumbmark"}}));
  EXPECT_EQ(tate.verticalHidden(), 0);  // stopped before the width and the flag changed
  EXPECT_FALSE(backend.quit());
  SetFactor(15);
  Press(kControl);
  EXPECT_EQ(Vertical().width, 0);
}

// Ticks go on while a box is open: a failure that persists is reported in
// one box, never in a box inside it, and again after it closed. The failing
// tick keeps its first step, and once the cause is gone the next tick runs.
TEST_F(ErrorPolicyTest, AFailingTickKeepsItsFirstStepAndOpensOneErrorBoxAtATime) {
  ASSERT_TRUE(Start());
  MoveAndTick(10, 3);
  int depth = 0, deepest = 0;
  backend.onMessageBox = [&](const auto&) {
    deepest = std::max(deepest, ++depth);
    if (depth < 3) backend.AdvanceTime(1000);  // bounded, should boxes nest
    --depth;
  };
  SetFactor(3e38f);  // (y + 1) pixels overflow a single at every tick
  MoveAndTick(0, 10);
  EXPECT_EQ(deepest, 1);
  EXPECT_EQ(backend.messageBoxes, (Boxes{{kOverflow, kCritical, "Plumbmark"}}));
  EXPECT_EQ(tate.Left(), 3e38f);  // (x + 1) pixels still fit
  EXPECT_EQ(yoko.Top(), 4 * 15.0f);
  backend.AdvanceTime(100);
  EXPECT_EQ(backend.messageBoxes.size(), 2u);
  SetFactor(15);
  backend.AdvanceTime(100);
  EXPECT_EQ(yoko.Top(), 11 * 15.0f);
}

TEST_F(ErrorPolicyTest, TrackingGoesOnWhileAMessageBoxHoldsTheKeys) {
  ASSERT_TRUE(Start());
  backend.onMessageBox = [&](const auto&) {
    backend.SetPointer(70, 80);
    backend.AdvanceTime(200);
    backend.PressKey(kUp);
  };
  Press(kS);
  EXPECT_EQ(Vertical(), (PixelRect{71, 0, 5, 1080}));
  EXPECT_EQ(Horizontal().y, 81);
}

}  // namespace
}  // namespace plumbmark::testing
