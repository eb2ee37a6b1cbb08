// One started copy of plumbmark.exe and the windows it shows.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "harness/process.h"
#include "harness/wait.h"
#include "harness/x_client.h"

namespace plumbmark::e2e {

// The two line windows as the window manager knows them.
struct LineWindows {
  Window vertical = 0;    // frmTate, "Plumbmark"
  Window horizontal = 0;  // frmYoko, "Form1"
};

class Program {
 public:
  Program(Process process, XClient& x) : process_(std::move(process)), x_(x) {}

  pid_t pid() const { return process_.pid(); }
  bool Running() { return process_.Running(); }
  std::optional<int> WaitForExit(std::chrono::milliseconds deadline = kReactionDeadline) {
    return process_.WaitForExit(deadline);
  }
  void End() { process_.End(); }

  // The client windows this process shows (by _NET_WM_PID).
  std::vector<Window> Windows();
  std::optional<Window> FindWindow(const std::string& title);
  // Waits for a window of this process with the title; nothing on timeout.
  std::optional<Window> WaitForWindow(const std::string& title,
                                      std::chrono::milliseconds deadline = kReactionDeadline);
  bool WaitForWindowGone(const std::string& title,
                         std::chrono::milliseconds deadline = kReactionDeadline);
  // Waits until both line windows are shown; nothing on timeout.
  std::optional<LineWindows> WaitForLineWindows(
      std::chrono::milliseconds deadline = kStartDeadline);

 private:
  Process process_;
  XClient& x_;
  pid_t knownPid_ = process_.pid();  // kept after the process has ended
};

}  // namespace plumbmark::e2e
