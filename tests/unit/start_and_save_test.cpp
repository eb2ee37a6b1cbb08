// Start-up and save: the stored style applied to both line windows and the
// timer, the keep-on-top calls, the start-ups that end at once; S writes the
// five keys and confirms, Esc writes them and ends, a failed write is
// reported instead, and the next start reads them back.
#include <array>
#include <functional>

#include "program_fixture.h"

namespace plumbmark::testing {
namespace {

using forms::headless::WriteFault;
using StartupTest = ProgramTest;
using SaveTest = ProgramTest;

constexpr char kSecondCopy[] = "既に同じ処理が実行されています。二重起動は禁止されています。";
constexpr int kButtonFace = static_cast<int>(0x8000000F);  // a system colour

// Values the windows cannot show are kept as read; only exactly 1 hides a line.
// Both line windows, hidden or not, are shown topmost (insert after -1; no
// move, no size, show: 0x43), the dialogs are not even loaded, and frmTate
// has the keyboard.
TEST_F(StartupTest, AppliesTheStoredStyleOrTheDefaultsAndShowsBothLinesTopmost) {
  const std::pair<std::optional<Style>, Lines> cases[] = {
      {std::nullopt, {5, 5, 5, 0, 0}},
      {Style{7, 255, 1, 250, -1}, {0, 7, 7, -1, 0}},
      {Style{6, 65280, 2, 50, 1}, {6, 0, 6, 0, -1}},
      {Style{0, 0, -1, 0, 2}, {0, 0, 0, 0, 0}},
      {Style{-3, -1, 0, -20, 0}, {-3, -3, -3, 0, 0}},
      {Style{20, kButtonFace, 1, 1000, 1}, {0, 0, 20, -1, -1}},
  };
  for (const auto& [stored, lines] : cases) {
    ProgramRun run(stored ? std::optional(SettingsFile(*stored)) : std::nullopt);
    ASSERT_TRUE(run.Start());
    const Style want = stored.value_or(Style{5, kBlue, 0, 100, 0});
    EXPECT_EQ(run.LinesNow(), lines) << want.size;
    EXPECT_EQ(run.tate.BackColor(), want.color);
    EXPECT_EQ(run.yoko.BackColor(), want.color);
    EXPECT_EQ(run.tate.getMousePos.Interval(), want.interval);
    EXPECT_TRUE(stored || run.backend.profiles.empty());  // nothing written without a file
    EXPECT_TRUE(run.backend.messageBoxes.empty());
    std::vector<std::array<std::int32_t, 7>> calls;
    for (const auto& c : run.backend.setWindowPosCalls) {
      calls.push_back({c.hWnd, c.insertAfter, c.x, c.y, c.cx, c.cy, c.flags});
    }
    EXPECT_EQ(calls, (decltype(calls){{run.tate.hWnd(), -1, 0, 0, 0, 0, 0x43},
                                      {run.yoko.hWnd(), -1, 0, 0, 0, 0, 0x43}}));
    for (const forms::Form* form : run.app.forms()) {
      const forms::headless::WindowState* window = run.backend.window(*form);
      const bool line = form == &run.tate || form == &run.yoko;
      EXPECT_EQ(window != nullptr && window->topmost && window->shown, line) << form->name();
    }
    EXPECT_EQ(run.backend.activeForm(), &run.tate);
  }
}

TEST_F(StartupTest, ASecondCopyOrAnOversizedSizeIsReportedAndEndsBeforeAnythingApplies) {
  const std::tuple<bool, int, forms::headless::MessageBoxRecord> cases[] = {
      {true, 9, {kSecondCopy, kCritical, "エラー"}},
      {false, 40000, {kOverflow, kCritical, "Plumbmark"}},
  };
  for (const auto& [secondCopy, size, box] : cases) {
    ProgramRun run(SettingsFile({size, 255, 1, 300, 1}));
    run.backend.prevInstance = secondCopy;
    std::pair<int, bool> seen;  // the timer's interval and whether frmYoko is loaded
    run.backend.onMessageBox = [&](const auto&) {
      seen = {run.tate.getMousePos.interval(), run.yoko.loaded()};
    };
    EXPECT_FALSE(run.Start());
    EXPECT_EQ(run.backend.messageBoxes, Boxes{box});
    EXPECT_EQ(seen, std::pair(100, false));
    EXPECT_TRUE(run.backend.quit());
    EXPECT_TRUE(run.backend.setWindowPosCalls.empty());
    EXPECT_EQ(run.backend.profiles[kIniPath], SettingsFile({size, 255, 1, 300, 1}));
  }
}

TEST_F(StartupTest, AStartThatFailsAfterTakingTheKeyboardGivesTheShortcutKeysBack) {
  backend.profiles[kIniPath] = SettingsFile({5, kBlue, 1, 100, 0});
  SetFactor(0);  // hiding the stored hidden line divides 0 by 0
  bool guardedAtError = false;
  backend.onMessageBox = [&](const auto&) { guardedAtError = backend.shortcutKeysGuarded(); };
  EXPECT_FALSE(Start());
  EXPECT_EQ(backend.messageBoxes, (Boxes{{kOverflow, kCritical, "Plumbmark"}}));
  EXPECT_TRUE(guardedAtError);
  EXPECT_FALSE(backend.shortcutKeysGuarded());
}

TEST(SettingsPath, TheFileIsFoundWithOrWithoutATrailingSeparator) {
  const std::tuple<std::string, char, std::string> cases[] = {
      {"C:\\Tools", '\\', "C:\\Tools\\Plumbmark.ini"},
      {"C:\\", '\\', "C:\\Plumbmark.ini"},
      {"/apps/x/", '/', "/apps/x/Plumbmark.ini"},
      {"", '/', "/Plumbmark.ini"}};
  for (const auto& [folder, separator, path] : cases) {
    EXPECT_EQ(settings::SettingsPath(folder, separator), path);
  }
}

// "no file" shows the keys written in order; the others what each one holds.
TEST_F(SaveTest, SConfirmsAndWhatItSavedComesBackAtTheNextStart) {
  const std::tuple<const char*, std::optional<Style>, Keys, Style> cases[] = {
      {"no file", std::nullopt, {kI}, {5, kBlue, 0, 100, 0}},
      {"thicker", Style{5, kBlue, 0, 100, 0}, {kUp, kUp}, {7, kBlue, 0, 100, 0}},
      {"vertical hidden", Style{5, kBlue, 0, 250, 0}, {kControl}, {5, kBlue, 1, 250, 0}},
      {"horizontal hidden", Style{9, kBlue, 0, 100, 0}, {kShift, kTab}, {9, 65280, 0, 100, 1}},
      {"F1 keeps the flags", Style{5, kBlue, 0, 100, 0}, {kF1}, {5, kBlue, 0, 100, 0}},
      {"flags not 1 save 0", Style{5, kBlue, 2, 100, -1}, {}, {5, kBlue, 0, 100, 0}},
      {"as read", Style{-3, 0x0FFFFFFF, 1, 0, 1}, {}, {-3, 0x0FFFFFFF, 1, 0, 1}},
  };
  for (const auto& [name, stored, keys, saved] : cases) {
    ProgramRun first(stored ? SettingsFile(*stored) : ProfileFile{});
    ASSERT_TRUE(first.Start());
    for (std::int16_t key : keys) first.Press(key);
    first.backend.Activate(first.tate);
    first.Press(kS);
    EXPECT_EQ(first.backend.profiles[kIniPath], SettingsFile(saved)) << name;
    EXPECT_EQ(first.backend.messageBoxes, (Boxes{{"線のスタイルを保存しました。", 0, "保存完了"}}));
    EXPECT_FALSE(first.backend.quit());
    ProgramRun next(first.backend.profiles[kIniPath]);  // reads back what it saved
    ASSERT_TRUE(next.Start());
    next.Press(kS);
    EXPECT_EQ(next.backend.profiles[kIniPath], SettingsFile(saved)) << name;
  }
}

TEST_F(SaveTest, AnyRefusedOrLostWriteIsReportedInsteadOfConfirmed) {
  const Boxes failed{
      {std::string("線のスタイルを保存できませんでした。\n\n") + kIniPath, kCritical, "エラー"}};
  for (const char* key : {"Size", "Color", "Vertical", "Interval", "Horizon"}) {
    for (WriteFault fault : {WriteFault::kRefused, WriteFault::kLost}) {
      for (std::int16_t command : {kS, kEscape}) {
        ProgramRun run;  // no file yet: a lost write leaves its key missing
        run.backend.writeFaults[key] = fault;
        ASSERT_TRUE(run.Start());
        run.Press(kUp);
        run.Press(command);
        EXPECT_EQ(run.backend.messageBoxes, failed) << key;
        EXPECT_EQ(run.backend.quit(), command == kEscape) << key;
      }
    }
  }
}

// Esc saves first; a line window's close box ends unsaved. Either way every
// window closes, the dialogs too, and the timer stops. The accessibility
// shortcuts are held off only while the program has the keyboard, and given
// back however it ends.
TEST_F(SaveTest, EscOrALineWindowsCloseBoxEndsWithEveryWindowClosed) {
  const std::pair<std::function<void(ProgramRun&)>, int> cases[] = {
      {[](ProgramRun& run) { run.Press(kEscape); }, 6},
      {[](ProgramRun& run) { run.backend.ClickCloseBox(run.tate); }, 5},
      {[](ProgramRun& run) { run.backend.ClickCloseBox(run.yoko); }, 5}};
  for (const auto& [end, savedSize] : cases) {
    ProgramRun run(SettingsFile({5, kBlue, 0, 100, 0}));
    ASSERT_TRUE(run.Start());
    run.Press(kUp);
    run.Press(kC);
    run.backend.Activate(run.tate);
    run.Press(kI);
    run.backend.SwitchToOtherProgram();
    EXPECT_FALSE(run.backend.shortcutKeysGuarded());
    run.backend.Activate(run.tate);
    EXPECT_TRUE(run.backend.shortcutKeysGuarded());
    end(run);
    EXPECT_FALSE(run.backend.shortcutKeysGuarded());
    EXPECT_EQ(run.backend.profiles[kIniPath], SettingsFile({savedSize, kBlue, 0, 100, 0}));
    EXPECT_TRUE(run.backend.messageBoxes.empty());
    EXPECT_TRUE(run.backend.quit());
    for (const forms::Form* form : run.app.forms()) EXPECT_FALSE(form->loaded()) << form->name();
    run.backend.AdvanceTime(1000);
    EXPECT_EQ(run.backend.ticks(), 0) << savedSize;
  }
}

}  // namespace
}  // namespace plumbmark::testing
