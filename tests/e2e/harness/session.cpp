#include "harness/session.h"

#include <cstdlib>
#include <stdexcept>

#include "harness/wait.h"

namespace plumbmark::e2e {
namespace fs = std::filesystem;

fs::path ProgramExecutable() {
  const char* path = std::getenv("PLUMBMARK_EXE");
  if (path == nullptr || !fs::is_regular_file(path)) {
    throw std::runtime_error("PLUMBMARK_EXE does not name the program to test");
  }
  return path;
}

// The test's folder lies in the run's work folder, which run.sh removes
// (ending any Wine server left in it) even after an interrupted run.
Session::Session(const SessionOptions& options)
    : folder_("test", Prefixes().workFolder() / "tests") {
  logs_ = folder_.path() / "logs";
  fs::create_directories(logs_);
  server_ = std::make_unique<XServer>(logs_ / "xvfb.log");
  x_ = std::make_unique<XClient>(server_->display());
  if (options.windowManager) {
    windowManager_ = std::make_unique<WindowManager>(server_->display(), folder_.path() / "home",
                                                     logs_ / "openbox.log");
    if (!PollUntil([&] { return x_->WindowManagerRunning(); }, kStartDeadline, 20ms)) {
      throw std::runtime_error("the window manager did not start");
    }
  }
  prefix_ = folder_.path() / "prefix";
  CopyTreeLinkingBinaries(Prefixes().Template(options.prefix), prefix_);
  programFolder_ = folder_.path() / options.programFolder;
  fs::create_directories(programFolder_);
  fs::copy_file(ProgramExecutable(), programFolder_ / "plumbmark.exe");
}

Session::~Session() {
  for (auto it = programs_.rbegin(); it != programs_.rend(); ++it) it->End();
  if (wineUsed_) EndWineServer(prefix_);
  windowManager_.reset();
  x_.reset();
  server_.reset();
}

Program& Session::Launch() {
  wineUsed_ = true;
  const fs::path log = logs_ / ("program-" + std::to_string(programs_.size() + 1) + ".log");
  LaunchOptions launch{.argv = {"wine", (programFolder_ / "plumbmark.exe").string()},
                       .environment = WineEnvironment(prefix_, display()),
                       .workingDirectory = folder_.path(),
                       .log = log};
  return programs_.emplace_back(Process(launch), *x_);
}

ProbeReport Session::Probe() {
  wineUsed_ = true;
  return RunProbe(prefix_, display());
}

void Session::KeepEvidence(const std::string& testName) {
  const char* target = std::getenv("PLUMBMARK_E2E_ARTIFACTS");
  if (target == nullptr) return;
  const fs::path folder = fs::path(target) / testName;
  std::error_code ignored;
  fs::create_directories(folder, ignored);
  try {
    x_->CaptureScreen().WritePpm(folder / "screen.ppm");
  } catch (const std::exception&) {
    // The X server is gone: the logs below say why.
  }
  fs::copy(logs_, folder, fs::copy_options::overwrite_existing, ignored);
  if (auto settings = ReadSettings()) WriteBytes(folder / "Plumbmark.ini", *settings);
}

}  // namespace plumbmark::e2e
