#include "harness/pace.h"

#include <algorithm>
#include <thread>

#include "harness/wait.h"
#include "harness/x_server.h"

namespace plumbmark::e2e {
namespace {

constexpr auto kPollStep = 1ms;
constexpr int kScratchOffset = 40;

}  // namespace

std::optional<int> PaceMeter::LineColumn() {
  const Image strip = x_.Capture(Rect{0, row_, kScreenWidth, 1});
  for (int column = 0; column < kScreenWidth; ++column) {
    if (strip.At(column, row_) == color_) return column;
  }
  return std::nullopt;
}

bool PaceMeter::WaitForColumn(int column) {
  return PollUntil([&] { return LineColumn() == column; }, kReactionDeadline, kPollStep);
}

bool PaceMeter::SyncToTick(int fromX) {
  if (LineColumn() == fromX + 1) {
    x_.MovePointer(fromX + kScratchOffset, pointerY_);
    if (!WaitForColumn(fromX + kScratchOffset + 1)) return false;
  }
  x_.MovePointer(fromX, pointerY_);
  return WaitForColumn(fromX + 1);
}

std::optional<double> PaceMeter::FollowDelay(int fromX, int toX) {
  if (!SyncToTick(fromX)) return std::nullopt;
  const auto moved = Clock::now();
  x_.MovePointer(toX, pointerY_);
  if (!WaitForColumn(toX + 1)) return std::nullopt;
  return MillisecondsSince(moved);
}

std::optional<int> PaceMeter::ColumnAfterTick(int fromX, int toX, std::chrono::milliseconds after,
                                              std::chrono::milliseconds slack) {
  if (!SyncToTick(fromX)) return std::nullopt;
  const auto ticked = Clock::now();
  x_.MovePointer(toX, pointerY_);
  std::this_thread::sleep_until(ticked + after);
  const std::optional<int> column = LineColumn();
  if (Clock::now() > ticked + after + slack) return std::nullopt;
  return column;
}

double Median(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  return samples[samples.size() / 2];
}

}  // namespace plumbmark::e2e
