// The base of every scenario: a session of its own, and the steps a user
// takes with the program (start it, press keys, answer a message box, use a
// dialog), each waiting until the program has visibly reacted.
#pragma once

#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "harness/crosshair.h"
#include "harness/program.h"
#include "harness/session.h"
#include "harness/settings_text.h"

namespace plumbmark::e2e {

// The texts the program shows.
inline const std::string kSavedTitle = "保存完了";
inline const std::string kSavedText = "線のスタイルを保存しました。";
inline const std::string kErrorTitle = "エラー";
inline const std::string kSecondCopyText =
    "既に同じ処理が実行されています。二重起動は禁止されています。";
inline const std::string kColorDialogTitle = "色変更";
inline const std::string kIntervalDialogTitle = "線の更新時間変更";

class PlumbmarkTest : public ::testing::Test {
 protected:
  void SetUp() override { session_ = std::make_unique<Session>(Options()); }
  void TearDown() override;
  virtual SessionOptions Options() const { return {}; }
  bool HasWindowManager() const { return Options().windowManager; }

  Session& session() { return *session_; }
  XClient& x() { return session_->x(); }

  // Puts the pointer at the look's position, starts the program and waits
  // until it shows the look and (with a window manager) its vertical line
  // window has the keyboard.
  Program& StartProgram(const Look& look, const Scene& scene = {});
  // Moves the pointer and waits for the lines to follow (the look's pointer
  // position is replaced by the new one).
  ::testing::AssertionResult MovePointer(Look& look, int x, int y, const Scene& scene = {});

  // Presses a key and waits for the screen to show the look.
  ::testing::AssertionResult PressAndExpect(KeySym key, const Look& look, const Scene& scene = {});
  // Waits until the window manager has given the window the keyboard.
  ::testing::AssertionResult WaitForKeyboard(Window window);
  // Waits until Win32 sends the keys to the window with this title. NOTE:
  // Wine moves the keyboard between the windows of one program without the
  // window manager's active window changing, so only Win32 itself can tell.
  ::testing::AssertionResult WaitForForeground(const std::string& title);
  // Gives the keyboard back to the vertical line window, through the window
  // manager, as a click on the taskbar button does.
  ::testing::AssertionResult ActivateLines();

  // Waits for a message box of the program, then closes it with Enter.
  ::testing::AssertionResult AnswerMessageBox(Program& program, const std::string& title);
  // S, then the confirmation box answered and the keyboard back at the lines.
  ::testing::AssertionResult SaveWithConfirmation(Program& program);
  // Compares the settings file with the expected bytes.
  ::testing::AssertionResult SettingsAre(const std::string& expected);

  // Opens a dialog with its key (or brings it forward again); returns its
  // window once it has the keyboard.
  std::optional<Window> OpenDialog(Program& program, KeySym key, const std::string& title);
  // Moves the pointer to a point, waits for the lines to follow (so that the
  // click cannot land on a line that has not moved yet), then clicks.
  ::testing::AssertionResult ClickAt(Look& look, const Scene& scene, int x, int y);
  // Clicks the close box in a dialog's caption bar.
  ::testing::AssertionResult ClickCloseBox(Look& look, Window dialog);
  // Clicks a dialog's button at its centre.
  ::testing::AssertionResult ClickButton(Look& look, Window dialog, const ProbeWindow& seen);
  // A dialog's window as the scene's covered area.
  Scene SceneWith(Window dialog);

  LineWindows lines_;

 private:
  std::unique_ptr<Session> session_;
};

// The same with the screen at 144 DPI.
class HighDpiTest : public PlumbmarkTest {
 protected:
  SessionOptions Options() const override { return {.prefix = PrefixKind::kHighDpi}; }
};

}  // namespace plumbmark::e2e
