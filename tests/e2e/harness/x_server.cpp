#include "harness/x_server.h"

#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

namespace plumbmark::e2e {
namespace {

constexpr auto kStartDeadline = std::chrono::seconds(20);

// Reads the display number that Xvfb writes once it accepts connections.
std::string ReadDisplayNumber(int fd, Process& server) {
  const auto until = std::chrono::steady_clock::now() + kStartDeadline;
  std::string text;
  pollfd reader{fd, POLLIN, 0};
  while (text.find('\n') == std::string::npos) {
    if (std::chrono::steady_clock::now() >= until || !server.Running()) {
      throw std::runtime_error("Xvfb did not report its display");
    }
    if (poll(&reader, 1, 50) <= 0) continue;
    char buffer[32];
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got <= 0) throw std::runtime_error("Xvfb closed its display pipe");
    text.append(buffer, static_cast<std::size_t>(got));
  }
  return ":" + text.substr(0, text.find('\n'));
}

}  // namespace

XServer::XServer(const std::filesystem::path& log) {
  int fds[2];
  if (pipe(fds) != 0) throw std::runtime_error("pipe");
  const std::string screen =
      std::to_string(kScreenWidth) + "x" + std::to_string(kScreenHeight) + "x24";
  LaunchOptions launch{.argv = {"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0",
                                screen, "-nolisten", "tcp", "-br", "-noreset"},
                       .log = log,
                       .inheritedFd = fds[1]};
  try {
    process_ = Process(launch);
  } catch (...) {
    close(fds[0]);
    close(fds[1]);
    throw;
  }
  close(fds[1]);
  try {
    display_ = ReadDisplayNumber(fds[0], process_);
  } catch (...) {
    close(fds[0]);
    throw;
  }
  close(fds[0]);
}

WindowManager::WindowManager(const std::string& display, const std::filesystem::path& home,
                             const std::filesystem::path& log) {
  // A home of its own: no user configuration and no session state leak in.
  LaunchOptions launch{.argv = {"openbox"},
                       .environment = {{"DISPLAY", display},
                                       {"HOME", home.string()},
                                       {"XDG_CONFIG_HOME", (home / ".config").string()},
                                       {"XDG_CACHE_HOME", (home / ".cache").string()}},
                       .log = log};
  process_ = Process(launch);
}

}  // namespace plumbmark::e2e
