// The differential test of the settings-file engine: runs hand-written and
// seeded random cases through our engine and through the Windows profile
// functions (a Win32 driver under Wine), batched so that Wine starts only a
// few times, and reports every disagreement.
//
// Usage: plumbmark_profile_differential --driver EXE --work DIR
//          [--seeds FIRST-LAST] [--batch N] [--wine COMMAND]
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <string>

#include "case_runner.h"

namespace plumbmark::differential {
namespace {

namespace fs = std::filesystem;

struct Options {
  std::string driver;
  fs::path work;
  std::uint32_t first_seed = 1;
  std::uint32_t last_seed = 3000;
  std::size_t batch = 1000;
  std::string wine = "wine";
};

std::optional<Options> ParseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string flag = argv[i];
    const std::string value = argv[i + 1];
    if (flag == "--driver")
      options.driver = value;
    else if (flag == "--work")
      options.work = value;
    else if (flag == "--batch")
      options.batch = std::stoul(value);
    else if (flag == "--wine")
      options.wine = value;
    else if (flag == "--seeds") {
      options.first_seed = static_cast<std::uint32_t>(std::stoul(value));
      options.last_seed = static_cast<std::uint32_t>(std::stoul(value.substr(value.find('-') + 1)));
    } else {
      return std::nullopt;
    }
  }
  if (options.driver.empty() || options.work.empty() || argc % 2 == 0) return std::nullopt;
  return options;
}

std::string Quote(const std::string& text) { return "'" + text + "'"; }

// Runs the driver once on a script; returns its output lines.
std::optional<std::vector<std::string>> RunDriver(const Options& options,
                                                  const std::vector<std::string>& script) {
  const fs::path script_file = options.work / "script.txt";
  const fs::path output_file = options.work / "output.txt";
  std::ofstream out(script_file, std::ios::binary);
  for (const std::string& line : script) out << line << "\n";
  out.close();
  fs::remove(output_file);
  const std::string command = options.wine + " " + Quote(options.driver) + " " +
                              Quote(WinePath(script_file)) + " " + Quote(WinePath(output_file)) +
                              " 2>>" + Quote((options.work / "wine.log").string());
  if (std::system(command.c_str()) != 0) return std::nullopt;
  std::ifstream in(output_file, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

struct Tally {
  std::map<std::string, std::pair<int, int>> by_group;  // passed, failed
  int passed = 0;
  int failed = 0;
};

void Report(const Case& c, const std::vector<std::string>& failures, Tally& tally) {
  auto& [group_passed, group_failed] = tally.by_group[c.group];
  if (failures.empty()) {
    ++tally.passed;
    ++group_passed;
    return;
  }
  ++tally.failed;
  ++group_failed;
  if (tally.failed > 30) return;
  std::cout << "FAIL " << c.group << " / " << c.name << "\n  file "
            << (c.file_exists ? Escape(c.content) : "(none)") << "\n";
  for (const Operation& op : c.operations) {
    static const char* const kNames[] = {"get", "str", "put"};
    std::cout << "  " << kNames[static_cast<int>(op.kind)] << " " << Escape(op.section) << " "
              << Escape(op.key) << " "
              << (op.kind == Operation::Kind::kPut ? Escape(op.value) : std::to_string(op.fallback))
              << "\n";
  }
  for (const std::string& failure : failures) std::cout << "  -> " << failure << "\n";
}

bool RunBatch(const Options& options, const std::vector<Case>& cases, Tally& tally) {
  std::vector<std::string> script;
  std::vector<std::vector<std::string>> ours(cases.size());
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const fs::path our_file = options.work / ("o" + std::to_string(i) + ".ini");
    const fs::path their_file = options.work / ("w" + std::to_string(i) + ".ini");
    ours[i] = RunOurs(cases[i], our_file, their_file);
    for (const Operation& op : cases[i].operations) script.push_back(ScriptLine(op, their_file));
    script.push_back(ListLine(their_file));
    script.push_back(ListLine(our_file));
  }
  const std::optional<std::vector<std::string>> lines = RunDriver(options, script);
  if (!lines) {
    std::cout << "differential: the driver failed (see " << (options.work / "wine.log") << ")\n";
    return false;
  }
  DriverOutput output(*lines);
  for (std::size_t i = 0; i < cases.size(); ++i) {
    Report(cases[i],
           Judge(cases[i], ours[i], output, options.work / ("o" + std::to_string(i) + ".ini"),
                 options.work / ("w" + std::to_string(i) + ".ini")),
           tally);
  }
  return true;
}

int Main(const Options& options) {
  fs::create_directories(options.work);
  Tally tally;
  if (!RunBatch(options, HandWrittenCases(), tally)) return 2;
  std::vector<Case> batch;
  for (std::uint32_t seed = options.first_seed; seed <= options.last_seed; ++seed) {
    batch.push_back(RandomCase(seed));
    if (batch.size() == options.batch || seed == options.last_seed) {
      if (!RunBatch(options, batch, tally)) return 2;
      batch.clear();
    }
  }
  for (const auto& [group, counts] : tally.by_group) {
    std::cout << "  " << group << ": " << counts.first << " passed, " << counts.second
              << " failed\n";
  }
  std::cout << "differential: " << tally.passed << " passed, " << tally.failed << " failed (seeds "
            << options.first_seed << "-" << options.last_seed << ")\n";
  return tally.failed == 0 ? 0 : 1;
}

}  // namespace
}  // namespace plumbmark::differential

int main(int argc, char** argv) {
  const auto options = plumbmark::differential::ParseOptions(argc, argv);
  if (!options) {
    std::cerr << "usage: plumbmark_profile_differential --driver EXE --work DIR "
                 "[--seeds FIRST-LAST] [--batch N] [--wine COMMAND]\n";
    return 2;
  }
  return plumbmark::differential::Main(*options);
}
