// "Hack 'Atari Arcade Hits'..." with any program file. Its last byte also makes the choices:
// bit 0 "Tempest Tubes", bit 1 "Include Text Data", bit 2 names it .scr instead of .exe.
#include <cstring>
#include <tuple>

#include "files/arcade_hits.h"
#include "files/level_rom_file.h"
#include "fuzz_host.h"
#include "resources/arcade_hits_dialog.h"
#include "resources/command_ids.h"

namespace fuzzing {
namespace {

using namespace files;
using namespace level;
using namespace resources;

// Through their menus, as a person would before a patch.
bool LoadEditorImages() {
  FuzzHost& host = Host();
  LevelRomImage level_rom = EarlierLevelData().image;
  std::ranges::copy(kLevelRomSignature, level_rom.begin());
  host.Offer(level_rom, "118");
  Command(kLoadRom);
  host.Offer(ValidTextImage(), "121");
  Command(kEditText);
  // In step with the points, as a patch puts them.
  DeriveAllShapes();
  return host.messages.empty() && level_rom_loaded && text_rom_loaded;
}

UNCOUNTED void Scan(Bytes bytes, Bytes signature, std::size_t at, std::optional<std::size_t>& first,
                    std::optional<std::size_t>& last) {
  if (bytes[at] == signature[0] && std::memcmp(&bytes[at], signature.data(), 4) == 0) {
    (first ? last : first) = at;
  }
}

UNCOUNTED void CheckPlaces(Bytes bytes, const RomImagePlaces& found) {
  RomImagePlaces places;
  for (std::size_t at = 0; at + 4 <= bytes.size(); ++at) {
    Scan(bytes, kLevelRomSignature, at, places.first_level_rom, places.last_level_rom);
    Scan(bytes, kTextRomSignature, at, places.first_text_rom, places.last_text_rom);
  }
  const auto all = [](const RomImagePlaces& p) {
    return std::tie(p.first_level_rom, p.last_level_rom, p.first_text_rom, p.last_text_rom);
  };
  Require(all(found) == all(places), "FindRomImages does not find what a plain scan finds");
}

UNCOUNTED bool IsValid(const RomImagePlaces& places, std::size_t size) {
  const auto& [first_level, last_level, first_text, last_text] = places;
  return first_level && last_level && first_text && last_text &&
         *last_level - *first_level == kLevelRomDistance && *last_level + kLevelRomSize <= size &&
         *last_text + kTextRomSize <= size;
}

}  // namespace

void RunInput(Bytes file) {
  static const bool loaded = LoadEditorImages();
  static const auto level_image = level_rom_image;
  static const auto text_image = text_rom_image;
  Require(loaded, "the editor's images did not load");
  const std::uint8_t choices = file.empty() ? 0 : file.back();
  const bool tubes = (choices & 1) != 0;
  const bool include_text = (choices & 2) != 0;
  const std::string extension = (choices & 4) != 0 ? "scr" : "exe";

  const auto places = FindRomImages(file);
  CheckPlaces(file, places);

  FuzzHost& host = Host();
  host.Clear();
  host.Offer(file, extension);
  host.people[kArcadeHitsDialogId] = [&](FuzzDialog& dialog) {
    if (tubes) dialog.Click(kTempestTubesButton);
    if (include_text) dialog.Click(kIncludeTextDataBox);
    dialog.Click(kArcadeHitsOkButton);
  };
  Command(kHackArcadeHits);

  Require(level_rom_image == level_image && text_rom_image == text_image,
          "patching a program file changed the editor's images");
  if (!Took(IsValid(places, file.size()), "Not a valid 'Atari Arcade Hits' file")) return;
  Require(host.save_dialogs.size() == 1 && host.save_dialogs[0].default_extension == extension &&
              host.save_dialogs[0].filter_pattern == "*." + extension,
          "the save dialog does not offer the opened file's kind");
  std::vector<std::uint8_t> expected(file.begin(), file.end());
  std::ranges::copy(level_image,
                    &expected[*(tubes ? places.last_level_rom : places.first_level_rom)]);
  if (include_text) {
    std::ranges::copy(text_image,
                      &expected[*(tubes ? places.last_text_rom : places.first_text_rom)]);
  }
  host.RequireSaved(expected);
}

}  // namespace fuzzing
