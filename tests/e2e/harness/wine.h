// Wine for the tests: the run's prefixes, created once per run and copied
// for each test, and the environment every Wine process of a test gets.
#pragma once

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "harness/process.h"

namespace plumbmark::e2e {

using Environment = std::map<std::string, std::optional<std::string>>;

// The environment of a Wine process on `prefix`, shown on `display` (none:
// no display at all).
Environment WineEnvironment(const std::filesystem::path& prefix, const std::string& display);

// Runs a Wine command (wine, wineboot, wineserver) to its end.
CommandResult RunWine(const std::filesystem::path& prefix, const std::string& display,
                      std::vector<std::string> argv, std::chrono::milliseconds deadline);

// Ends every process of the prefix's own wineserver, and the server itself.
void EndWineServer(const std::filesystem::path& prefix);

enum class PrefixKind {
  kStandard,  // 96 DPI; the dialog fonts fall back to the CJK font for Japanese
  kHighDpi,   // the same at 144 DPI
};

// The prefixes of one run, made on first use under the run's work folder.
class RunPrefixes {
 public:
  explicit RunPrefixes(std::filesystem::path workFolder);
  const std::filesystem::path& Template(PrefixKind kind);
  const std::filesystem::path& workFolder() const { return workFolder_; }

 private:
  std::filesystem::path Make(PrefixKind kind);

  std::filesystem::path workFolder_;
  std::map<PrefixKind, std::filesystem::path> made_;
  std::map<PrefixKind, std::string> failed_;  // not tried again in the same run
};

// The one instance of the running test program (set up by its main).
RunPrefixes& Prefixes();
void SetPrefixes(RunPrefixes* prefixes);

}  // namespace plumbmark::e2e
