#include "hosts/common/clock_readings.h"

namespace hosts {

ClockReadings::ClockReadings(std::uint32_t first, Clock::time_point taken) {
  readings_.fill({first, taken});
}

void ClockReadings::Record(std::uint32_t value, Clock::time_point taken) {
  Reading& last = readings_[(next_ + readings_.size() - 1) % readings_.size()];
  if (last.value == value) {
    last.taken = taken;
  } else {
    readings_[next_] = {value, taken};
    next_ = (next_ + 1) % readings_.size();
  }
}

ClockReadings::Clock::time_point ClockReadings::LastTaken(std::uint32_t value,
                                                          Clock::time_point otherwise) const {
  Clock::time_point taken = otherwise;
  for (const Reading& reading : readings_) {
    if (reading.value == value && reading.taken > taken) taken = reading.taken;
  }
  return taken;
}

}  // namespace hosts
