// What the settings file costs the program: start-up's six reads and a
// save's five writes, on a typical file and on one with 1 MB of other
// sections before ours.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "settings/profile_file.h"

namespace {

namespace fs = std::filesystem;
using plumbmark::profile::GetPrivateProfileInt;
using plumbmark::profile::ReadInt;
using plumbmark::profile::WritePrivateProfileString;

constexpr char kSaved[] =
    "[Plumbmark]\r\nSize=5\r\nColor=16711680\r\nVertical=0\r\nInterval=100\r\nHorizon=0\r\n";

std::string Content(bool large) {
  std::string content;
  for (int i = 0; large && content.size() < (1u << 20); ++i) {
    content += "[Other" + std::to_string(i) + "]\r\nname=some value\r\n; note\r\nn=42\r\n\r\n";
  }
  return content + kSaved;
}

fs::path MakeFile(bool large) {
  const fs::path path = fs::temp_directory_path() /
                        (std::string("plumbmark_bench_") + (large ? "large" : "typical") + ".ini");
  std::ofstream(path, std::ios::binary) << Content(large);
  return path;
}

void StartupReadsInMemory(benchmark::State& state) {
  const std::string content = Content(state.range(0) != 0);
  for (auto _ : state) {
    for (const char* key : {"Size", "Interval", "Color", "Color", "Vertical", "Horizon"}) {
      benchmark::DoNotOptimize(ReadInt(content, "Plumbmark", key, 0));
    }
  }
  state.SetBytesProcessed(state.iterations() * 6 * static_cast<std::int64_t>(content.size()));
}

void StartupReadsFromFile(benchmark::State& state) {
  const fs::path file = MakeFile(state.range(0) != 0);
  for (auto _ : state) {
    for (const char* key : {"Size", "Interval", "Color", "Color", "Vertical", "Horizon"}) {
      benchmark::DoNotOptimize(GetPrivateProfileInt("Plumbmark", key, 0, file));
    }
  }
  fs::remove(file);
}

// A save of the values already in the file: five reads, no file written.
void SaveUnchanged(benchmark::State& state) {
  const fs::path file = MakeFile(state.range(0) != 0);
  for (auto _ : state) {
    for (const auto& [key, value] : {std::pair{"Size", "5"},
                                     {"Color", "16711680"},
                                     {"Vertical", "0"},
                                     {"Interval", "100"},
                                     {"Horizon", "0"}}) {
      benchmark::DoNotOptimize(WritePrivateProfileString("Plumbmark", key, value, file));
    }
  }
  fs::remove(file);
}

// A save after the style changed: five safe replacements of the file.
void SaveChanged(benchmark::State& state) {
  const fs::path file = MakeFile(state.range(0) != 0);
  int size = 0;
  for (auto _ : state) {
    const std::string text = std::to_string(++size % 50);
    for (const char* key : {"Size", "Color", "Vertical", "Interval", "Horizon"}) {
      benchmark::DoNotOptimize(WritePrivateProfileString("Plumbmark", key, text, file));
    }
  }
  fs::remove(file);
}

BENCHMARK(StartupReadsInMemory)->ArgName("large")->Arg(0)->Arg(1);
BENCHMARK(StartupReadsFromFile)->ArgName("large")->Arg(0)->Arg(1);
BENCHMARK(SaveUnchanged)->ArgName("large")->Arg(0)->Arg(1);
BENCHMARK(SaveChanged)->ArgName("large")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
