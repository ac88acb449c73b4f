// Colour ROM images made in code for tests: the signature, a colour table with chosen codes,
// and a pattern in the other game data, so that a stray write or a lost byte shows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "support/fake_host.h"
#include "support/temp_dir.h"

namespace testing_support {

// The file offset of the colour table entry of a row (0..7) in a cycle (0..5).
constexpr std::size_t ColourOffset(int row, int cycle) {
  return 509 + 8 * static_cast<std::size_t>(cycle) + static_cast<std::size_t>(row);
}

// Starts as a valid image whose entry of row r in cycle c is the code 2 * ((r + c) % 8): each
// swatch shows, half of them through codes that a pick never writes.
class ColourRomBuilder {
 public:
  ColourRomBuilder();

  ColourRomBuilder& Entry(int row, int cycle, std::uint8_t code);
  ColourRomBuilder& Byte(std::size_t offset, std::uint8_t value);

  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
  std::string WriteTo(const TempDir& dir, const std::string& name) const;

 private:
  std::vector<std::uint8_t> bytes_;
};

// A person choosing "Edit &Colours...", picking `path` in the open dialog and acting in the
// Colours dialog; `save_path` answers the save dialog that follows unless it was cancelled.
// Before clicking a cell, the person queues what they do in its Colour Picker (ActInDialog).
void EditColourRomFile(FakeHost& host, const std::string& path,
                       std::function<void(FakeDialog&)> person,
                       std::optional<std::string> save_path = std::nullopt);

}  // namespace testing_support
