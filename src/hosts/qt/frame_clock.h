// The millisecond clock and the pacing wait. The clock counts whole milliseconds, so a reading
// may be up to a millisecond older than the moment it was taken; the clock remembers when its
// recent readings were taken, and a wait that starts from one of them lasts the full time.
#pragma once

#include <chrono>
#include <cstdint>

#include "hosts/common/clock_readings.h"

namespace hosts::qt {

class FrameClock {
 public:
  using Clock = std::chrono::steady_clock;

  FrameClock();

  // Milliseconds since the clock was made, wrapping at 2^32.
  std::uint32_t Now();
  // Sleeps until about a millisecond before `milliseconds` have passed since `since`, then
  // polls in short naps; by unsigned difference, so the wrap-around does not stall.
  void WaitUntilElapsed(std::uint32_t since, std::uint32_t milliseconds);

 private:
  Clock::time_point Deadline(std::uint32_t since, std::uint32_t milliseconds) const;

  Clock::time_point start_;
  ClockReadings readings_;
};

}  // namespace hosts::qt
