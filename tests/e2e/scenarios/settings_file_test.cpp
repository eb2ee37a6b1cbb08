// The settings file: a stored style comes back as stored and is saved back
// as read; what others put in the file survives a save.
#include <vector>

#include "harness/plumbmark_test.h"

namespace plumbmark::e2e {
namespace {

struct StoredCase {
  const char* name;
  std::string file;   // the file as the test leaves it before the start
  Look look;          // what the start must show (the pointer is set below)
  StoredStyle saved;  // what a save right after the start writes
  KeySym showKey;     // a key that shows a hidden line again (0: none hidden)
  Look shown;         // ... and what it then shows
};

// Names the case in test output.
void PrintTo(const StoredCase& c, std::ostream* out) { *out << c.name; }

class StoredStyleTest : public PlumbmarkTest, public ::testing::WithParamInterface<StoredCase> {};

constexpr int kX = 444, kY = 333;

TEST_P(StoredStyleTest, StartsAsStoredAndSavesWhatItRead) {
  const StoredCase& c = GetParam();
  session().WriteSettings(c.file);
  Look look = c.look;
  look.pointerX = kX;
  look.pointerY = kY;
  Program& program = StartProgram(look);
  ASSERT_TRUE(SaveWithConfirmation(program));
  EXPECT_TRUE(SettingsAre(SettingsFileText(c.saved)));
  EXPECT_TRUE(WaitForLook(x(), look));

  if (c.showKey != 0) {
    Look shown = c.shown;
    shown.pointerX = kX;
    shown.pointerY = kY;
    ASSERT_TRUE(PressAndExpect(c.showKey, shown)) << "a hidden line came back at the wrong size";
  }
}

const Rgb kRed = ScreenColor(255);

INSTANTIATE_TEST_SUITE_P(
    SettingsFile, StoredStyleTest,
    ::testing::Values(
        StoredCase{"RedNinePixelsQuarterSecond",
                   SettingsFileText({.size = 9, .color = 255, .interval = 250}),
                   {.color = kRed, .vertical = 9, .horizontal = 9},
                   {.size = 9, .color = 255, .interval = 250}},
        StoredCase{"HorizontalHidden",
                   SettingsFileText({.size = 7, .color = 33023, .horizon = 1}),
                   {.color = ScreenColor(33023), .vertical = 7, .horizontal = 0},
                   {.size = 7, .color = 33023, .horizon = 1},
                   XK_Shift_L,
                   {.color = ScreenColor(33023), .vertical = 7, .horizontal = 7}},
        StoredCase{"VerticalHidden",
                   SettingsFileText({.size = 12, .color = 16776960, .vertical = 1}),
                   {.color = ScreenColor(16776960), .vertical = 0, .horizontal = 12},
                   {.size = 12, .color = 16776960, .vertical = 1},
                   XK_Control_L,
                   {.color = ScreenColor(16776960), .vertical = 12, .horizontal = 12}},
        StoredCase{
            "BothHidden",
            SettingsFileText(
                {.size = 3, .color = 13421772, .vertical = 1, .interval = 150, .horizon = 1}),
            {.color = ScreenColor(13421772), .vertical = 0, .horizontal = 0},
            {.size = 3, .color = 13421772, .vertical = 1, .interval = 150, .horizon = 1},
            XK_F1,
            {.color = ScreenColor(13421772), .vertical = 3, .horizontal = 3}},
        StoredCase{"FlagsOtherThanOneShowTheLines",
                   SettingsFileText({.size = 4, .vertical = 2, .horizon = -1}),
                   {.vertical = 4, .horizontal = 4},
                   {.size = 4}}),
    [](const auto& test) { return std::string(test.param.name); });

using SettingsFile = PlumbmarkTest;

TEST_F(SettingsFile, ColourOutsideThePaletteStaysThroughTabAndIsSavedUnchanged) {
  constexpr std::int32_t kOdd = 0x123456;
  session().WriteSettings(SettingsFileText({.color = kOdd}));
  Look look{.pointerX = 222, .pointerY = 111, .color = ScreenColor(kOdd)};
  Program& program = StartProgram(look);
  x().PressKey(XK_Tab);  // handled before S, which waits for its box
  ASSERT_TRUE(SaveWithConfirmation(program));
  EXPECT_TRUE(SettingsAre(SettingsFileText({.color = kOdd})));
  EXPECT_TRUE(WaitForLook(x(), look));
}

TEST_F(SettingsFile, ForeignSectionsKeysAndCommentsSurviveASave) {
  session().WriteSettings(
      "; written by hand\r\n"
      "[Other]\r\n"
      "Key=Value\r\n"
      "\r\n"
      "[Plumbmark]\r\n"
      "Color=255\r\n"
      "; about the size\r\n"
      "Extra=keep me\r\n"
      "Size=7\r\n"
      "\r\n"
      "[Tail]\r\n"
      "X=1\r\n");
  Look look{
      .pointerX = 300, .pointerY = 300, .color = ScreenColor(255), .vertical = 7, .horizontal = 7};
  Program& program = StartProgram(look);
  look.color = ScreenColor(33023);
  ASSERT_TRUE(PressAndExpect(XK_Tab, look));
  look.vertical = look.horizontal = 8;
  ASSERT_TRUE(PressAndExpect(XK_Up, look));
  ASSERT_TRUE(SaveWithConfirmation(program));

  using K = ProfileLine::Kind;
  const std::vector<ProfileLine> expected{
      {K::kComment, "", "", "; written by hand"},
      {K::kSection, "Other", "Other", ""},
      {K::kKey, "Other", "Key", "Value"},
      {K::kSection, "Plumbmark", "Plumbmark", ""},
      {K::kKey, "Plumbmark", "Color", "33023"},
      {K::kComment, "Plumbmark", "", "; about the size"},
      {K::kKey, "Plumbmark", "Extra", "keep me"},
      {K::kKey, "Plumbmark", "Size", "8"},
      {K::kKey, "Plumbmark", "Vertical", "0"},
      {K::kKey, "Plumbmark", "Interval", "100"},
      {K::kKey, "Plumbmark", "Horizon", "0"},
      {K::kSection, "Tail", "Tail", ""},
      {K::kKey, "Tail", "X", "1"},
  };
  const auto actual = session().ReadSettings();
  ASSERT_TRUE(actual);
  EXPECT_EQ(ProfileLines(*actual), expected) << Visible(*actual);
}

// A program folder whose path holds spaces and Japanese.
class UnusualFolder : public PlumbmarkTest {
 protected:
  SessionOptions Options() const override {
    return {.programFolder = "Program Files/プラムマーク ツール"};
  }
};

TEST_F(UnusualFolder, SavesNextToTheProgramAndReadsItBack) {
  session().WriteSettings(SettingsFileText({.size = 2, .color = 65535}));
  Look look{.pointerX = 640,
            .pointerY = 480,
            .color = ScreenColor(65535),
            .vertical = 2,
            .horizontal = 2};
  Program& program = StartProgram(look);
  look.color = kDefaultBlue;
  ASSERT_TRUE(PressAndExpect(XK_Tab, look));
  ASSERT_TRUE(SaveWithConfirmation(program));
  EXPECT_TRUE(SettingsAre(SettingsFileText({.size = 2})));
}

}  // namespace
}  // namespace plumbmark::e2e
