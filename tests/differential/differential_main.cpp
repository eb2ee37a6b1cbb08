// The differential test of the settings-file engine: runs hand-written and
// seeded random cases through our engine and through the Windows profile
// functions (a Win32 driver under Wine), batched so that Wine starts only a
// few times (one batch per core at once), and reports every disagreement.
//
// Usage: plumbmark_profile_differential --driver EXE --work DIR
//          [--seeds FIRST-LAST] [--batch N] [--wine COMMAND]
#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <thread>

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

// Runs the driver once on a batch's script; returns its output lines.
std::optional<std::vector<std::string>> RunDriver(const Options& options, const fs::path& folder,
                                                  const std::vector<std::string>& script) {
  const fs::path script_file = folder / "script.txt";
  const fs::path output_file = folder / "output.txt";
  std::ofstream out(script_file, std::ios::binary);
  for (const std::string& line : script) out << line << "\n";
  out.close();
  fs::remove(output_file);
  const std::string command = options.wine + " " + Quote(options.driver) + " " +
                              Quote(WinePath(script_file)) + " " + Quote(WinePath(output_file)) +
                              " 2>>" + Quote((folder / "wine.log").string());
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

// One batch: its cases, our results, the driver's script and output.
struct Batch {
  std::vector<Case> cases;
  fs::path folder;
  std::vector<std::vector<std::string>> ours;
  std::vector<std::string> script;
  std::optional<std::vector<std::string>> driver_lines;

  fs::path OurFile(std::size_t i) const { return folder / ("o" + std::to_string(i) + ".ini"); }
  fs::path TheirFile(std::size_t i) const { return folder / ("w" + std::to_string(i) + ".ini"); }
};

void Prepare(Batch& batch) {
  fs::create_directories(batch.folder);
  for (std::size_t i = 0; i < batch.cases.size(); ++i) {
    batch.ours.push_back(RunOurs(batch.cases[i], batch.OurFile(i), batch.TheirFile(i)));
    for (const Operation& op : batch.cases[i].operations) {
      batch.script.push_back(ScriptLine(op, batch.TheirFile(i)));
    }
    batch.script.push_back(ListLine(batch.TheirFile(i)));
    batch.script.push_back(ListLine(batch.OurFile(i)));
  }
}

// Wine runs one driver per core at a time: Wine's start-up and its file calls
// dominate the run time.
void RunDrivers(const Options& options, std::vector<Batch>& batches) {
  std::atomic<std::size_t> next{0};
  const auto worker = [&] {
    for (std::size_t i = next++; i < batches.size(); i = next++) {
      batches[i].driver_lines = RunDriver(options, batches[i].folder, batches[i].script);
    }
  };
  std::vector<std::thread> threads;
  const unsigned count = std::max(2u, std::thread::hardware_concurrency());
  for (unsigned i = 0; i < count; ++i) threads.emplace_back(worker);
  for (std::thread& thread : threads) thread.join();
}

bool JudgeBatch(const Batch& batch, Tally& tally) {
  if (!batch.driver_lines) {
    std::cout << "differential: the driver failed (see " << (batch.folder / "wine.log") << ")\n";
    return false;
  }
  DriverOutput output(*batch.driver_lines);
  for (std::size_t i = 0; i < batch.cases.size(); ++i) {
    Report(batch.cases[i],
           Judge(batch.cases[i], batch.ours[i], output, batch.OurFile(i), batch.TheirFile(i)),
           tally);
  }
  return true;
}

int Main(const Options& options) {
  std::vector<Batch> batches(1);
  batches[0].cases = HandWrittenCases();
  for (std::uint32_t seed = options.first_seed; seed <= options.last_seed; ++seed) {
    if (batches.back().cases.size() == options.batch || batches.size() == 1) batches.emplace_back();
    batches.back().cases.push_back(RandomCase(seed));
  }
  for (std::size_t i = 0; i < batches.size(); ++i) {
    batches[i].folder = options.work / ("batch" + std::to_string(i));
    Prepare(batches[i]);
  }
  RunDrivers(options, batches);
  Tally tally;
  for (const Batch& batch : batches) {
    if (!JudgeBatch(batch, tally)) return 2;
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
