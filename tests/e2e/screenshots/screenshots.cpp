// Writes pictures of the program's main states as PNG files into the folder
// PLUMBMARK_SCREENSHOTS names: the crosshair, both dialogs and each message
// box. Run through tests/e2e/run.sh --screenshots.
#include <cstdlib>
#include <filesystem>

#include "harness/plumbmark_test.h"

namespace plumbmark::e2e {
namespace {

using namespace std::chrono_literals;

class Screenshot : public PlumbmarkTest {
 protected:
  // Every picture has a desktop behind the program's windows.
  void SetUp() override {
    PlumbmarkTest::SetUp();
    desktop_ = Desktop();
  }

  // Saves the screen, cut to `area` (within the screen), as name.png.
  void Save(const std::string& name, Rect area) {
    const char* folder = std::getenv("PLUMBMARK_SCREENSHOTS");
    ASSERT_NE(folder, nullptr) << "PLUMBMARK_SCREENSHOTS is not set";
    area.x = std::max(area.x, 0);
    area.y = std::max(area.y, 0);
    area.width = std::min(area.width, kScreenWidth - area.x);
    area.height = std::min(area.height, kScreenHeight - area.y);
    const std::filesystem::path raw = std::filesystem::path(folder) / (name + ".ppm");
    x().Capture(area).WritePpm(raw);
    const auto png = std::filesystem::path(folder) / (name + ".png");
    const CommandResult converted =
        RunCommand({.argv = {"convert", raw.string(), "-strip", png.string()}}, 60s);
    std::filesystem::remove(raw);
    ASSERT_EQ(converted.exitStatus, 0) << converted.output;
  }

  // A window's frame as the window manager draws it, with a margin.
  Rect AroundWindow(Window window, int margin) {
    const auto rect = x().Geometry(window);
    if (!rect) return {};
    constexpr int kTitleBar = 24;  // openbox's caption above a managed window
    return Rect{rect->x - margin, rect->y - kTitleBar - margin, rect->width + 2 * margin,
                rect->height + kTitleBar + 2 * margin};
  }

  // The desktop with a dialog over it.
  Scene WithDialog(Window dialog) {
    Scene scene = desktop_;
    scene.covered = SceneWith(dialog).covered;
    return scene;
  }

  // An ordinary window behind the crosshair, as a desktop would be.
  Scene Desktop() {
    const Rect area{0, 0, kScreenWidth, kScreenHeight - 1};
    x().CreateBackdrop(area, kDesktopColor);
    return Scene{.fills = {{area, kDesktopColor}}};
  }

  static constexpr Rgb kDesktopColor = 0xE8ECEF;
  Scene desktop_;
};

TEST_F(Screenshot, Crosshair) {
  Look look{.pointerX = 300, .pointerY = 200};
  StartProgram(look, desktop_);
  Save("crosshair", Rect{60, 40, 480, 320});
}

TEST_F(Screenshot, ColourDialog) {
  Look look{.pointerX = 230, .pointerY = 130};
  Program& program = StartProgram(look, desktop_);
  const auto dialog = OpenDialog(program, XK_c, kColorDialogTitle);
  ASSERT_TRUE(dialog);
  ASSERT_TRUE(WaitForLook(x(), look, WithDialog(*dialog)));
  Save("colour-dialog", Rect{0, 0, 320, 200});
}

TEST_F(Screenshot, IntervalDialog) {
  Look look{.pointerX = 190, .pointerY = 130};
  Program& program = StartProgram(look, desktop_);
  const auto dialog = OpenDialog(program, XK_i, kIntervalDialogTitle);
  ASSERT_TRUE(dialog);
  ASSERT_TRUE(WaitForLook(x(), look, WithDialog(*dialog)));
  Save("interval-dialog", Rect{0, 0, 280, 200});
}

TEST_F(Screenshot, SavedMessage) {
  Program& program = StartProgram({.pointerX = 150, .pointerY = 120}, desktop_);
  x().PressKey(XK_s);
  const auto box = program.WaitForWindow(kSavedTitle);
  ASSERT_TRUE(box);
  ASSERT_TRUE(WaitForKeyboard(*box));
  Save("saved-message", AroundWindow(*box, 12));
}

TEST_F(Screenshot, SecondCopyRefused) {
  StartProgram({.pointerX = 150, .pointerY = 120}, desktop_);
  Program& second = session().Launch();
  const auto box = second.WaitForWindow(kErrorTitle, kStartDeadline);
  ASSERT_TRUE(box);
  ASSERT_TRUE(WaitForKeyboard(*box));
  Save("second-copy-refused", AroundWindow(*box, 12));
}

TEST_F(Screenshot, OverflowReported) {
  session().WriteSettings(SettingsFileText({.size = 40000}));
  Program& program = session().Launch();
  const auto box = program.WaitForWindow("Plumbmark", kStartDeadline);
  ASSERT_TRUE(box);
  ASSERT_TRUE(WaitForKeyboard(*box));
  Save("overflow-reported", AroundWindow(*box, 12));
}

TEST_F(Screenshot, SaveFailed) {
  std::filesystem::create_directory(session().settingsFile());
  Program& program = StartProgram({.pointerX = 150, .pointerY = 120}, desktop_);
  x().PressKey(XK_s);
  const auto box = program.WaitForWindow(kErrorTitle);
  ASSERT_TRUE(box);
  ASSERT_TRUE(WaitForKeyboard(*box));
  Save("save-failed", AroundWindow(*box, 12));
}

}  // namespace
}  // namespace plumbmark::e2e
