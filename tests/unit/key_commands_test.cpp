// The key commands: thickness and hide/show, alone and in the sequences where
// they meet (each case starts from a stored style and presses keys on
// frmTate), the colour cycle and the two dialogs, driven as a user would.
#include "program_fixture.h"

namespace plumbmark::testing {
namespace {

// A name; the stored Size, Vertical and Horizon; the keys pressed; the lines after.
const std::tuple<const char*, int, int, int, Keys, Lines> kCases[] = {
    {"Up", 5, 0, 0, {kUp}, {6, 6, 6, 0, 0}},
    {"Up stops at 20", 5, 0, 0, Keys(20, kUp), {20, 20, 20, 0, 0}},
    {"Up from 1 to 20", 1, 0, 0, Keys(20, kUp), {20, 20, 20, 0, 0}},
    {"Up from 1 ten times", 1, 0, 0, Keys(10, kUp), {11, 11, 11, 0, 0}},
    {"Down stops at 1", 5, 0, 0, Keys(10, kDown), {1, 1, 1, 0, 0}},
    {"Down with both hidden keeps LineSize", 5, 1, 1, {kDown}, {0, 0, 5, -1, -1}},
    {"above 20 only thinner", 25, 0, 0, {kUp, kDown}, {24, 24, 24, 0, 0}},
    {"Shift hides horizontal", 5, 0, 0, {kShift}, {5, 0, 5, 0, -1}},
    {"Shift twice", 5, 0, 0, {kShift, kShift}, {5, 5, 5, 0, 0}},
    {"Ctrl hides vertical", 5, 0, 0, {kControl}, {0, 5, 5, -1, 0}},
    {"Ctrl shows a stored hidden line", 7, 1, 0, {kControl}, {7, 7, 7, 0, 0}},
    {"F1 keeps the flags", 5, 0, 0, {kF1}, {0, 0, 5, 0, 0}},
    {"F1 twice", 5, 0, 0, {kF1, kF1}, {5, 5, 5, 0, 0}},
    {"F1 showing both clears the flags", 5, 0, 0, {kShift, kControl, kF1}, {5, 5, 5, 0, 0}},
    {"F1 hiding both keeps the flags", 5, 0, 0, {kShift, kF1}, {0, 0, 5, 0, -1}},
    {"Shift after F1 shows by thickness", 5, 0, 0, {kF1, kShift}, {0, 5, 5, 0, 0}},
    {"Ctrl after F1 shows by thickness", 5, 0, 0, {kF1, kControl}, {5, 0, 5, 0, 0}},
    {"Ctrl after F1 re-showed it hides", 5, 0, 0, {kControl, kF1, kControl}, {0, 5, 5, -1, 0}},
    {"Up on a hidden line brings one pixel", 5, 0, 0, {kShift, kUp}, {6, 1, 6, 0, -1}},
    {"hiding keeps the line's own thickness", 5, 0, 0, {kShift, kUp, kShift}, {6, 0, 1, 0, -1}},
    {"Up after F1", 5, 0, 0, {kF1, kUp, kF1, kF1}, {1, 1, 1, 0, 0}},
    {"Down leaves a hidden line hidden", 5, 0, 0, {kControl, kDown, kDown}, {0, 3, 3, -1, 0}},
    {"shown at the thinned size", 5, 0, 0, {kControl, kDown, kDown, kControl}, {3, 3, 3, 0, 0}},
    {"LineSize not below 1", 5, 0, 0, {kShift, kUp, kShift, kDown, kDown, kShift}, {4, 1, 1, 0, 0}},
    {"LineSize not above 20", 20, 0, 0, {kControl, kUp}, {1, 20, 20, -1, 0}},
    {"keys without a command", 5, 0, 0, {13, 32, 65, 18, 113, 37, 8}, {5, 5, 5, 0, 0}},
};

using KeyCommandTest = ProgramTest;

// Thickness goes by whole pixels at every factor, 175 % (1440 / 168) too.
TEST_F(KeyCommandTest, SequencesLeaveTheLinesAsExpectedAtEveryFactor) {
  for (float factor : {15.0f, 12.0f, 10.0f, 1440.0f / 168.0f, 1440.0f / 216.0f}) {
    for (const auto& [name, size, vertical, horizon, keys, after] : kCases) {
      ProgramRun run(SettingsFile({size, kBlue, vertical, 100, horizon}));
      run.SetFactor(factor);
      ASSERT_TRUE(run.Start());
      for (std::int16_t key : keys) run.backend.PressKey(key, /*shift=*/3);
      EXPECT_EQ(run.LinesNow(), after) << name << " at " << factor;
      EXPECT_TRUE(run.backend.messageBoxes.empty()) << name;
    }
  }
}

// Five key-downs of a held key: the first, then four auto-repeats.
TEST_F(KeyCommandTest, AHeldKeyActsOnceButUpDownAndTabGoOn) {
  const std::tuple<std::int16_t, Lines, std::int32_t> cases[] = {
      {kUp, {10, 10, 10, 0, 0}, kBlue},     {kDown, {1, 1, 1, 0, 0}, kBlue},
      {kTab, {5, 5, 5, 0, 0}, kPalette[6]}, {kShift, {5, 0, 5, 0, -1}, kBlue},
      {kControl, {0, 5, 5, -1, 0}, kBlue},  {kF1, {0, 0, 5, 0, 0}, kBlue},
      {kS, {5, 5, 5, 0, 0}, kBlue}};
  for (const auto& [key, lines, color] : cases) {
    ProgramRun run;
    ASSERT_TRUE(run.Start());
    run.Press(key, 5);
    EXPECT_EQ(run.LinesNow(), lines) << key;
    EXPECT_EQ(run.tate.BackColor(), color) << key;
    EXPECT_EQ(run.backend.messageBoxes.size(), key == kS ? 1u : 0u) << key;
  }
}

TEST_F(KeyCommandTest, OnlyFrmTateTakesTheKeys) {
  ASSERT_TRUE(Start());
  backend.Activate(yoko);
  Press(kUp);
  Press(kEscape);
  EXPECT_EQ(LinesNow(), (Lines{5, 5, 5, 0, 0}));
  EXPECT_FALSE(backend.quit());
  backend.Activate(tate);
  Press(kUp);
  EXPECT_EQ(LinesNow(), (Lines{6, 6, 6, 0, 0}));
}

constexpr std::int32_t kGrey = 13421772;

class PaletteTest : public ProgramTest {
 protected:
  void SetUp() override { ASSERT_TRUE(Start()); }
  // The dialog a key opens, its combo box and the value it sets.
  forms::Form& Dialog(std::int16_t key) {
    return key == kC ? static_cast<forms::Form&>(colour) : interval;
  }
  forms::ComboBox& Combo(std::int16_t key) {
    return key == kC ? colour.selColor : interval.cmbTime;
  }
  int Value(std::int16_t key) { return key == kC ? tate.BackColor() : tate.getMousePos.Interval(); }
  FrmSetColor& colour = program.frmSetColor;
  FrmSetRelode& interval = program.frmSetRelode;
};

TEST_F(PaletteTest, TabStepsBothLinesThroughTheEightColoursFromTheVerticalLinesColour) {
  tate.SetLineColor(65535);
  for (int step = 1; step <= 16; ++step) {
    Press(kTab);
    EXPECT_EQ(tate.BackColor(), kPalette[step % 8]) << step;
    EXPECT_EQ(yoko.BackColor(), kPalette[step % 8]) << step;
  }
  yoko.SetBackColor(255);  // only frmTate's colour decides
  Press(kTab);
  EXPECT_EQ(yoko.BackColor(), kBlue);
  tate.SetLineColor(0);  // outside the palette: left alone
  yoko.SetBackColor(255);
  Press(kTab, 3);
  EXPECT_EQ(tate.BackColor(), 0);
  EXPECT_EQ(yoko.BackColor(), 255);
}

// The close box applies nothing and hands the keyboard back to frmTate.
TEST_F(PaletteTest, EachDialogListsItsEntriesAndPreselectsTheCurrentOne) {
  const std::vector<std::string> colours{"黄色",     "青",   "緑", "赤",
                                         "オレンジ", "水色", "紫", "灰色"};
  const std::vector<std::string> intervals{"50",  "100", "150", "200", "250",
                                           "300", "350", "400", "450", "500"};
  const std::tuple<std::int16_t, int, const char*> cases[] = {
      {kC, 65535, "黄色"}, {kC, kBlue, "青"}, {kC, 33023, "オレンジ"}, {kC, kGrey, "灰色"},
      {kC, 0, ""},         {kC, -1, ""},      {kI, 50, "50"},          {kI, 100, "100"},
      {kI, 500, "500"},    {kI, 75, ""},      {kI, 1000, ""},          {kI, 0, ""},
      {kI, 65586, ""}};
  for (const auto& [key, value, text] : cases) {
    key == kC ? tate.SetLineColor(value) : tate.getMousePos.SetInterval(value);
    Press(key);
    EXPECT_EQ(Combo(key).items(), key == kC ? colours : intervals);
    EXPECT_EQ(Combo(key).text(), text) << value;
    EXPECT_EQ(backend.activeForm(), &Dialog(key));
    backend.ClickCloseBox(Dialog(key));
    EXPECT_FALSE(Dialog(key).loaded());
    EXPECT_EQ(backend.activeForm(), &tate);
    EXPECT_EQ(Value(key), value);
  }
}

// A typed text applies only when it names an entry exactly; the button and
// the close box both close the dialog.
TEST_F(PaletteTest, OnlyAChosenEntryAppliesToBothLinesOrTheTimerAtOnce) {
  // The dialog's key; the entry picked, or else the text typed; whether the
  // close box closes it; the value after.
  const std::tuple<std::int16_t, std::int16_t, const char*, bool, int> cases[] = {
      {kC, 7, nullptr, false, kGrey}, {kC, -1, "赤", false, 255},  {kC, -1, "あか", false, 255},
      {kC, 2, nullptr, true, 255},    {kI, 0, nullptr, false, 50}, {kI, -1, "150", false, 150},
      {kI, -1, "75", false, 150},     {kI, 9, nullptr, true, 150}, {kI, 9, nullptr, false, 500},
  };
  Press(kShift);  // a hidden line takes the colour too, and stays hidden
  for (const auto& [key, pick, typed, closeBox, want] : cases) {
    Press(key);
    typed ? backend.TypeText(Combo(key), typed) : backend.PickEntry(Combo(key), pick);
    closeBox ? backend.ClickCloseBox(Dialog(key))
             : backend.PressButton(key == kC ? colour.cmdSetColor : interval.cmbSet);
    EXPECT_FALSE(Dialog(key).loaded());
    EXPECT_EQ(Value(key), want);
    EXPECT_EQ(yoko.BackColor(), tate.BackColor());
  }
  EXPECT_EQ(Horizontal().height, 0);
  const auto before = backend.ticks();
  backend.AdvanceTime(1000);
  EXPECT_EQ(backend.ticks() - before, 2);
}

TEST_F(PaletteTest, ReopeningAnOpenDialogKeepsItsSelectionAndBothCanBeOpen) {
  for (const auto& [key, entry] : {std::pair<std::int16_t, std::int16_t>{kC, 3}, {kI, 9}}) {
    Press(key);
    backend.PickEntry(Combo(key), entry);
    backend.Activate(tate);
    Press(key);
    EXPECT_EQ(Combo(key).listIndex(), entry);
    backend.Activate(tate);
  }
  EXPECT_TRUE(colour.loaded());
  MoveAndTick(40, 50);  // tracking goes on meanwhile
  EXPECT_EQ(Vertical().x, 41);
}

}  // namespace
}  // namespace plumbmark::testing
