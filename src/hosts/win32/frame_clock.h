// The millisecond clock (timeGetTime) and the pacing waits. A reading of timeGetTime may be up
// to a millisecond older than the moment it was taken, so the clock remembers by the
// performance counter when its recent readings were taken, and a wait that starts from one of
// them lasts the full time. The waits sleep with the system timer at 1 ms and poll the clock
// only for what a sleep left over.
#pragma once

#include <chrono>
#include <cstdint>

#include "hosts/common/clock_readings.h"

namespace hosts::win32 {

class FrameClock {
 public:
  using Clock = std::chrono::steady_clock;

  FrameClock();
  ~FrameClock();
  FrameClock(const FrameClock&) = delete;
  FrameClock& operator=(const FrameClock&) = delete;

  std::uint32_t Now();
  // Returns once `milliseconds` have passed since `since`, by unsigned difference.
  void WaitUntilElapsed(std::uint32_t since, std::uint32_t milliseconds);
  // The same, but returns false as soon as a message for this thread is waiting.
  bool WaitForMessageOrElapsed(std::uint32_t since, std::uint32_t milliseconds);

 private:
  Clock::time_point Deadline(std::uint32_t since, std::uint32_t milliseconds) const;
  bool Elapsed(Clock::time_point deadline, std::uint32_t since, std::uint32_t milliseconds);
  // Whole milliseconds to sleep so as not to wake before `deadline` too early to matter.
  static unsigned SleepFor(Clock::time_point deadline);

  ClockReadings readings_;
};

}  // namespace hosts::win32
