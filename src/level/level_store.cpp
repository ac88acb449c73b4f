#include "level/level_store.h"

#include "app/editor_state.h"
#include "app/menu_model.h"
#include "app/menu_state.h"
#include "app/modes.h"
#include "platform/host.h"
#include "resources/command_ids.h"

namespace level {

LevelRomImage level_rom_image{};
std::uint8_t* level_table = nullptr;
std::array<double, kPointCount> accurate_x{};
std::array<double, kPointCount> accurate_y{};
LevelSnapshot undo_snapshot;
LevelSnapshot copy_buffer;
bool copy_buffer_full = false;

namespace {

// Rounds half up and clamps to 0..255; NaN and -inf count as 0, +inf as 255.
std::uint8_t RomValue(double accurate) {
  double v = accurate + 0.5;
  if (v > 255.0) v = 255.0;
  if (!(v >= 0.0)) v = 0.0;
  return static_cast<std::uint8_t>(v);
}

}  // namespace

void InitLevelTable() {
  level_table = level_rom_image.data() + kLevelTableOffset;
}

int ShapeOfLevel(int level_index) {
  return ShapeByte(kLevelToShapeMap, level_index) & 15;
}

int CurrentShape() {
  return ShapeOfLevel(app::editor.current_level);
}

void LoadAccurateFromRom() {
  for (int shape = 0; shape < kShapeCount; ++shape) {
    for (int point = 0; point < kPointsPerShape; ++point) {
      accurate_x[PointIndex(shape, point)] = XByte(shape, point);
      accurate_y[PointIndex(shape, point)] = YByte(shape, point);
    }
  }
}

void StoreRomValues() {
  for (int shape = 0; shape < kShapeCount; ++shape) {
    for (int point = 0; point < kPointsPerShape; ++point) {
      XByte(shape, point) = RomValue(accurate_x[PointIndex(shape, point)]);
      YByte(shape, point) = RomValue(accurate_y[PointIndex(shape, point)]);
    }
  }
}

void StoreSnapshot(LevelSnapshot& snapshot) {
  const int s = CurrentShape();
  for (int point = 0; point < kPointsPerShape; ++point) {
    snapshot.accurate_x[point] = accurate_x[PointIndex(s, point)];
    snapshot.accurate_y[point] = accurate_y[PointIndex(s, point)];
    snapshot.segment_directions[point] = SegmentDirection(s, point);
  }
  snapshot.level_scale = ShapeByte(kLevelScale, s);
  snapshot.height = ShapeByte(kHeight, s);
  snapshot.offset_low = ShapeByte(kOffsetLow, s);
  snapshot.offset_high = ShapeByte(kOffsetHigh, s);
  snapshot.open_flag = ShapeByte(kOpenFlag, s);
  snapshot.length_factor_low = ShapeByte(kLengthFactorLow, s);
  snapshot.length_factor_high = ShapeByte(kLengthFactorHigh, s);
  if (&snapshot == &copy_buffer) {
    copy_buffer_full = true;
    app::EnableMenuItem(app::MainMenu(), resources::kPaste, MF_BYCOMMAND | MF_ENABLED);
    app::EnableMenuItem(app::PopupMenu(), resources::kPaste, MF_BYCOMMAND | MF_ENABLED);
  }
}

void RestoreSnapshot(const LevelSnapshot& snapshot) {
  const int s = CurrentShape();
  for (int point = 0; point < kPointsPerShape; ++point) {
    accurate_x[PointIndex(s, point)] = snapshot.accurate_x[point];
    accurate_y[PointIndex(s, point)] = snapshot.accurate_y[point];
    SegmentDirection(s, point) = snapshot.segment_directions[point];
  }
  ShapeByte(kLevelScale, s) = snapshot.level_scale;
  ShapeByte(kHeight, s) = snapshot.height;
  ShapeByte(kOffsetLow, s) = snapshot.offset_low;
  ShapeByte(kOffsetHigh, s) = snapshot.offset_high;
  ShapeByte(kOpenFlag, s) = snapshot.open_flag;
  ShapeByte(kLengthFactorLow, s) = snapshot.length_factor_low;
  ShapeByte(kLengthFactorHigh, s) = snapshot.length_factor_high;
  app::CheckOpenClosedItem(IsOpen(s));
  StoreRomValues();
}

void CopyShape() {
  StoreSnapshot(copy_buffer);
}

void PasteShape() {
  RestoreSnapshot(copy_buffer);
}

void UndoShape() {
  const int answer = platform::CurrentHost().ShowMessageBox("Undo all changes?", "Rimforge",
                                                            MB_YESNO | MB_ICONQUESTION);
  if (answer != IDYES) return;
  RestoreSnapshot(undo_snapshot);
  if (app::editor.editor_mode == app::kEditMode) app::EnterViewMode();
}

void SetOpen() {
  ShapeByte(kOpenFlag, CurrentShape()) = kOpenFlagSet;
  app::CheckOpenClosedItem(true);
}

void SetClosed() {
  ShapeByte(kOpenFlag, CurrentShape()) = 0;
  app::CheckOpenClosedItem(false);
}

void ResetLevelStore() {
  level_rom_image.fill(0);
  level_table = nullptr;
  accurate_x.fill(0.0);
  accurate_y.fill(0.0);
  undo_snapshot = LevelSnapshot{};
  copy_buffer = LevelSnapshot{};
  copy_buffer_full = false;
}

}  // namespace level
