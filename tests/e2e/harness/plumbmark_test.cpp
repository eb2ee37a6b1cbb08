#include "harness/plumbmark_test.h"

#include <stdexcept>

namespace plumbmark::e2e {

void PlumbmarkTest::TearDown() {
  if (HasFailure() && session_) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    session_->KeepEvidence(std::string(info->test_suite_name()) + "." + info->name());
  }
  session_.reset();
}

Program& PlumbmarkTest::StartProgram(const Look& look, const Scene& scene) {
  x().MovePointer(look.pointerX, look.pointerY);
  Program& program = session_->Launch();
  const auto lines = program.WaitForLineWindows();
  if (!lines) throw std::runtime_error("the program showed no line windows");
  lines_ = *lines;
  if (!WaitForLook(x(), look, scene, kStartDeadline)) {
    throw std::runtime_error("the crosshair did not appear: " +
                             Mismatch(x().CaptureScreen(), look, scene));
  }
  if (HasWindowManager() && !WaitForKeyboard(lines_.vertical)) {
    throw std::runtime_error("the vertical line window never got the keyboard");
  }
  return program;
}

::testing::AssertionResult PlumbmarkTest::MovePointer(Look& look, int px, int py,
                                                      const Scene& scene) {
  look.pointerX = px;
  look.pointerY = py;
  x().MovePointer(px, py);
  return WaitForLook(x(), look, scene);
}

::testing::AssertionResult PlumbmarkTest::PressAndExpect(KeySym key, const Look& look,
                                                         const Scene& scene) {
  x().PressKey(key);
  return WaitForLook(x(), look, scene);
}

::testing::AssertionResult PlumbmarkTest::WaitForKeyboard(Window window) {
  if (PollUntil([&] { return x().ActiveWindow() == window; }, kReactionDeadline, 10ms)) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure()
         << "window " << window << " (" << x().Title(window) << ") never became the active window";
}

::testing::AssertionResult PlumbmarkTest::WaitForForeground(const std::string& title) {
  std::string seen;
  if (PollUntil([&] { return (seen = session_->Probe().foreground) == title; }, kReactionDeadline,
                50ms)) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure()
         << "the keys go to \"" << seen << "\", not to \"" << title << "\"";
}

::testing::AssertionResult PlumbmarkTest::ActivateLines() {
  x().Activate(lines_.vertical);
  return WaitForForeground("Plumbmark");
}

::testing::AssertionResult PlumbmarkTest::AnswerMessageBox(Program& program,
                                                           const std::string& title) {
  const auto box = program.WaitForWindow(title);
  if (!box) return ::testing::AssertionFailure() << "no message box titled " << title;
  if (auto keyboard = WaitForKeyboard(*box); !keyboard) return keyboard;
  x().PressKey(XK_Return);
  if (!program.WaitForWindowGone(title)) {
    return ::testing::AssertionFailure() << "the message box " << title << " stayed open";
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult PlumbmarkTest::SaveWithConfirmation(Program& program) {
  x().PressKey(XK_s);
  if (auto answered = AnswerMessageBox(program, kSavedTitle); !answered) return answered;
  // A key pressed before the keyboard is back at the lines would be lost.
  return WaitForForeground("Plumbmark");
}

::testing::AssertionResult PlumbmarkTest::SettingsAre(const std::string& expected) {
  const auto actual = session_->ReadSettings();
  if (!actual) return ::testing::AssertionFailure() << "there is no settings file";
  if (*actual == expected) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "the settings file holds \"" << Visible(*actual)
                                       << "\", expected \"" << Visible(expected) << "\"";
}

std::optional<Window> PlumbmarkTest::OpenDialog(Program& program, KeySym key,
                                                const std::string& title) {
  x().PressKey(key);
  const auto dialog = program.WaitForWindow(title);
  if (!dialog || !WaitForForeground(title)) return std::nullopt;
  return dialog;
}

::testing::AssertionResult PlumbmarkTest::ClickAt(Look& look, const Scene& scene, int px, int py) {
  if (auto followed = MovePointer(look, px, py, scene); !followed) return followed;
  x().Click(px, py);
  return ::testing::AssertionSuccess();
}

Scene PlumbmarkTest::SceneWith(Window dialog) {
  Scene scene;
  if (const auto rect = x().Geometry(dialog)) scene.covered.push_back(*rect);
  return scene;
}

// The caption bar of a fixed tool window is drawn by Wine itself (the
// window manager adds no frame): the close box is its right-most square.
::testing::AssertionResult PlumbmarkTest::ClickCloseBox(Look& look, Window dialog) {
  const auto rect = x().Geometry(dialog);
  if (!rect) return ::testing::AssertionFailure() << "the dialog has gone";
  return ClickAt(look, SceneWith(dialog), rect->x + rect->width - 12, rect->y + 11);
}

::testing::AssertionResult PlumbmarkTest::ClickButton(Look& look, Window dialog,
                                                      const ProbeWindow& seen) {
  const ProbeControl* button = seen.Control("Button");
  if (button == nullptr) return ::testing::AssertionFailure() << "the dialog has no button";
  return ClickAt(look, SceneWith(dialog), button->rect.x + button->rect.width / 2,
                 button->rect.y + button->rect.height / 2);
}

}  // namespace plumbmark::e2e
