// The tools that reshape the current shape in one step. Each works on all 16 accurate points of
// the current shape, never on another shape, and re-derives the ROM values of the whole level
// table afterwards. X grows to the right and Y upward, so a positive angle turns clockwise on
// screen; rotating and scaling act about (128, 128), mirroring maps v to 255 - v.
#pragma once

namespace level {

// Fixed approximations of pi and its multiples: every tool's results depend on them to the bit,
// so shapes made earlier come out the same.
constexpr double kPi = 3.14159265359;
constexpr double kRadiansPerDegree = 0.017453292519944444;
constexpr double kNegativeDegreesPerRadian = -57.29577951307855;  // radians to degrees, negated
constexpr double kQuarterTurn = 1.5707963267950003;
constexpr double kQuarterTurnBack = -1.570796326795;
constexpr double kHalfTurnBack = -3.14159265359;
constexpr double kThreeQuarterTurnsBack = -4.7123889803850005;

void FlipVertical();
void FlipHorizontal();
// Aims the bounding box at 127.5 in both axes.
void CentreShape();
// Changes no segment, so it leaves the edit state's segment alone.
void MoveShape(int dx, int dy);
void RotateShape(double degrees);
void ScaleShape(double sx, double sy);
// Swaps point i with point 15 - i; the old point 15 becomes point 0.
void ReverseShape();
// Turns points k + 2 .. 15 about point k; the chain does not wrap round to point 0. Edit mode
// turns its own segment (k to k + 1) to match.
void BendShape(int k, double degrees);

// The accurate coordinates of a point of the current shape.
double& PointX(int point);
double& PointY(int point);

// Point `target` of the current shape := pivot + R(angle)(point `source` - pivot), where
// R(a)(dx, dy) = (cos a dx + sin a dy, cos a dy - sin a dx).
void PlaceTurned(int target, int source, double angle, double pivot_x, double pivot_y);

}  // namespace level
