#include "render/level_select.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <utility>

#include "app/editor_state.h"
#include "app/menu_state.h"
#include "app/modes.h"
#include "gfx/line.h"
#include "level/level_store.h"
#include "platform/host.h"
#include "render/level_select_state.h"
#include "util/saturating_cast.h"

namespace render {

namespace {

constexpr std::uint8_t kThumbnailColour = 63;  // blue, intensity 15
constexpr std::uint8_t kHoveredColour = 111;   // yellow, intensity 15
constexpr std::uint8_t kMarkedColour = 31;     // red, intensity 15
constexpr std::uint8_t kGridColour = 116;      // grey, intensity 4
constexpr std::uint8_t kPulseRamp = 64;        // cyan

// The cells are 128 pixels square, from (4, 64) to (516, 576).
constexpr int kColumns = 4;
constexpr int kCellSize = 128;
constexpr int kGridLeft = 4;
constexpr int kGridTop = 64;
constexpr double kCellsPerPixel = 0.0078125;  // 1 / 128

// The double nearest -1 / 2.1: the 0..255 square becomes about 122 pixels wide.
constexpr double kThumbnailFactor = -0.47619047619047616;
// The pulse's phase advances by this per millisecond: a period of about 633 ms.
constexpr double kPulsePerMillisecond = 0.00992063492063492;

std::int32_t Trunc(double value) {
  return util::SaturatingTrunc<std::int32_t>(value);
}

bool IsLevel(int value) {
  return value >= 0 && value < level::kLevelCount;
}

int CellAt(int client, double zoom, double grid_start) {
  return std::clamp(Trunc((client / zoom - grid_start) * kCellsPerPixel), 0, kColumns - 1);
}

// The cell under the mouse, clamped to the edge cells. Without the foreground, and in a
// minimised window (zoom 0), the mouse says nothing and the current level stays hovered.
int HoveredLevel(bool foreground) {
  const double zoom = app::editor.zoom_factor;
  if (!foreground || !(zoom > 0.0)) return app::editor.current_level;
  const int column = CellAt(app::SignedWord(app::mouse.x), zoom, kGridLeft);
  const int row = CellAt(app::SignedWord(app::mouse.y), zoom, kGridTop);
  return column + kColumns * row;
}

void FollowMouse(int hovered) {
  if (hovered == app::editor.current_level) return;
  app::editor.current_level = hovered;
  platform::Host& host = platform::CurrentHost();
  host.SetWindowTitle("Rimforge : Level " + std::to_string(hovered + 1));
  host.PlayClickSound();
}

void DrawThumbnails(int hovered) {
  for (int i = 0; i < level::kLevelCount; ++i) {
    thumbnail_colour = i == hovered ? kHoveredColour : kThumbnailColour;
    if (i == marked_level) thumbnail_colour = kMarkedColour;
    DrawThumbnail(level::ShapeOfLevel(i), 68 + kCellSize * (i % kColumns),
                  128 + kCellSize * (i / kColumns));
  }
}

void DrawGrid() {
  for (int v = kGridTop; v <= kGridTop + kColumns * kCellSize; v += kCellSize) {
    gfx::DrawLine(v - 60, 64, v - 60, 576, kGridColour);
    gfx::DrawLine(4, v, 516, v, kGridColour);
  }
}

// A cyan frame around the hovered cell, between intensity 3 and 13 with the clock.
void DrawPulsingFrame(int hovered) {
  const double t = platform::CurrentHost().TimeGetTime();
  const std::int32_t w = Trunc((std::sin(t * kPulsePerMillisecond) + 1.0) * -5.0);
  const auto colour = static_cast<std::uint8_t>(kPulseRamp + 3 - w);
  const std::int32_t left = kGridLeft + kCellSize * (hovered % kColumns);
  const std::int32_t top = kGridTop + kCellSize * (hovered / kColumns);
  const std::int32_t right = left + kCellSize;
  const std::int32_t bottom = top + kCellSize;
  gfx::DrawLine(left, top, right, top, colour);
  gfx::DrawLine(left, bottom, right, bottom, colour);
  gfx::DrawLine(left, top, left, bottom, colour);
  gfx::DrawLine(right, top, right, bottom, colour);
}

void PickLevel(int hovered) {
  app::EnterViewMode();
  app::editor.current_level = hovered;
  app::mouse.buttons = 0;
  app::CheckOpenClosedItem(level::IsOpen(level::ShapeOfLevel(hovered)));
  level::StoreSnapshot(level::undo_snapshot);
}

// The first right click marks a level; the second swaps the map entries of the two levels, as
// stored, and a second click on the marked level itself only unmarks it.
void MarkOrSwap(int hovered) {
  if (marked_level == kNoMarkedLevel) {
    marked_level = hovered;
  } else {
    std::swap(level::ShapeByte(level::kLevelToShapeMap, hovered),
              level::ShapeByte(level::kLevelToShapeMap, marked_level));
    marked_level = kNoMarkedLevel;
  }
  app::mouse.buttons = 0;
}

}  // namespace

std::uint8_t thumbnail_colour = kThumbnailColour;

void DrawLevelSelect() {
  const bool foreground = platform::CurrentHost().IsMainWindowForeground();
  const int hovered = HoveredLevel(foreground);
  FollowMouse(hovered);
  DrawThumbnails(hovered);
  DrawGrid();
  // No cell is lit before the mouse has first been over one in a window of some size.
  if (!foreground || !IsLevel(hovered)) return;

  DrawPulsingFrame(hovered);
  if ((app::mouse.buttons & MK_LBUTTON) != 0) PickLevel(hovered);
  // A right click acts once per press: moves with the button held are no new clicks.
  if ((app::mouse.buttons & MK_RBUTTON) != 0 && !app::mouse.right_click_taken) {
    MarkOrSwap(hovered);
    app::mouse.right_click_taken = true;
  }
}

void DrawThumbnail(std::int32_t shape, std::int32_t cx, std::int32_t cy) {
  std::array<std::int32_t, level::kPointsPerShape> x;
  std::array<std::int32_t, level::kPointsPerShape> y;
  for (int p = 0; p < level::kPointsPerShape; ++p) {
    x[p] = cx - Trunc((level::XByte(shape, p) - 128) * kThumbnailFactor);
    y[p] = cy - Trunc((128 - level::YByte(shape, p)) * kThumbnailFactor);
  }
  const int segments = level::IsOpen(shape) ? level::kPointsPerShape - 1 : level::kPointsPerShape;
  for (int i = 0; i < segments; ++i) {
    const int j = (i + 1) % level::kPointsPerShape;
    gfx::DrawLine(x[i], y[i], x[j], y[j], thumbnail_colour);
  }
}

void ResetLevelSelect() {
  marked_level = kNoMarkedLevel;
  thumbnail_colour = kThumbnailColour;
}

}  // namespace render
