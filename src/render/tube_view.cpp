#include "render/tube_view.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "app/editor_state.h"
#include "app/view_flags.h"
#include "gfx/line.h"
#include "level/edit_state.h"
#include "level/level_store.h"
#include "util/saturating_cast.h"

namespace render {

TubeProjection projection;

namespace {

constexpr std::uint8_t kSafeFrameColour = 38;     // magenta, intensity 6
constexpr std::uint8_t kBoundingBoxColour = 116;  // grey, intensity 4
constexpr std::uint8_t kClawColour = 111;         // yellow, intensity 15

// Segment colours are a ramp's first entry plus an intensity.
constexpr std::uint8_t kCurrentEditBase = 96;  // yellow
constexpr std::uint8_t kOtherEditBase = 16;    // red
constexpr std::uint8_t kViewBase = 48;         // blue
constexpr std::uint8_t kDim = 10;
constexpr std::uint8_t kBright = 15;

// A quarter turn as 90 degrees times the program's pi over 180.
constexpr double kQuarterTurn = 1.5707963267950003;

struct ViewPoint {
  std::int32_t x;
  std::int32_t y;
};

// Accurate values may lie anywhere, so byte terms derived from them can be near the ends of the
// 32-bit range; the view coordinates built on them stick at its ends instead of overflowing.
std::int32_t ClampToInt32(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

std::int32_t Trunc(double value) {
  return util::SaturatingTrunc<std::int32_t>(value);
}

// The point in byte terms, x to the right and u = 255 - y downward, then moved so that the
// vanishing point is the origin and the rim sits at the shape's height.
ViewPoint NearPoint(int shape, int point, std::int32_t height) {
  std::int32_t x;
  std::int32_t u;
  if (app::view_flags.rom_values != 0) {
    x = level::XByte(shape, point);
    u = 255 - level::YByte(shape, point);
  } else {
    const int index = level::PointIndex(shape, point);
    x = Trunc(level::accurate_x[index] + 0.5);
    u = Trunc(255.0 - level::accurate_y[index] + 0.5);
  }
  return {ClampToInt32(std::int64_t{x} - 128), ClampToInt32(std::int64_t{u} + height - 256)};
}

// The far rim is the near rim an eighth of the size, by integer division toward zero.
ViewPoint FarPoint(ViewPoint near) {
  return {near.x / 8, near.y / 8};
}

void DrawBetween(ViewPoint from, ViewPoint to, std::uint8_t colour) {
  DrawViewLine(from.x, from.y, to.x, to.y, colour);
}

// A wedge on the segment from ni to nj: two arms from its ends to a tip a quarter of its length
// out from its middle, and a short barb from each end an eighth of its length out on the other
// side. The tip and barbs are computed through the segment's angle, which fixes their rounding.
void DrawClaw(ViewPoint ni, ViewPoint nj) {
  const std::int64_t dx = std::int64_t{nj.x} - ni.x;
  const std::int64_t dy = std::int64_t{nj.y} - ni.y;
  const double dxd = static_cast<double>(dx);
  const double dyd = static_cast<double>(dy);
  const double len = std::sqrt(dxd * dxd + dyd * dyd);
  const double phi = std::atan2(static_cast<double>(std::int64_t{ni.y} - nj.y), dxd) + kQuarterTurn;
  const double mx = static_cast<double>((std::int64_t{ni.x} + nj.x) / 2);
  const double my = static_cast<double>((std::int64_t{ni.y} + nj.y) / 2);
  const double cq = (len / 4) * std::cos(phi);
  const double sq = (len / 4) * std::sin(phi);
  const double co = cq / 2;
  const double so = sq / 2;
  const ViewPoint tip{Trunc(mx - cq), Trunc(my + sq)};
  const ViewPoint barb1{Trunc(ni.x + dxd / 4 + co), Trunc(ni.y + dyd / 4 - so)};
  const ViewPoint barb2{Trunc(ni.x + 0.75 * dxd + co), Trunc(ni.y + 0.75 * dyd - so)};
  DrawBetween(ni, tip, kClawColour);
  DrawBetween(tip, nj, kClawColour);
  DrawBetween(ni, barb1, kClawColour);
  DrawBetween(nj, barb2, kClawColour);
}

void DrawSafeFrame() {
  gfx::DrawLine(0, 171, 520, 171, kSafeFrameColour);
  gfx::DrawLine(0, 542, 520, 542, kSafeFrameColour);
  gfx::DrawLine(48, 0, 48, 650, kSafeFrameColour);
  gfx::DrawLine(472, 0, 472, 650, kSafeFrameColour);
}

// The square of the byte range 0..255 in both coordinates.
void DrawBoundingBox(std::int32_t height) {
  const std::int32_t top = height - 256;
  const std::int32_t bottom = height - 1;
  DrawViewLine(-128, top, 127, top, kBoundingBoxColour);
  DrawViewLine(127, top, 127, bottom, kBoundingBoxColour);
  DrawViewLine(127, bottom, -128, bottom, kBoundingBoxColour);
  DrawViewLine(-128, bottom, -128, top, kBoundingBoxColour);
}

void SetProjection(int shape) {
  const int level_scale = level::ShapeByte(level::kLevelScale, shape);
  projection.view_scale = static_cast<double>(level_scale - 10) * 0.042 + 1.062;
  // The offset is signed 16-bit, high byte * 256 + low byte; times 48 / 256, rounded down.
  const int low = level::ShapeByte(level::kOffsetLow, shape);
  const int high = static_cast<std::int8_t>(level::ShapeByte(level::kOffsetHigh, shape));
  projection.offset_term = low * 48 / 256 + high * 48;
}

}  // namespace

FramePoint ViewToFrame(std::int32_t x, std::int32_t y) {
  const double s = projection.view_scale;
  return {Trunc(2.0 * (x / s) + 260.0), Trunc((y / s - projection.offset_term) * 2.5 + 325.0)};
}

void DrawViewLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                  std::uint8_t colour) {
  const FramePoint from = ViewToFrame(x1, y1);
  const FramePoint to = ViewToFrame(x2, y2);
  gfx::DrawLine(from.x, from.y, to.x, to.y, colour);
}

void DrawTube(int shape) {
  const app::ViewFlags& flags = app::view_flags;
  const level::EditState& edit = level::edit_state;
  if (flags.safe_frame != 0) DrawSafeFrame();

  int segments = level::IsOpen(shape) ? level::kPointsPerShape - 1 : level::kPointsPerShape;
  segments = std::min(segments, edit.drawn_segment_limit);

  const std::int32_t height = level::ShapeByte(level::kHeight, shape);
  SetProjection(shape);
  if (flags.bounding_box != 0) DrawBoundingBox(height);

  const bool editing = app::editor.editor_mode == app::kEditMode;
  for (int i = 0; i < segments; ++i) {
    const int j = (i + 1) % level::kPointsPerShape;
    const ViewPoint ni = NearPoint(shape, i, height);
    const ViewPoint nj = NearPoint(shape, j, height);
    const bool current = i == edit.current_point;
    if (flags.claw != 0 && current) DrawClaw(ni, nj);

    std::uint8_t base = kViewBase;
    if (editing) base = current ? kCurrentEditBase : kOtherEditBase;

    std::uint8_t near_colour;
    if (flags.view_2d == 0) {
      const ViewPoint fi = FarPoint(ni);
      const ViewPoint fj = FarPoint(nj);
      DrawBetween(fi, fj, base + kDim);
      DrawBetween(nj, fj, base + kDim);
      if (i == 0 || current) DrawBetween(ni, fi, base + kBright);
      near_colour = base + kBright;
    } else {
      near_colour = base + (i % 2 == 0 ? kDim : kBright);
    }
    DrawBetween(ni, nj, near_colour);
  }
}

void ResetTubeView() {
  projection = TubeProjection{};
}

}  // namespace render
