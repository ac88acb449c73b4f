// The files the tests load, made in code: level ROMs, level files, colour and text ROMs and
// 'Atari Arcade Hits' program files. Their layouts are written out here apart from the
// editor's, so that a fault in the editor's own offsets or encoders shows. Bytes a test does not
// set carry a pattern, so that a stray write or a lost byte shows too.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "level/level_store.h"

namespace testing_support {

using Bytes = std::vector<std::uint8_t>;

// `bytes` with `put` over them from `offset`.
Bytes With(Bytes bytes, std::size_t offset, const Bytes& put);

// --- Level ROM (.118): the level table from offset 380 ---

struct BytePoint {
  std::uint8_t x;
  std::uint8_t y;
};
using ShapePoints = std::array<BytePoint, level::kPointsPerShape>;

ShapePoints AllAt(std::uint8_t x, std::uint8_t y);
// Up the left side of the byte square, across the top and down the right side; closing the
// shape adds the bottom edge from point 15 back to point 0.
ShapePoints RingPoints();
// The points reached from `start` by the given steps (dx, dy), one segment each; the points
// after the last step stay where it ended.
ShapePoints Walk(BytePoint start, std::initializer_list<std::pair<int, int>> steps);

// Where a byte of the level table lies in the image, e.g. ImageOffset(level::kHeight + 3).
constexpr std::size_t ImageOffset(int table_offset) {
  return 380 + static_cast<std::size_t>(table_offset);
}

// Starts as a valid image: the signature and level n on shape n; every point and per-shape
// byte zero.
class LevelRomBuilder {
 public:
  LevelRomBuilder();
  LevelRomBuilder& Points(int shape, const ShapePoints& points);
  // One per-shape byte, e.g. ShapeByte(level::kLevelScale, 3, 20).
  LevelRomBuilder& ShapeByte(int field, int shape, std::uint8_t value);
  LevelRomBuilder& Open(int shape) { return ShapeByte(level::kOpenFlag, shape, 255); }
  LevelRomBuilder& LevelShape(int level_index, std::uint8_t map_entry);
  LevelRomBuilder& TableByte(int table_offset, std::uint8_t value);
  const Bytes& Get() const { return bytes_; }

 private:
  Bytes bytes_;
};

// --- Level file (.TLD): "TLD", 256 X doubles, 256 Y doubles, the level table ---

constexpr std::size_t kLevelFileSize = 4995;
constexpr std::size_t LevelFileX(int point_index) {
  return 3 + 8 * static_cast<std::size_t>(point_index);
}
constexpr std::size_t LevelFileY(int point_index) {
  return 2051 + 8 * static_cast<std::size_t>(point_index);
}
constexpr std::size_t LevelFileTable(int table_offset) {
  return 4099 + static_cast<std::size_t>(table_offset);
}
// The double whose eight bytes, least significant first, lie at `offset`.
double DoubleAt(const Bytes& bytes, std::size_t offset);

// Starts as "TLD", every coordinate 0.0 and every table byte 0 but the map of level n on
// shape n.
class LevelFileBuilder {
 public:
  LevelFileBuilder();
  LevelFileBuilder& Point(int shape, int point, double x, double y);
  LevelFileBuilder& AllAt(int shape, double x, double y);
  LevelFileBuilder& TableByte(int table_offset, std::uint8_t value);
  const Bytes& Get() const { return bytes_; }

 private:
  Bytes bytes_;
};

// --- Colour ROM (.119): the colour table of 6 cycles of 8 rows from offset 509 ---

constexpr std::size_t ColourOffset(int row, int cycle) {
  return 509 + 8 * static_cast<std::size_t>(cycle) + static_cast<std::size_t>(row);
}
// Every entry of row r in cycle c holds the code 2 * ((r + c) % 8): each swatch shows, half of
// them through codes that a pick never writes.
Bytes ColourRom();

// --- Text ROM (.121): pointers from 49, attribute pairs from 289, records from 349 ---

constexpr int kTestMessages = 120;

// The stored character bytes of a text of spaces, digits, capitals and dashes: code * 2, and
// the last-character bit on the last one.
Bytes MessageBytes(std::string_view text);

// Starts as a valid image: message m reads "TEXT m" at X position m - 60, and pair k holds the
// attribute (k % 9) * 16 + k % 5 and the Y position 3k - 40. The records are laid out one after
// another from offset 349 with valid pointers.
class TextRomBuilder {
 public:
  TextRomBuilder();
  TextRomBuilder& Message(int message, std::string_view text);
  // The record's character bytes as given, last-character bit or not.
  TextRomBuilder& Characters(int message, Bytes characters);
  TextRomBuilder& X(int message, std::uint8_t x);
  TextRomBuilder& Pair(int pair, std::uint8_t attribute, std::uint8_t y);
  // Set after the records are laid out: a message's pointer, or any byte.
  TextRomBuilder& Pointer(int message, int address);
  TextRomBuilder& Byte(std::size_t offset, std::uint8_t value);
  Bytes Get() const;
  // Where the record (X byte) of a message lies.
  std::size_t RecordOffset(int message) const;

 private:
  std::array<Bytes, kTestMessages> characters_;
  std::array<std::uint8_t, kTestMessages> x_{};
  std::map<std::size_t, std::uint8_t> overrides_;
};

// --- 'Atari Arcade Hits' program files ---

// A 2048-byte text ROM image: the signature, then a pattern that starts from `seed`.
Bytes TextRomImage(std::uint8_t seed);
// Filler of `size` bytes that holds no signature nor any byte a signature starts with, with the
// given images put in at their offsets.
Bytes ProgramFile(std::size_t size, std::initializer_list<std::pair<std::size_t, Bytes>> images);

}  // namespace testing_support
