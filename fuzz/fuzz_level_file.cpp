// "Load &TLD File ..." with any file, NaN, infinite and huge coordinates included, then a tool on
// one of the loaded shapes, and "Sa&ve TLD File ...". A file without the signature
// is refused and changes nothing; any other file replaces the bytes it holds, down to single
// bytes of a coordinate, and the ROM values are the accurate coordinates rounded and clamped.
//
// The X and Y bytes that a level file stores are not used by the load, so the first of them
// (file offset 4099) picks the level (high nibble) and the tool (low nibble). fuzz_drawing draws
// tubes from any coordinates.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "app/editor_state.h"
#include "app/menu_model.h"
#include "app/modes.h"
#include "files/level_file.h"
#include "fuzz_host.h"
#include "level/level_store.h"
#include "resources/command_ids.h"

namespace {

using fuzzing::Require;
using Coordinates = std::array<double, level::kPointCount>;

constexpr std::size_t kTableStart = 4099;
constexpr std::size_t kControlByte = kTableStart;  // the X byte of shape 0, point 0
// The stored X and Y bytes, which the load replaces.
constexpr std::size_t kStoredPointBytesEnd = kTableStart + 2 * level::kPointCount;

constexpr std::array<int, 16> kTools{
    0,  // none
    resources::kFlipVertically,
    resources::kFlipHorizontally,
    resources::kCentre,
    resources::kRotate90,
    resources::kRotate180,
    resources::kRotate270,
    resources::kRotate45,
    resources::kRotate22_5,
    resources::kReverse,
    resources::kOneAxisRotate,
    resources::kTwoAxisRotate,
    resources::kOneAxisMirror,
    resources::kTwoAxisMirror,
    resources::kOpen,
    resources::kClosed,
};

// What the editor holds before the load: an image with a pattern, and fractions in the accurate
// coordinates that only a load may round away.
struct EarlierState {
  level::LevelRomImage image;
  Coordinates x;
  Coordinates y;
  files::LevelFileImage encoded;
};

const EarlierState& Earlier() {
  static const EarlierState earlier = [] {
    for (std::size_t i = 0; i < level::level_rom_image.size(); ++i) {
      level::level_rom_image[i] = static_cast<std::uint8_t>(i * 11 + 3);
    }
    for (std::size_t i = 0; i < level::accurate_x.size(); ++i) {
      level::accurate_x[i] = static_cast<double>(i) + 0.25;
      level::accurate_y[i] = 300.5 - static_cast<double>(i);
    }
    return EarlierState{level::level_rom_image, level::accurate_x, level::accurate_y,
                        files::EncodeLevelFile()};
  }();
  return earlier;
}

void RestoreEarlierState() {
  level::level_rom_image = Earlier().image;
  level::accurate_x = Earlier().x;
  level::accurate_y = Earlier().y;
  // As before any load: the menus are kept from one input to the next.
  app::EnableMenuItem(app::MainMenu(), resources::kSaveTld, MF_BYCOMMAND | MF_GRAYED);
}

RIMFORGE_NO_COVERAGE bool SameBits(const Coordinates& a, const Coordinates& b) {
  return std::memcmp(a.data(), b.data(), sizeof(double) * a.size()) == 0;
}

// Half up, then clamped to 0..255; NaN counts as 0.
RIMFORGE_NO_COVERAGE std::uint8_t RoundedRomValue(double accurate) {
  const double v = accurate + 0.5;
  if (!(v >= 0.0)) return 0;
  if (v >= 255.0) return 255;
  return static_cast<std::uint8_t>(v);
}

RIMFORGE_NO_COVERAGE void RequireRomValuesFollowTheCoordinates(const char* what) {
  for (int shape = 0; shape < level::kShapeCount; ++shape) {
    for (int point = 0; point < level::kPointsPerShape; ++point) {
      const int index = level::PointIndex(shape, point);
      Require(level::XByte(shape, point) == RoundedRomValue(level::accurate_x[index]) &&
                  level::YByte(shape, point) == RoundedRomValue(level::accurate_y[index]),
              what);
    }
  }
}

// The level table and everything after it: the game data around the table must not change.
RIMFORGE_NO_COVERAGE bool OutsideTableUnchanged() {
  const auto table = static_cast<std::size_t>(level::kLevelTableOffset);
  const std::size_t table_end = table + level::kLevelTableSize;
  const level::LevelRomImage& before = Earlier().image;
  return std::memcmp(level::level_rom_image.data(), before.data(), table) == 0 &&
         std::memcmp(&level::level_rom_image[table_end], &before[table_end],
                     before.size() - table_end) == 0;
}

RIMFORGE_NO_COVERAGE void CheckLoaded(std::span<const std::uint8_t> file) {
  Require(fuzzing::Host().messages.empty(), "a level file with the signature was refused");
  files::LevelFileImage expected = Earlier().encoded;
  std::copy_n(file.begin(), std::min(file.size(), expected.size()), expected.begin());
  const files::LevelFileImage now = files::EncodeLevelFile();
  Require(std::memcmp(now.data(), expected.data(), kTableStart) == 0 &&
              std::memcmp(&now[kStoredPointBytesEnd], &expected[kStoredPointBytesEnd],
                          now.size() - kStoredPointBytesEnd) == 0,
          "the coordinates or the level table are not the file's bytes");
  RequireRomValuesFollowTheCoordinates(
      "a load left ROM values that are not the rounded coordinates");
  Require(OutsideTableUnchanged(), "a level file changed the ROM outside the table");
  Require(app::editor.editor_mode == app::kLevelSelectMode && app::mouse.ignore_buttons,
          "a level file load did not end in level select");
  Require(!app::FindMenuItem(app::MainMenu(), resources::kSaveTld)->grayed,
          "a level file load left its save greyed");
}

// A tool on the chosen level: it changes only the current shape, and the ROM values follow.
void UseATool(std::uint8_t control) {
  app::editor.current_level = control >> 4;
  app::EnterViewMode();
  const int shape = level::CurrentShape();
  const Coordinates x_before = level::accurate_x;
  const Coordinates y_before = level::accurate_y;
  if (const int tool = kTools[control & 15]; tool != 0) fuzzing::Command(tool);
  for (int other = 0; other < level::kShapeCount; ++other) {
    if (other == shape) continue;
    const auto first = static_cast<std::size_t>(level::PointIndex(other, 0));
    Require(std::memcmp(&level::accurate_x[first], &x_before[first],
                        sizeof(double) * level::kPointsPerShape) == 0 &&
                std::memcmp(&level::accurate_y[first], &y_before[first],
                            sizeof(double) * level::kPointsPerShape) == 0,
            "a tool changed another shape");
  }
  RequireRomValuesFollowTheCoordinates(
      "a tool left ROM values that are not the rounded coordinates");
}

RIMFORGE_NO_COVERAGE void CheckSaved(const std::string& out) {
  const std::optional<std::vector<std::uint8_t>> saved = fuzzing::ReadScratch(out);
  const files::LevelFileImage now = files::EncodeLevelFile();
  Require(fuzzing::Host().messages.empty(), "a level file save into memory reported a problem");
  Require(saved && std::equal(saved->begin(), saved->end(), now.begin(), now.end()),
          "the saved level file is not the coordinates and table in memory");
}

void RunInput(std::span<const std::uint8_t> file) {
  static const std::string in = fuzzing::ScratchPath("in.TLD");
  static const std::string out = fuzzing::ScratchPath("out.TLD");
  fuzzing::StartFresh();
  fuzzing::FuzzHost& host = fuzzing::Host();
  RestoreEarlierState();

  fuzzing::WriteScratch(in, file);
  host.open_answer = in;
  fuzzing::Command(resources::kLoadTld);
  if (!fuzzing::StartsWith(file, files::kLevelFileSignature)) {
    Require(host.messages == std::vector<std::string>{"Not a valid TLD file"},
            "a level file without the signature was not refused with its message");
    Require(level::level_rom_image == Earlier().image && SameBits(level::accurate_x, Earlier().x) &&
                SameBits(level::accurate_y, Earlier().y),
            "a refused level file changed the level data");
    Require(app::editor.editor_mode == app::kIntroMode, "a refused level file changed the mode");
    return;
  }
  CheckLoaded(file);

  UseATool(file.size() > kControlByte ? file[kControlByte] : 0);

  fuzzing::RemoveScratch(out);
  host.save_answer = out;
  fuzzing::Command(resources::kSaveTld);
  CheckSaved(out);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  RunInput({data, size});
  fuzzing::EndInput();
  return 0;
}
