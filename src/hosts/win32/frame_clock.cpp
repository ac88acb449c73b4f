#include "hosts/win32/frame_clock.h"

#include <windows.h>

#include <mmsystem.h>

namespace hosts::win32 {
namespace {

using std::chrono::milliseconds;

constexpr UINT kTimerPeriod = 1;

}  // namespace

FrameClock::FrameClock() : readings_(timeGetTime(), Clock::now()) {
  timeBeginPeriod(kTimerPeriod);
}

FrameClock::~FrameClock() {
  timeEndPeriod(kTimerPeriod);
}

std::uint32_t FrameClock::Now() {
  const std::uint32_t value = timeGetTime();
  readings_.Record(value, Clock::now());
  return value;
}

FrameClock::Clock::time_point FrameClock::Deadline(std::uint32_t since,
                                                   std::uint32_t milliseconds_to_wait) const {
  // The latest moment `since` was read, if the clock knows it; otherwise now, less the
  // milliseconds the clock has moved on since then.
  return readings_.LastTaken(since, Clock::now() - milliseconds(timeGetTime() - since)) +
         milliseconds(milliseconds_to_wait);
}

bool FrameClock::Elapsed(Clock::time_point deadline, std::uint32_t since,
                         std::uint32_t milliseconds_to_wait) {
  return Clock::now() >= deadline && Now() - since >= milliseconds_to_wait;
}

unsigned FrameClock::SleepFor(Clock::time_point deadline) {
  const auto left = deadline - Clock::now();
  if (left <= Clock::duration::zero()) return 0;
  // Rounded up: a sleep ends at the earliest after its time, so this never wakes early, and the
  // poll after it has little or nothing left to do.
  return static_cast<unsigned>(std::chrono::ceil<milliseconds>(left).count());
}

void FrameClock::WaitUntilElapsed(std::uint32_t since, std::uint32_t milliseconds_to_wait) {
  const Clock::time_point deadline = Deadline(since, milliseconds_to_wait);
  while (!Elapsed(deadline, since, milliseconds_to_wait))
    Sleep(SleepFor(deadline));
}

bool FrameClock::WaitForMessageOrElapsed(std::uint32_t since, std::uint32_t milliseconds_to_wait) {
  const Clock::time_point deadline = Deadline(since, milliseconds_to_wait);
  while (!Elapsed(deadline, since, milliseconds_to_wait)) {
    if (MsgWaitForMultipleObjectsEx(0, nullptr, SleepFor(deadline), QS_ALLINPUT,
                                    MWMO_INPUTAVAILABLE) == WAIT_OBJECT_0) {
      return false;
    }
  }
  return true;
}

}  // namespace hosts::win32
