#include "support/text_rom_builder.h"

#include <gtest/gtest.h>

#include "resources/command_ids.h"

namespace testing_support {
namespace {

constexpr std::size_t kImageSize = 2048;
constexpr std::size_t kPointers = 49;
constexpr std::size_t kRecords = 349;
constexpr int kAddress = 0xD000;

std::uint8_t Code(char c) {
  if (c == ' ') return 0;
  if (c >= '0' && c <= '9') return static_cast<std::uint8_t>(c - '0' + 1);
  if (c >= 'A' && c <= 'Z') return static_cast<std::uint8_t>(c - 'A' + 11);
  EXPECT_EQ(c, '-') << "the builder writes spaces, digits, capitals and dashes";
  return 38;
}

}  // namespace

std::vector<std::uint8_t> MessageBytes(std::string_view text) {
  std::vector<std::uint8_t> bytes;
  for (const char c : text) {
    bytes.push_back(static_cast<std::uint8_t>(Code(c) * 2));
  }
  if (!bytes.empty()) bytes.back() |= 0x80;
  return bytes;
}

TextRomBuilder::TextRomBuilder() {
  for (int m = 0; m < kTestMessages; ++m) {
    Message(m, "TEXT " + std::to_string(m));
    X(m, static_cast<std::uint8_t>(m - 60));
  }
  for (int k = 0; k < kTestPairs; ++k) {
    Pair(k, static_cast<std::uint8_t>((k % 9) * 16 + k % 5), static_cast<std::uint8_t>(3 * k - 40));
  }
}

TextRomBuilder& TextRomBuilder::Message(int message, std::string_view text) {
  return MessageCharacters(message, MessageBytes(text));
}

TextRomBuilder& TextRomBuilder::MessageCharacters(int message,
                                                  std::vector<std::uint8_t> characters) {
  characters_.at(static_cast<std::size_t>(message)) = std::move(characters);
  return *this;
}

TextRomBuilder& TextRomBuilder::X(int message, std::uint8_t x) {
  x_.at(static_cast<std::size_t>(message)) = x;
  return *this;
}

TextRomBuilder& TextRomBuilder::Pair(int pair, std::uint8_t attribute, std::uint8_t y) {
  attributes_.at(static_cast<std::size_t>(pair)) = attribute;
  y_.at(static_cast<std::size_t>(pair)) = y;
  return *this;
}

TextRomBuilder& TextRomBuilder::Pointer(int message, int address) {
  const std::size_t entry = kPointers + 2 * static_cast<std::size_t>(message);
  Byte(entry, static_cast<std::uint8_t>(address & 0xFF));
  return Byte(entry + 1, static_cast<std::uint8_t>((address >> 8) & 0xFF));
}

TextRomBuilder& TextRomBuilder::Byte(std::size_t offset, std::uint8_t value) {
  EXPECT_LT(offset, kImageSize);
  overrides_[offset] = value;
  return *this;
}

std::size_t TextRomBuilder::RecordOffset(int message) const {
  std::size_t offset = kRecords;
  for (int m = 0; m < message; ++m) {
    offset += 1 + characters_[static_cast<std::size_t>(m)].size();
  }
  return offset;
}

std::vector<std::uint8_t> TextRomBuilder::Bytes() const {
  std::vector<std::uint8_t> bytes(kImageSize);
  for (std::size_t offset = 0; offset < kImageSize; ++offset) {
    bytes[offset] = static_cast<std::uint8_t>(offset * 7 + 1);
  }
  const std::uint8_t signature[] = {0xE6, 0x06, 0x85, 0x17};
  std::copy(std::begin(signature), std::end(signature), bytes.begin());
  for (int k = 0; k < kTestPairs; ++k) {
    bytes[AttributeOffset(k)] = attributes_[static_cast<std::size_t>(k)];
    bytes[AttributeOffset(k) + 1] = y_[static_cast<std::size_t>(k)];
  }
  for (int m = 0; m < kTestMessages; ++m) {
    const auto index = static_cast<std::size_t>(m);
    const std::size_t record = RecordOffset(m);
    const std::vector<std::uint8_t>& characters = characters_[index];
    if (record + 1 + characters.size() > kImageSize) {
      ADD_FAILURE() << "the messages do not fit into the image";
      return bytes;
    }
    const auto address = static_cast<int>(kAddress + record);
    bytes[kPointers + 2 * index] = static_cast<std::uint8_t>(address & 0xFF);
    bytes[kPointers + 2 * index + 1] = static_cast<std::uint8_t>(address >> 8);
    bytes[record] = x_[index];
    std::copy(characters.begin(), characters.end(), bytes.begin() + static_cast<long>(record + 1));
  }
  for (const auto& [offset, value] : overrides_) {
    bytes[offset] = value;
  }
  return bytes;
}

std::string TextRomBuilder::WriteTo(const TempDir& dir, const std::string& name) const {
  const std::string path = dir.File(name);
  WriteFileBytes(path, Bytes());
  return path;
}

void EditTextRomFile(FakeHost& host, const std::string& path,
                     std::function<void(FakeDialog&)> person,
                     std::optional<std::string> save_path) {
  host.AnswerFileDialog(path);
  host.ActInDialog(105, std::move(person));
  if (save_path) host.AnswerFileDialog(*save_path);
  host.ChooseMenuItem(resources::kEditText);
  host.HandleMessages();
}

}  // namespace testing_support
