// "Load &TLD File ..." with any file, a tool on a loaded shape, and "Sa&ve TLD File ...". The
// load ignores the stored X and Y bytes, so the first (offset 4099) picks the level (high
// nibble) and the tool (low nibble).
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

constexpr std::size_t kStoredPointBytes = 4099;

// From 1; 0 is none.
constexpr std::array<int, 15> kTools{
    kFlipVertically, kFlipHorizontally, kCentre,        kRotate90, kRotate180,
    kRotate270,      kRotate45,         kRotate22_5,    kReverse,  kOneAxisRotate,
    kTwoAxisRotate,  kOneAxisMirror,    kTwoAxisMirror, kOpen,     kClosed};

// Half up, then clamped to 0..255; NaN counts as 0.
UNCOUNTED int Rounded(double accurate) {
  const double v = accurate + 0.5;
  return v >= 0.0 ? static_cast<int>(std::min(v, 255.0)) : 0;
}

UNCOUNTED void RequireRoundedValues(const char* what) {
  for (int i = 0; i < kPointCount; ++i) {
    Require(level_table[kXBytes + i] == Rounded(accurate_x[i]) &&
                level_table[kYBytes + i] == Rounded(accurate_y[i]),
            what);
  }
}

UNCOUNTED void CheckLoad(Bytes file, const files::LevelFileImage& earlier_file) {
  auto expected = Loaded(earlier_file, file);
  const auto now = files::EncodeLevelFile();
  std::copy_n(&now[kStoredPointBytes], 2 * kPointCount, &expected[kStoredPointBytes]);
  RequireRoundedValues("ROM values not rounded after a load");
  LevelRomImage outside = EarlierLevelData().image;
  std::copy_n(level_table, kLevelTableSize, &outside[kLevelTableOffset]);
  Require(now == expected && level_rom_image == outside &&
              app::editor.editor_mode == app::kLevelSelectMode && app::mouse.ignore_buttons &&
              !app::FindMenuItem(app::MainMenu(), kSaveTld)->grayed,
          "a load is not the file, changed the ROM around the table, or left level select or "
          "save off");
}

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
  RequireRoundedValues("ROM values not rounded after a tool");
}

}  // namespace

void RunInput(Bytes file) {
  FuzzHost& host = StartFresh(file, "TLD");
  static const auto earlier_file = files::EncodeLevelFile();
  // As before any load; the menus outlive inputs.
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
  host.RequireSaved(files::EncodeLevelFile());
}

}  // namespace fuzzing
