// Level ROM images made in code for tests: the signature, chosen shapes, per-shape bytes, map
// entries and any other bytes, ready to be written to a file and loaded through the menu.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "level/level_store.h"
#include "support/fake_host.h"
#include "support/temp_dir.h"

namespace testing_support {

struct BytePoint {
  std::uint8_t x;
  std::uint8_t y;
};
using ShapePoints = std::array<BytePoint, level::kPointsPerShape>;

// A shape whose sixteen points all lie on one place.
ShapePoints AllAt(std::uint8_t x, std::uint8_t y);
// Up the left side of the byte square, across the top and down the right side; closing the
// shape adds the bottom edge from point 15 back to point 0.
ShapePoints RingPoints();
// The points reached from `start` by the given steps (dx, dy), one segment each; the points
// after the last step stay where it ended.
ShapePoints Walk(BytePoint start, std::initializer_list<std::pair<int, int>> steps);

// Where a byte of the level table lies in the image, e.g. ImageOffset(level::kHeight + 3).
constexpr std::size_t ImageOffset(int table_offset) {
  return static_cast<std::size_t>(level::kLevelTableOffset + table_offset);
}

// Starts as a valid image: the signature, level n on shape n, every point and per-shape byte
// zero, and the game data outside the level table filled with a pattern, so that a stray write
// or a lost byte shows.
class LevelRomBuilder {
 public:
  LevelRomBuilder();

  LevelRomBuilder& Points(int shape, const ShapePoints& points);
  // One per-shape byte, e.g. ShapeByte(level::kLevelScale, 3, 20).
  LevelRomBuilder& ShapeByte(int field, int shape, std::uint8_t value);
  LevelRomBuilder& Open(int shape);
  LevelRomBuilder& LevelShape(int level_index, std::uint8_t map_entry);
  LevelRomBuilder& TableByte(int table_offset, std::uint8_t value);
  LevelRomBuilder& Byte(std::size_t image_offset, std::uint8_t value);

  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
  // Writes the image to `name` in `dir` and returns the file's path.
  std::string WriteTo(const TempDir& dir, const std::string& name) const;

 private:
  std::vector<std::uint8_t> bytes_;
};

// A person choosing "&Load ROM ..." and picking `path` in the open dialog.
void LoadLevelRomFile(FakeHost& host, const std::string& path);
// A person choosing "&Save ROM ..." and naming `path` in the save dialog.
void SaveLevelRomFile(FakeHost& host, const std::string& path);

}  // namespace testing_support
