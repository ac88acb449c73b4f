// The tube view: the current shape seen from in front as the near rim of a tube, with its far
// rim and spokes (3D) or flat (2D), the guide lines, the byte-range box and the claw.
#pragma once

#include <cstdint>

namespace render {

// Where the view coordinates of the last drawn tube land: the view scale S (larger draws
// smaller) and the offset term V that shifts the picture vertically.
struct TubeProjection {
  double view_scale = 1.062;  // level scale 10
  std::int32_t offset_term = 0;
};

extern TubeProjection projection;

struct FramePoint {
  std::int32_t x;
  std::int32_t y;
};

// Draws shape 0..15 as the view flags, the editor mode, the current point and the drawn
// segment limit say. Sets the projection from the shape's level scale and offset first.
void DrawTube(int shape);

// Frame coordinates at zoom 1.0 of a point in view coordinates, whose origin is the tube's
// vanishing point: (trunc(2 X / S + 260), trunc((Y / S - V) * 2.5 + 325)).
FramePoint ViewToFrame(std::int32_t x, std::int32_t y);

// A line between two points in view coordinates.
void DrawViewLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                  std::uint8_t colour);

void ResetTubeView();

}  // namespace render
