// The colour cycle and the two dialogs, driven as a user would.
#include "commands/palette.h"
#include "program_fixture.h"

namespace plumbmark::testing {
namespace {

using FunctionModule::LinePalette;

class PaletteTest : public ProgramTest {
 protected:
  void StartWithColor(int color) {
    WriteSettings(5, color, 0, 100, 0);
    ASSERT_TRUE(Start());
  }
};

TEST_F(PaletteTest, TabCyclesThroughTheEightColoursInOrder) {
  StartWithColor(65535);
  const std::vector<int> expected{16711680, 65280,    255,      33023,
                                  16776960, 16711935, 13421772, 65535};
  for (int color : expected) {
    Press(kTab);
    EXPECT_EQ(tate.BackColor(), color);
    EXPECT_EQ(yoko.BackColor(), color);
  }
}

TEST_F(PaletteTest, EightStepsFromAnyColourReturnToIt) {
  StartWithColor(16711680);
  for (const auto& start : LinePalette) {
    SetLineColor(program, start.color);
    Press(kTab, 8);
    EXPECT_EQ(tate.BackColor(), start.color);
  }
}

TEST_F(PaletteTest, AColourOutsideThePaletteIsLeftAlone) {
  StartWithColor(0);
  yoko.SetBackColor(255);
  Press(kTab, 3);
  EXPECT_EQ(tate.BackColor(), 0);
  EXPECT_EQ(yoko.BackColor(), 255);
}

TEST_F(PaletteTest, OnlyTheVerticalLinesColourDecides) {
  StartWithColor(13421772);
  yoko.SetBackColor(65280);
  Press(kTab);
  EXPECT_EQ(tate.BackColor(), 65535);
  EXPECT_EQ(yoko.BackColor(), 65535);
}

class ColourDialogTest : public PaletteTest {
 protected:
  FrmSetColor& dialog = program.frmSetColor;
};

TEST_F(ColourDialogTest, OpensWithTheCurrentColourNamed) {
  const struct {
    int color;
    const char* name;
  } cases[] = {{65535, "黄色"}, {13421772, "灰色"}, {16711680, "青"}, {0, ""}, {-1, ""}};
  StartWithColor(16711680);
  for (const auto& c : cases) {
    SetLineColor(program, c.color);
    Press(kC);
    ASSERT_TRUE(dialog.loaded());
    EXPECT_EQ(dialog.selColor.text(), c.name);
    EXPECT_EQ(dialog.selColor.items().size(), 8u);
    EXPECT_EQ(dialog.selColor.items()[4], "オレンジ");
    EXPECT_EQ(backend.activeForm(), &dialog);
    backend.ClickCloseBox(dialog);
    EXPECT_FALSE(dialog.loaded());
    EXPECT_EQ(backend.activeForm(), &tate);  // the keyboard goes back to frmTate
  }
}

TEST_F(ColourDialogTest, AChosenColourAppliesToBothLinesEvenWhenHidden) {
  StartWithColor(16711680);
  Press(kShift);
  Press(kC);
  backend.PickEntry(dialog.selColor, 7);
  backend.PressButton(dialog.cmdSetColor);
  EXPECT_FALSE(dialog.loaded());
  EXPECT_EQ(tate.BackColor(), 13421772);
  EXPECT_EQ(yoko.BackColor(), 13421772);
  EXPECT_EQ(HorizontalPixels(), 0);
  EXPECT_EQ(tate.HorizontalHidden, -1);
  Press(kTab);  // the cycle goes on from the chosen colour
  EXPECT_EQ(tate.BackColor(), 65535);
}

TEST_F(ColourDialogTest, ANameTypedExactlySelectsItsEntry) {
  StartWithColor(16711680);
  Press(kC);
  backend.TypeText(dialog.selColor, "赤");
  backend.PressButton(dialog.cmdSetColor);
  EXPECT_EQ(tate.BackColor(), 255);
  Press(kC);
  backend.TypeText(dialog.selColor, "あか");
  backend.PressButton(dialog.cmdSetColor);
  EXPECT_EQ(tate.BackColor(), 255);
}

TEST_F(ColourDialogTest, NothingSelectedChangesNoColourAndCloses) {
  StartWithColor(0);
  Press(kC);
  EXPECT_EQ(dialog.selColor.listIndex(), -1);
  backend.PressButton(dialog.cmdSetColor);
  EXPECT_FALSE(dialog.loaded());
  EXPECT_EQ(tate.BackColor(), 0);
  EXPECT_EQ(yoko.BackColor(), 0);
}

TEST_F(ColourDialogTest, CloseBoxAppliesNothing) {
  StartWithColor(16711680);
  Press(kC);
  backend.PickEntry(dialog.selColor, 3);
  backend.ClickCloseBox(dialog);
  EXPECT_EQ(tate.BackColor(), 16711680);
  EXPECT_FALSE(backend.quit());
}

TEST_F(ColourDialogTest, ReopeningWhileOpenReloadsNothing) {
  StartWithColor(16711680);
  Press(kC);
  backend.PickEntry(dialog.selColor, 3);
  backend.Activate(tate);
  Press(kTab);  // the colour changes meanwhile; the dialog is not refreshed
  Press(kC);
  EXPECT_EQ(dialog.selColor.listIndex(), 3);
  EXPECT_EQ(dialog.selColor.text(), "赤");
  EXPECT_EQ(backend.activeForm(), &dialog);  // brought forward
}

TEST_F(ColourDialogTest, TrackingAndKeysGoOnWhileOpen) {
  StartWithColor(16711680);
  Press(kC);
  backend.Activate(tate);
  backend.SetPointer(40, 50);
  backend.AdvanceTime(100);
  EXPECT_EQ(forms::DisplayRect(tate, backend.screen).x, 41);
  Press(kUp);
  EXPECT_EQ(VerticalPixels(), 6);
  EXPECT_FALSE(fs::exists(IniFile()) && ReadIni().find("Color=255") != std::string::npos);
}

class IntervalDialogTest : public ProgramTest {
 protected:
  void StartWithInterval(int interval) {
    WriteSettings(5, 16711680, 0, interval, 0);
    ASSERT_TRUE(Start());
  }
  FrmSetRelode& dialog = program.frmSetRelode;
};

TEST_F(IntervalDialogTest, OpensWithTheCurrentIntervalOrNothing) {
  const struct {
    int interval;
    const char* text;
    int listIndex;
  } cases[] = {{100, "100", 1}, {50, "50", 0}, {500, "500", 9}, {75, "", -1},
               {40000, "", -1}, {65586, "", -1}, {-50, "", -1}, {0, "", -1}};
  StartWithInterval(100);
  for (const auto& c : cases) {
    tate.getMousePos.SetInterval(c.interval);
    Press(kI);
    ASSERT_TRUE(dialog.loaded()) << c.interval;
    EXPECT_EQ(dialog.cmbTime.text(), c.text) << c.interval;
    EXPECT_EQ(dialog.cmbTime.listIndex(), c.listIndex) << c.interval;
    EXPECT_EQ(dialog.cmbTime.items().front(), "50");
    EXPECT_EQ(dialog.cmbTime.items().back(), "500");
    EXPECT_EQ(dialog.Label1.caption(), "/ms");
    backend.PressButton(dialog.cmbSet);
    EXPECT_EQ(tate.getMousePos.Interval(), c.interval);  // re-applied or untouched
    backend.Activate(tate);
  }
}

TEST_F(IntervalDialogTest, AChosenIntervalChangesTrackingAtOnce) {
  StartWithInterval(100);
  Press(kI);
  backend.PickEntry(dialog.cmbTime, 9);
  backend.PressButton(dialog.cmbSet);
  EXPECT_EQ(tate.getMousePos.Interval(), 500);
  const auto ticks = backend.ticks();
  backend.AdvanceTime(1000);
  EXPECT_EQ(backend.ticks() - ticks, 2);
  Press(kI);
  backend.TypeText(dialog.cmbTime, "50");
  backend.PressButton(dialog.cmbSet);
  EXPECT_EQ(tate.getMousePos.Interval(), 50);
}

TEST_F(IntervalDialogTest, CloseBoxAndNothingSelectedLeaveTheInterval) {
  StartWithInterval(75);
  Press(kI);
  backend.PickEntry(dialog.cmbTime, 2);
  backend.ClickCloseBox(dialog);
  EXPECT_EQ(tate.getMousePos.Interval(), 75);
  Press(kI);
  backend.TypeText(dialog.cmbTime, "175");  // not an entry: nothing selected
  backend.PressButton(dialog.cmbSet);
  EXPECT_EQ(tate.getMousePos.Interval(), 75);
  EXPECT_FALSE(dialog.loaded());
}

TEST_F(IntervalDialogTest, ReopeningWhileOpenReloadsNothing) {
  StartWithInterval(100);
  Press(kI);
  backend.PickEntry(dialog.cmbTime, 5);
  backend.Activate(tate);
  Press(kI);
  EXPECT_EQ(dialog.cmbTime.text(), "300");
  EXPECT_EQ(dialog.cmbTime.listIndex(), 5);
}

TEST_F(IntervalDialogTest, BothDialogsCanBeOpenTogether) {
  StartWithInterval(100);
  Press(kI);
  backend.Activate(tate);
  Press(kC);
  EXPECT_TRUE(dialog.loaded());
  EXPECT_TRUE(program.frmSetColor.loaded());
  backend.PickEntry(program.frmSetColor.selColor, 2);
  backend.PressButton(program.frmSetColor.cmdSetColor);
  EXPECT_EQ(tate.BackColor(), 65280);
  EXPECT_TRUE(dialog.loaded());
}

}  // namespace
}  // namespace plumbmark::testing
