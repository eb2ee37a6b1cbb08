// The X server of one test (Xvfb on a display number of its own choosing)
// and the window manager that runs on it.
#pragma once

#include <filesystem>
#include <string>

#include "harness/process.h"

namespace plumbmark::e2e {

inline constexpr int kScreenWidth = 1024;
inline constexpr int kScreenHeight = 768;

class XServer {
 public:
  explicit XServer(const std::filesystem::path& log);
  const std::string& display() const { return display_; }

 private:
  Process process_;
  std::string display_;  // ":N"
};

// Openbox with its stock configuration: it gives windows the input focus,
// keeps the taskbar and stacking properties, and honours activation requests.
class WindowManager {
 public:
  WindowManager(const std::string& display, const std::filesystem::path& home,
                const std::filesystem::path& log);

 private:
  Process process_;
};

}  // namespace plumbmark::e2e
