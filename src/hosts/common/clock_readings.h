// When the millisecond clock's recent readings were taken. A reading counts whole milliseconds,
// so it may be up to a millisecond older than the moment it was taken; a wait that starts from
// a remembered reading starts from the moment it was taken, and so lasts the full time.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>

namespace hosts {

class ClockReadings {
 public:
  using Clock = std::chrono::steady_clock;

  ClockReadings(std::uint32_t first, Clock::time_point taken);

  void Record(std::uint32_t value, Clock::time_point taken);
  // The latest moment `value` was read, or `otherwise` when it was not read after that.
  Clock::time_point LastTaken(std::uint32_t value, Clock::time_point otherwise) const;

 private:
  struct Reading {
    std::uint32_t value;
    Clock::time_point taken;
  };
  std::array<Reading, 8> readings_;
  std::size_t next_ = 0;
};

}  // namespace hosts
