// Saving: S with its confirmation, Esc that saves and ends, and the next
// start that brings the saved style back.
#include "harness/plumbmark_test.h"

namespace plumbmark::e2e {
namespace {

using Save = PlumbmarkTest;

TEST_F(Save, SWritesExactlyTheFiveKeysAndConfirms) {
  Look look{.pointerX = 480, .pointerY = 360};
  Program& program = StartProgram(look);
  x().PressKey(XK_s);
  ASSERT_TRUE(program.WaitForWindow(kSavedTitle));
  EXPECT_TRUE(SettingsAre(
      "[Plumbmark]\r\nSize=5\r\nColor=16711680\r\nVertical=0\r\nInterval=100\r\nHorizon=0\r\n"));

  const ProbeReport seen = session().Probe();
  const ProbeWindow* box = seen.Find(kSavedTitle);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->StaticText(), kSavedText);
  ASSERT_NE(box->Control("Button"), nullptr);
  EXPECT_EQ(box->Control("Button", 1), nullptr) << "the box has more than an OK button";

  ASSERT_TRUE(AnswerMessageBox(program, kSavedTitle));
  ASSERT_TRUE(WaitForForeground("Plumbmark")) << "the keys did not come back to the lines";
  ASSERT_TRUE(MovePointer(look, 90, 80));  // tracking went on

  const std::string first = *session().ReadSettings();
  ASSERT_TRUE(SaveWithConfirmation(program));
  EXPECT_TRUE(SettingsAre(first)) << "a second save changed the file";
}

TEST_F(Save, EscSavesAndEndsWithEveryWindowGone) {
  Look look{.pointerX = 150, .pointerY = 650};
  Program& program = StartProgram(look);
  look.color = ScreenColor(65280);
  ASSERT_TRUE(PressAndExpect(XK_Tab, look));
  look.vertical = look.horizontal = 6;
  ASSERT_TRUE(PressAndExpect(XK_Up, look));
  look.horizontal = 0;
  ASSERT_TRUE(PressAndExpect(XK_Shift_L, look));

  x().PressKey(XK_Escape);
  const auto status = program.WaitForExit();
  ASSERT_TRUE(status) << "the program did not end";
  EXPECT_EQ(*status, 0);
  EXPECT_TRUE(program.Windows().empty());
  EXPECT_TRUE(WaitForLook(x(), Look{.vertical = 0, .horizontal = 0})) << "lines left on screen";
  EXPECT_TRUE(SettingsAre(SettingsFileText({.size = 6, .color = 65280, .horizon = 1})));

  // The next start shows the saved style.
  Look next = look;
  next.pointerX = 700;
  next.pointerY = 200;
  Program& again = StartProgram(next);
  next.horizontal = 6;  // Shift shows the hidden line at the saved size
  ASSERT_TRUE(PressAndExpect(XK_Shift_L, next));
  ASSERT_TRUE(SaveWithConfirmation(again));
  EXPECT_TRUE(SettingsAre(SettingsFileText({.size = 6, .color = 65280})));
}

TEST_F(Save, EscWithBothDialogsOpenEndsEverything) {
  Look look{.pointerX = 500, .pointerY = 400};
  Program& program = StartProgram(look);
  ASSERT_TRUE(OpenDialog(program, XK_c, kColorDialogTitle));
  ASSERT_TRUE(ActivateLines());
  ASSERT_TRUE(OpenDialog(program, XK_i, kIntervalDialogTitle));
  ASSERT_TRUE(ActivateLines());
  x().PressKey(XK_Escape);
  ASSERT_TRUE(program.WaitForExit()) << "the program did not end";
  EXPECT_TRUE(program.Windows().empty());
  EXPECT_TRUE(SettingsAre(SettingsFileText()));
}

}  // namespace
}  // namespace plumbmark::e2e
