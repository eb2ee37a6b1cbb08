// What the program's windows say, read through Win32 itself: a small
// inspector (tests/e2e/probe) runs on the same Wine server and reports the
// texts of message boxes and dialogs, combo box lists and selections, and the
// screen's DPI.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "harness/image.h"

namespace plumbmark::e2e {

struct ProbeControl {
  std::string className;
  int id = 0;
  std::string text;
  Rect rect;  // screen pixels
  bool visible = false;
  int selected = -2;  // combo boxes: the selected list index (-1 none); others -2
  std::vector<std::string> items;
};

struct ProbeWindow {
  std::string className;
  std::string title;
  Rect outer;   // screen pixels
  Rect client;  // screen pixels
  bool enabled = false;
  std::vector<ProbeControl> controls;

  // The n-th control of a window class ("ComboBox", "Button", "Static").
  const ProbeControl* Control(std::string_view className, int nth = 0) const;
  // All the static texts of the window joined by newlines (a message box's text).
  std::string StaticText() const;
};

struct ProbeReport {
  int dpiX = 0, dpiY = 0;
  int screenWidth = 0, screenHeight = 0;
  std::string foreground;            // the title of the window the keyboard goes to
  std::string focusClass;            // the class of the window inside it with the focus
  std::vector<ProbeWindow> windows;  // visible top-level windows of other processes

  const ProbeWindow* Find(std::string_view title) const;
};

// Parses the inspector's output; exposed for the harness's own checks.
ProbeReport ParseProbeOutput(const std::string& output);

// Runs the inspector next to the program on the prefix and display of a test.
ProbeReport RunProbe(const std::filesystem::path& prefix, const std::string& display);

// The inspector's executable (PLUMBMARK_E2E_PROBE), or an empty path.
std::filesystem::path ProbeExecutable();

}  // namespace plumbmark::e2e
