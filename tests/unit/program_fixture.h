// A whole program on the headless backend, driven as a user would.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/headless/headless_backend.h"
#include "program.h"

namespace plumbmark::forms {
inline void PrintTo(const PixelRect& r, std::ostream* out) {
  *out << "{" << r.x << ", " << r.y << ", " << r.width << ", " << r.height << "}";
}
}  // namespace plumbmark::forms

namespace plumbmark::testing {

using forms::headless::ProfileEntry;
using forms::headless::ProfileFile;

// Virtual-key codes.
enum Vk : std::int16_t {
  kTab = 9,
  kShift = 16,
  kControl = 17,
  kEscape = 27,
  kUp = 38,
  kDown = 40,
  kC = 67,
  kI = 73,
  kS = 83,
  kF1 = 112,
};

inline constexpr char kIniPath[] = "/apps/plumbmark/Plumbmark.ini";
inline constexpr std::int32_t kBlue = 16711680;

// A settings file with the five keys in the order the program writes them.
inline ProfileFile SettingsFile(int size, int color, int vertical, int interval, int horizon) {
  return {{"Plumbmark", "Size", std::to_string(size)},
          {"Plumbmark", "Color", std::to_string(color)},
          {"Plumbmark", "Vertical", std::to_string(vertical)},
          {"Plumbmark", "Interval", std::to_string(interval)},
          {"Plumbmark", "Horizon", std::to_string(horizon)}};
}

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
};

class ProgramTest : public ::testing::Test, public ProgramRun {
 protected:
  void Store(int size, int color, int vertical, int interval, int horizon) {
    backend.profiles[kIniPath] = SettingsFile(size, color, vertical, interval, horizon);
  }
  bool Start() { return program.Start(); }
  void Press(std::int16_t key, int repeats = 1) { backend.PressKey(key, 0, repeats); }
  void SetFactor(float twipsPerPixel) {
    backend.screen.twipsPerPixelX = twipsPerPixel;
    backend.screen.twipsPerPixelY = twipsPerPixel;
  }
  // The lines as the real windows show them, in pixels.
  forms::PixelRect Vertical() const { return forms::DisplayRect(tate, backend.screen); }
  forms::PixelRect Horizontal() const { return forms::DisplayRect(yoko, backend.screen); }
};

}  // namespace plumbmark::testing
