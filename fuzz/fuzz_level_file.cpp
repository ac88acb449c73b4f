// "Load &TLD File ..." with any file, NaN, infinite and huge coordinates included, then a tool on
// one of the loaded shapes, and "Sa&ve TLD File ...". A file without the signature is refused
// and changes nothing; any other file replaces the bytes it holds, down to single bytes of a
// coordinate, and the ROM values are the accurate coordinates rounded and clamped.
//
// The load does not use the X and Y bytes that a level file stores, so the first of them (file
// offset 4099) picks the level (high nibble) and the tool (low nibble).
#include "app/editor_state.h"
#include "app/menu_model.h"
#include "app/modes.h"
#include "files/level_file.h"
#include "fuzz_host.h"
#include "resources/command_ids.h"

namespace fuzzing {
namespace {

using namespace level;
using namespace resources;

// The stored X and Y bytes, which the load replaces; the first is the control byte.
constexpr std::size_t kStoredPointBytes = 4099;

// By the low nibble of the control byte, from 1; 0 is none.
constexpr std::array<int, 15> kTools{
    kFlipVertically, kFlipHorizontally, kCentre,        kRotate90, kRotate180,
    kRotate270,      kRotate45,         kRotate22_5,    kReverse,  kOneAxisRotate,
    kTwoAxisRotate,  kOneAxisMirror,    kTwoAxisMirror, kOpen,     kClosed};

// Half up, then clamped to 0..255; NaN counts as 0.
RIMFORGE_NO_COVERAGE int Rounded(double accurate) {
  const double v = accurate + 0.5;
  return v >= 0.0 ? static_cast<int>(std::min(v, 255.0)) : 0;
}

RIMFORGE_NO_COVERAGE void RequireRomValuesFollowTheCoordinates(const char* what) {
  for (int i = 0; i < kPointCount; ++i) {
    Require(level_table[kXBytes + i] == Rounded(accurate_x[i]) &&
                level_table[kYBytes + i] == Rounded(accurate_y[i]),
            what);
  }
}

RIMFORGE_NO_COVERAGE void CheckLoad(Bytes file, const files::LevelFileImage& earlier_file) {
  auto expected = Loaded(earlier_file, file);
  const auto now = files::EncodeLevelFile();
  std::copy_n(&now[kStoredPointBytes], 2 * kPointCount, &expected[kStoredPointBytes]);
  Require(now == expected, "the coordinates or the level table are not the file's bytes");
  RequireRomValuesFollowTheCoordinates(
      "a load left ROM values that are not the rounded coordinates");
  // The game data around the table must not change.
  LevelRomImage outside = EarlierLevelData().image;
  std::copy_n(level_table, kLevelTableSize, &outside[kLevelTableOffset]);
  Require(level_rom_image == outside, "a level file changed the ROM outside the table");
  Require(app::editor.editor_mode == app::kLevelSelectMode && app::mouse.ignore_buttons &&
              !app::FindMenuItem(app::MainMenu(), kSaveTld)->grayed,
          "a level file load did not end in level select with its save enabled");
}

// A tool on the chosen level: it changes only the current shape, and the ROM values follow.
void UseATool(std::uint8_t control) {
  app::editor.current_level = control >> 4;
  app::EnterViewMode();
  const int first = PointIndex(CurrentShape(), 0);
  LevelData expected = CurrentLevelData();
  if (const int tool = control & 15) Command(kTools[tool - 1]);
  expected.image = level_rom_image;
  std::copy_n(&accurate_x[first], kPointsPerShape, &expected.x[first]);
  std::copy_n(&accurate_y[first], kPointsPerShape, &expected.y[first]);
  Require(CurrentLevelData() == expected, "a tool changed another shape");
  RequireRomValuesFollowTheCoordinates(
      "a tool left ROM values that are not the rounded coordinates");
}

}  // namespace

void RunInput(Bytes file) {
  FuzzHost& host = StartFresh(file, "TLD");
  static const auto earlier_file = files::EncodeLevelFile();
  // As before any load: the menus are kept from one input to the next.
  app::EnableMenuItem(app::MainMenu(), kSaveTld, MF_BYCOMMAND | MF_GRAYED);
  Command(kLoadTld);
  if (!Took(
          StartsWith(file, files::kLevelFileSignature), "Not a valid TLD file",
          CurrentLevelData() == EarlierLevelData() && app::editor.editor_mode == app::kIntroMode)) {
    return;
  }
  CheckLoad(file, earlier_file);
  UseATool(file.size() > kStoredPointBytes ? file[kStoredPointBytes] : 0);
  Command(kSaveTld);
  Require(host.SavedIs(files::EncodeLevelFile()),
          "a level file save reported a problem or is not what is in memory");
}

}  // namespace fuzzing
