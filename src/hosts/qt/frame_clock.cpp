#include "hosts/qt/frame_clock.h"

#include <thread>

namespace hosts::qt {
namespace {

using std::chrono::microseconds;
using std::chrono::milliseconds;

// The last stretch of a wait is polled, because a sleep may overshoot by a fraction of a
// millisecond; the naps keep the poll from spinning the processor.
constexpr microseconds kPollStretch{1000};
constexpr microseconds kPollNap{100};

}  // namespace

FrameClock::FrameClock() : start_(Clock::now()), readings_(0, start_) {}

std::uint32_t FrameClock::Now() {
  const Clock::time_point now = Clock::now();
  const auto value =
      static_cast<std::uint32_t>(std::chrono::duration_cast<milliseconds>(now - start_).count());
  readings_.Record(value, now);
  return value;
}

FrameClock::Clock::time_point FrameClock::Deadline(std::uint32_t since,
                                                   std::uint32_t milliseconds_to_wait) const {
  const Clock::time_point now = Clock::now();
  const milliseconds whole = std::chrono::duration_cast<milliseconds>(now - start_);
  const auto current = static_cast<std::uint32_t>(whole.count());
  // The start of millisecond `since`, or the latest moment it was read if the clock knows it.
  return readings_.LastTaken(since, start_ + whole - milliseconds(current - since)) +
         milliseconds(milliseconds_to_wait);
}

void FrameClock::WaitUntilElapsed(std::uint32_t since, std::uint32_t milliseconds_to_wait) {
  const Clock::time_point deadline = Deadline(since, milliseconds_to_wait);
  if (Clock::now() + kPollStretch < deadline)
    std::this_thread::sleep_until(deadline - kPollStretch);
  while (Clock::now() < deadline || Now() - since < milliseconds_to_wait) {
    std::this_thread::sleep_for(kPollNap);
  }
}

}  // namespace hosts::qt
