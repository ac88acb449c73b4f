#include "level/geometry_tools.h"

#include <cmath>
#include <utility>

#include "level/edit_state.h"
#include "level/level_store.h"

namespace level {
namespace {

constexpr double kCentre = 128.0;

// What most tools end with: ROM values again, then the segment that edit mode re-places every
// frame measured again, so that the point the tool moved stays where the tool put it.
void PlainFinish() {
  StoreRomValues();
  DeriveSegment(CurrentShape(), edit_state.current_point + 1);
}

}  // namespace

double& PointX(int point) {
  return accurate_x[PointIndex(CurrentShape(), point)];
}
double& PointY(int point) {
  return accurate_y[PointIndex(CurrentShape(), point)];
}

void PlaceTurned(int target, int source, double angle, double pivot_x, double pivot_y) {
  const double c = std::cos(angle);
  const double s = std::sin(angle);
  const double dx = PointX(source) - pivot_x;
  const double dy = PointY(source) - pivot_y;
  PointX(target) = c * dx + s * dy + pivot_x;
  PointY(target) = c * dy - s * dx + pivot_y;
}

void FlipVertical() {
  for (int i = 0; i < kPointsPerShape; ++i) {
    PointY(i) = 255.0 - PointY(i);
  }
  PlainFinish();
}

void FlipHorizontal() {
  for (int i = 0; i < kPointsPerShape; ++i) {
    PointX(i) = 255.0 - PointX(i);
  }
  PlainFinish();
}

void CentreShape() {
  double min_x = 10000.0;
  double min_y = 10000.0;
  double max_x = -10000.0;
  double max_y = -10000.0;
  for (int i = 0; i < kPointsPerShape; ++i) {
    if (PointX(i) < min_x) min_x = PointX(i);
    if (PointX(i) > max_x) max_x = PointX(i);
    if (PointY(i) < min_y) min_y = PointY(i);
    if (PointY(i) > max_y) max_y = PointY(i);
  }
  const double dx = (255.0 - max_x + min_x) * 0.5 - min_x;
  const double dy = (255.0 - max_y + min_y) * 0.5 - min_y;
  for (int i = 0; i < kPointsPerShape; ++i) {
    PointX(i) += dx;
    PointY(i) += dy;
  }
  PlainFinish();
}

void MoveShape(int dx, int dy) {
  for (int i = 0; i < kPointsPerShape; ++i) {
    PointX(i) += dx;
    PointY(i) += dy;
  }
  StoreRomValues();
}

void RotateShape(double degrees) {
  const double r = degrees * kRadiansPerDegree;
  for (int i = 0; i < kPointsPerShape; ++i) {
    PlaceTurned(i, i, r, kCentre, kCentre);
  }
  PlainFinish();
}

void ScaleShape(double sx, double sy) {
  for (int i = 0; i < kPointsPerShape; ++i) {
    PointX(i) = (PointX(i) - kCentre) * sx + kCentre;
    PointY(i) = (PointY(i) - kCentre) * sy + kCentre;
  }
  PlainFinish();
}

void ReverseShape() {
  for (int i = 0; i < kPointsPerShape / 2; ++i) {
    std::swap(PointX(i), PointX(15 - i));
    std::swap(PointY(i), PointY(15 - i));
  }
  PlainFinish();
}

void BendShape(int k, double degrees) {
  if (k + 2 >= kPointsPerShape) return;
  const double r = degrees * kRadiansPerDegree;
  const double pivot_x = PointX(k);
  const double pivot_y = PointY(k);
  for (int j = k + 2; j < kPointsPerShape; ++j) {
    PlaceTurned(j, j, r, pivot_x, pivot_y);
  }
  StoreRomValues();
}

}  // namespace level
