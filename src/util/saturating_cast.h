// Double-to-integer conversion that never meets undefined behaviour: truncates toward zero like
// a cast, NaN becomes 0, and values beyond the integer's range stick at its ends.
#pragma once

#include <cmath>
#include <limits>

namespace util {

template <typename Integer>
inline Integer SaturatingTrunc(double value) {
  using Limits = std::numeric_limits<Integer>;
  if (std::isnan(value)) return 0;
  if (value <= static_cast<double>(Limits::min())) return Limits::min();
  // max() + 1 is a power of two and exact in a double.
  if (value >= static_cast<double>(Limits::max()) + 1.0) return Limits::max();
  return static_cast<Integer>(value);
}

}  // namespace util
