// What one tick and one key command cost on the headless backend: heap
// allocations (counted by replacing the global operator new) and time.
// Only the commands that change the lines are measured: S and Esc open a
// message box, C and I open a dialog.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>
#include <stdexcept>
#include <vector>

#include "headless_backend.h"
#include "program.h"

namespace {

std::atomic<std::uint64_t> g_allocations{0};

std::uint64_t Allocations() { return g_allocations.load(std::memory_order_relaxed); }

void* Allocate(std::size_t size, std::size_t alignment = 0) {
  g_allocations.fetch_add(1, std::memory_order_relaxed);
  if (size == 0) size = 1;
  void* block = alignment == 0
                    ? std::malloc(size)
                    : std::aligned_alloc(alignment, (size + alignment - 1) / alignment * alignment);
  if (block == nullptr) throw std::bad_alloc();
  return block;
}

}  // namespace

// Every allocation of the process goes through these.
void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, std::align_val_t a) {
  return Allocate(size, static_cast<std::size_t>(a));
}
void* operator new[](std::size_t size, std::align_val_t a) {
  return Allocate(size, static_cast<std::size_t>(a));
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }

namespace plumbmark {
namespace {

using forms::headless::HeadlessBackend;

constexpr std::int64_t kTickMs = 100;

// The program started with no settings file, as a user would start it.
struct Session {
  Session() {
    backend.appPath = "/apps/plumbmark";
    backend.Attach(app);
    // Calls are recorded; room for them up front keeps the recording out of the count.
    backend.setWindowPosCalls.reserve(1 << 16);
    if (!program.Start()) throw std::runtime_error("the program ended during start-up");
  }
  HeadlessBackend backend;
  forms::Application app{backend};
  Plumbmark program{app};
};

// A started session; skips the benchmark when starting allocated nothing, as
// then the counting operator new is not the one in use.
std::unique_ptr<Session> StartCounted(benchmark::State& state) {
  const std::uint64_t before = Allocations();
  auto session = std::make_unique<Session>();
  if (Allocations() == before) state.SkipWithError("allocations are not counted");
  return session;
}

// What a user sees of the lines.
struct Lines {
  forms::PixelRect vertical, horizontal;
  std::int32_t verticalColor, horizontalColor;
  bool operator==(const Lines&) const = default;
};

Lines LinesOf(Session& s) {
  return {forms::DisplayRect(s.program.frmTate, s.backend.screen),
          forms::DisplayRect(s.program.frmYoko, s.backend.screen), s.program.frmTate.BackColor(),
          s.program.frmYoko.BackColor()};
}

// A sawtooth along a diagonal: every step moves both coordinates.
void PointerAt(HeadlessBackend& backend, std::int64_t step) {
  const auto offset = static_cast<std::int32_t>(step % 100);
  backend.SetPointer(200 + 4 * offset, 150 + 3 * offset);
}

// The ticks must move the lines for their cost to mean anything.
bool LinesFollowPointer(Session& s) {
  PointerAt(s.backend, 0);
  s.backend.AdvanceTime(kTickMs);
  const Lines before = LinesOf(s);
  PointerAt(s.backend, 1);
  s.backend.AdvanceTime(kTickMs);
  return !(LinesOf(s) == before);
}

void Tick(benchmark::State& state, bool moving) {
  const auto session = StartCounted(state);
  if (state.error_occurred()) return;
  Session& s = *session;
  if (!LinesFollowPointer(s)) return state.SkipWithError("the lines do not follow the pointer");
  const std::int64_t ticksBefore = s.backend.ticks();
  const std::uint64_t allocationsBefore = Allocations();
  std::int64_t step = 2;
  for (auto _ : state) {
    if (moving) PointerAt(s.backend, step++);
    s.backend.AdvanceTime(kTickMs);
  }
  const auto ticks = static_cast<double>(s.backend.ticks() - ticksBefore);
  if (ticks != static_cast<double>(state.iterations())) {
    return state.SkipWithError("an interval of 100 ms did not give exactly one tick");
  }
  state.counters["allocs_per_tick"] =
      static_cast<double>(Allocations() - allocationsBefore) / ticks;
  state.counters["time_per_tick"] =
      benchmark::Counter(ticks, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_TickPointerStill(benchmark::State& state) { Tick(state, false); }
void BM_TickPointerMoving(benchmark::State& state) { Tick(state, true); }
BENCHMARK(BM_TickPointerStill);
BENCHMARK(BM_TickPointerMoving);

// The keys pressed in turn, each a command that changes the lines: Up and
// Down alternate, as either stops changing anything at its limit.
using Keys = std::vector<std::int16_t>;

// Every press, in the order the benchmark presses them, changes the lines.
bool EachPressChangesLines(Session& s, const Keys& keys) {
  for (int round = 0; round < 3; ++round) {
    for (const std::int16_t key : keys) {
      const Lines before = LinesOf(s);
      s.backend.PressKey(key);
      if (LinesOf(s) == before) return false;
    }
  }
  return true;
}

void BM_KeyCommand(benchmark::State& state, const Keys& keys) {
  const auto session = StartCounted(state);
  if (state.error_occurred()) return;
  Session& s = *session;
  if (!EachPressChangesLines(s, keys)) return state.SkipWithError("a press changed nothing");
  const std::uint64_t allocationsBefore = Allocations();
  for (auto _ : state) {
    for (const std::int16_t key : keys) s.backend.PressKey(key);
  }
  const auto commands = static_cast<double>(state.iterations() * keys.size());
  state.counters["allocs_per_command"] =
      static_cast<double>(Allocations() - allocationsBefore) / commands;
  state.counters["time_per_command"] =
      benchmark::Counter(commands, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

BENCHMARK_CAPTURE(BM_KeyCommand, Tab_next_colour, Keys{9});
BENCHMARK_CAPTURE(BM_KeyCommand, Up_thicker_Down_thinner, Keys{38, 40});
BENCHMARK_CAPTURE(BM_KeyCommand, Shift_horizontal_line, Keys{16});
BENCHMARK_CAPTURE(BM_KeyCommand, Ctrl_vertical_line, Keys{17});
BENCHMARK_CAPTURE(BM_KeyCommand, F1_both_lines, Keys{112});

}  // namespace
}  // namespace plumbmark

BENCHMARK_MAIN();
