#include "level/edit_state.h"

#include <cmath>

#include "level/level_store.h"

namespace level {

EditState edit_state;

void DeriveSegment(int shape, int j) {
  const int i = j & 15;
  const int p = (i - 1) & 15;
  const double dx = accurate_x[PointIndex(shape, i)] - accurate_x[PointIndex(shape, p)];
  const double dy_up = accurate_y[PointIndex(shape, p)] - accurate_y[PointIndex(shape, i)];
  edit_state.segment_length = std::sqrt(dx * dx + dy_up * dy_up);
  edit_state.segment_angle = std::atan2(dy_up, dx);
}

void ResetEditState() {
  edit_state = EditState{};
}

}  // namespace level
