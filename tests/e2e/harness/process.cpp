#include "harness/process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <thread>
#include <utility>

extern char** environ;

namespace plumbmark::e2e {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kTermGrace = std::chrono::milliseconds(3000);
constexpr auto kPollStep = std::chrono::milliseconds(5);

std::vector<std::string> MergedEnvironment(
    const std::map<std::string, std::optional<std::string>>& changes) {
  std::map<std::string, std::string> merged;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string text(*entry);
    const auto equals = text.find('=');
    if (equals != std::string::npos) merged[text.substr(0, equals)] = text.substr(equals + 1);
  }
  for (const auto& [name, value] : changes) {
    if (value) {
      merged[name] = *value;
    } else {
      merged.erase(name);
    }
  }
  std::vector<std::string> out;
  for (const auto& [name, value] : merged) out.push_back(name + "=" + value);
  return out;
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
  std::vector<char*> out;
  for (std::string& s : strings) out.push_back(s.data());
  out.push_back(nullptr);
  return out;
}

// In the child between fork and exec: only async-signal-safe calls.
[[noreturn]] void ExecChild(const LaunchOptions& launch, int outFd, char** argv, char** envp) {
  if (!launch.workingDirectory.empty() && chdir(launch.workingDirectory.c_str()) != 0) _exit(126);
  const int devNull = open("/dev/null", O_RDONLY);
  if (devNull >= 0) dup2(devNull, STDIN_FILENO);
  dup2(outFd, STDOUT_FILENO);
  dup2(outFd, STDERR_FILENO);
  // Our own descriptors (the X connection, pipes of other children) stay ours.
  for (int fd = 3; fd < 1024; ++fd) {
    if (fd != launch.inheritedFd) close(fd);
  }
  // Should the harness die, its children go with it; the exec keeps this.
  prctl(PR_SET_PDEATHSIG, SIGTERM);
  execve(argv[0], argv, envp);
  _exit(127);
}

pid_t Spawn(const LaunchOptions& launch, int outFd) {
  if (launch.argv.empty()) throw std::invalid_argument("empty command");
  std::vector<std::string> args = launch.argv;
  const std::filesystem::path program = FindProgram(args[0]);
  if (program.empty()) throw std::runtime_error("program not found: " + args[0]);
  args[0] = program.string();
  std::vector<std::string> env = MergedEnvironment(launch.environment);
  std::vector<char*> argv = Pointers(args);
  std::vector<char*> envp = Pointers(env);
  const pid_t pid = fork();
  if (pid < 0) throw std::runtime_error(std::string("fork: ") + std::strerror(errno));
  if (pid == 0) ExecChild(launch, outFd, argv.data(), envp.data());
  return pid;
}

int OpenLog(const std::filesystem::path& log) {
  const char* path = log.empty() ? "/dev/null" : log.c_str();
  const int fd = open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (fd < 0) throw std::runtime_error("cannot open log " + std::string(path));
  return fd;
}

}  // namespace

std::filesystem::path FindProgram(const std::string& name) {
  if (name.find('/') != std::string::npos) return name;
  const char* path = std::getenv("PATH");
  std::string dirs = path != nullptr ? path : "/usr/bin:/bin";
  std::size_t start = 0;
  while (start <= dirs.size()) {
    const std::size_t end = std::min(dirs.find(':', start), dirs.size());
    const std::filesystem::path candidate =
        std::filesystem::path(dirs.substr(start, end - start)) / name;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
    start = end + 1;
  }
  return {};
}

Process::Process(const LaunchOptions& launch) {
  const int fd = OpenLog(launch.log);
  try {
    pid_ = Spawn(launch, fd);
  } catch (...) {
    close(fd);
    throw;
  }
  close(fd);
}

Process::Process(Process&& other) noexcept
    : pid_(std::exchange(other.pid_, -1)), exitStatus_(other.exitStatus_) {}

Process& Process::operator=(Process&& other) noexcept {
  if (this != &other) {
    End();
    pid_ = std::exchange(other.pid_, -1);
    exitStatus_ = other.exitStatus_;
  }
  return *this;
}

void Process::Reap(int status) {
  exitStatus_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  pid_ = -1;
}

bool Process::Running() {
  if (pid_ <= 0) return false;
  int status = 0;
  if (waitpid(pid_, &status, WNOHANG) == pid_) Reap(status);
  return pid_ > 0;
}

std::optional<int> Process::WaitForExit(std::chrono::milliseconds deadline) {
  const auto until = Clock::now() + deadline;
  while (Running()) {
    if (Clock::now() >= until) return std::nullopt;
    std::this_thread::sleep_for(kPollStep);
  }
  return exitStatus_;
}

void Process::End() {
  if (!Running()) return;
  kill(pid_, SIGTERM);
  if (WaitForExit(std::chrono::duration_cast<std::chrono::milliseconds>(kTermGrace))) return;
  kill(pid_, SIGKILL);
  int status = 0;
  if (waitpid(pid_, &status, 0) == pid_) Reap(status);
}

// Reads until the child has exited, not until end of file: a daemon that the
// command starts (wineserver) may keep the pipe open long after.
CommandResult RunCommand(LaunchOptions launch, std::chrono::milliseconds deadline) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
  launch.log.clear();
  pid_t pid = -1;
  try {
    pid = Spawn(launch, fds[1]);
  } catch (...) {
    close(fds[0]);
    close(fds[1]);
    throw;
  }
  close(fds[1]);
  CommandResult result;
  const auto until = Clock::now() + deadline;
  pollfd reader{fds[0], POLLIN, 0};
  char buffer[4096];
  int status = 0;
  bool exited = false;
  bool endOfFile = false;
  for (;;) {
    exited = waitpid(pid, &status, WNOHANG) == pid;
    while (!endOfFile && poll(&reader, 1, exited ? 0 : 20) > 0) {
      const ssize_t got = read(fds[0], buffer, sizeof buffer);
      if (got <= 0) endOfFile = true;
      if (got > 0) result.output.append(buffer, static_cast<std::size_t>(got));
    }
    if (exited || Clock::now() >= until) break;
    if (endOfFile) std::this_thread::sleep_for(kPollStep);
  }
  close(fds[0]);
  if (!exited) {
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return result;
  }
  result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return result;
}

}  // namespace plumbmark::e2e
