#include "harness/program.h"

#include "harness/x_server.h"

namespace plumbmark::e2e {

std::vector<Window> Program::Windows() {
  std::vector<Window> ours;
  for (Window window : x_.ClientWindows()) {
    if (x_.Pid(window) == static_cast<long>(knownPid_)) ours.push_back(window);
  }
  return ours;
}

std::optional<Window> Program::FindWindow(const std::string& title) {
  for (Window window : Windows()) {
    if (x_.Title(window) == title) return window;
  }
  return std::nullopt;
}

std::optional<Window> Program::WaitForWindow(const std::string& title,
                                             std::chrono::milliseconds deadline) {
  std::optional<Window> found;
  PollUntil([&] { return (found = FindWindow(title)).has_value(); }, deadline, 20ms);
  return found;
}

bool Program::WaitForWindowGone(const std::string& title, std::chrono::milliseconds deadline) {
  return PollUntil([&] { return !FindWindow(title).has_value(); }, deadline, 20ms);
}

std::optional<LineWindows> Program::WaitForLineWindows(std::chrono::milliseconds deadline) {
  LineWindows lines;
  // A line window spans the screen along its length once start-up has run.
  const auto spansScreen = [&](Window window, bool vertical) {
    const auto rect = x_.Geometry(window);
    return rect && (vertical ? rect->height == kScreenHeight : rect->width == kScreenWidth);
  };
  const bool shown = PollUntil(
      [&] {
        lines = LineWindows{};
        for (Window window : Windows()) {
          const std::string title = x_.Title(window);
          if (title == "Plumbmark" && spansScreen(window, true)) lines.vertical = window;
          if (title == "Form1" && spansScreen(window, false)) lines.horizontal = window;
        }
        return lines.vertical != 0 && lines.horizontal != 0;
      },
      deadline, 20ms);
  if (!shown) return std::nullopt;
  return lines;
}

}  // namespace plumbmark::e2e
