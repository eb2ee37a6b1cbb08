// Start-up: the settings applied to both line windows and the timer, the
// keep-on-top calls, hidden lines, the second-instance refusal.
#include "program_fixture.h"

namespace plumbmark::testing {
namespace {

using forms::headless::MessageBoxRecord;

class StartupTest : public ProgramTest {};

TEST_F(StartupTest, WindowsHaveTheirDesignValuesWhenCreated) {
  // Read without loading: any property access would load the form.
  EXPECT_EQ(tate.geometry().width, 2790);
  EXPECT_EQ(tate.geometry().height, 3195);
  EXPECT_EQ(tate.backColor(), 16711680);
  EXPECT_EQ(tate.getMousePos.interval(), 100);
  EXPECT_EQ(yoko.geometry().width, 4680);
  EXPECT_EQ(yoko.geometry().height, 3195);
  EXPECT_EQ(yoko.backColor(), 65535);
  EXPECT_EQ(tate.LineSize, 0);
  EXPECT_EQ(tate.IniPath, "");
}

TEST_F(StartupTest, FirstUseOfAFormLoadsItCentred) {
  EXPECT_FALSE(yoko.loaded());
  EXPECT_EQ(yoko.BackColor(), 65535);  // the first access creates the window
  EXPECT_TRUE(yoko.loaded());
  EXPECT_FLOAT_EQ(yoko.Left(), (1920 * 15 - 4680) / 2.0f);
  EXPECT_FLOAT_EQ(yoko.Top(), (1080 * 15 - 3195) / 2.0f);
  EXPECT_FALSE(tate.loaded());
}

TEST_F(StartupTest, WithoutSettingsFileUsesTheDefaultsAndCreatesNoFile) {
  ASSERT_TRUE(Start());
  EXPECT_EQ(tate.LineSize, 5);
  EXPECT_EQ(VerticalPixels(), 5);
  EXPECT_EQ(HorizontalPixels(), 5);
  EXPECT_FLOAT_EQ(tate.Width(), 75);  // 5 pixels at 15 twips per pixel
  EXPECT_FLOAT_EQ(yoko.Height(), 75);
  EXPECT_FLOAT_EQ(tate.Height(), 1080 * 15);
  EXPECT_FLOAT_EQ(yoko.Width(), 1920 * 15);
  EXPECT_FLOAT_EQ(tate.Top(), 0);
  EXPECT_FLOAT_EQ(yoko.Left(), 0);
  EXPECT_EQ(tate.BackColor(), 16711680);
  EXPECT_EQ(yoko.BackColor(), 16711680);
  EXPECT_EQ(tate.getMousePos.Interval(), 100);
  EXPECT_EQ(tate.VerticalHidden, 0);
  EXPECT_EQ(tate.HorizontalHidden, 0);
  EXPECT_EQ(tate.SizeChanged, 0);
  EXPECT_FALSE(fs::exists(IniFile()));
  EXPECT_TRUE(backend.messageBoxes.empty());
}

TEST_F(StartupTest, ReadsTheSixValuesInOrder) {
  ASSERT_TRUE(Start());
  const std::vector<std::string> expected{"get Size",  "get Interval", "get Color",
                                          "get Color", "get Vertical", "get Horizon"};
  EXPECT_EQ(backend.profileCalls, expected);
}

TEST_F(StartupTest, AppliesTheStoredStyle) {
  WriteSettings(7, 255, 0, 250, 0);
  ASSERT_TRUE(Start());
  EXPECT_EQ(tate.LineSize, 7);
  EXPECT_EQ(VerticalPixels(), 7);
  EXPECT_EQ(HorizontalPixels(), 7);
  EXPECT_EQ(tate.BackColor(), 255);
  EXPECT_EQ(yoko.BackColor(), 255);
  EXPECT_EQ(tate.getMousePos.Interval(), 250);
}

struct HiddenCase {
  int vertical, horizon;
  bool verticalHidden, horizontalHidden;
};

class HiddenLinesTest : public ProgramTest, public ::testing::WithParamInterface<HiddenCase> {};

TEST_P(HiddenLinesTest, OnlyExactlyOneHidesALine) {
  const HiddenCase& c = GetParam();
  WriteSettings(6, 65280, c.vertical, 100, c.horizon);
  ASSERT_TRUE(Start());
  EXPECT_EQ(VerticalPixels(), c.verticalHidden ? 0 : 6);
  EXPECT_EQ(HorizontalPixels(), c.horizontalHidden ? 0 : 6);
  EXPECT_EQ(tate.VerticalHidden, c.verticalHidden ? -1 : 0);
  EXPECT_EQ(tate.HorizontalHidden, c.horizontalHidden ? -1 : 0);
  EXPECT_EQ(tate.LineSize, 6);  // recovered from the hidden window's thickness
}

INSTANTIATE_TEST_SUITE_P(Combinations, HiddenLinesTest,
                         ::testing::Values(HiddenCase{0, 0, false, false},
                                           HiddenCase{1, 0, true, false},
                                           HiddenCase{0, 1, false, true},
                                           HiddenCase{1, 1, true, true},
                                           HiddenCase{2, -1, false, false},
                                           HiddenCase{-1, 2, false, false}));

TEST_F(StartupTest, BothWindowsAreMadeTopmostAndShownEvenWhenHidden) {
  WriteSettings(5, 16711680, 1, 100, 1);
  ASSERT_TRUE(Start());
  ASSERT_EQ(backend.setWindowPosCalls.size(), 2u);
  const auto& first = backend.setWindowPosCalls[0];
  const auto& second = backend.setWindowPosCalls[1];
  EXPECT_EQ(first.hWnd, tate.hWnd());
  EXPECT_EQ(second.hWnd, yoko.hWnd());
  for (const auto& call : backend.setWindowPosCalls) {
    EXPECT_EQ(call.insertAfter, -1);
    EXPECT_EQ(call.x, 0);
    EXPECT_EQ(call.y, 0);
    EXPECT_EQ(call.cx, 0);
    EXPECT_EQ(call.cy, 0);
    EXPECT_EQ(call.flags, 0x43);
  }
  EXPECT_TRUE(backend.window(tate)->topmost);
  EXPECT_TRUE(backend.window(yoko)->topmost);
  EXPECT_TRUE(backend.window(tate)->shown);
  EXPECT_TRUE(backend.window(yoko)->shown);
  EXPECT_EQ(backend.activeForm(), &tate);  // frmTate is active when start-up ends
  EXPECT_FALSE(backend.window(program.frmSetColor));  // the dialogs stay unloaded
}

TEST_F(StartupTest, SizeZeroGivesZeroThicknessWithFlagsClear) {
  WriteSettings(0, 16711680, 0, 100, 0);
  ASSERT_TRUE(Start());
  EXPECT_FLOAT_EQ(tate.Width(), 0);
  EXPECT_FLOAT_EQ(yoko.Height(), 0);
  EXPECT_EQ(tate.VerticalHidden, 0);
  EXPECT_EQ(tate.HorizontalHidden, 0);
}

TEST_F(StartupTest, ValuesTheWindowsCannotShowAreKeptAsRead) {
  WriteSettings(-3, -1, 0, -20, 0);
  ASSERT_TRUE(Start());
  EXPECT_FLOAT_EQ(tate.Width(), -45);
  EXPECT_EQ(VerticalPixels(), 0);  // shown as zero thickness
  EXPECT_EQ(tate.BackColor(), -1);
  EXPECT_EQ(forms::DisplayColor(tate.BackColor()), (forms::ShownColor{false, 0xFFFFFF}));
  EXPECT_EQ(tate.getMousePos.Interval(), -20);
  EXPECT_EQ(forms::Timer::TickPeriod(-20), 10);
}

TEST_F(StartupTest, SecondInstanceIsRefusedBeforeAnythingIsRead) {
  backend.prevInstance = true;
  WriteSettings(9, 255, 0, 100, 0);
  EXPECT_FALSE(Start());
  ASSERT_EQ(backend.messageBoxes.size(), 1u);
  const MessageBoxRecord& box = backend.messageBoxes[0];
  EXPECT_EQ(box.text, "既に同じ処理が実行されています。二重起動は禁止されています。");
  EXPECT_EQ(box.title, "エラー");
  EXPECT_EQ(box.style, 16);
  EXPECT_TRUE(backend.profileCalls.empty());
  EXPECT_TRUE(backend.setWindowPosCalls.empty());
  EXPECT_TRUE(backend.quit());
  EXPECT_FALSE(tate.loaded());
  EXPECT_FALSE(yoko.loaded());
}

TEST_F(StartupTest, OversizedSizeReportsOverflowAndEndsWithoutApplyingAnything) {
  WriteSettings(40000, 255, 1, 300, 1);
  std::vector<std::string> seen;
  backend.onMessageBox = [&](const MessageBoxRecord&) {
    // The state as the report finds it: nothing after the failed step ran.
    seen.push_back(std::to_string(tate.getMousePos.interval()) + " " +
                   std::to_string(tate.backColor()) + " " + std::to_string(yoko.loaded()));
  };
  EXPECT_FALSE(Start());
  ASSERT_EQ(backend.messageBoxes.size(), 1u);
  EXPECT_EQ(backend.messageBoxes[0].text, "実行時エラー '6':\n\nオーバーフローしました。");
  EXPECT_EQ(backend.messageBoxes[0].style, 16);
  EXPECT_EQ(seen, std::vector<std::string>{"100 16711680 0"});
  EXPECT_TRUE(backend.quit());
  EXPECT_EQ(ReadIni(), "[Plumbmark]\r\nSize=40000\r\nColor=255\r\nVertical=1\r\nInterval=300\r\n"
                       "Horizon=1\r\n");
}

}  // namespace
}  // namespace plumbmark::testing

namespace plumbmark::testing {
namespace {

std::string RandomBytes(std::size_t size, unsigned seed) {
  std::string bytes(size, '\0');
  unsigned state = seed;
  for (char& byte : bytes) {
    state = state * 1103515245u + 12345u;
    byte = static_cast<char>(state >> 16);
  }
  return bytes;
}

class BadSettingsFileTest : public ProgramTest,
                            public ::testing::WithParamInterface<std::string> {};

TEST_P(BadSettingsFileTest, StartsWithTheDefaultsAndKeepsWorking) {
  WriteIni(GetParam());
  ASSERT_TRUE(Start());
  EXPECT_EQ(tate.LineSize, 5);
  EXPECT_EQ(VerticalPixels(), 5);
  EXPECT_EQ(tate.BackColor(), 16711680);
  EXPECT_EQ(tate.getMousePos.Interval(), 100);
  EXPECT_EQ(tate.VerticalHidden, 0);
  Press(kUp);
  Press(kS);
  ASSERT_EQ(backend.messageBoxes.size(), 1u);
  EXPECT_EQ(backend.messageBoxes[0].title, "保存完了");
  forms::headless::HeadlessBackend nextBackend;
  forms::Application nextApp(nextBackend);
  nextBackend.Attach(nextApp);
  nextBackend.appPath = folder_.string();
  Plumbmark next(nextApp);
  ASSERT_TRUE(next.Start());
  EXPECT_EQ(next.frmTate.LineSize, 6);  // the save is readable after the garbage
}

INSTANTIATE_TEST_SUITE_P(
    Garbage, BadSettingsFileTest,
    ::testing::Values(RandomBytes(4096, 1), RandomBytes(100000, 2), std::string(1 << 20, '\0'),
                      "[Plumbmark" + std::string(1 << 20, 'x'),
                      std::string("\xFF\xFE[\0P\0", 6), "Size=1\r\nColor=255\r\n[plumbmark ]"));

}  // namespace
}  // namespace plumbmark::testing
