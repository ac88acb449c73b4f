// Level files (.TLD) made in code for tests: the signature, chosen accurate coordinates and a
// level table, encoded here on their own so that the tests do not lean on the editor's encoder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "level/level_store.h"
#include "support/fake_host.h"
#include "support/temp_dir.h"

namespace testing_support {

// Where things lie in a level file.
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

// The eight bytes of a double, least significant first, and back.
std::vector<std::uint8_t> DoubleBytes(double value);
double DoubleAt(const std::vector<std::uint8_t>& bytes, std::size_t offset);

// Starts as "TLD", every coordinate 0.0 and every table byte 0 but the map of level n on shape
// n.
class LevelFileBuilder {
 public:
  LevelFileBuilder();

  LevelFileBuilder& Point(int shape, int point, double x, double y);
  // Every point of a shape at one place.
  LevelFileBuilder& AllAt(int shape, double x, double y);
  LevelFileBuilder& TableByte(int table_offset, std::uint8_t value);
  LevelFileBuilder& Byte(std::size_t offset, std::uint8_t value);

  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
  std::string WriteTo(const TempDir& dir, const std::string& name) const;

 private:
  std::vector<std::uint8_t> bytes_;
};

// A person choosing "Load &TLD File ..." and picking `path`.
void LoadLevelFile(FakeHost& host, const std::string& path);
// A person choosing "Sa&ve TLD File ..." and naming `path`.
void SaveLevelFile(FakeHost& host, const std::string& path);

}  // namespace testing_support
