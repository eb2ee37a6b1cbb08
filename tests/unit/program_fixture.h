// A whole program on the headless backend, in its own temporary program
// folder, for the tests that drive it as a user would.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/headless/headless_backend.h"
#include "program.h"

namespace plumbmark::testing {

namespace fs = std::filesystem;

// Virtual-key codes used by the tests.
enum Vk : std::int16_t {
  kTab = 9, kShift = 16, kControl = 17, kEscape = 27, kUp = 38, kDown = 40,
  kC = 67, kI = 73, kS = 83, kF1 = 112,
};

inline fs::path MakeTempFolder() {
  std::string pattern = (fs::temp_directory_path() / "plumbmark-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  return pattern;
}

class ProgramTest : public ::testing::Test {
 protected:
  ProgramTest() : folder_(MakeTempFolder()) {
    backend.appPath = folder_.string();
    backend.Attach(app);
  }
  ~ProgramTest() override { fs::remove_all(folder_); }

  fs::path IniFile() const { return folder_ / "Plumbmark.ini"; }
  void WriteIni(const std::string& content) const {
    std::ofstream(IniFile(), std::ios::binary) << content;
  }
  std::string ReadIni() const {
    std::ifstream in(IniFile(), std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }
  // A settings file with the five keys as given.
  void WriteSettings(int size, int color, int vertical, int interval, int horizon) const {
    WriteIni("[Plumbmark]\r\nSize=" + std::to_string(size) + "\r\nColor=" +
             std::to_string(color) + "\r\nVertical=" + std::to_string(vertical) +
             "\r\nInterval=" + std::to_string(interval) + "\r\nHorizon=" +
             std::to_string(horizon) + "\r\n");
  }

  bool Start() { return program.Start(); }
  float Twips(int pixels) const {
    return static_cast<float>(pixels) * backend.screen.twipsPerPixelX;
  }
  // Thicknesses as the real windows show them, in pixels.
  int VerticalPixels() const { return forms::DisplayRect(tate, backend.screen).width; }
  int HorizontalPixels() const { return forms::DisplayRect(yoko, backend.screen).height; }
  void Press(std::int16_t key, int repeats = 1) { backend.PressKey(key, 0, repeats); }

  fs::path folder_;
  forms::headless::HeadlessBackend backend;
  forms::Application app{backend};
  Plumbmark program{app};
  FrmTate& tate = program.frmTate;
  FrmYoko& yoko = program.frmYoko;
};

}  // namespace plumbmark::testing
