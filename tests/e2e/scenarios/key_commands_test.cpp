// The single-key commands on the vertical line window.
#include <tuple>

#include "harness/plumbmark_test.h"
#include "scenarios/expected_palette.h"

namespace plumbmark::e2e {
namespace {

constexpr Rgb kGreen = ScreenColor(65280);

using KeyCommands = PlumbmarkTest;

TEST_F(KeyCommands, TabCyclesThroughAllEightColoursAndBack) {
  Look look{.pointerX = 400, .pointerY = 300};
  StartProgram(look);
  for (std::size_t step = 1; step <= kExpectedPalette.size(); ++step) {
    const ExpectedColor& next = kExpectedPalette[(kBlueIndex + step) % kExpectedPalette.size()];
    look.color = ScreenColor(next.value);
    ASSERT_TRUE(PressAndExpect(XK_Tab, look)) << "Tab number " << step << " (" << next.name << ")";
  }
  EXPECT_EQ(look.color, kDefaultBlue);
}

TEST_F(KeyCommands, UpThickensBothLinesToTwentyPixelsAndNoFurther) {
  Look look{.pointerX = 200, .pointerY = 150};
  Program& program = StartProgram(look);
  for (int thickness = 6; thickness <= 20; ++thickness) {
    look.vertical = look.horizontal = thickness;
    ASSERT_TRUE(PressAndExpect(XK_Up, look));
  }
  for (int extra = 0; extra < 3; ++extra) x().PressKey(XK_Up);
  look.color = kGreen;  // Tab is handled after the extra Ups
  ASSERT_TRUE(PressAndExpect(XK_Tab, look));

  ASSERT_TRUE(SaveWithConfirmation(program));
  EXPECT_TRUE(SettingsAre(SettingsFileText({.size = 20, .color = 65280})));
}

TEST_F(KeyCommands, DownThinsBothLinesToOnePixelAndNoFurther) {
  Look look{.pointerX = 600, .pointerY = 500};
  Program& program = StartProgram(look);
  for (int thickness = 4; thickness >= 1; --thickness) {
    look.vertical = look.horizontal = thickness;
    ASSERT_TRUE(PressAndExpect(XK_Down, look));
  }
  for (int extra = 0; extra < 3; ++extra) x().PressKey(XK_Down);
  look.color = kGreen;
  ASSERT_TRUE(PressAndExpect(XK_Tab, look));

  ASSERT_TRUE(SaveWithConfirmation(program));
  EXPECT_TRUE(SettingsAre(SettingsFileText({.size = 1, .color = 65280})));
}

// Shift hides and shows the horizontal line, Ctrl the vertical one; the
// saved flag follows.
struct ToggleCase {
  const char* name;
  KeySym key;
  bool hidesVertical;
};

// Names the case in test output.
void PrintTo(const ToggleCase& c, std::ostream* out) { *out << c.name; }

class LineToggle : public PlumbmarkTest, public ::testing::WithParamInterface<ToggleCase> {};

TEST_P(LineToggle, HidesThenShowsItsLineAndSavesTheFlag) {
  const ToggleCase& c = GetParam();
  Look look{.pointerX = 321, .pointerY = 234};
  Program& program = StartProgram(look);

  Look hidden = look;
  (c.hidesVertical ? hidden.vertical : hidden.horizontal) = 0;
  ASSERT_TRUE(PressAndExpect(c.key, hidden));
  ASSERT_TRUE(SaveWithConfirmation(program));
  EXPECT_TRUE(SettingsAre(
      SettingsFileText({.vertical = c.hidesVertical ? 1 : 0, .horizon = c.hidesVertical ? 0 : 1})));

  ASSERT_TRUE(PressAndExpect(c.key, look));
  ASSERT_TRUE(SaveWithConfirmation(program));
  EXPECT_TRUE(SettingsAre(SettingsFileText()));
}

INSTANTIATE_TEST_SUITE_P(KeyCommands, LineToggle,
                         ::testing::Values(ToggleCase{"Shift", XK_Shift_L, false},
                                           ToggleCase{"RightShift", XK_Shift_R, false},
                                           ToggleCase{"Ctrl", XK_Control_L, true},
                                           ToggleCase{"RightCtrl", XK_Control_R, true}),
                         [](const auto& test) { return std::string(test.param.name); });

TEST_F(KeyCommands, F1HidesAndShowsBothLinesWithoutTouchingTheFlags) {
  Look look{.pointerX = 512, .pointerY = 384};
  Program& program = StartProgram(look);
  Look bothHidden = look;
  bothHidden.vertical = bothHidden.horizontal = 0;
  ASSERT_TRUE(PressAndExpect(XK_F1, bothHidden));
  ASSERT_TRUE(SaveWithConfirmation(program));
  EXPECT_TRUE(SettingsAre(SettingsFileText()));  // both flags stay 0

  x().PressKey(XK_Down);  // neither hidden line changes
  ASSERT_TRUE(PressAndExpect(XK_F1, look));
}

TEST_F(KeyCommands, F1WithOnlyTheVerticalLineHiddenShowsBoth) {
  Look look{.pointerX = 100, .pointerY = 600};
  Program& program = StartProgram(look);
  Look verticalHidden = look;
  verticalHidden.vertical = 0;
  ASSERT_TRUE(PressAndExpect(XK_Control_L, verticalHidden));
  ASSERT_TRUE(PressAndExpect(XK_F1, look));
  ASSERT_TRUE(SaveWithConfirmation(program));
  EXPECT_TRUE(SettingsAre(SettingsFileText({.vertical = 1})));  // F1 left the flag set
}

TEST_F(KeyCommands, UpBringsAHiddenLineBackOnePixelThick) {
  Look look{.pointerX = 700, .pointerY = 100};
  Program& program = StartProgram(look);
  Look changed = look;
  changed.vertical = 0;
  ASSERT_TRUE(PressAndExpect(XK_Control_L, changed));
  changed.vertical = 1;
  changed.horizontal = 6;
  ASSERT_TRUE(PressAndExpect(XK_Up, changed));
  ASSERT_TRUE(SaveWithConfirmation(program));
  EXPECT_TRUE(SettingsAre(SettingsFileText({.size = 6, .vertical = 1})));
}

// A modifier pressed first runs its own command, then S saves the result.
class ModifierWithS : public PlumbmarkTest, public ::testing::WithParamInterface<ToggleCase> {};

TEST_P(ModifierWithS, TogglesItsLineThenSaves) {
  const ToggleCase& c = GetParam();
  Look look{.pointerX = 250, .pointerY = 250};
  Program& program = StartProgram(look);
  x().PressChord(c.key, XK_s);
  ASSERT_TRUE(AnswerMessageBox(program, kSavedTitle));
  EXPECT_TRUE(SettingsAre(
      SettingsFileText({.vertical = c.hidesVertical ? 1 : 0, .horizon = c.hidesVertical ? 0 : 1})));
  (c.hidesVertical ? look.vertical : look.horizontal) = 0;
  EXPECT_TRUE(WaitForLook(x(), look));
}

INSTANTIATE_TEST_SUITE_P(KeyCommands, ModifierWithS,
                         ::testing::Values(ToggleCase{"ShiftS", XK_Shift_L, false},
                                           ToggleCase{"CtrlS", XK_Control_L, true}),
                         [](const auto& test) { return std::string(test.param.name); });

TEST_F(KeyCommands, KeysWithoutACommandChangeNothing) {
  Look look{.pointerX = 333, .pointerY = 444};
  Program& program = StartProgram(look);
  for (KeySym key : {XK_1, XK_a, XK_Return, XK_space, XK_BackSpace, XK_Delete, XK_Left, XK_Right,
                     XK_Home, XK_Page_Down, XK_F2, XK_F10, XK_F12, XK_Alt_L}) {
    x().PressKey(key);
  }
  look.color = kGreen;  // the one command after them runs, and nothing else has
  ASSERT_TRUE(PressAndExpect(XK_Tab, look));
  EXPECT_EQ(program.Windows().size(), 2u) << "a key opened a window";
  EXPECT_FALSE(session().ReadSettings()) << "a key wrote the settings file";
}

}  // namespace
}  // namespace plumbmark::e2e
