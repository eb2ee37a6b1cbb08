// The save commands: S writes the five keys and confirms, Esc writes them and
// ends; a failed write is reported instead; the next start reads them back.
#include "program_fixture.h"

namespace plumbmark::testing {
namespace {

using forms::headless::WriteFault;

const std::string kFailedSave = std::string("線のスタイルを保存できませんでした。\n\n") + kIniPath;

class SaveTest : public ProgramTest {};

TEST_F(SaveTest, SWritesTheFiveKeysInOrderThenConfirms) {
  Store(7, 255, 0, 250, 0);
  ASSERT_TRUE(Start());
  backend.profiles.clear();
  Press(kS);
  EXPECT_EQ(backend.profiles[kIniPath], SettingsFile(7, 255, 0, 250, 0));
  ASSERT_EQ(backend.messageBoxes.size(), 1u);
  EXPECT_EQ(backend.messageBoxes[0].text, "線のスタイルを保存しました。");
  EXPECT_EQ(backend.messageBoxes[0].title, "保存完了");
  EXPECT_EQ(backend.messageBoxes[0].style, 0);
  EXPECT_FALSE(backend.quit());
}

TEST_F(SaveTest, WhatIsSavedComesBackAtTheNextStart) {
  const struct {
    const char* name;
    ProfileFile stored;
    std::vector<std::int16_t> keys;
    ProfileFile saved;
  } cases[] = {
      {"thicker", SettingsFile(5, kBlue, 0, 100, 0), {kUp, kUp}, SettingsFile(7, kBlue, 0, 100, 0)},
      {"vertical hidden",
       SettingsFile(5, kBlue, 0, 100, 0),
       {kControl},
       SettingsFile(5, kBlue, 1, 100, 0)},
      {"horizontal hidden",
       SettingsFile(9, kBlue, 0, 100, 0),
       {kShift, kTab},
       SettingsFile(9, 65280, 0, 100, 1)},
      {"F1 saves the lines as shown",
       SettingsFile(5, kBlue, 0, 100, 0),
       {kF1},
       SettingsFile(5, kBlue, 0, 100, 0)},
      {"flags other than 1 save as 0",
       SettingsFile(5, kBlue, 2, 100, -1),
       {},
       SettingsFile(5, kBlue, 0, 100, 0)},
      {"values as read",
       SettingsFile(-3, 0x0FFFFFFF, 1, 0, 1),
       {},
       SettingsFile(-3, 0x0FFFFFFF, 1, 0, 1)},
      {"no file", {}, {kI}, SettingsFile(5, kBlue, 0, 100, 0)},
  };
  for (const auto& c : cases) {
    ProgramRun first(c.stored);
    ASSERT_TRUE(first.program.Start());
    for (std::int16_t key : c.keys) first.backend.PressKey(key);
    first.backend.Activate(first.tate);
    first.backend.PressKey(kS);
    EXPECT_EQ(first.backend.profiles[kIniPath], c.saved) << c.name;
    ProgramRun next(first.backend.profiles[kIniPath]);  // reads back what it saved
    ASSERT_TRUE(next.program.Start());
    next.backend.PressKey(kS);
    EXPECT_EQ(next.backend.profiles[kIniPath], c.saved) << c.name;
  }
}

TEST_F(SaveTest, EscSavesAndEndsWithEveryWindowClosed) {
  ASSERT_TRUE(Start());
  Press(kUp);
  Press(kC);
  backend.Activate(tate);
  Press(kI);
  backend.Activate(tate);
  Press(kEscape);
  EXPECT_EQ(backend.profiles[kIniPath], SettingsFile(6, kBlue, 0, 100, 0));
  EXPECT_TRUE(backend.messageBoxes.empty());
  EXPECT_TRUE(backend.quit());
  for (const forms::Form* form : app.forms()) EXPECT_FALSE(form->loaded()) << form->name();
  backend.AdvanceTime(1000);
  EXPECT_EQ(backend.ticks(), 0);
}

TEST_F(SaveTest, AnyRefusedOrLostWriteIsReportedInsteadOfConfirmed) {
  for (const char* key : {"Size", "Color", "Vertical", "Interval", "Horizon"}) {
    for (const auto& [command, fault] : {std::pair{kS, WriteFault::kRefused},
                                         {kEscape, WriteFault::kRefused},
                                         {kS, WriteFault::kLost},
                                         {kEscape, WriteFault::kLost}}) {
      ProgramRun run;  // no file yet: a lost write leaves its key missing
      run.backend.writeFaults[key] = fault;
      ASSERT_TRUE(run.program.Start());
      run.backend.PressKey(kUp);
      run.backend.PressKey(command);
      ASSERT_EQ(run.backend.messageBoxes.size(), 1u) << key;
      const auto& box = run.backend.messageBoxes[0];
      EXPECT_EQ(box.text, kFailedSave) << key;
      EXPECT_EQ(box.title, "エラー");
      EXPECT_EQ(box.style, 16);
      EXPECT_EQ(run.backend.quit(), command == kEscape) << key;
    }
  }
}

TEST_F(SaveTest, ClosingALineWindowEndsWithoutSaving) {
  for (bool closeTate : {true, false}) {
    ProgramRun run(SettingsFile(5, kBlue, 0, 100, 0));
    ASSERT_TRUE(run.program.Start());
    run.backend.PressKey(kUp);
    run.backend.ClickCloseBox(closeTate ? static_cast<forms::Form&>(run.tate) : run.yoko);
    EXPECT_TRUE(run.backend.quit());
    EXPECT_EQ(run.backend.profiles[kIniPath], SettingsFile(5, kBlue, 0, 100, 0));
  }
}

}  // namespace
}  // namespace plumbmark::testing
