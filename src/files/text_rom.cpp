#include "files/text_rom.h"

namespace files {

std::array<std::uint8_t, kTextRomSize> text_rom_image{};
bool text_rom_loaded = false;

std::optional<std::size_t> MessageRecordOffset(std::span<const std::uint8_t> image, int message) {
  const std::size_t entry = kMessagePointersOffset + 2 * static_cast<std::size_t>(message);
  if (entry + 1 >= image.size()) return std::nullopt;
  const int address = image[entry] | (image[entry + 1] << 8);
  if (address < kTextRomAddress) return std::nullopt;
  const auto offset = static_cast<std::size_t>(address - kTextRomAddress);
  if (offset >= image.size()) return std::nullopt;
  return offset;
}

bool HasValidMessages(std::span<const std::uint8_t> image) {
  for (int message = 0; message < kMessageCount; ++message) {
    const std::optional<std::size_t> record = MessageRecordOffset(image, message);
    if (!record) return false;
    bool ended = false;
    for (std::size_t i = 0; i < kMaxMessageLength && *record + 1 + i < image.size(); ++i) {
      if (image[*record + 1 + i] & kLastCharacterBit) {
        ended = true;
        break;
      }
    }
    if (!ended) return false;
  }
  return true;
}

void ResetTextRom() {
  text_rom_image.fill(0);
  text_rom_loaded = false;
}

}  // namespace files
