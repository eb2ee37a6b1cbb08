// The two dialogs: what they list and preselect, what their button applies,
// and what the close box and a second opening leave alone.
#include <string>
#include <vector>

#include "harness/pace.h"
#include "harness/plumbmark_test.h"
#include "scenarios/expected_palette.h"

namespace plumbmark::e2e {
namespace {

const std::vector<std::string> kIntervalEntries{"50",  "100", "150", "200", "250",
                                                "300", "350", "400", "450", "500"};

std::vector<std::string> ColourNames() {
  std::vector<std::string> names;
  for (const ExpectedColor& color : kExpectedPalette) names.emplace_back(color.name);
  return names;
}

// The combo box of a dialog as the inspector saw it.
const ProbeControl* ComboOf(const ProbeReport& seen, const std::string& title) {
  const ProbeWindow* dialog = seen.Find(title);
  return dialog != nullptr ? dialog->Control("ComboBox") : nullptr;
}

struct PreselectCase {
  const char* name;
  std::string settings;  // empty: no settings file
  Rgb lineColor;
  std::string text;  // what the combo box shows when the dialog opens
  int selected;
};

// Names the case in test output.
void PrintTo(const PreselectCase& c, std::ostream* out) { *out << c.name; }

class ColourDialogOpening : public PlumbmarkTest,
                            public ::testing::WithParamInterface<PreselectCase> {};

TEST_P(ColourDialogOpening, ListsTheEightNamesAndPreselectsTheLineColour) {
  const PreselectCase& c = GetParam();
  if (!c.settings.empty()) session().WriteSettings(c.settings);
  Program& program = StartProgram({.pointerX = 700, .pointerY = 500, .color = c.lineColor});
  const auto dialog = OpenDialog(program, XK_c, kColorDialogTitle);
  ASSERT_TRUE(dialog) << "no colour dialog with the keyboard";

  const ProbeReport seen = session().Probe();
  const ProbeWindow* window = seen.Find(kColorDialogTitle);
  ASSERT_NE(window, nullptr);
  const ProbeControl* combo = window->Control("ComboBox");
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->items, ColourNames());
  EXPECT_EQ(combo->text, c.text);
  EXPECT_EQ(combo->selected, c.selected);
  ASSERT_NE(window->Control("Button"), nullptr);
  EXPECT_EQ(window->Control("Button")->text, "色変更");
  EXPECT_EQ(window->client.width, 145);  // 2175 x 990 twips at 15 twips a pixel
  EXPECT_EQ(window->client.height, 66);
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, ColourDialogOpening,
    ::testing::Values(
        PreselectCase{"Blue", "", kDefaultBlue, "青", 1},
        PreselectCase{"Yellow", SettingsFileText({.color = 65535}), ScreenColor(65535), "黄色", 0},
        PreselectCase{"Grey", SettingsFileText({.color = 13421772}), ScreenColor(13421772), "灰色",
                      7},
        PreselectCase{"BlackIsNoPaletteColour", SettingsFileText({.color = 0}), 0x000000, "", -1}),
    [](const auto& test) { return std::string(test.param.name); });

using ColourDialog = PlumbmarkTest;

TEST_F(ColourDialog, AppliesTheChosenColourToBothLines) {
  Look look{.pointerX = 600, .pointerY = 400};
  Program& program = StartProgram(look);
  const auto dialog = OpenDialog(program, XK_c, kColorDialogTitle);
  ASSERT_TRUE(dialog);
  for (int step = 0; step < 6; ++step) x().PressKey(XK_Down);  // 青 to 灰色
  ProbeReport seen;
  ASSERT_TRUE(PollUntil([&] {
    seen = session().Probe();
    const ProbeControl* combo = ComboOf(seen, kColorDialogTitle);
    return combo != nullptr && combo->selected == 7;
  })) << "the list did not move to grey";
  EXPECT_EQ(ComboOf(seen, kColorDialogTitle)->text, "灰色");

  ASSERT_TRUE(ClickButton(look, *dialog, *seen.Find(kColorDialogTitle)));
  ASSERT_TRUE(program.WaitForWindowGone(kColorDialogTitle));
  look.color = ScreenColor(13421772);
  ASSERT_TRUE(WaitForLook(x(), look));
  EXPECT_FALSE(session().ReadSettings()) << "the dialog saved";

  ASSERT_TRUE(WaitForForeground("Plumbmark")) << "the keys did not come back to the lines";
  look.color = ScreenColor(65535);  // the cycle goes on from grey
  ASSERT_TRUE(PressAndExpect(XK_Tab, look));
}

TEST_F(ColourDialog, ColoursTheHiddenLineToo) {
  Look look{.pointerX = 640, .pointerY = 420};
  Program& program = StartProgram(look);
  look.horizontal = 0;
  ASSERT_TRUE(PressAndExpect(XK_Shift_L, look));
  ASSERT_TRUE(OpenDialog(program, XK_c, kColorDialogTitle));
  x().PressKey(XK_Down);   // 青 to 緑
  x().PressKey(XK_Tab);    // to the button
  x().PressKey(XK_space);  // which presses it
  ASSERT_TRUE(program.WaitForWindowGone(kColorDialogTitle));
  look.color = ScreenColor(65280);
  ASSERT_TRUE(WaitForLook(x(), look));
  ASSERT_TRUE(WaitForForeground("Plumbmark"));
  look.horizontal = 5;
  ASSERT_TRUE(PressAndExpect(XK_Shift_L, look)) << "the hidden line kept its old colour";
}

TEST_F(ColourDialog, ButtonWithNothingSelectedKeepsAColourOutsideThePalette) {
  constexpr std::int32_t kOdd = 0x2060A0;
  session().WriteSettings(SettingsFileText({.color = kOdd}));
  Look look{.pointerX = 420, .pointerY = 360, .color = ScreenColor(kOdd)};
  Program& program = StartProgram(look);
  const auto dialog = OpenDialog(program, XK_c, kColorDialogTitle);
  ASSERT_TRUE(dialog);
  const ProbeReport seen = session().Probe();
  ASSERT_NE(seen.Find(kColorDialogTitle), nullptr);
  ASSERT_TRUE(ClickButton(look, *dialog, *seen.Find(kColorDialogTitle)));
  ASSERT_TRUE(program.WaitForWindowGone(kColorDialogTitle));
  ASSERT_TRUE(WaitForLook(x(), look));
  ASSERT_TRUE(WaitForForeground("Plumbmark"));
  ASSERT_TRUE(SaveWithConfirmation(program));
  EXPECT_TRUE(SettingsAre(SettingsFileText({.color = kOdd})));
}

TEST_F(ColourDialog, CloseBoxAppliesNothing) {
  Look look{.pointerX = 500, .pointerY = 500};
  Program& program = StartProgram(look);
  const auto dialog = OpenDialog(program, XK_c, kColorDialogTitle);
  ASSERT_TRUE(dialog);
  x().PressKey(XK_Down);  // 緑 chosen, then abandoned
  ASSERT_TRUE(PollUntil([&] {
    const ProbeControl* combo = ComboOf(session().Probe(), kColorDialogTitle);
    return combo != nullptr && combo->selected == 2;
  }));
  ASSERT_TRUE(ClickCloseBox(look, *dialog));
  ASSERT_TRUE(program.WaitForWindowGone(kColorDialogTitle));
  ASSERT_TRUE(WaitForForeground("Plumbmark"));
  ASSERT_TRUE(SaveWithConfirmation(program));
  EXPECT_TRUE(SettingsAre(SettingsFileText()));
  EXPECT_TRUE(WaitForLook(x(), look));
}

TEST_F(ColourDialog, SecondCWhileOpenReloadsNothing) {
  Look look{.pointerX = 800, .pointerY = 600};
  Program& program = StartProgram(look);
  const auto dialog = OpenDialog(program, XK_c, kColorDialogTitle);
  ASSERT_TRUE(dialog);
  ASSERT_TRUE(ActivateLines());
  look.color = ScreenColor(65280);
  ASSERT_TRUE(PressAndExpect(XK_Tab, look, SceneWith(*dialog)));
  ASSERT_TRUE(OpenDialog(program, XK_c, kColorDialogTitle));  // comes forward again

  int dialogs = 0;
  for (Window window : program.Windows()) dialogs += x().Title(window) == kColorDialogTitle;
  EXPECT_EQ(dialogs, 1);
  const ProbeControl* combo = ComboOf(session().Probe(), kColorDialogTitle);
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->text, "青") << "the dialog was loaded again";
}

class IntervalDialogOpening : public PlumbmarkTest,
                              public ::testing::WithParamInterface<PreselectCase> {};

TEST_P(IntervalDialogOpening, ListsTheTenIntervalsAndPreselectsTheCurrentOne) {
  const PreselectCase& c = GetParam();
  if (!c.settings.empty()) session().WriteSettings(c.settings);
  Program& program = StartProgram({.pointerX = 700, .pointerY = 500});
  ASSERT_TRUE(OpenDialog(program, XK_i, kIntervalDialogTitle));

  const ProbeReport seen = session().Probe();
  const ProbeWindow* window = seen.Find(kIntervalDialogTitle);
  ASSERT_NE(window, nullptr);
  const ProbeControl* combo = window->Control("ComboBox");
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->items, kIntervalEntries);
  EXPECT_EQ(combo->text, c.text);
  EXPECT_EQ(combo->selected, c.selected);
  EXPECT_EQ(window->StaticText(), "/ms");
  ASSERT_NE(window->Control("Button"), nullptr);
  EXPECT_EQ(window->Control("Button")->text, "更新時間変更");
  EXPECT_EQ(window->client.width, 106);  // 1590 x 975 twips at 15 twips a pixel
  EXPECT_EQ(window->client.height, 65);
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, IntervalDialogOpening,
    ::testing::Values(
        PreselectCase{"Default", "", kDefaultBlue, "100", 1},
        PreselectCase{"Fifty", SettingsFileText({.interval = 50}), kDefaultBlue, "50", 0},
        PreselectCase{"FiveHundred", SettingsFileText({.interval = 500}), kDefaultBlue, "500", 9},
        PreselectCase{"SeventyFiveIsNoEntry", SettingsFileText({.interval = 75}), kDefaultBlue, "",
                      -1}),
    [](const auto& test) { return std::string(test.param.name); });

using IntervalDialog = PlumbmarkTest;

// The median of three follow delays, each measured from just after a tick.
std::optional<double> MedianFollowDelay(PaceMeter& meter) {
  std::vector<double> delays;
  for (int x : {100, 400, 700}) {
    const auto delay = meter.FollowDelay(x, x + 150);
    if (!delay) return std::nullopt;
    delays.push_back(*delay);
  }
  return Median(delays);
}

TEST_F(IntervalDialog, ChoosingFiveHundredSlowsTheLines) {
  constexpr int kPointerY = 600;
  Program& program = StartProgram({.pointerX = 50, .pointerY = kPointerY});
  PaceMeter meter(x(), kPointerY, kDefaultBlue);
  const auto before = MedianFollowDelay(meter);
  ASSERT_TRUE(before) << "the lines did not follow the pointer";

  ASSERT_TRUE(OpenDialog(program, XK_i, kIntervalDialogTitle));
  for (int step = 0; step < 8; ++step) x().PressKey(XK_Down);  // 100 to 500
  ASSERT_TRUE(PollUntil([&] {
    const ProbeControl* combo = ComboOf(session().Probe(), kIntervalDialogTitle);
    return combo != nullptr && combo->text == "500" && combo->selected == 9;
  })) << "the list did not move to 500";
  x().PressKey(XK_Tab);    // to the button
  x().PressKey(XK_space);  // which presses it
  ASSERT_TRUE(program.WaitForWindowGone(kIntervalDialogTitle));

  const auto after = MedianFollowDelay(meter);
  ASSERT_TRUE(after) << "the lines stopped following the pointer";
  EXPECT_GT(*after, *before) << "follow delay " << *before << " ms at 100 ms, " << *after
                             << " ms at 500 ms";

  ASSERT_TRUE(WaitForForeground("Plumbmark"));
  ASSERT_TRUE(SaveWithConfirmation(program));
  EXPECT_TRUE(SettingsAre(SettingsFileText({.interval = 500})));
}

TEST_F(IntervalDialog, CloseBoxAppliesNothing) {
  Look look{.pointerX = 500, .pointerY = 500};
  Program& program = StartProgram(look);
  const auto dialog = OpenDialog(program, XK_i, kIntervalDialogTitle);
  ASSERT_TRUE(dialog);
  x().PressKey(XK_Down);  // 150 chosen, then abandoned
  ASSERT_TRUE(PollUntil([&] {
    const ProbeControl* combo = ComboOf(session().Probe(), kIntervalDialogTitle);
    return combo != nullptr && combo->selected == 2;
  }));
  ASSERT_TRUE(ClickCloseBox(look, *dialog));
  ASSERT_TRUE(program.WaitForWindowGone(kIntervalDialogTitle));
  ASSERT_TRUE(WaitForForeground("Plumbmark"));
  ASSERT_TRUE(SaveWithConfirmation(program));
  EXPECT_TRUE(SettingsAre(SettingsFileText()));
}

TEST_F(IntervalDialog, SecondIWhileOpenReloadsNothing) {
  Program& program = StartProgram({.pointerX = 800, .pointerY = 600});
  ASSERT_TRUE(OpenDialog(program, XK_i, kIntervalDialogTitle));
  x().PressKey(XK_Down);  // 150 in the field; a reload would show 100 again
  ASSERT_TRUE(PollUntil([&] {
    const ProbeControl* combo = ComboOf(session().Probe(), kIntervalDialogTitle);
    return combo != nullptr && combo->text == "150";
  }));
  ASSERT_TRUE(ActivateLines());
  ASSERT_TRUE(OpenDialog(program, XK_i, kIntervalDialogTitle));

  int dialogs = 0;
  for (Window window : program.Windows()) dialogs += x().Title(window) == kIntervalDialogTitle;
  EXPECT_EQ(dialogs, 1);
  const ProbeControl* combo = ComboOf(session().Probe(), kIntervalDialogTitle);
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->text, "150") << "the dialog was loaded again";
}

TEST_F(IntervalDialog, ButtonWithNothingSelectedKeepsAnIntervalOutsideTheList) {
  session().WriteSettings(SettingsFileText({.interval = 75}));
  Look look{.pointerX = 300, .pointerY = 300};
  Program& program = StartProgram(look);
  const auto dialog = OpenDialog(program, XK_i, kIntervalDialogTitle);
  ASSERT_TRUE(dialog);
  const ProbeReport seen = session().Probe();
  ASSERT_NE(seen.Find(kIntervalDialogTitle), nullptr);
  ASSERT_TRUE(ClickButton(look, *dialog, *seen.Find(kIntervalDialogTitle)));
  ASSERT_TRUE(program.WaitForWindowGone(kIntervalDialogTitle));
  ASSERT_TRUE(WaitForForeground("Plumbmark"));
  ASSERT_TRUE(SaveWithConfirmation(program));
  EXPECT_TRUE(SettingsAre(SettingsFileText({.interval = 75})));
}

}  // namespace
}  // namespace plumbmark::e2e
