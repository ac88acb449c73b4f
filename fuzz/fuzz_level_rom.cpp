// "&Load ROM ..." and "&Save ROM ..." with any file. A file without the signature is refused and
// changes nothing; any other file replaces the bytes of the image that it holds, the accurate
// coordinates become its ROM values, and the save writes the image with segment directions and
// length factors in their ranges and every other byte as loaded.
#include "app/editor_state.h"
#include "files/level_rom_file.h"
#include "fuzz_host.h"
#include "resources/command_ids.h"

namespace fuzzing {
namespace {

using namespace level;

// Whether the load took the file.
RIMFORGE_NO_COVERAGE bool CheckLoad(Bytes file) {
  if (!StartsWith(file, files::kLevelRomSignature)) {
    Require(RefusedLevels("Not a valid Tempest ROM 118 file") && !files::level_rom_loaded,
            "a level ROM without the signature was not refused, or changed the levels, mode or "
            "loaded flag");
    return false;
  }
  Require(Host().messages.empty(), "a level ROM with the signature was refused");
  LevelRomImage expected = EarlierLevelData().image;
  std::copy_n(file.begin(), std::min(file.size(), expected.size()), expected.begin());
  Require(level_rom_image == expected, "the image is not the file's bytes over the earlier image");
  for (int i = 0; i < kPointCount; ++i) {
    Require(accurate_x[i] == level_table[kXBytes + i] && accurate_y[i] == level_table[kYBytes + i],
            "the accurate coordinates are not the ROM values after a load");
  }
  Require(app::editor.editor_mode == app::kLevelSelectMode && files::level_rom_loaded &&
              app::mouse.ignore_buttons,
          "a load did not end in level select with the loaded flag");
  return true;
}

RIMFORGE_NO_COVERAGE void CheckSaved(const LevelRomImage& loaded) {
  Require(Host().messages.empty(), "a save into memory reported a problem");
  Require(Host().SavedIs(level_rom_image), "the saved file is not the image");
  // All but the segment directions and the length factors, which a save derives, as loaded.
  LevelRomImage kept = loaded;
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
  FuzzHost& host = StartFresh();
  PutLevelData(EarlierLevelData());
  host.Offer(file, "in.118", "out.118");
  Command(resources::kLoadRom);
  if (!CheckLoad(file)) return;
  const LevelRomImage loaded = level_rom_image;
  Command(resources::kSaveRom);
  CheckSaved(loaded);
}

}  // namespace fuzzing
