// The text ROM image (.121): a 2048-byte image of the game ROM that carries the messages of all
// four languages, at the game addresses 0xD000..0xD7FF. It is edited by the text message editor
// and copied by the 'Atari Arcade Hits' patcher.
//
// Layout: a table of 120 message pointers (little-endian game addresses) at offset 49, a table
// of 30 attribute pairs (attribute byte, then signed Y position) at offset 289, and the message
// records from offset 349. A record is a signed X position byte followed by one byte per
// character, the character code in bits 1..6 and bit 7 set on the last character.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace files {

constexpr std::size_t kTextRomSize = 2048;

// The first four bytes of every text ROM image.
constexpr std::array<std::uint8_t, 4> kTextRomSignature{0xE6, 0x06, 0x85, 0x17};

constexpr int kTextRomAddress = 0xD000;
constexpr std::size_t kMessagePointersOffset = 49;
constexpr std::size_t kMessageAttributesOffset = 289;
constexpr std::size_t kMessageRecordsOffset = 349;

// Messages 0..29 are English, 30..59 French, 60..89 German, 90..119 Spanish. The four
// translations of one message share its attribute pair.
constexpr int kMessageCount = 120;
constexpr int kMessagesPerLanguage = 30;
constexpr std::size_t kMaxMessageLength = 63;

constexpr std::uint8_t kLastCharacterBit = 0x80;

extern std::array<std::uint8_t, kTextRomSize> text_rom_image;

// Set by every successful load of a text ROM file; never cleared.
extern bool text_rom_loaded;

// Where the record (its X byte) of a message lies in the image; nothing when the message's
// pointer leads outside the image.
std::optional<std::size_t> MessageRecordOffset(std::span<const std::uint8_t> image, int message);

// The attribute byte of a message's pair; its Y position byte follows it.
constexpr std::size_t MessageAttributeOffset(int message) {
  return kMessageAttributesOffset + 2 * static_cast<std::size_t>(message % kMessagesPerLanguage);
}

// Whether every message pointer leads into the image and every record ends (a character with
// the last-character bit) within kMaxMessageLength characters and within the image. Only such
// an image is ever edited, so no message reaches outside it.
bool HasValidMessages(std::span<const std::uint8_t> image);

void ResetTextRom();

}  // namespace files
