// The thickness and hide/show commands, alone and in the sequences where
// they meet: each case starts from a stored style and presses keys on frmTate.
#include "program_fixture.h"

namespace plumbmark::testing {
namespace {

struct Lines {
  int vertical, horizontal;  // pixels shown
  int lineSize, verticalFlag, horizontalFlag;
  bool operator==(const Lines&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Lines& l) {
  return out << "{" << l.vertical << ", " << l.horizontal << ", " << l.lineSize << ", "
             << l.verticalFlag << ", " << l.horizontalFlag << "}";
}

struct KeyCase {
  const char* name;
  int size, vertical, horizon;  // the stored style
  std::vector<std::int16_t> keys;
  Lines after;
};

const KeyCase kCases[] = {
    {"Up", 5, 0, 0, {kUp}, {6, 6, 6, 0, 0}},
    {"Up stops at 20", 5, 0, 0, std::vector<std::int16_t>(20, kUp), {20, 20, 20, 0, 0}},
    {"Down stops at 1", 5, 0, 0, std::vector<std::int16_t>(10, kDown), {1, 1, 1, 0, 0}},
    {"above 20 only thinner", 25, 0, 0, {kUp, kDown}, {24, 24, 24, 0, 0}},
    {"Shift hides horizontal", 5, 0, 0, {kShift}, {5, 0, 5, 0, -1}},
    {"Shift twice", 5, 0, 0, {kShift, kShift}, {5, 5, 5, 0, 0}},
    {"Ctrl hides vertical", 5, 0, 0, {kControl}, {0, 5, 5, -1, 0}},
    {"Ctrl shows a stored hidden line", 7, 1, 0, {kControl}, {7, 7, 7, 0, 0}},
    {"F1 keeps the flags", 5, 0, 0, {kF1}, {0, 0, 5, 0, 0}},
    {"F1 twice", 5, 0, 0, {kF1, kF1}, {5, 5, 5, 0, 0}},
    {"F1 with the vertical hidden shows both", 5, 0, 0, {kControl, kF1}, {5, 5, 5, -1, 0}},
    {"F1 with the horizontal hidden hides both", 5, 0, 0, {kShift, kF1}, {0, 0, 5, 0, -1}},
    {"Shift after F1 shows by thickness", 5, 0, 0, {kF1, kShift}, {0, 5, 5, 0, 0}},
    {"Ctrl after F1 shows by thickness", 5, 0, 0, {kF1, kControl}, {5, 0, 5, 0, 0}},
    {"Ctrl after F1 re-showed it hides", 5, 0, 0, {kControl, kF1, kControl}, {0, 5, 5, -1, 0}},
    {"Up on a hidden line brings one pixel", 5, 0, 0, {kShift, kUp}, {6, 1, 6, 0, -1}},
    {"hiding keeps the line's own thickness", 5, 0, 0, {kShift, kUp, kShift}, {6, 0, 1, 0, -1}},
    {"Up after F1", 5, 0, 0, {kF1, kUp, kF1, kF1}, {1, 1, 1, 0, 0}},
    {"Down leaves a hidden line hidden", 5, 0, 0, {kControl, kDown, kDown}, {0, 3, 3, -1, 0}},
    {"shown again at the thinned size",
     5,
     0,
     0,
     {kControl, kDown, kDown, kControl},
     {3, 3, 3, 0, 0}},
    {"LineSize not below 1", 5, 0, 0, {kShift, kUp, kShift, kDown, kDown, kShift}, {4, 1, 1, 0, 0}},
    {"LineSize not above 20", 20, 0, 0, {kControl, kUp}, {1, 20, 20, -1, 0}},
    {"keys without a command", 5, 0, 0, {13, 32, 65, 18, 113, 37, 8}, {5, 5, 5, 0, 0}},
};

Lines LinesOf(const ProgramRun& run) {
  return {forms::DisplayRect(run.tate, run.backend.screen).width,
          forms::DisplayRect(run.yoko, run.backend.screen).height, run.tate.lineSize(),
          run.tate.verticalHidden(), run.tate.horizontalHidden()};
}

using KeyCommandTest = ProgramTest;

TEST_F(KeyCommandTest, SequencesLeaveTheLinesAsExpected) {
  for (const KeyCase& c : kCases) {
    ProgramRun run(SettingsFile(c.size, kBlue, c.vertical, 100, c.horizon));
    ASSERT_TRUE(run.program.Start());
    for (std::int16_t key : c.keys) run.backend.PressKey(key, /*shift=*/3);
    EXPECT_EQ(LinesOf(run), c.after) << c.name;
    EXPECT_TRUE(run.backend.messageBoxes.empty()) << c.name;
  }
}

TEST_F(KeyCommandTest, EveryThicknessIsReachedExactlyAtEveryFactor) {
  for (float factor : {15.0f, 12.0f, 10.0f, 1440.0f / 168.0f, 1440.0f / 216.0f}) {
    ProgramRun run(SettingsFile(1, kBlue, 0, 100, 0));
    run.backend.screen.twipsPerPixelX = run.backend.screen.twipsPerPixelY = factor;
    ASSERT_TRUE(run.program.Start());
    for (int pixels = 2; pixels <= 21; ++pixels) {
      run.backend.PressKey(kUp);
      const int want = std::min(pixels, 20);
      EXPECT_EQ(forms::DisplayRect(run.tate, run.backend.screen).width, want) << factor;
      EXPECT_EQ(forms::DisplayRect(run.yoko, run.backend.screen).height, want) << factor;
      EXPECT_EQ(run.tate.lineSize(), want) << factor;
    }
    run.backend.PressKey(kDown, 0, 25);
    EXPECT_EQ(run.tate.lineSize(), 1) << factor;
    EXPECT_EQ(run.tate.Width(), factor) << factor;
  }
}

TEST_F(KeyCommandTest, OnlyFrmTateTakesTheKeys) {
  ASSERT_TRUE(Start());
  backend.Activate(yoko);
  Press(kUp);
  Press(kEscape);
  EXPECT_EQ(LinesOf(*this), (Lines{5, 5, 5, 0, 0}));
  EXPECT_FALSE(backend.quit());
  backend.Activate(tate);
  Press(kUp);
  EXPECT_EQ(LinesOf(*this), (Lines{6, 6, 6, 0, 0}));
}

}  // namespace
}  // namespace plumbmark::testing
