// "&Load ROM ..." and "&Save ROM ..." with any file.
#include "app/editor_state.h"
#include "files/level_rom_file.h"
#include "fuzz_host.h"
#include "resources/command_ids.h"

namespace fuzzing {
namespace {

using namespace level;

UNCOUNTED void CheckLoad(Bytes file) {
  Require(level_rom_image == Loaded(EarlierLevelData().image, file) &&
              std::equal(accurate_x.begin(), accurate_x.end(), &level_table[kXBytes]) &&
              std::equal(accurate_y.begin(), accurate_y.end(), &level_table[kYBytes]) &&
              app::editor.editor_mode == app::kLevelSelectMode && app::mouse.ignore_buttons &&
              files::level_rom_loaded,
          "a load is not the file over the earlier image, its ROM values as coordinates, in "
          "level select and flagged");
}

UNCOUNTED void CheckSaved(Bytes file) {
  Host().RequireSaved(level_rom_image);
  // A save derives only the segment directions and the length factors.
  LevelRomImage kept = Loaded(EarlierLevelData().image, file);
  const auto table = kept.begin() + kLevelTableOffset;
  std::copy_n(&level_table[kSegmentDirections], kPointCount, table + kSegmentDirections);
  static_assert(kLengthFactorHigh == kLengthFactorLow + kShapeCount);
  std::copy_n(&level_table[kLengthFactorLow], 2 * kShapeCount, table + kLengthFactorLow);
  Require(level_rom_image == kept, "a save changed a byte it does not derive");
  for (int i = 0; i < kPointCount; ++i) {
    Require(level_table[kSegmentDirections + i] < 16, "a segment direction beyond 15");
  }
  for (int shape = 0; shape < kShapeCount; ++shape) {
    const int low = ShapeByte(kLengthFactorLow, shape);
    const int factor = ShapeByte(kLengthFactorHigh, shape) * 128 + low;
    // From mean length 0 (856) to the longest segment, 360 (146).
    Require(low < 128 && factor >= 146 && factor <= 856, "a length factor out of its range");
  }
}

}  // namespace

void RunInput(Bytes file) {
  StartFresh(file, "118");
  Command(resources::kLoadRom);
  if (!Took(StartsWith(file, files::kLevelRomSignature), "Not a valid Tempest ROM 118 file",
            CurrentLevelData() == EarlierLevelData() &&
                app::editor.editor_mode == app::kIntroMode && !files::level_rom_loaded)) {
    return;
  }
  CheckLoad(file);
  Command(resources::kSaveRom);
  CheckSaved(file);
}

}  // namespace fuzzing
