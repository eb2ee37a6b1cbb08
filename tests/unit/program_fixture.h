// A whole program on the headless backend, driven as a user would.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "headless_backend.h"
#include "program.h"

namespace plumbmark::forms {
inline void PrintTo(const PixelRect& r, std::ostream* out) {
  *out << "{" << r.x << ", " << r.y << ", " << r.width << ", " << r.height << "}";
}
namespace headless {
inline void PrintTo(const MessageBoxRecord& box, std::ostream* out) {
  *out << "{\"" << box.text << "\", " << box.style << ", \"" << box.title << "\"}";
}
}  // namespace headless
}  // namespace plumbmark::forms

namespace plumbmark::testing {

using forms::PixelRect;
using forms::headless::ProfileFile;
using Boxes = std::vector<forms::headless::MessageBoxRecord>;
using Keys = std::vector<std::int16_t>;

// Virtual-key codes.
inline constexpr std::int16_t kTab = 9, kShift = 16, kControl = 17, kEscape = 27, kUp = 38,
                              kDown = 40, kC = 67, kI = 73, kS = 83, kF1 = 112;

inline constexpr char kIniPath[] = "/apps/plumbmark/Plumbmark.ini";
inline constexpr std::int32_t kBlue = 16711680;
inline constexpr std::int32_t kPalette[] = {65535, kBlue,    65280,    255,
                                            33023, 16776960, 16711935, 13421772};  // Tab's order
inline constexpr std::int32_t kCritical = 16;  // message box style of every error
inline const std::string kOverflow = "実行時エラー '6':\n\nオーバーフローしました。";

// The five stored values, in the order the program writes them.
struct Style {
  int size, color, vertical, interval, horizon;
};
inline ProfileFile SettingsFile(const Style& s) {
  return {{"Plumbmark", "Size", std::to_string(s.size)},
          {"Plumbmark", "Color", std::to_string(s.color)},
          {"Plumbmark", "Vertical", std::to_string(s.vertical)},
          {"Plumbmark", "Interval", std::to_string(s.interval)},
          {"Plumbmark", "Horizon", std::to_string(s.horizon)}};
}

// Both lines' thickness in pixels as the forms hold it (the windows show at
// least 0), LineSize and the two hidden flags: {vertical, horizontal,
// LineSize, VerticalHidden, HorizontalHidden}.
using Lines = std::array<int, 5>;

// One run of the program, with its settings file when one is given.
struct ProgramRun {
  explicit ProgramRun(std::optional<ProfileFile> file = std::nullopt) {
    backend.appPath = "/apps/plumbmark";
    backend.Attach(app);
    if (file) backend.profiles[kIniPath] = *file;
  }
  forms::headless::HeadlessBackend backend;
  forms::Application app{backend};
  Plumbmark program{app};
  FrmTate& tate = program.frmTate;
  FrmYoko& yoko = program.frmYoko;

  bool Start() { return program.Start(); }
  void Press(std::int16_t key, int repeats = 1) { backend.PressKey(key, 0, repeats); }
  void MoveAndTick(int x, int y) {
    backend.SetPointer(x, y);
    backend.AdvanceTime(tate.getMousePos.Interval());
  }
  void SetFactor(float twipsPerPixel) {
    backend.screen.twipsPerPixelX = backend.screen.twipsPerPixelY = twipsPerPixel;
  }
  // The lines as the real windows show them, in pixels.
  PixelRect Vertical() const { return forms::DisplayRect(tate, backend.screen); }
  PixelRect Horizontal() const { return forms::DisplayRect(yoko, backend.screen); }
  Lines LinesNow() const {
    return {forms::TwipsToPixels(tate.Width(), backend.screen.twipsPerPixelX),
            forms::TwipsToPixels(yoko.Height(), backend.screen.twipsPerPixelY), tate.lineSize(),
            tate.verticalHidden(), tate.horizontalHidden()};
  }
};

class ProgramTest : public ::testing::Test, public ProgramRun {};

}  // namespace plumbmark::testing
