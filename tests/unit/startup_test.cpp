// Start-up: the stored style applied to both line windows and the timer, the
// keep-on-top calls, hidden lines and the second-instance refusal.
#include "program_fixture.h"

namespace plumbmark::testing {
namespace {

class StartupTest : public ProgramTest {};

TEST_F(StartupTest, WithoutAFileStartsWithTheDefaultsAndWritesNothing) {
  ASSERT_TRUE(Start());
  EXPECT_EQ(tate.Width(), 75.0f);  // 5 pixels at 15 twips a pixel
  EXPECT_EQ(tate.Height(), 1080 * 15.0f);
  EXPECT_EQ(tate.Top(), 0.0f);
  EXPECT_EQ(yoko.Height(), 75.0f);
  EXPECT_EQ(yoko.Width(), 1920 * 15.0f);
  EXPECT_EQ(yoko.Left(), 0.0f);
  EXPECT_EQ(tate.BackColor(), kBlue);
  EXPECT_EQ(yoko.BackColor(), kBlue);
  EXPECT_EQ(tate.getMousePos.Interval(), 100);
  EXPECT_EQ(tate.lineSize(), 5);
  EXPECT_EQ(tate.verticalHidden(), 0);
  EXPECT_EQ(tate.horizontalHidden(), 0);
  EXPECT_TRUE(backend.profiles.empty());
  EXPECT_TRUE(backend.messageBoxes.empty());
}

TEST_F(StartupTest, AppliesTheStoredStyleAsRead) {
  const struct {
    int size, color, interval;
    int pixels;  // what the windows show of the thickness
  } cases[] = {{7, 255, 250, 7},
               {0, 65280, 50, 0},
               {-3, -1, -20, 0},
               {20, static_cast<int>(0x8000000F), 1000, 20}};
  for (const auto& c : cases) {
    ProgramRun run(SettingsFile(c.size, c.color, 0, c.interval, 0));
    ASSERT_TRUE(run.program.Start());
    EXPECT_EQ(run.tate.lineSize(), c.size);
    EXPECT_EQ(run.tate.Width(), static_cast<float>(c.size * 15));  // kept as read, even below zero
    EXPECT_EQ(forms::DisplayRect(run.tate, run.backend.screen).width, c.pixels);
    EXPECT_EQ(forms::DisplayRect(run.yoko, run.backend.screen).height, c.pixels);
    EXPECT_EQ(run.tate.BackColor(), c.color);
    EXPECT_EQ(run.yoko.BackColor(), c.color);
    EXPECT_EQ(run.tate.getMousePos.Interval(), c.interval);
  }
}

TEST_F(StartupTest, OnlyExactlyOneHidesALineAndTheThicknessIsKept) {
  const struct {
    int vertical, horizon;
    bool verticalHidden, horizontalHidden;
  } cases[] = {{0, 0, false, false}, {1, 0, true, false},   {0, 1, false, true},
               {1, 1, true, true},   {2, -1, false, false}, {-1, 2, false, false}};
  for (const auto& c : cases) {
    ProgramRun run(SettingsFile(6, 65280, c.vertical, 100, c.horizon));
    ASSERT_TRUE(run.program.Start());
    const auto shown = [&](bool hidden) { return hidden ? 0 : 6; };
    EXPECT_EQ(forms::DisplayRect(run.tate, run.backend.screen).width, shown(c.verticalHidden));
    EXPECT_EQ(forms::DisplayRect(run.yoko, run.backend.screen).height, shown(c.horizontalHidden));
    EXPECT_EQ(run.tate.verticalHidden(), c.verticalHidden ? -1 : 0);
    EXPECT_EQ(run.tate.horizontalHidden(), c.horizontalHidden ? -1 : 0);
    EXPECT_EQ(run.tate.lineSize(), 6);
  }
}

TEST_F(StartupTest, BothWindowsAreShownTopmostAndFrmTateGetsTheKeyboard) {
  Store(5, kBlue, 1, 100, 1);
  ASSERT_TRUE(Start());
  ASSERT_EQ(backend.setWindowPosCalls.size(), 2u);
  EXPECT_EQ(backend.setWindowPosCalls[0].hWnd, tate.hWnd());
  EXPECT_EQ(backend.setWindowPosCalls[1].hWnd, yoko.hWnd());
  for (const auto& call : backend.setWindowPosCalls) {
    const auto args = std::array{call.insertAfter, call.x, call.y, call.cx, call.cy, call.flags};
    EXPECT_EQ(args, (std::array{-1, 0, 0, 0, 0, 0x43}));  // topmost, no move, no size, show
  }
  for (const forms::Form* form :
       {static_cast<forms::Form*>(&tate), static_cast<forms::Form*>(&yoko)}) {
    EXPECT_TRUE(backend.window(*form)->topmost);
    EXPECT_TRUE(backend.window(*form)->shown);
  }
  EXPECT_EQ(backend.activeForm(), &tate);
  EXPECT_FALSE(program.frmSetColor.loaded());
}

TEST_F(StartupTest, ASecondCopyIsRefusedBeforeAnythingIsRead) {
  backend.prevInstance = true;
  Store(9, 255, 0, 100, 0);
  EXPECT_FALSE(Start());
  ASSERT_EQ(backend.messageBoxes.size(), 1u);
  const auto& box = backend.messageBoxes[0];
  EXPECT_EQ(box.text, "既に同じ処理が実行されています。二重起動は禁止されています。");
  EXPECT_EQ(box.title, "エラー");
  EXPECT_EQ(box.style, 16);
  EXPECT_TRUE(backend.quit());
  EXPECT_TRUE(backend.setWindowPosCalls.empty());
  EXPECT_FALSE(yoko.loaded());
}

TEST_F(StartupTest, AnOversizedSizeReportsOverflowAndEndsBeforeApplyingAnything) {
  Store(40000, 255, 1, 300, 1);
  std::string seen;
  backend.onMessageBox = [&](const auto&) {
    seen = std::to_string(tate.getMousePos.interval()) + " " + std::to_string(yoko.loaded());
  };
  EXPECT_FALSE(Start());
  ASSERT_EQ(backend.messageBoxes.size(), 1u);
  EXPECT_EQ(backend.messageBoxes[0].text, "実行時エラー '6':\n\nオーバーフローしました。");
  EXPECT_EQ(seen, "100 0");
  EXPECT_TRUE(backend.quit());
  EXPECT_EQ(backend.profiles[kIniPath], SettingsFile(40000, 255, 1, 300, 1));
}

TEST_F(StartupTest, TheFileIsFoundWithOrWithoutATrailingSeparator) {
  const struct {
    std::string folder;
    char separator;
    std::string path;
  } cases[] = {{"C:\\Tools", '\\', "C:\\Tools\\Plumbmark.ini"},
               {"C:\\", '\\', "C:\\Plumbmark.ini"},
               {"/apps/x/", '/', "/apps/x/Plumbmark.ini"},
               {"", '/', "/Plumbmark.ini"}};
  for (const auto& c : cases) EXPECT_EQ(settings::SettingsPath(c.folder, c.separator), c.path);
  backend.appPath = "/apps/plumbmark/";
  Store(8, 255, 0, 100, 0);
  ASSERT_TRUE(Start());
  EXPECT_EQ(tate.iniPath(), kIniPath);
  EXPECT_EQ(tate.lineSize(), 8);
}

}  // namespace
}  // namespace plumbmark::testing
