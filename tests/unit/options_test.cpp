// The options a user adds by hand to the settings file: a system-wide hot
// key, lines that show nothing while the pointer is hidden, and lines kept
// out of screen captures. None of them is ever written.
#include "hot_key.h"
#include "program_fixture.h"

namespace plumbmark::testing {
namespace {

constexpr std::int32_t kCtrl = 2, kAlt = 1, kShiftMod = 4, kWin = 8;

// A text; the modifiers and key it names, or else a part of why it names none.
TEST(HotKeyText, NamesModifiersAndOneKeyOrSaysWhyNot) {
  const std::tuple<const char*, std::int32_t, std::int32_t, const char*> cases[] = {
      {"Ctrl+Shift+F11", kCtrl | kShiftMod, 0x7A, nullptr},
      {" control + alt + a ", kCtrl | kAlt, 'A', nullptr},
      {"Win+5", kWin, '5', nullptr},
      {"ALT+Space", kAlt, 0x20, nullptr},
      {"Ctrl+PageDown", kCtrl, 0x22, nullptr},
      {"Shift+F24", kShiftMod, 0x87, nullptr},
      {"F13", 0, 0x7C, nullptr},
      {"", 0, 0, "書き方"},
      {"Ctrl++A", 0, 0, "書き方"},
      {"Ctrl+Foo", 0, 0, "「Foo」"},
      {"Ctrl+F25", 0, 0, "「F25」"},
      {"Ctrl+Shift", 0, 0, "ほかにキー"},
      {"Ctrl+ctrl+A", 0, 0, "2 回"},
      {"Ctrl+A+B", 0, 0, "最後に 1 つ"},
      {"Ctrl+Shift+Alt+Win+ScrollLockScrollLockXY", 0, 0, "長すぎ"},
      {"Ctrl+Shift+F12", 0, 0, "デバッガー"},
      {"Shift+A", 0, 0, "Ctrl、Alt、Win"},
  };
  for (const auto& [text, modifiers, key, problem] : cases) {
    const settings::HotKey read = settings::ReadHotKey(text);
    EXPECT_EQ(std::pair(read.modifiers, read.key), std::pair(modifiers, key)) << text;
    EXPECT_EQ(read.problem.empty(), problem == nullptr) << text;
    if (problem) {
      EXPECT_NE(read.problem.find(problem), std::string::npos) << read.problem;
    }
  }
}

// The stored style with the options added after it, as a user would.
ProfileFile WithOptions(std::initializer_list<std::pair<const char*, const char*>> options) {
  ProfileFile file = SettingsFile({5, kBlue, 0, 100, 0});
  for (const auto& [key, value] : options) file.push_back({"Plumbmark", key, value});
  return file;
}

using OptionsTest = ProgramTest;

// The hot key acts as F1 does, flags included, wherever the keyboard is, and
// a save keeps it and writes the style alone.
TEST_F(OptionsTest, TheHotKeyHidesAndShowsBothLinesAsF1AndLeavesTheKeyboard) {
  backend.profiles[kIniPath] = WithOptions({{"HotKey", "Ctrl+Shift+F11"}});
  ASSERT_TRUE(Start());
  EXPECT_EQ(
      backend.hotKeys,
      (std::vector<forms::headless::HotKeyRegistration>{{tate.hWnd(), kCtrl | kShiftMod, 0x7A}}));
  Press(kShift);
  Press(kC);
  backend.PressHotKey();
  EXPECT_EQ(LinesNow(), (Lines{0, 0, 5, 0, -1}));
  backend.PressHotKey();
  EXPECT_EQ(LinesNow(), (Lines{5, 5, 5, 0, 0}));
  EXPECT_EQ(backend.activeForm(), &program.frmSetColor);
  backend.Activate(tate);
  Press(kS);
  EXPECT_EQ(backend.profiles[kIniPath], WithOptions({{"HotKey", "Ctrl+Shift+F11"}}));
}

// A combination that cannot be read, or that another program holds, is told
// once, naming it; the program runs without it.
TEST_F(OptionsTest, AHotKeyThatCannotBeHadIsToldOnceAndTheProgramRuns) {
  const std::tuple<const char*, bool, const char*> cases[] = {
      {"Ctrl+Shift+F12", false, "F12 は Windows がデバッガー用に予約しています。"},
      {"Ctrl+Alt+P", true, "ほかのプログラムか Windows がすでに使っています。"},
      {"", false, nullptr}};
  for (const auto& [text, taken, why] : cases) {
    ProgramRun run(WithOptions({{"HotKey", text}}));
    run.backend.hotKeysTaken = taken;
    ASSERT_TRUE(run.Start());
    const Boxes told{{std::string("設定ファイルのホットキー「") + text + "」は使えません。" +
                          (why ? why : "") + "\n\nホットキーなしで動作します。",
                      48, "エラー"}};
    EXPECT_EQ(run.backend.messageBoxes, why ? told : Boxes{}) << text;
    EXPECT_TRUE(run.backend.hotKeys.empty());
    run.Press(kUp);
    EXPECT_EQ(run.LinesNow(), (Lines{6, 6, 6, 0, 0}));
  }
}

// Blanked while the pointer is hidden and back at once where it is; a tick
// that changes nothing tells the windows nothing; the style is untouched.
TEST_F(OptionsTest, WithHideWithPointerTheLinesShowNothingWhileThePointerIsHidden) {
  for (const char* value : {"1", "2"}) {
    ProgramRun run(WithOptions({{"HideWithPointer", value}}));
    ASSERT_TRUE(run.Start());
    run.Press(kShift);
    const bool on = value == std::string("1");
    for (const auto& [shown, x, blank, changes] : {std::tuple{false, 10, on, on ? 1 : 0},
                                                   {false, 20, on, on ? 1 : 0},
                                                   {true, 30, false, on ? 2 : 0},
                                                   {true, 30, false, on ? 2 : 0}}) {
      run.backend.SetPointerShown(shown);
      run.MoveAndTick(x, 40);
      for (const forms::Form* line :
           {static_cast<forms::Form*>(&run.tate), static_cast<forms::Form*>(&run.yoko)}) {
        EXPECT_EQ(line->blank(), blank) << value << x;
        EXPECT_EQ(run.backend.window(*line)->blankChanges, changes) << value << x;
      }
      EXPECT_EQ(run.Vertical().x, x + 1);
      EXPECT_EQ(run.LinesNow(), (Lines{5, 0, 5, 0, -1}));
    }
  }
}

// Asked for both lines only when on; where the system cannot, nothing is
// said; where it refuses, the user is told once.
TEST_F(OptionsTest, HideFromCaptureAsksForBothLinesOnlyWhenOn) {
  const std::tuple<const char*, bool, bool, int, bool> cases[] = {{"1", true, false, 2, false},
                                                                  {"0", true, false, 0, false},
                                                                  {"1", false, false, 2, false},
                                                                  {"1", true, true, 1, true}};
  for (const auto& [value, available, refused, requests, told] : cases) {
    ProgramRun run(WithOptions({{"HideFromCapture", value}}));
    run.backend.captureExclusion = available;
    run.backend.captureRefused = refused;
    ASSERT_TRUE(run.Start());
    EXPECT_EQ(run.backend.captureRequests, requests) << value << available << refused;
    EXPECT_EQ(run.backend.window(run.yoko)->excludedFromCapture, requests == 2 && available);
    EXPECT_EQ(run.backend.messageBoxes.size(), told ? 1u : 0u);
  }
}

}  // namespace
}  // namespace plumbmark::testing
