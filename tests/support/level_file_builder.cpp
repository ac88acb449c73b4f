#include "support/level_file_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>

#include "resources/command_ids.h"

namespace testing_support {

std::vector<std::uint8_t> DoubleBytes(double value) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  std::vector<std::uint8_t> bytes;
  for (int i = 0; i < 8; ++i) {
    bytes.push_back(static_cast<std::uint8_t>((bits >> (8 * i)) & 0xFF));
  }
  return bytes;
}

double DoubleAt(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
  std::uint64_t bits = 0;
  for (std::size_t i = 0; i < 8; ++i) {
    bits |= static_cast<std::uint64_t>(bytes.at(offset + i)) << (8 * i);
  }
  return std::bit_cast<double>(bits);
}

LevelFileBuilder::LevelFileBuilder() : bytes_(kLevelFileSize) {
  bytes_[0] = 'T';
  bytes_[1] = 'L';
  bytes_[2] = 'D';
  for (int level_index = 0; level_index < level::kLevelCount; ++level_index) {
    TableByte(level::kLevelToShapeMap + level_index, static_cast<std::uint8_t>(level_index));
  }
}

LevelFileBuilder& LevelFileBuilder::Point(int shape, int point, double x, double y) {
  const int index = level::PointIndex(shape, point);
  const std::vector<std::uint8_t> x_bytes = DoubleBytes(x);
  const std::vector<std::uint8_t> y_bytes = DoubleBytes(y);
  std::copy(x_bytes.begin(), x_bytes.end(), bytes_.begin() + LevelFileX(index));
  std::copy(y_bytes.begin(), y_bytes.end(), bytes_.begin() + LevelFileY(index));
  return *this;
}

LevelFileBuilder& LevelFileBuilder::AllAt(int shape, double x, double y) {
  for (int point = 0; point < level::kPointsPerShape; ++point) {
    Point(shape, point, x, y);
  }
  return *this;
}

LevelFileBuilder& LevelFileBuilder::TableByte(int table_offset, std::uint8_t value) {
  return Byte(LevelFileTable(table_offset), value);
}

LevelFileBuilder& LevelFileBuilder::Byte(std::size_t offset, std::uint8_t value) {
  bytes_.at(offset) = value;
  return *this;
}

std::string LevelFileBuilder::WriteTo(const TempDir& dir, const std::string& name) const {
  const std::string path = dir.File(name);
  WriteFileBytes(path, bytes_);
  return path;
}

void LoadLevelFile(FakeHost& host, const std::string& path) {
  host.AnswerFileDialog(path);
  host.ChooseMenuItem(resources::kLoadTld);
  host.HandleMessages();
}

void SaveLevelFile(FakeHost& host, const std::string& path) {
  host.AnswerFileDialog(path);
  host.ChooseMenuItem(resources::kSaveTld);
  host.HandleMessages();
}

}  // namespace testing_support
