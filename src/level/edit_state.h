// Where the user is in the point chain of the current shape: the current point, how many
// segments are drawn, and the length and angle of the segment being laid in edit mode.
#pragma once

namespace level {

struct EditState {
  int current_point = 0;         // 0..15; the segment from it to the next is the current one
  int drawn_segment_limit = 16;  // 1..16; 16 outside edit mode
  double segment_length = 16.0;
  double segment_angle = 0.0;  // radians; the next point lies at length * (cos a, -sin a)
};

extern EditState edit_state;

// Measures the segment of `shape` that ends at point j mod 16 into the segment length and angle.
void DeriveSegment(int shape, int j);

void ResetEditState();

}  // namespace level
