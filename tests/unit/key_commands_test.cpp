// The key commands on frmTate: thickness limits, hiding and showing lines
// and their interplay, keys without a command, the window that has the keys.
#include "program_fixture.h"

namespace plumbmark::testing {
namespace {

class KeyCommandTest : public ProgramTest {
 protected:
  void StartWith(int size, int vertical = 0, int horizon = 0) {
    WriteSettings(size, 16711680, vertical, 100, horizon);
    ASSERT_TRUE(Start());
  }
  // Thickness of both lines in pixels, and LineSize.
  std::tuple<int, int, int> Current() const {
    return {VerticalPixels(), HorizontalPixels(), tate.LineSize};
  }
};

using Lines = std::tuple<int, int, int>;

TEST_F(KeyCommandTest, UpGrowsBothLinesToTwentyAndNoFurther) {
  StartWith(5);
  Press(kUp, 30);  // auto-repeat
  EXPECT_EQ(Current(), Lines(20, 20, 20));
  EXPECT_EQ(tate.SizeChanged, 0);
}

TEST_F(KeyCommandTest, DownThinsBothLinesToOneAndNoFurther) {
  StartWith(5);
  Press(kDown, 10);
  EXPECT_EQ(Current(), Lines(1, 1, 1));
  Press(kDown);
  EXPECT_EQ(Current(), Lines(1, 1, 1));
}

class KeyLimitTest : public KeyCommandTest, public ::testing::WithParamInterface<float> {};

TEST_P(KeyLimitTest, EveryThicknessFromOneToTwentyIsReachedExactly) {
  backend.screen.twipsPerPixelX = GetParam();
  backend.screen.twipsPerPixelY = GetParam();
  StartWith(5);
  Press(kDown, 10);
  EXPECT_EQ(Current(), Lines(1, 1, 1));
  for (int expected = 2; expected <= 20; ++expected) {
    Press(kUp);
    EXPECT_EQ(Current(), Lines(expected, expected, expected));
  }
  Press(kUp, 5);
  EXPECT_EQ(Current(), Lines(20, 20, 20));
  for (int expected = 19; expected >= 1; --expected) {
    Press(kDown);
    EXPECT_EQ(Current(), Lines(expected, expected, expected));
  }
  Press(kDown, 5);
  EXPECT_EQ(Current(), Lines(1, 1, 1));
}

// 96, 120, 144, 168 and 216 DPI, and a factor that is no fraction of 1440.
INSTANTIATE_TEST_SUITE_P(Factors, KeyLimitTest,
                         ::testing::Values(15.0f, 12.0f, 10.0f, 1440.0f / 168.0f,
                                           1440.0f / 216.0f, 7.3f));

TEST_F(KeyCommandTest, NineteenToTwentyThenNothing) {
  StartWith(19);
  Press(kUp);
  EXPECT_EQ(Current(), Lines(20, 20, 20));
  Press(kUp);
  EXPECT_EQ(Current(), Lines(20, 20, 20));
}

TEST_F(KeyCommandTest, LinesThickerThanTwentyOnlyGetThinner) {
  StartWith(25);
  Press(kUp);
  EXPECT_EQ(Current(), Lines(25, 25, 25));
  Press(kDown);
  EXPECT_EQ(Current(), Lines(24, 24, 24));
}

TEST_F(KeyCommandTest, ShiftTogglesTheHorizontalLine) {
  StartWith(7);
  Press(kShift);
  EXPECT_EQ(Current(), Lines(7, 0, 7));
  EXPECT_EQ(tate.HorizontalHidden, -1);
  Press(kShift);
  EXPECT_EQ(Current(), Lines(7, 7, 7));
  EXPECT_EQ(tate.HorizontalHidden, 0);
  Press(kShift, 3);  // held: toggles on every auto-repeat
  EXPECT_EQ(HorizontalPixels(), 0);
  EXPECT_EQ(tate.VerticalHidden, 0);
}

TEST_F(KeyCommandTest, CtrlTogglesTheVerticalLine) {
  StartWith(7);
  Press(kControl);
  EXPECT_EQ(Current(), Lines(0, 7, 7));
  EXPECT_EQ(tate.VerticalHidden, -1);
  Press(kControl);
  EXPECT_EQ(Current(), Lines(7, 7, 7));
  EXPECT_EQ(tate.VerticalHidden, 0);
  EXPECT_EQ(tate.HorizontalHidden, 0);
}

TEST_F(KeyCommandTest, UpBringsAHiddenLineBackAtOnePixelWithItsFlagStillSet) {
  StartWith(5);
  Press(kControl);
  Press(kUp);
  EXPECT_EQ(Current(), Lines(1, 6, 6));
  EXPECT_EQ(tate.VerticalHidden, -1);
}

TEST_F(KeyCommandTest, DownLeavesHiddenLinesHidden) {
  StartWith(5, 1, 1);
  Press(kDown);
  EXPECT_EQ(Current(), Lines(0, 0, 5));
  StartWith(5);
}

TEST_F(KeyCommandTest, F1HidesBothWithoutTouchingTheFlags) {
  StartWith(6);
  Press(kF1);
  EXPECT_EQ(Current(), Lines(0, 0, 6));
  EXPECT_EQ(tate.VerticalHidden, 0);
  EXPECT_EQ(tate.HorizontalHidden, 0);
  Press(kF1);
  EXPECT_EQ(Current(), Lines(6, 6, 6));
}

TEST_F(KeyCommandTest, F1WithOnlyTheVerticalLineHiddenShowsBoth) {
  StartWith(6, 1, 0);
  Press(kF1);
  EXPECT_EQ(Current(), Lines(6, 6, 6));
  EXPECT_EQ(tate.VerticalHidden, -1);
}

TEST_F(KeyCommandTest, F1WithOnlyTheHorizontalLineHiddenHidesTheVerticalToo) {
  StartWith(6, 0, 1);
  Press(kUp);  // vertical 7, horizontal back at 1: LineSize 7
  ASSERT_EQ(Current(), Lines(7, 1, 7));
  Press(kF1);
  EXPECT_EQ(Current(), Lines(0, 0, 7));  // LineSize from the vertical line
  EXPECT_EQ(tate.HorizontalHidden, -1);
}

TEST_F(KeyCommandTest, ModifierOfACombinationRunsItsOwnCommandFirst) {
  StartWith(5);
  backend.PressKey(kControl, 2);
  backend.PressKey(kS, 2);  // Ctrl+S: the vertical line was toggled, then saved
  EXPECT_EQ(VerticalPixels(), 0);
  EXPECT_NE(ReadIni().find("Vertical=1\r\n"), std::string::npos);
}

TEST_F(KeyCommandTest, KeysWithoutACommandChangeNothing) {
  StartWith(5);
  Press(kUp);
  const Lines before = Current();
  const std::string file = ReadIni();
  const int color = tate.BackColor();
  // Enter, Space, 1, F2, A, Z, Alt, Left, Right, and no key at all.
  for (int key : {13, 32, 49, 113, 65, 90, 18, 37, 39, 0}) {
    backend.PressKey(static_cast<std::int16_t>(key), 1);
  }
  EXPECT_EQ(Current(), before);
  EXPECT_EQ(tate.BackColor(), color);
  EXPECT_FALSE(program.frmSetColor.loaded());
  EXPECT_FALSE(program.frmSetRelode.loaded());
  EXPECT_TRUE(backend.messageBoxes.empty());
  EXPECT_EQ(ReadIni(), file);
}

TEST_F(KeyCommandTest, KeysOnTheHorizontalLineDoNothingUntilFrmTateIsActiveAgain) {
  StartWith(5);
  backend.Activate(yoko);
  Press(kUp);
  Press(kTab);
  EXPECT_EQ(Current(), Lines(5, 5, 5));
  EXPECT_EQ(tate.BackColor(), 16711680);
  backend.Activate(tate);
  Press(kUp);
  EXPECT_EQ(Current(), Lines(6, 6, 6));
}

TEST_F(KeyCommandTest, UpOverflowingLineSizeReportsAndKeepsTheValue) {
  StartWith(32767);
  Press(kF1);  // hide both: LineSize stays 32767
  ASSERT_EQ(tate.LineSize, 32767);
  Press(kUp);  // both lines grow from 0 to 1 pixel, LineSize cannot
  ASSERT_EQ(backend.messageBoxes.size(), 1u);
  EXPECT_EQ(backend.messageBoxes[0].text, "実行時エラー '6':\n\nオーバーフローしました。");
  EXPECT_EQ(tate.LineSize, 32767);
  EXPECT_EQ(tate.SizeChanged, 0);
  EXPECT_EQ(VerticalPixels(), 1);  // what the command did before the error stays
  EXPECT_FALSE(backend.quit());   // the program goes on
  Press(kTab);
  EXPECT_EQ(tate.BackColor(), 65280);
}

}  // namespace
}  // namespace plumbmark::testing
