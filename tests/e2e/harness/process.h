// Child processes of the harness: started with their own environment and
// log file, waited for with a deadline, and ended by their process id only.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace plumbmark::e2e {

struct LaunchOptions {
  std::vector<std::string> argv;
  // Variables set (or, with an empty optional, removed) on top of ours.
  std::map<std::string, std::optional<std::string>> environment;
  std::filesystem::path workingDirectory;  // empty: ours
  std::filesystem::path log;               // stdout and stderr; empty: /dev/null
  int inheritedFd = -1;                    // one descriptor the child keeps open
};

class Process {
 public:
  Process() = default;
  explicit Process(const LaunchOptions& launch);
  ~Process() { End(); }
  Process(Process&& other) noexcept;
  Process& operator=(Process&& other) noexcept;
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  pid_t pid() const { return pid_; }
  bool Running();
  // The exit status once the process has ended within the deadline.
  std::optional<int> WaitForExit(std::chrono::milliseconds deadline);
  // Ends the process if it still runs: SIGTERM, then SIGKILL after a grace.
  void End();

 private:
  void Reap(int status);

  pid_t pid_ = -1;
  std::optional<int> exitStatus_;
};

struct CommandResult {
  int exitStatus = -1;  // -1: did not finish before the deadline (and was ended)
  std::string output;   // stdout and stderr together
};

// Runs a command to its end, collecting its output; a command that outlives
// the deadline is ended and reported with exit status -1.
CommandResult RunCommand(LaunchOptions launch, std::chrono::milliseconds deadline);

// The full path of a program on PATH, or an empty path.
std::filesystem::path FindProgram(const std::string& name);

}  // namespace plumbmark::e2e
