// Run-time errors: reported in a message box, what the handler did before
// the error kept, the program going on (ending only after start-up fails).
#include "program_fixture.h"

namespace plumbmark::testing {
namespace {

const char kOverflowReport[] = "実行時エラー '6':\n\nオーバーフローしました。";
const char kDivisionReport[] = "実行時エラー '11':\n\n0 で除算しました。";

class ErrorPolicyTest : public ProgramTest {};

TEST_F(ErrorPolicyTest, ZeroFactorWithAHiddenLineFailsStartUpAndEnds) {
  backend.screen.twipsPerPixelX = 0;
  WriteSettings(5, 255, 1, 100, 0);
  EXPECT_FALSE(Start());
  ASSERT_EQ(backend.messageBoxes.size(), 1u);
  EXPECT_EQ(backend.messageBoxes[0].text, kOverflowReport);  // 0 / 0
  EXPECT_EQ(backend.messageBoxes[0].style, 16);
  EXPECT_EQ(backend.messageBoxes[0].title, "Plumbmark");
  EXPECT_TRUE(backend.quit());
}

TEST_F(ErrorPolicyTest, DivisionByZeroInACommandIsReportedAndTheProgramGoesOn) {
  ASSERT_TRUE(Start());
  backend.screen.twipsPerPixelX = 0;
  Press(kControl);
  ASSERT_EQ(backend.messageBoxes.size(), 1u);
  EXPECT_EQ(backend.messageBoxes[0].text, kDivisionReport);
  EXPECT_FLOAT_EQ(tate.Width(), 75);  // the hide step stopped before the width changed
  EXPECT_EQ(tate.VerticalHidden, 0);
  EXPECT_FALSE(backend.quit());
  backend.screen.twipsPerPixelX = 15;
  Press(kControl);
  EXPECT_FLOAT_EQ(tate.Width(), 0);
}

TEST_F(ErrorPolicyTest, AFailingTickKeepsWhatItSetAndTheNextTickRunsAgain) {
  ASSERT_TRUE(Start());
  backend.SetPointer(10, 3);
  backend.AdvanceTime(100);
  backend.screen.twipsPerPixelX = 3e38f;  // x + 1 pixels overflow a single
  backend.screen.twipsPerPixelY = 3e38f;
  backend.SetPointer(0, 10);
  backend.AdvanceTime(100);
  ASSERT_EQ(backend.messageBoxes.size(), 1u);
  EXPECT_EQ(backend.messageBoxes[0].text, kOverflowReport);
  EXPECT_FLOAT_EQ(tate.Left(), 3e38f);  // the first step of the tick ran
  EXPECT_FLOAT_EQ(yoko.Top(), 4 * 15);  // the second did not
  backend.screen.twipsPerPixelX = 15;
  backend.screen.twipsPerPixelY = 15;
  backend.AdvanceTime(100);
  EXPECT_FLOAT_EQ(yoko.Top(), 11 * 15);
  EXPECT_EQ(backend.messageBoxes.size(), 1u);
}

TEST_F(ErrorPolicyTest, TrackingGoesOnWhileAMessageBoxIsOpen) {
  ASSERT_TRUE(Start());
  backend.onMessageBox = [&](const auto&) {
    backend.SetPointer(70, 80);
    backend.AdvanceTime(200);
    backend.PressKey(kUp);  // modal: keys do not reach frmTate
  };
  Press(kS);
  EXPECT_EQ(forms::DisplayRect(tate, backend.screen).x, 71);
  EXPECT_EQ(forms::DisplayRect(yoko, backend.screen).y, 81);
  EXPECT_EQ(VerticalPixels(), 5);
}

}  // namespace
}  // namespace plumbmark::testing
