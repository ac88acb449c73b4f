#include "support/colour_rom_builder.h"

#include "resources/command_ids.h"

namespace testing_support {
namespace {

constexpr std::size_t kImageSize = 2048;
constexpr int kRows = 8;
constexpr int kCycles = 6;

}  // namespace

ColourRomBuilder::ColourRomBuilder() : bytes_(kImageSize) {
  for (std::size_t offset = 0; offset < kImageSize; ++offset) {
    bytes_[offset] = static_cast<std::uint8_t>(offset * 5 + 3);
  }
  const std::uint8_t signature[] = {0xCB, 0x01, 0x92, 0x01};
  std::copy(std::begin(signature), std::end(signature), bytes_.begin());
  for (int row = 0; row < kRows; ++row) {
    for (int cycle = 0; cycle < kCycles; ++cycle) {
      Entry(row, cycle, static_cast<std::uint8_t>(2 * ((row + cycle) % 8)));
    }
  }
}

ColourRomBuilder& ColourRomBuilder::Entry(int row, int cycle, std::uint8_t code) {
  return Byte(ColourOffset(row, cycle), code);
}

ColourRomBuilder& ColourRomBuilder::Byte(std::size_t offset, std::uint8_t value) {
  bytes_.at(offset) = value;
  return *this;
}

std::string ColourRomBuilder::WriteTo(const TempDir& dir, const std::string& name) const {
  const std::string path = dir.File(name);
  WriteFileBytes(path, bytes_);
  return path;
}

void EditColourRomFile(FakeHost& host, const std::string& path,
                       std::function<void(FakeDialog&)> person,
                       std::optional<std::string> save_path) {
  host.AnswerFileDialog(path);
  host.ActInDialog(107, std::move(person));
  if (save_path) host.AnswerFileDialog(*save_path);
  host.ChooseMenuItem(resources::kEditColours);
  host.HandleMessages();
}

}  // namespace testing_support
