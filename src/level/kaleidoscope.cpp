#include "level/kaleidoscope.h"

#include <cmath>

#include "app/editor_state.h"
#include "app/modes.h"
#include "level/geometry_tools.h"
#include "level/level_store.h"

namespace level {
namespace {

// Point `target` := (255 - X, Y) of point `source`: mirrored across x = 127.5.
void MirrorAcrossVertical(int target, int source) {
  PointX(target) = 255.0 - PointX(source);
  PointY(target) = PointY(source);
}

// A rebuilt shape is centred, and the walk of edit mode no longer fits it.
void SymmetryFinish() {
  CentreShape();
  StoreRomValues();
  if (app::editor.editor_mode != app::kViewMode) app::EnterViewMode();
}

}  // namespace

void OneAxisRotate() {
  const double qx = (PointX(0) + PointX(8)) * 0.5;
  const double qy = (PointY(0) + PointY(8)) * 0.5;
  for (int i = 1; i <= 7; ++i) {
    PlaceTurned(i + 8, i, kPi, qx, qy);
  }
  SymmetryFinish();
}

void TwoAxisRotate() {
  const double vx = PointX(4) - PointX(0);
  const double vy = PointY(4) - PointY(0);
  const double h = std::sqrt(vx * vx + vy * vy) * 0.5;
  // atan2(0, 0) is 0, so P0 = P4 gives h = 0 and the pivot P0 itself.
  const double theta = std::atan2(PointY(0) - PointY(4), PointX(4) - PointX(0)) + kQuarterTurn;
  const double mx = (PointX(0) + PointX(4)) * 0.5;
  const double my = (PointY(0) + PointY(4)) * 0.5;
  const double qx = mx - h * std::cos(theta);
  const double qy = my + h * std::sin(theta);
  for (int i = 0; i <= 3; ++i) {
    PlaceTurned(i + 4, i, kQuarterTurnBack, qx, qy);
    PlaceTurned(i + 8, i, kHalfTurnBack, qx, qy);
    PlaceTurned(i + 12, i, kThreeQuarterTurnsBack, qx, qy);
  }
  SymmetryFinish();
}

void OneAxisMirror() {
  const int shape = CurrentShape();
  if (!IsOpen(shape)) {
    const double phi = std::atan2(PointY(0) - PointY(8), PointX(8) - PointX(0));
    RotateShape(phi * kNegativeDegreesPerRadian + 90.0);
    MoveShape(128 - XByte(shape, 0), 0);
    for (int i = 1; i <= 7; ++i) {
      MirrorAcrossVertical(16 - i, i);
    }
  } else {
    const double phi = std::atan2(PointY(7) - PointY(8), PointX(8) - PointX(7));
    RotateShape((phi + kQuarterTurn) * kNegativeDegreesPerRadian + 90.0);
    MoveShape(128 - (XByte(shape, 7) + XByte(shape, 8)) / 2, 0);
    for (int i = 0; i <= 7; ++i) {
      MirrorAcrossVertical(15 - i, i);
    }
  }
  SymmetryFinish();
}

void TwoAxisMirror() {
  const int shape = CurrentShape();
  MoveShape(128 - XByte(shape, 0), 128 - YByte(shape, 4));
  for (int i = 3; i >= 0; --i) {
    PointX(8 - i) = PointX(i);
    PointY(8 - i) = 255.0 - PointY(i);
  }
  for (int i = 7; i >= 1; --i) {
    MirrorAcrossVertical(16 - i, i);
  }
  SymmetryFinish();
}

}  // namespace level
