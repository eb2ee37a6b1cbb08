// The colour cycle and the two dialogs, driven as a user would.
#include "program_fixture.h"

namespace plumbmark::testing {
namespace {

constexpr std::int32_t kPaletteInCycleOrder[] = {65535, 16711680, 65280,    255,
                                                 33023, 16776960, 16711935, 13421772};
constexpr std::int32_t kGrey = 13421772;

class PaletteTest : public ProgramTest {
 protected:
  void StartWithColor(int color) {
    Store(5, color, 0, 100, 0);
    ASSERT_TRUE(Start());
  }
  void Pick(forms::ComboBox& combo, forms::CommandButton& button, std::int16_t index) {
    backend.PickEntry(combo, index);
    backend.PressButton(button);
  }
  FrmSetColor& colour = program.frmSetColor;
  FrmSetRelode& interval = program.frmSetRelode;
};

TEST_F(PaletteTest, TabStepsBothLinesThroughTheEightColoursFromTheVerticalLinesColour) {
  StartWithColor(65535);
  for (int step = 1; step <= 16; ++step) {
    Press(kTab);
    EXPECT_EQ(tate.BackColor(), kPaletteInCycleOrder[step % 8]) << step;
    EXPECT_EQ(yoko.BackColor(), kPaletteInCycleOrder[step % 8]) << step;
  }
  yoko.SetBackColor(255);  // only frmTate's colour decides
  Press(kTab);
  EXPECT_EQ(yoko.BackColor(), 16711680);
  tate.SetLineColor(0);  // outside the palette: left alone
  yoko.SetBackColor(255);
  Press(kTab, 3);
  EXPECT_EQ(tate.BackColor(), 0);
  EXPECT_EQ(yoko.BackColor(), 255);
}

TEST_F(PaletteTest, ColourDialogNamesTheCurrentColourAndHandsTheKeyboardBack) {
  const std::pair<int, const char*> cases[] = {
      {65535, "黄色"}, {16711680, "青"}, {33023, "オレンジ"}, {kGrey, "灰色"}, {0, ""}, {-1, ""}};
  StartWithColor(kBlue);
  for (const auto& [color, name] : cases) {
    tate.SetLineColor(color);
    Press(kC);
    ASSERT_TRUE(colour.loaded());
    const std::vector<std::string> names{"黄色",     "青",   "緑", "赤",
                                         "オレンジ", "水色", "紫", "灰色"};
    EXPECT_EQ(colour.selColor.items(), names);
    EXPECT_EQ(colour.selColor.text(), name);
    EXPECT_EQ(backend.activeForm(), &colour);
    backend.ClickCloseBox(colour);
    EXPECT_FALSE(colour.loaded());
    EXPECT_EQ(backend.activeForm(), &tate);
  }
}

TEST_F(PaletteTest, ColourDialogAppliesOnlyAChosenEntry) {
  StartWithColor(kBlue);
  Press(kShift);
  Press(kC);
  Pick(colour.selColor, colour.cmdSetColor, 7);
  EXPECT_FALSE(colour.loaded());
  EXPECT_EQ(tate.BackColor(), kGrey);
  EXPECT_EQ(yoko.BackColor(), kGrey);  // the hidden line too, and it stays hidden
  EXPECT_EQ(Horizontal().height, 0);
  Press(kC);
  backend.TypeText(colour.selColor, "赤");  // a name typed exactly selects its entry
  backend.PressButton(colour.cmdSetColor);
  EXPECT_EQ(tate.BackColor(), 255);
  Press(kC);
  backend.TypeText(colour.selColor, "あか");
  backend.PressButton(colour.cmdSetColor);
  Press(kC);
  backend.PickEntry(colour.selColor, 2);
  backend.ClickCloseBox(colour);
  EXPECT_EQ(tate.BackColor(), 255);
}

TEST_F(PaletteTest, ReopeningAnOpenDialogKeepsItsSelectionAndBothCanBeOpen) {
  StartWithColor(kBlue);
  Press(kC);
  backend.PickEntry(colour.selColor, 3);
  backend.Activate(tate);
  Press(kC);
  EXPECT_EQ(colour.selColor.listIndex(), 3);
  backend.Activate(tate);
  Press(kI);
  backend.PickEntry(interval.cmbTime, 9);
  backend.Activate(tate);
  Press(kI);
  EXPECT_EQ(interval.cmbTime.listIndex(), 9);
  EXPECT_TRUE(colour.loaded());
  backend.SetPointer(40, 50);  // tracking goes on meanwhile
  backend.AdvanceTime(100);
  EXPECT_EQ(Vertical().x, 41);
}

TEST_F(PaletteTest, IntervalDialogListsTenStepsAndPreselectsTheCurrentOne) {
  const std::pair<int, const char*> cases[] = {{50, "50"}, {100, "100"}, {500, "500"}, {75, ""},
                                               {1000, ""}, {0, ""},      {65586, ""}};
  StartWithColor(kBlue);
  for (const auto& [ms, text] : cases) {
    tate.getMousePos.SetInterval(ms);
    Press(kI);
    ASSERT_TRUE(interval.loaded()) << ms;
    const std::vector<std::string> items{"50",  "100", "150", "200", "250",
                                         "300", "350", "400", "450", "500"};
    EXPECT_EQ(interval.cmbTime.items(), items);
    EXPECT_EQ(interval.cmbTime.text(), text) << ms;
    backend.ClickCloseBox(interval);
    EXPECT_EQ(tate.getMousePos.Interval(), ms);
  }
}

TEST_F(PaletteTest, IntervalDialogAppliesOnlyAChosenEntryAtOnce) {
  StartWithColor(kBlue);
  for (std::int16_t index = 0; index < 10; ++index) {
    Press(kI);
    Pick(interval.cmbTime, interval.cmbSet, index);
    EXPECT_FALSE(interval.loaded());
    EXPECT_EQ(tate.getMousePos.Interval(), 50 * (index + 1));
  }
  tate.getMousePos.SetInterval(75);
  Press(kI);
  backend.PressButton(interval.cmbSet);  // nothing selected
  EXPECT_EQ(tate.getMousePos.Interval(), 75);
  Press(kI);
  Pick(interval.cmbTime, interval.cmbSet, 9);
  const auto before = backend.ticks();
  backend.AdvanceTime(1000);
  EXPECT_EQ(backend.ticks() - before, 2);
}

}  // namespace
}  // namespace plumbmark::testing
