// At 144 DPI (10 twips a pixel) the lines are still exact in pixels and the
// dialogs take their size in twips.
#include "harness/plumbmark_test.h"

namespace plumbmark::e2e {
namespace {

using HighDpi = HighDpiTest;

TEST_F(HighDpi, LinesStayExactInPixels) {
  Look look{.pointerX = 333, .pointerY = 222};
  Program& program = StartProgram(look);
  const ProbeReport seen = session().Probe();
  ASSERT_EQ(seen.dpiX, 144) << "the prefix is not at 144 DPI; the test would prove nothing";

  for (int thickness = 6; thickness <= 20; ++thickness) {
    look.vertical = look.horizontal = thickness;
    ASSERT_TRUE(PressAndExpect(XK_Up, look));
  }
  x().PressKey(XK_Up);
  Look hidden = look;
  hidden.vertical = hidden.horizontal = 0;
  ASSERT_TRUE(PressAndExpect(XK_F1, hidden));
  ASSERT_TRUE(PressAndExpect(XK_F1, look)) << "the thickness did not survive hiding";
  look.horizontal = 0;
  ASSERT_TRUE(PressAndExpect(XK_Shift_L, look));
  ASSERT_TRUE(MovePointer(look, 1000, 10));
  ASSERT_TRUE(SaveWithConfirmation(program));
  EXPECT_TRUE(SettingsAre(SettingsFileText({.size = 20, .horizon = 1})));
}

// The client area of a dialog, as the inspector saw it.
std::optional<Rect> ClientOf(const ProbeReport& seen, const std::string& title) {
  const ProbeWindow* dialog = seen.Find(title);
  if (dialog == nullptr) return std::nullopt;
  return dialog->client;
}

TEST_F(HighDpi, ColourDialogIsSizedAtTenTwipsAPixel) {
  Program& program = StartProgram({.pointerX = 900, .pointerY = 650});
  ASSERT_TRUE(OpenDialog(program, XK_c, kColorDialogTitle));
  const ProbeReport seen = session().Probe();
  ASSERT_EQ(seen.dpiX, 144);
  const auto client = ClientOf(seen, kColorDialogTitle);
  ASSERT_TRUE(client);
  // 2175 x 990 twips; the half pixel may round either way.
  EXPECT_GE(client->width, 217);
  EXPECT_LE(client->width, 218);
  EXPECT_EQ(client->height, 99);
}

TEST_F(HighDpi, IntervalDialogIsSizedAtTenTwipsAPixel) {
  Program& program = StartProgram({.pointerX = 900, .pointerY = 650});
  ASSERT_TRUE(OpenDialog(program, XK_i, kIntervalDialogTitle));
  const ProbeReport seen = session().Probe();
  ASSERT_EQ(seen.dpiX, 144);
  const auto client = ClientOf(seen, kIntervalDialogTitle);
  ASSERT_TRUE(client);
  // 1590 x 975 twips; the half pixel may round either way.
  EXPECT_EQ(client->width, 159);
  EXPECT_GE(client->height, 97);
  EXPECT_LE(client->height, 98);
}

}  // namespace
}  // namespace plumbmark::e2e
