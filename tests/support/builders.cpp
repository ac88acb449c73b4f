#include "support/builders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>

namespace testing_support {
namespace {

constexpr std::size_t kImageSize = 2048;
constexpr std::size_t kLevelTableSize = 896;
constexpr std::size_t kTextPointers = 49;
constexpr std::size_t kTextAttributes = 289;
constexpr int kTextPairs = 30;
constexpr std::size_t kTextRecords = 349;
constexpr int kTextAddress = 0xD000;

// Every byte `offset * step + 1`, then the signature over the start.
Bytes Patterned(std::size_t size, int step, std::initializer_list<std::uint8_t> signature) {
  Bytes bytes(size);
  for (std::size_t i = 0; i < size; ++i)
    bytes[i] = static_cast<std::uint8_t>(i * static_cast<std::size_t>(step) + 1);
  std::copy(signature.begin(), signature.end(), bytes.begin());
  return bytes;
}

void PutDouble(Bytes& bytes, std::size_t offset, double value) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  for (std::size_t i = 0; i < 8; ++i)
    bytes.at(offset + i) = static_cast<std::uint8_t>(bits >> (8 * i));
}

std::uint8_t CharacterCode(char c) {
  if (c == ' ') return 0;
  if (c >= '0' && c <= '9') return static_cast<std::uint8_t>(c - '0' + 1);
  if (c >= 'A' && c <= 'Z') return static_cast<std::uint8_t>(c - 'A' + 11);
  EXPECT_EQ(c, '-') << "the builder writes spaces, digits, capitals and dashes";
  return 38;
}

}  // namespace

Bytes With(Bytes bytes, std::size_t offset, const Bytes& put) {
  if (offset + put.size() > bytes.size()) {
    ADD_FAILURE() << put.size() << " bytes at " << offset << " leave the " << bytes.size();
    return bytes;
  }
  std::copy(put.begin(), put.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
  return bytes;
}

ShapePoints AllAt(std::uint8_t x, std::uint8_t y) {
  ShapePoints points;
  points.fill({x, y});
  return points;
}

ShapePoints RingPoints() {
  return Walk({20, 20}, {{0, 40},
                         {0, 40},
                         {0, 40},
                         {0, 40},
                         {0, 40},
                         {40, 15},
                         {40, 0},
                         {50, 0},
                         {50, 0},
                         {35, -15},
                         {0, -40},
                         {0, -40},
                         {0, -40},
                         {0, -40},
                         {0, -40}});
}

ShapePoints Walk(BytePoint start, std::initializer_list<std::pair<int, int>> steps) {
  ShapePoints points;
  points.fill(start);
  std::size_t point = 0;
  for (const auto& [dx, dy] : steps) {
    const BytePoint from = points.at(point++);
    const BytePoint to{static_cast<std::uint8_t>(from.x + dx),
                       static_cast<std::uint8_t>(from.y + dy)};
    EXPECT_TRUE(to.x == from.x + dx && to.y == from.y + dy) << "step " << point << " leaves 0..255";
    std::fill(points.begin() + static_cast<std::ptrdiff_t>(point), points.end(), to);
  }
  return points;
}

LevelRomBuilder::LevelRomBuilder() : bytes_(Patterned(kImageSize, 7, {0x3B, 0x01, 0xCE, 0x3C})) {
  std::fill_n(bytes_.begin() + ImageOffset(0), kLevelTableSize, 0);
  for (int level_index = 0; level_index < level::kLevelCount; ++level_index)
    LevelShape(level_index, static_cast<std::uint8_t>(level_index));
}

LevelRomBuilder& LevelRomBuilder::Points(int shape, const ShapePoints& points) {
  for (int point = 0; point < level::kPointsPerShape; ++point) {
    TableByte(level::kXBytes + level::PointIndex(shape, point), points.at(point).x);
    TableByte(level::kYBytes + level::PointIndex(shape, point), points.at(point).y);
  }
  return *this;
}

LevelRomBuilder& LevelRomBuilder::ShapeByte(int field, int shape, std::uint8_t value) {
  return TableByte(field + shape, value);
}

LevelRomBuilder& LevelRomBuilder::LevelShape(int level_index, std::uint8_t map_entry) {
  return TableByte(level::kLevelToShapeMap + level_index, map_entry);
}

LevelRomBuilder& LevelRomBuilder::TableByte(int table_offset, std::uint8_t value) {
  bytes_.at(ImageOffset(table_offset)) = value;
  return *this;
}

double DoubleAt(const Bytes& bytes, std::size_t offset) {
  std::uint64_t bits = 0;
  for (std::size_t i = 0; i < 8; ++i)
    bits |= static_cast<std::uint64_t>(bytes.at(offset + i)) << (8 * i);
  return std::bit_cast<double>(bits);
}

LevelFileBuilder::LevelFileBuilder() : bytes_(kLevelFileSize) {
  std::copy_n("TLD", 3, bytes_.begin());
  for (int level_index = 0; level_index < level::kLevelCount; ++level_index)
    TableByte(level::kLevelToShapeMap + level_index, static_cast<std::uint8_t>(level_index));
}

LevelFileBuilder& LevelFileBuilder::Point(int shape, int point, double x, double y) {
  PutDouble(bytes_, LevelFileX(level::PointIndex(shape, point)), x);
  PutDouble(bytes_, LevelFileY(level::PointIndex(shape, point)), y);
  return *this;
}

LevelFileBuilder& LevelFileBuilder::AllAt(int shape, double x, double y) {
  for (int point = 0; point < level::kPointsPerShape; ++point)
    Point(shape, point, x, y);
  return *this;
}

LevelFileBuilder& LevelFileBuilder::TableByte(int table_offset, std::uint8_t value) {
  bytes_.at(LevelFileTable(table_offset)) = value;
  return *this;
}

Bytes ColourRom() {
  Bytes bytes = Patterned(kImageSize, 5, {0xCB, 0x01, 0x92, 0x01});
  for (int row = 0; row < 8; ++row) {
    for (int cycle = 0; cycle < 6; ++cycle)
      bytes[ColourOffset(row, cycle)] = static_cast<std::uint8_t>(2 * ((row + cycle) % 8));
  }
  return bytes;
}

Bytes MessageBytes(std::string_view text) {
  Bytes bytes;
  for (const char c : text)
    bytes.push_back(static_cast<std::uint8_t>(CharacterCode(c) * 2));
  if (!bytes.empty()) bytes.back() |= 0x80;
  return bytes;
}

TextRomBuilder::TextRomBuilder() {
  for (int m = 0; m < kTestMessages; ++m)
    Message(m, "TEXT " + std::to_string(m)).X(m, static_cast<std::uint8_t>(m - 60));
  for (int k = 0; k < kTextPairs; ++k)
    Pair(k, static_cast<std::uint8_t>((k % 9) * 16 + k % 5), static_cast<std::uint8_t>(3 * k - 40));
}

TextRomBuilder& TextRomBuilder::Message(int message, std::string_view text) {
  return Characters(message, MessageBytes(text));
}

TextRomBuilder& TextRomBuilder::Characters(int message, Bytes characters) {
  characters_.at(static_cast<std::size_t>(message)) = std::move(characters);
  return *this;
}

TextRomBuilder& TextRomBuilder::X(int message, std::uint8_t x) {
  x_.at(static_cast<std::size_t>(message)) = x;
  return *this;
}

TextRomBuilder& TextRomBuilder::Pair(int pair, std::uint8_t attribute, std::uint8_t y) {
  const std::size_t offset = kTextAttributes + 2 * static_cast<std::size_t>(pair);
  return Byte(offset, attribute).Byte(offset + 1, y);
}

TextRomBuilder& TextRomBuilder::Pointer(int message, int address) {
  const std::size_t entry = kTextPointers + 2 * static_cast<std::size_t>(message);
  Byte(entry, static_cast<std::uint8_t>(address & 0xFF));
  return Byte(entry + 1, static_cast<std::uint8_t>((address >> 8) & 0xFF));
}

TextRomBuilder& TextRomBuilder::Byte(std::size_t offset, std::uint8_t value) {
  EXPECT_LT(offset, kImageSize);
  overrides_[offset] = value;
  return *this;
}

std::size_t TextRomBuilder::RecordOffset(int message) const {
  std::size_t offset = kTextRecords;
  for (int m = 0; m < message; ++m)
    offset += 1 + characters_.at(static_cast<std::size_t>(m)).size();
  return offset;
}

Bytes TextRomBuilder::Get() const {
  Bytes bytes = Patterned(kImageSize, 7, {0xE6, 0x06, 0x85, 0x17});
  for (std::size_t m = 0; m < kTestMessages; ++m) {
    const std::size_t record = RecordOffset(static_cast<int>(m));
    if (record + 1 + characters_[m].size() > kImageSize) {
      ADD_FAILURE() << "the messages do not fit into the image";
      return bytes;
    }
    const std::size_t address = kTextAddress + record;
    bytes[kTextPointers + 2 * m] = static_cast<std::uint8_t>(address & 0xFF);
    bytes[kTextPointers + 2 * m + 1] = static_cast<std::uint8_t>(address >> 8);
    bytes[record] = x_[m];
    std::copy(characters_[m].begin(), characters_[m].end(), bytes.begin() + record + 1);
  }
  for (const auto& [offset, value] : overrides_)
    bytes[offset] = value;
  return bytes;
}

Bytes TextRomImage(std::uint8_t seed) {
  Bytes image = Patterned(kImageSize, 5, {0xE6, 0x06, 0x85, 0x17});
  for (std::size_t i = 4; i < image.size(); ++i)
    image[i] = static_cast<std::uint8_t>(image[i] + seed);
  return image;
}

Bytes ProgramFile(std::size_t size, std::initializer_list<std::pair<std::size_t, Bytes>> images) {
  Bytes bytes(size);
  for (std::size_t i = 0; i < size; ++i) {
    auto filler = static_cast<std::uint8_t>(i * 13 + i / 256 + 5);
    if (filler == 0x3B || filler == 0xE6) ++filler;
    bytes[i] = filler;
  }
  for (const auto& [offset, image] : images)
    bytes = With(std::move(bytes), offset, image);
  return bytes;
}

}  // namespace testing_support
