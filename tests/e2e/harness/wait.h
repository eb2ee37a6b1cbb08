// Waiting on a condition with a deadline: the harness never sleeps a fixed
// time to let something happen, it polls until it has happened.
#pragma once

#include <chrono>
#include <thread>

namespace plumbmark::e2e {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// How long the program may take to react to one step of a test. Generous:
// the suite shares a small machine with other work.
inline constexpr std::chrono::milliseconds kReactionDeadline = 15s;
// How long starting the program (Wine and its services included) may take.
inline constexpr std::chrono::milliseconds kStartDeadline = 60s;

// Polls `condition` until it holds or the deadline passes; the result says which.
template <typename Condition>
bool PollUntil(Condition&& condition, std::chrono::milliseconds deadline = kReactionDeadline,
               std::chrono::milliseconds step = 5ms) {
  const auto until = Clock::now() + deadline;
  for (;;) {
    if (condition()) return true;
    if (Clock::now() >= until) return false;
    std::this_thread::sleep_for(step);
  }
}

inline double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace plumbmark::e2e
