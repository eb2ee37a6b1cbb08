// Run-time errors: reported in a message box, what the handler did before
// the error kept, the program going on (ending only when start-up fails).
#include "program_fixture.h"

namespace plumbmark::testing {
namespace {

const char kOverflowReport[] = "実行時エラー '6':\n\nオーバーフローしました。";
const char kDivisionReport[] = "実行時エラー '11':\n\n0 で除算しました。";

using ErrorPolicyTest = ProgramTest;

TEST_F(ErrorPolicyTest, AnErrorInStartUpIsReportedThenEnds) {
  SetFactor(0);
  Store(5, 255, 1, 100, 0);  // hiding divides 0 twips by a factor of 0
  EXPECT_FALSE(Start());
  ASSERT_EQ(backend.messageBoxes.size(), 1u);
  EXPECT_EQ(backend.messageBoxes[0].text, kOverflowReport);
  EXPECT_EQ(backend.messageBoxes[0].title, "Plumbmark");
  EXPECT_EQ(backend.messageBoxes[0].style, 16);
  EXPECT_TRUE(backend.quit());
}

TEST_F(ErrorPolicyTest, AnErrorInACommandIsReportedAndTheNextOneRuns) {
  ASSERT_TRUE(Start());
  SetFactor(0);
  Press(kControl);
  ASSERT_EQ(backend.messageBoxes.size(), 1u);
  EXPECT_EQ(backend.messageBoxes[0].text, kDivisionReport);
  EXPECT_EQ(tate.verticalHidden(), 0);  // stopped before the width and the flag changed
  EXPECT_FALSE(backend.quit());
  SetFactor(15);
  Press(kControl);
  EXPECT_EQ(Vertical().width, 0);
}

TEST_F(ErrorPolicyTest, AFailingTickKeepsItsFirstStepAndTheNextTickRuns) {
  ASSERT_TRUE(Start());
  backend.SetPointer(10, 3);
  backend.AdvanceTime(100);
  SetFactor(3e38f);  // (x + 1) pixels overflow a single
  backend.SetPointer(0, 10);
  backend.AdvanceTime(100);
  ASSERT_EQ(backend.messageBoxes.size(), 1u);
  EXPECT_EQ(backend.messageBoxes[0].text, kOverflowReport);
  EXPECT_EQ(tate.Left(), 3e38f);
  EXPECT_EQ(yoko.Top(), 4 * 15.0f);
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
  EXPECT_EQ(Vertical(), (forms::PixelRect{71, 0, 5, 1080}));
  EXPECT_EQ(Horizontal().y, 81);
}

}  // namespace
}  // namespace plumbmark::testing
