#include "support/level_rom_builder.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "files/level_rom_file.h"
#include "resources/command_ids.h"

namespace testing_support {
namespace {

bool InLevelTable(std::size_t offset) {
  return offset >= ImageOffset(0) && offset < ImageOffset(level::kLevelTableSize);
}

}  // namespace

ShapePoints RingPoints() {
  return {{{20, 20},
           {20, 60},
           {20, 100},
           {20, 140},
           {20, 180},
           {20, 220},
           {60, 235},
           {100, 235},
           {150, 235},
           {200, 235},
           {235, 220},
           {235, 180},
           {235, 140},
           {235, 100},
           {235, 60},
           {235, 20}}};
}

ShapePoints AllAt(std::uint8_t x, std::uint8_t y) {
  ShapePoints points;
  points.fill({x, y});
  return points;
}

ShapePoints Walk(BytePoint start, std::initializer_list<std::pair<int, int>> steps) {
  EXPECT_LT(steps.size(), static_cast<std::size_t>(level::kPointsPerShape));
  ShapePoints points;
  points.fill(start);
  std::size_t point = 0;
  for (const auto& [dx, dy] : steps) {
    const BytePoint from = points[point];
    ++point;
    const int x = from.x + dx;
    const int y = from.y + dy;
    EXPECT_TRUE(x >= 0 && x <= 255 && y >= 0 && y <= 255) << "step " << point << " leaves 0..255";
    std::fill(points.begin() + static_cast<std::ptrdiff_t>(point), points.end(),
              BytePoint{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y)});
  }
  return points;
}

LevelRomBuilder::LevelRomBuilder() : bytes_(level::kLevelRomSize) {
  for (std::size_t offset = files::kLevelRomSignature.size(); offset < bytes_.size(); ++offset) {
    if (!InLevelTable(offset)) bytes_[offset] = static_cast<std::uint8_t>(offset * 7 + 1);
  }
  for (std::size_t i = 0; i < files::kLevelRomSignature.size(); ++i) {
    bytes_[i] = files::kLevelRomSignature[i];
  }
  for (int level_index = 0; level_index < level::kLevelCount; ++level_index) {
    LevelShape(level_index, static_cast<std::uint8_t>(level_index));
  }
}

LevelRomBuilder& LevelRomBuilder::Points(int shape, const ShapePoints& points) {
  for (int point = 0; point < level::kPointsPerShape; ++point) {
    const BytePoint& p = points[static_cast<std::size_t>(point)];
    TableByte(level::kXBytes + level::PointIndex(shape, point), p.x);
    TableByte(level::kYBytes + level::PointIndex(shape, point), p.y);
  }
  return *this;
}

LevelRomBuilder& LevelRomBuilder::ShapeByte(int field, int shape, std::uint8_t value) {
  return TableByte(field + shape, value);
}

LevelRomBuilder& LevelRomBuilder::Open(int shape) {
  return ShapeByte(level::kOpenFlag, shape, level::kOpenFlagSet);
}

LevelRomBuilder& LevelRomBuilder::LevelShape(int level_index, std::uint8_t map_entry) {
  return TableByte(level::kLevelToShapeMap + level_index, map_entry);
}

LevelRomBuilder& LevelRomBuilder::TableByte(int table_offset, std::uint8_t value) {
  return Byte(ImageOffset(table_offset), value);
}

LevelRomBuilder& LevelRomBuilder::Byte(std::size_t image_offset, std::uint8_t value) {
  bytes_.at(image_offset) = value;
  return *this;
}

std::string LevelRomBuilder::WriteTo(const TempDir& dir, const std::string& name) const {
  const std::string path = dir.File(name);
  WriteFileBytes(path, bytes_);
  return path;
}

void LoadLevelRomFile(FakeHost& host, const std::string& path) {
  host.AnswerFileDialog(path);
  host.ChooseMenuItem(resources::kLoadRom);
  host.HandleMessages();
}

void SaveLevelRomFile(FakeHost& host, const std::string& path) {
  host.AnswerFileDialog(path);
  host.ChooseMenuItem(resources::kSaveRom);
  host.HandleMessages();
}

}  // namespace testing_support
