// Text ROM images made in code for tests: the signature, 120 messages with chosen texts, X
// positions and attribute pairs, records laid out one after another from offset 349 with valid
// pointers, and a pattern in the other game data, so that a stray write or a lost byte shows.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "support/fake_host.h"
#include "support/temp_dir.h"

namespace testing_support {

constexpr int kTestMessages = 120;
constexpr int kTestPairs = 30;

// The stored character bytes of a text of spaces, digits, capitals and dashes: code * 2, and
// the last-character bit on the last one. Made here, apart from the editor's own encoder.
std::vector<std::uint8_t> MessageBytes(std::string_view text);

// Starts as a valid image: message m reads "TEXT m" at X position m - 60, and pair k holds the
// attribute (k % 9) * 16 + k % 5 and the Y position 3k - 40.
class TextRomBuilder {
 public:
  TextRomBuilder();

  // A text of spaces, digits, capitals and dashes.
  TextRomBuilder& Message(int message, std::string_view text);
  // The record's character bytes as given, last-character bit or not.
  TextRomBuilder& MessageCharacters(int message, std::vector<std::uint8_t> characters);
  TextRomBuilder& X(int message, std::uint8_t x);
  TextRomBuilder& Pair(int pair, std::uint8_t attribute, std::uint8_t y);
  // Set after the records are laid out: a message's pointer, or any byte.
  TextRomBuilder& Pointer(int message, int address);
  TextRomBuilder& Byte(std::size_t offset, std::uint8_t value);

  std::vector<std::uint8_t> Bytes() const;
  // Where the record (X byte) of a message lies in Bytes().
  std::size_t RecordOffset(int message) const;
  std::size_t AttributeOffset(int pair) const { return 289 + 2 * static_cast<std::size_t>(pair); }
  std::string WriteTo(const TempDir& dir, const std::string& name) const;

 private:
  std::array<std::vector<std::uint8_t>, kTestMessages> characters_;
  std::array<std::uint8_t, kTestMessages> x_{};
  std::array<std::uint8_t, kTestPairs> attributes_{};
  std::array<std::uint8_t, kTestPairs> y_{};
  std::map<std::size_t, std::uint8_t> overrides_;
};

// A person choosing "&Edit Text...", picking `path` in the open dialog and acting in the Text
// Messages dialog; `save_path` answers the save dialog that follows unless it was cancelled.
void EditTextRomFile(FakeHost& host, const std::string& path,
                     std::function<void(FakeDialog&)> person,
                     std::optional<std::string> save_path = std::nullopt);

}  // namespace testing_support
