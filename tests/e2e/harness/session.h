// The world of one test: its own X server and window manager, its own copy
// of the run's Wine prefix, and a fresh program folder holding the exe and,
// if the test wants one, a prepared settings file. Everything it starts it
// ends by process id when the test is over.
#pragma once

#include <deque>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "harness/files.h"
#include "harness/image.h"
#include "harness/probe.h"
#include "harness/program.h"
#include "harness/wine.h"
#include "harness/x_client.h"
#include "harness/x_server.h"

namespace plumbmark::e2e {

struct SessionOptions {
  PrefixKind prefix = PrefixKind::kStandard;
  // The program folder's path below the test's folder.
  std::filesystem::path programFolder = "app";
  // Without one, windows stay exactly where they are put, but no window
  // ever gets the keyboard.
  bool windowManager = true;
};

class Session {
 public:
  explicit Session(const SessionOptions& options = {});
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  XClient& x() { return *x_; }
  const std::string& display() const { return server_->display(); }
  const std::filesystem::path& programFolder() const { return programFolder_; }
  std::filesystem::path settingsFile() const { return programFolder_ / "Plumbmark.ini"; }

  void WriteSettings(std::string_view bytes) { WriteBytes(settingsFile(), bytes); }
  std::optional<std::string> ReadSettings() const { return ReadBytes(settingsFile()); }

  // Starts a copy of the program from the program folder, as a double click
  // would (the working folder is elsewhere).
  Program& Launch();
  // Reads the program's windows through Win32 (see probe.h).
  ProbeReport Probe();

  // Keeps a screenshot and the logs of the test for a look after a failure.
  void KeepEvidence(const std::string& testName);

 private:
  TempDir folder_;
  std::filesystem::path logs_;
  std::unique_ptr<XServer> server_;
  std::unique_ptr<XClient> x_;
  std::unique_ptr<WindowManager> windowManager_;
  std::filesystem::path prefix_;
  std::filesystem::path programFolder_;
  std::deque<Program> programs_;
  bool wineUsed_ = false;
};

// The program under test (PLUMBMARK_EXE).
std::filesystem::path ProgramExecutable();

}  // namespace plumbmark::e2e
