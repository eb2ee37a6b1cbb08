// How the program's windows appear to the window system: one taskbar entry,
// line windows above everything, ordinary dialogs.
#include <algorithm>

#include "harness/plumbmark_test.h"

namespace plumbmark::e2e {
namespace {

constexpr const char* kSkipTaskbar = "_NET_WM_STATE_SKIP_TASKBAR";
constexpr const char* kAbove = "_NET_WM_STATE_ABOVE";

using WindowSystem = PlumbmarkTest;

TEST_F(WindowSystem, OneTaskbarEntryAndOnlyTheLinesAlwaysOnTop) {
  Program& program = StartProgram({.pointerX = 900, .pointerY = 700});
  const auto colour = OpenDialog(program, XK_c, kColorDialogTitle);
  ASSERT_TRUE(colour);
  ASSERT_TRUE(ActivateLines());
  const auto interval = OpenDialog(program, XK_i, kIntervalDialogTitle);
  ASSERT_TRUE(interval);

  std::vector<Window> taskbar;
  for (Window window : program.Windows()) {
    if (!x().HasState(window, kSkipTaskbar)) taskbar.push_back(window);
  }
  ASSERT_EQ(taskbar.size(), 1u) << "taskbar entries";
  EXPECT_EQ(taskbar.front(), lines_.vertical);
  EXPECT_EQ(x().Title(taskbar.front()), "Plumbmark");
  EXPECT_TRUE(x().HasProperty(taskbar.front(), "_NET_WM_ICON")) << "the entry has no icon";

  EXPECT_TRUE(x().HasState(lines_.vertical, kAbove));
  EXPECT_TRUE(x().HasState(lines_.horizontal, kAbove));
  EXPECT_FALSE(x().HasState(*colour, kAbove)) << "the colour dialog is always on top";
  EXPECT_FALSE(x().HasState(*interval, kAbove)) << "the interval dialog is always on top";
  EXPECT_EQ(program.Windows().size(), 4u);
}

TEST_F(WindowSystem, LinesStayAboveAnOrdinaryWindowThatHasTheFocus) {
  Look look{.pointerX = 480, .pointerY = 320};
  StartProgram(look);
  // Not the screen's size: openbox would take it for a full-screen window,
  // which it stacks above every other while it has the focus.
  const Rect area{40, 30, 900, 700};
  const Scene white{.fills = {{area, 0xFFFFFF}}};
  const Window backdrop = x().CreateBackdrop(area, 0xFFFFFF);
  x().Activate(backdrop);
  ASSERT_TRUE(WaitForKeyboard(backdrop));
  EXPECT_EQ(x().Geometry(backdrop), area);
  ASSERT_TRUE(WaitForLook(x(), look, white))
      << "a line went under the ordinary window; its states: "
      << ::testing::PrintToString(x().States(backdrop));

  const auto order = x().StackingOrder();
  const auto at = [&](Window window) { return std::find(order.begin(), order.end(), window); };
  EXPECT_LT(at(backdrop), at(lines_.vertical));
  EXPECT_LT(at(backdrop), at(lines_.horizontal));

  x().PressKey(XK_Tab);  // goes to the ordinary window
  ASSERT_TRUE(ActivateLines());
  look.vertical = look.horizontal = 6;
  ASSERT_TRUE(PressAndExpect(XK_Up, look, white)) << "Tab reached the lines, or Up did not";
}

TEST_F(WindowSystem, KeysWhileTheHorizontalLineIsActiveDoNothing) {
  Look look{.pointerX = 200, .pointerY = 500};
  StartProgram(look);
  x().Activate(lines_.horizontal);
  ASSERT_TRUE(WaitForForeground("Form1"));
  x().PressKey(XK_Tab);
  x().PressKey(XK_F1);
  ASSERT_TRUE(ActivateLines());
  look.vertical = look.horizontal = 6;
  ASSERT_TRUE(PressAndExpect(XK_Up, look)) << "a key on the horizontal line ran a command";
}

}  // namespace
}  // namespace plumbmark::e2e
