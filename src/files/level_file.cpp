#include "files/level_file.h"

#include <algorithm>
#include <bit>
#include <optional>
#include <string>
#include <vector>

#include "app/editor_state.h"
#include "app/menu_state.h"
#include "app/modes.h"
#include "files/file_io.h"
#include "files/level_rom_file.h"
#include "level/level_store.h"
#include "platform/host.h"

namespace files {
namespace {

constexpr FileKind kOpenKind{"TLD Files (*.TLD)", "*.TLD", ""};
constexpr FileKind kSaveKind{"TLD Files (*.TLD)", "*.TLD", "TLD"};

constexpr std::size_t kDoubleSize = 8;
constexpr std::size_t kXOffset = kLevelFileSignature.size();
constexpr std::size_t kYOffset = kXOffset + level::kPointCount * kDoubleSize;
constexpr std::size_t kTableOffset = kYOffset + level::kPointCount * kDoubleSize;
static_assert(kTableOffset + level::kLevelTableSize == kLevelFileSize);

using Coordinates = std::array<double, level::kPointCount>;

// Doubles go to the file byte by byte, least significant first, so the file is the same on any
// machine; every bit is kept, NaN payloads and signed zeros included.
void PutCoordinates(const Coordinates& values, std::uint8_t* out) {
  for (const double value : values) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    for (std::size_t i = 0; i < kDoubleSize; ++i) {
      *out++ = static_cast<std::uint8_t>(bits >> (8 * i));
    }
  }
}

void GetCoordinates(const std::uint8_t* in, Coordinates& values) {
  for (double& value : values) {
    std::uint64_t bits = 0;
    for (std::size_t i = 0; i < kDoubleSize; ++i) {
      bits |= static_cast<std::uint64_t>(*in++) << (8 * i);
    }
    value = std::bit_cast<double>(bits);
  }
}

void DecodeLevelFile(const LevelFileImage& image) {
  GetCoordinates(image.data() + kXOffset, level::accurate_x);
  GetCoordinates(image.data() + kYOffset, level::accurate_y);
  std::copy_n(image.begin() + kTableOffset, level::kLevelTableSize, level::level_table);
}

bool HasSignature(const std::vector<std::uint8_t>& bytes) {
  return bytes.size() >= kLevelFileSignature.size() &&
         std::equal(kLevelFileSignature.begin(), kLevelFileSignature.end(), bytes.begin());
}

}  // namespace

LevelFileImage EncodeLevelFile() {
  LevelFileImage image{};
  std::copy(kLevelFileSignature.begin(), kLevelFileSignature.end(), image.begin());
  PutCoordinates(level::accurate_x, image.data() + kXOffset);
  PutCoordinates(level::accurate_y, image.data() + kYOffset);
  std::copy_n(level::level_table, level::kLevelTableSize, image.begin() + kTableOffset);
  return image;
}

void LoadLevelFile() {
  const std::optional<std::string> path =
      platform::CurrentHost().ShowOpenFileDialog(OpenDialogRequest("Load TLD File", kOpenKind));
  if (!path) return;
  const std::optional<std::vector<std::uint8_t>> bytes = ReadFileStart(*path, kLevelFileSize);
  if (!bytes) {
    ReportCouldNotOpen(*path);
    return;
  }
  if (!HasSignature(*bytes)) {
    ReportNotValid("TLD");
    return;
  }
  // A short file replaces only the bytes it holds, down to single bytes of a coordinate; the
  // rest keeps its value.
  LevelFileImage image = EncodeLevelFile();
  std::copy(bytes->begin(), bytes->end(), image.begin());
  DecodeLevelFile(image);
  app::EnterLevelSelect();
  // The click that closed the file dialog must not reach level select.
  app::mouse.buttons = 0;
  app::mouse.ignore_buttons = true;
  app::EnableFileSaveItem();
  // The stored X and Y bytes are not trusted: they are rounded anew from the coordinates.
  level::StoreRomValues();
}

void SaveLevelFile() {
  const std::optional<std::string> path =
      platform::CurrentHost().ShowSaveFileDialog(SaveDialogRequest("Save TLD File", kSaveKind));
  if (!path) return;
  DeriveAllShapes();
  if (!WriteFileAtomically(*path, EncodeLevelFile())) ReportCouldNotWrite(*path);
}

}  // namespace files
