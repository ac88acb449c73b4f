// "Hack 'Atari Arcade Hits'..." with any program file. Its last byte makes the choices: bit 0
// "Tempest Tubes", bit 1 "Include Text Data", bit 2 .scr for .exe, bit 3 a file larger than
// any read whole, by a size from bits 4..7.
#include <cstring>
#include <tuple>

#include "files/arcade_hits.h"
#include "files/file_io.h"
#include "files/level_rom_file.h"
#include "fuzz_host.h"
#include "resources/arcade_hits_dialog.h"
#include "resources/command_ids.h"

namespace fuzzing {
namespace {

using namespace files;
using namespace level;
using namespace resources;

constexpr std::string_view kNotValid = "Not a valid 'Atari Arcade Hits' file";
constexpr std::string_view kHidesTheImages =
    "The edited data holds a signature of the game's data, so the patched file could not be "
    "patched again. Nothing was written.";

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

UNCOUNTED auto All(const RomImagePlaces& p) {
  return std::tie(p.first_level_rom, p.last_level_rom, p.first_text_rom, p.last_text_rom);
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
  Require(All(found) == All(places), "FindRomImages does not find what a plain scan finds");
}

UNCOUNTED bool IsValid(const RomImagePlaces& p) {
  return p.first_level_rom && p.last_level_rom && p.first_text_rom && p.last_text_rom &&
         *p.last_level_rom - *p.first_level_rom == kLevelRomDistance;
}

// Puts `image` at `place`, unless it runs past the end.
UNCOUNTED bool Put(std::vector<std::uint8_t>& bytes, std::size_t place, Bytes image) {
  if (place + image.size() > bytes.size()) return false;
  std::ranges::copy(image, &bytes[place]);
  return true;
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
  const bool huge = (choices & 8) != 0;
  host.Offer(file, extension,
             huge ? kLargestWholeFile + 1 + (std::uintmax_t{file.size()} << (choices >> 4)) : 0);
  host.people[kArcadeHitsDialogId] = [&](FuzzDialog& dialog) {
    if (tubes) dialog.Click(kTempestTubesButton);
    if (include_text) dialog.Click(kIncludeTextDataBox);
    dialog.Click(kArcadeHitsOkButton);
  };
  Command(kHackArcadeHits);

  Require(level_rom_image == level_image && text_rom_image == text_image,
          "a patch changed the editor's images");
  if (huge || !IsValid(places)) {
    Took(false, huge ? "Could not open \"" + *host.open_answer + "\"." : std::string(kNotValid));
    return;
  }
  Require(host.save_dialogs.size() == 1 && host.save_dialogs[0].default_extension == extension &&
              host.save_dialogs[0].filter_pattern == "*." + extension,
          "the save dialog does not offer the opened file's kind");
  // Only the images written must fit, and the next patch must find the images where this did.
  std::vector<std::uint8_t> expected(file.begin(), file.end());
  const bool inside =
      Put(expected, *(tubes ? places.last_level_rom : places.first_level_rom), level_image) &&
      (!include_text ||
       Put(expected, *(tubes ? places.last_text_rom : places.first_text_rom), text_image));
  if (inside && All(FindRomImages(expected)) == All(places)) {
    host.RequireSaved(expected);
    return;
  }
  Require(host.messages.size() == 1 && host.messages[0] == (inside ? kHidesTheImages : kNotValid),
          "an unwritable patch was not refused with its message");
  host.RequireSaved({}, false);
}

}  // namespace fuzzing
