#include "level/interactive_input.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "app/editor_state.h"
#include "app/modes.h"
#include "app/view_flags.h"
#include "level/edit_state.h"
#include "level/geometry_tools.h"
#include "level/kaleidoscope.h"
#include "level/level_store.h"
#include "platform/host.h"

namespace level {
namespace {

constexpr int kKeyW = 0x57;
constexpr int kKeyS = 0x53;
constexpr int kKeyQ = 0x51;
constexpr int kKeyA = 0x41;
constexpr int kKeyZ = 0x5A;
constexpr int kKeyX = 0x58;

// Down now and pressed since the previous poll of the key: 0x8001 read as a signed word.
constexpr std::int16_t kJustPressed = -32767;

bool Held(int virtual_key) {
  return platform::CurrentHost().GetAsyncKeyState(virtual_key) < 0;
}

bool Pressed(int virtual_key) {
  return platform::CurrentHost().GetAsyncKeyState(virtual_key) == kJustPressed;
}

void StoreClamped(int field, int shape, int value, int low, int high) {
  ShapeByte(field, shape) = static_cast<std::uint8_t>(std::clamp(value, low, high));
}

void OpenPopupMenu() {
  platform::Host& host = platform::CurrentHost();
  app::mouse.buttons = 0;
  const POINT client{app::SignedWord(app::mouse.x), app::SignedWord(app::mouse.y)};
  host.TrackPopupMenu(host.ClientToScreen(client));
}

}  // namespace

void CommonInput(int shape) {
  app::MouseState& mouse = app::mouse;

  // Keypad + and - may both be down; they cancel.
  int scale = ShapeByte(kLevelScale, shape);
  if (Held(VK_ADD)) scale -= 1;
  if (Held(VK_SUBTRACT)) scale += 1;
  StoreClamped(kLevelScale, shape, scale, 1, 255);

  int height = ShapeByte(kHeight, shape);
  if (Held(kKeyW)) height += 1;
  if (Held(kKeyS)) height -= 1;
  StoreClamped(kHeight, shape, height, 0, 255);

  // The offset is one 16-bit value over two bytes; it wraps.
  unsigned offset = ShapeByte(kOffsetHigh, shape) * 256u + ShapeByte(kOffsetLow, shape);
  if (Held(kKeyQ)) offset += 2;
  if (Held(kKeyA)) offset -= 2;
  ShapeByte(kOffsetHigh, shape) = static_cast<std::uint8_t>((offset >> 8) & 0xFF);
  ShapeByte(kOffsetLow, shape) = static_cast<std::uint8_t>(offset & 0xFF);

  if (Held(VK_INSERT)) ScaleShape(1.01, 1.01);
  if (Held(VK_DELETE)) ScaleShape(0.99, 0.99);

  if ((mouse.buttons & MK_RBUTTON) != 0 || Held(VK_APPS)) OpenPopupMenu();

  // One coordinate unit per client pixel; moving the mouse up moves the shape up. Only the
  // step between the two latest positions counts.
  const int step_x = app::SignedWord(mouse.x - mouse.previous_x);
  const int step_y = app::SignedWord(mouse.y - mouse.previous_y);
  if ((mouse.buttons & MK_LBUTTON) != 0 && mouse.moved) {
    MoveShape(step_x, -step_y);
    mouse.moved = false;
  }
  // With the left button down too, the move above has taken the step.
  if ((mouse.buttons & MK_MBUTTON) != 0 && mouse.moved) {
    StoreClamped(kHeight, shape, ShapeByte(kHeight, shape) + step_y, 0, 255);
    mouse.moved = false;
  }

  // One step per frame with a turn pending, whatever its size.
  if (mouse.wheel_delta != 0) {
    const int wheel_scale = ShapeByte(kLevelScale, shape) + (mouse.wheel_delta > 0 ? -1 : 1);
    StoreClamped(kLevelScale, shape, wheel_scale, 1, 255);
    mouse.wheel_delta = 0;
  }

  if (Held(VK_HOME)) CentreShape();
}

void ViewModeInput(int shape) {
  const double step = app::editor.angle_step;

  // All four arrows are polled, so diagonals combine.
  if (Held(VK_LEFT)) MoveShape(-1, 0);
  if (Held(VK_RIGHT)) MoveShape(1, 0);
  if (Held(VK_UP)) MoveShape(0, 1);
  if (Held(VK_DOWN)) MoveShape(0, -1);

  if (Pressed(kKeyZ)) RotateShape(step);
  if (Pressed(kKeyX)) RotateShape(-step);

  // Turning the source quarter and mirroring again keeps the two-axis symmetry.
  if (Pressed(VK_NUMPAD4)) {
    RotateShape(step);
    TwoAxisMirror();
  }
  if (Pressed(VK_NUMPAD6)) {
    RotateShape(-step);
    TwoAxisMirror();
  }

  if (Held(VK_F1)) app::EnterLevelSelect();
  if (Held(VK_F2)) app::EnterEditMode();

  CommonInput(shape);
}

void EditModeInput(int shape) {
  EditState& edit = edit_state;
  const double step = app::editor.angle_step;

  // The new point continues the segment straight on: length and angle are kept.
  if (Pressed(VK_SPACE)) {
    edit.current_point += 1;
    if (edit.current_point == edit.drawn_segment_limit) edit.drawn_segment_limit += 1;
  }
  // Only the last drawn segment can be taken back.
  if (Pressed(VK_BACK) && edit.current_point == edit.drawn_segment_limit - 1) {
    edit.current_point = std::max(edit.current_point - 1, 0);
    edit.drawn_segment_limit = std::max(edit.drawn_segment_limit - 1, 1);
    DeriveSegment(shape, edit.drawn_segment_limit);
  }
  const int segments = IsOpen(shape) ? 15 : 16;
  if (edit.drawn_segment_limit > segments) {
    app::EnterViewMode();
    return;
  }

  CommonInput(shape);

  // No lower limit: a negative length lays the next point behind the current one.
  if (Pressed(VK_PRIOR)) edit.segment_length += 1.0;
  if (Pressed(VK_NEXT)) edit.segment_length -= 1.0;

  if (Pressed(VK_LEFT) || Pressed(VK_DOWN)) {
    edit.current_point = std::max(edit.current_point - 1, 0);
    DeriveSegment(shape, edit.current_point + 1);
  }
  if (Pressed(VK_RIGHT) || Pressed(VK_UP)) {
    edit.current_point = std::min(edit.current_point + 1, edit.drawn_segment_limit - 1);
    DeriveSegment(shape, edit.current_point + 1);
  }

  // With Bend on, the tail behind the segment turns with it.
  const bool bend = app::view_flags.bend != 0;
  if (Pressed(kKeyZ)) {
    if (bend) BendShape(edit.current_point, step);
    edit.segment_angle += step * kRadiansPerDegree;
  }
  if (Pressed(kKeyX)) {
    if (bend) BendShape(edit.current_point, -step);
    edit.segment_angle -= step * kRadiansPerDegree;
  }

  const int k = edit.current_point;
  const int next = (k + 1) & 15;
  accurate_x[PointIndex(shape, next)] =
      accurate_x[PointIndex(shape, k)] + edit.segment_length * std::cos(edit.segment_angle);
  accurate_y[PointIndex(shape, next)] =
      accurate_y[PointIndex(shape, k)] - edit.segment_length * std::sin(edit.segment_angle);
  StoreRomValues();
}

}  // namespace level
