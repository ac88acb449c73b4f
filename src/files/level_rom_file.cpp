#include "files/level_rom_file.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/editor_state.h"
#include "app/menu_state.h"
#include "app/modes.h"
#include "files/file_io.h"
#include "level/level_store.h"
#include "util/saturating_cast.h"

namespace files {

bool level_rom_loaded = false;

namespace {

constexpr FileKind kLevelRomKind{"ROM 118 Files (*.118)", "*.118", "118"};

// The game's own constants: 1/(2 pi) as it stores it, and a sector offset of 0.55, not 0.5.
constexpr double kTurnsPerRadian = 0.15915494309188485;
constexpr double kSectorOffset = 0.55;
constexpr int kDirections = 16;

// The length factor is 1 / (mean segment length * slope + base), kept as 7-bit low and high.
constexpr double kLengthSlope = 1.5766540534342395e-5;
constexpr double kLengthBase = 0.0011681573214080954;

bool HasSignature(const std::vector<std::uint8_t>& bytes) {
  return bytes.size() >= kLevelRomSignature.size() &&
         std::equal(kLevelRomSignature.begin(), kLevelRomSignature.end(), bytes.begin());
}

int NextPoint(int point) {
  return (point + 1) % level::kPointsPerShape;
}

}  // namespace

void LoadLevelRom() {
  const std::optional<std::string> path = platform::CurrentHost().ShowOpenFileDialog(
      OpenDialogRequest("Load ROM 118 File", kLevelRomKind));
  if (!path) return;
  const std::optional<std::vector<std::uint8_t>> bytes = ReadFileStart(*path, level::kLevelRomSize);
  if (!bytes) {
    ReportCouldNotOpen(*path);
    return;
  }
  if (!HasSignature(*bytes)) {
    ReportNotValid("Tempest ROM 118");
    return;
  }
  // A short file overwrites only what it holds; the rest of the image stays.
  std::copy(bytes->begin(), bytes->end(), level::level_rom_image.begin());
  app::EnterLevelSelect();
  // The click that closed the file dialog must not reach level select.
  app::mouse.buttons = 0;
  app::mouse.ignore_buttons = true;
  level_rom_loaded = true;
  app::EnableRomSaveItems();
  app::EnableFileSaveItem();
  level::LoadAccurateFromRom();
}

void SaveLevelRom() {
  const std::optional<std::string> path = platform::CurrentHost().ShowSaveFileDialog(
      SaveDialogRequest("Save ROM 118 File", kLevelRomKind));
  if (!path) return;
  DeriveAllShapes();
  if (!WriteFileAtomically(*path, level::level_rom_image)) ReportCouldNotWrite(*path);
}

void DeriveSegmentDirections(int shape) {
  for (int i = 0; i < level::kPointsPerShape; ++i) {
    const int j = NextPoint(i);
    const int dx = level::XByte(shape, j) - level::XByte(shape, i);
    const int dy = level::YByte(shape, j) - level::YByte(shape, i);
    const double angle = std::atan2(dy, dx);
    // Never below 8.55, since the angle is at least -pi.
    const double t = angle * kDirections * kTurnsPerRadian + kDirections + kSectorOffset;
    level::SegmentDirection(shape, i) =
        static_cast<std::uint8_t>(util::SaturatingTrunc<int>(t) % kDirections);
  }
}

void DeriveLengthFactor(int shape) {
  // An open shape has no segment from its last point back to the first.
  const int segments = level::IsOpen(shape) ? level::kPointsPerShape - 1 : level::kPointsPerShape;
  int sum = 0;
  for (int i = 0; i < segments; ++i) {
    const int j = NextPoint(i);
    const int dx = level::XByte(shape, j) - level::XByte(shape, i);
    const int dy = level::YByte(shape, i) - level::YByte(shape, j);
    sum += util::SaturatingTrunc<int>(std::sqrt(dx * dx + dy * dy));
  }
  const int mean = sum / segments;
  const int factor = util::SaturatingTrunc<int>(1.0 / (mean * kLengthSlope + kLengthBase));
  level::ShapeByte(level::kLengthFactorHigh, shape) = static_cast<std::uint8_t>(factor / 128);
  level::ShapeByte(level::kLengthFactorLow, shape) = static_cast<std::uint8_t>(factor % 128);
}

void DeriveAllShapes() {
  for (int shape = 0; shape < level::kShapeCount; ++shape) {
    DeriveSegmentDirections(shape);
    DeriveLengthFactor(shape);
  }
}

void ResetLevelRomFile() {
  level_rom_loaded = false;
}

}  // namespace files
