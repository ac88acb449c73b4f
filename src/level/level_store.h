// The sixteen tube shapes and sixteen levels. The level table is not a copy: it is the 896
// bytes of the level ROM image from offset 380. Beside it every point is kept in floating point
// (the accurate coordinates), on which all editing works; the X and Y bytes of the table (the
// ROM values) are derived from them after every change.
#pragma once

#include <array>
#include <cstdint>

namespace level {

constexpr int kShapeCount = 16;
constexpr int kPointsPerShape = 16;
constexpr int kPointCount = kShapeCount * kPointsPerShape;
constexpr int kLevelCount = 16;

constexpr int kLevelRomSize = 2048;
constexpr int kLevelTableOffset = 380;  // 0x17C in the image
constexpr int kLevelTableSize = 896;

// Offsets of the fields within the level table. The first three hold [shape][point], the others
// one byte per shape, except the level-to-shape map, which holds one byte per level.
constexpr int kXBytes = 0x000;
constexpr int kYBytes = 0x100;
constexpr int kSegmentDirections = 0x200;
constexpr int kLevelToShapeMap = 0x300;
constexpr int kLevelScale = 0x310;
constexpr int kHeight = 0x320;
constexpr int kOffsetLow = 0x330;
constexpr int kOffsetHigh = 0x340;  // signed
constexpr int kOpenFlag = 0x350;    // 0 closed, anything else open
constexpr int kLengthFactorLow = 0x360;
constexpr int kLengthFactorHigh = 0x370;

constexpr std::uint8_t kOpenFlagSet = 255;  // what the Open command writes

using LevelRomImage = std::array<std::uint8_t, kLevelRomSize>;

extern LevelRomImage level_rom_image;
// Points at level_rom_image[kLevelTableOffset] once InitLevelTable has run.
extern std::uint8_t* level_table;
extern std::array<double, kPointCount> accurate_x;  // index shape * 16 + point
extern std::array<double, kPointCount> accurate_y;

void InitLevelTable();

// Accessors into the level table.
inline std::uint8_t& XByte(int shape, int point) {
  return level_table[kXBytes + shape * kPointsPerShape + point];
}
inline std::uint8_t& YByte(int shape, int point) {
  return level_table[kYBytes + shape * kPointsPerShape + point];
}
inline std::uint8_t& SegmentDirection(int shape, int segment) {
  return level_table[kSegmentDirections + shape * kPointsPerShape + segment];
}
inline std::uint8_t& ShapeByte(int field, int shape) {
  return level_table[field + shape];
}
inline bool IsOpen(int shape) {
  return ShapeByte(kOpenFlag, shape) != 0;
}
inline int PointIndex(int shape, int point) {
  return shape * kPointsPerShape + point;
}

// The shape a level uses. A map entry above 15 (possible in a foreign file) is taken modulo
// 16; the stored byte itself is left as it was read.
int ShapeOfLevel(int level_index);
// The shape of the current level.
int CurrentShape();

// One shape's accurate points, segment directions and seven per-shape bytes.
struct LevelSnapshot {
  std::array<double, kPointsPerShape> accurate_x{};
  std::array<double, kPointsPerShape> accurate_y{};
  std::array<std::uint8_t, kPointsPerShape> segment_directions{};
  std::uint8_t level_scale = 0;
  std::uint8_t height = 0;
  std::uint8_t offset_low = 0;
  std::uint8_t offset_high = 0;
  std::uint8_t open_flag = 0;
  std::uint8_t length_factor_low = 0;
  std::uint8_t length_factor_high = 0;
};

extern LevelSnapshot undo_snapshot;
extern LevelSnapshot copy_buffer;
extern bool copy_buffer_full;

void LoadAccurateFromRom();
void StoreRomValues();
void StoreSnapshot(LevelSnapshot& snapshot);
void RestoreSnapshot(const LevelSnapshot& snapshot);

// Commands.
void CopyShape();
void PasteShape();
void UndoShape();
void SetOpen();
void SetClosed();
// The Scale Level command: the Number dialog on the current shape's level scale, which then
// keeps 1..255 (defined in level_scale.cpp).
void EditLevelScale();

// Puts the store back to its start values: zero image and coordinates, empty snapshots.
void ResetLevelStore();

}  // namespace level
