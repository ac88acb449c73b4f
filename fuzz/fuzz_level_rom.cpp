// "&Load ROM ..." and "&Save ROM ..." with any file. A file without the signature is refused and
// changes nothing; any other file replaces the bytes of the image that it holds, the accurate
// coordinates become its ROM values, and the save writes the image with segment directions and
// length factors in their ranges and every other byte as loaded.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "app/editor_state.h"
#include "files/level_rom_file.h"
#include "fuzz_host.h"
#include "level/level_store.h"
#include "resources/command_ids.h"

namespace {

using fuzzing::Require;

using Coordinates = std::array<double, level::kPointCount>;

// What the editor holds before the load: an image with a pattern, and fractions in the accurate
// coordinates that only a load may round away.
struct EarlierState {
  level::LevelRomImage image;
  Coordinates x;
  Coordinates y;
};

const EarlierState& Earlier() {
  static const EarlierState earlier = [] {
    EarlierState state{};
    for (std::size_t i = 0; i < state.image.size(); ++i) {
      state.image[i] = static_cast<std::uint8_t>(i * 11 + 3);
    }
    for (std::size_t i = 0; i < state.x.size(); ++i) {
      state.x[i] = static_cast<double>(i) + 0.25;
      state.y[i] = 300.5 - static_cast<double>(i);
    }
    return state;
  }();
  return earlier;
}

RIMFORGE_NO_COVERAGE bool SameBits(const Coordinates& a, const Coordinates& b) {
  return std::memcmp(a.data(), b.data(), sizeof(double) * a.size()) == 0;
}

// The bytes that a save keeps: all but the segment directions and the length factors, which it
// derives.
struct ByteRange {
  std::size_t first;
  std::size_t end;
};
constexpr std::array<ByteRange, 3> kKeptBySave{{
    {0, level::kLevelTableOffset + level::kSegmentDirections},
    {level::kLevelTableOffset + level::kLevelToShapeMap,
     level::kLevelTableOffset + level::kLengthFactorLow},
    {level::kLevelTableOffset + level::kLengthFactorHigh + level::kShapeCount,
     level::kLevelRomSize},
}};

RIMFORGE_NO_COVERAGE void CheckRefused() {
  const fuzzing::FuzzHost& host = fuzzing::Host();
  Require(host.messages == std::vector<std::string>{"Not a valid Tempest ROM 118 file"},
          "a level ROM without the signature was not refused with its message");
  Require(level::level_rom_image == Earlier().image, "a refused level ROM changed the image");
  Require(SameBits(level::accurate_x, Earlier().x) && SameBits(level::accurate_y, Earlier().y),
          "a refused level ROM changed the accurate coordinates");
  Require(app::editor.editor_mode == app::kIntroMode && !files::level_rom_loaded,
          "a refused level ROM changed the mode or the loaded flag");
}

RIMFORGE_NO_COVERAGE void CheckLoaded(std::span<const std::uint8_t> file) {
  const std::size_t held = std::min(file.size(), level::level_rom_image.size());
  const auto image = level::level_rom_image.begin();
  Require(std::equal(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(held), image),
          "the image does not hold the file's bytes");
  Require(std::equal(image + static_cast<std::ptrdiff_t>(held), level::level_rom_image.end(),
                     Earlier().image.begin() + static_cast<std::ptrdiff_t>(held)),
          "a short level ROM changed bytes beyond its end");
  for (int shape = 0; shape < level::kShapeCount; ++shape) {
    for (int point = 0; point < level::kPointsPerShape; ++point) {
      const int index = level::PointIndex(shape, point);
      Require(level::accurate_x[index] == level::XByte(shape, point) &&
                  level::accurate_y[index] == level::YByte(shape, point),
              "the accurate coordinates are not the ROM values after a load");
    }
  }
  Require(app::editor.editor_mode == app::kLevelSelectMode && files::level_rom_loaded &&
              app::mouse.ignore_buttons,
          "a load did not end in level select with the loaded flag");
}

RIMFORGE_NO_COVERAGE void CheckSaved(const std::string& out, const level::LevelRomImage& loaded) {
  const std::optional<std::vector<std::uint8_t>> saved = fuzzing::ReadScratch(out);
  Require(fuzzing::Host().messages.empty(), "a save into memory reported a problem");
  Require(saved && std::equal(saved->begin(), saved->end(), level::level_rom_image.begin(),
                              level::level_rom_image.end()),
          "the saved file is not the image");
  for (const ByteRange& kept : kKeptBySave) {
    Require(std::memcmp(&loaded[kept.first], &level::level_rom_image[kept.first],
                        kept.end - kept.first) == 0,
            "a save changed a byte it does not derive");
  }
  for (int shape = 0; shape < level::kShapeCount; ++shape) {
    for (int point = 0; point < level::kPointsPerShape; ++point) {
      Require(level::SegmentDirection(shape, point) < 16, "a segment direction beyond 15");
    }
    const int low = level::ShapeByte(level::kLengthFactorLow, shape);
    const int factor = level::ShapeByte(level::kLengthFactorHigh, shape) * 128 + low;
    // From mean length 0 (856) to the longest segment, 360 (146).
    Require(low < 128 && factor >= 146 && factor <= 856, "a length factor out of its range");
  }
}

void RunInput(std::span<const std::uint8_t> file) {
  static const std::string in = fuzzing::ScratchPath("in.118");
  static const std::string out = fuzzing::ScratchPath("out.118");
  fuzzing::StartFresh();
  fuzzing::FuzzHost& host = fuzzing::Host();
  level::level_rom_image = Earlier().image;
  level::accurate_x = Earlier().x;
  level::accurate_y = Earlier().y;

  fuzzing::WriteScratch(in, file);
  host.open_answer = in;
  fuzzing::Command(resources::kLoadRom);
  if (!fuzzing::StartsWith(file, files::kLevelRomSignature)) {
    CheckRefused();
    return;
  }
  Require(host.messages.empty(), "a level ROM with the signature was refused");
  CheckLoaded(file);

  const level::LevelRomImage loaded = level::level_rom_image;
  fuzzing::RemoveScratch(out);
  host.save_answer = out;
  fuzzing::Command(resources::kSaveRom);
  CheckSaved(out, loaded);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  RunInput({data, size});
  fuzzing::EndInput();
  return 0;
}
