// "Hack 'Atari Arcade Hits'..." with any program file. FindRomImages finds what a plain scan,
// one byte at a time, finds. A file without both pairs of images, with its level images not
// 24576 bytes apart, or with an image running past its end is refused, with no dialog and
// nothing written. Any other file is written out with the editor's level ROM image (and, when
// asked, its text ROM image) at the places of the chosen set and every other byte as read; the
// editor's own images stay as they were.
//
// The last byte of the file also makes the person's choices: bit 0 "Tempest Tubes", bit 1
// "Include Text Data", bit 2 names the input .scr instead of .exe.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "files/arcade_hits.h"
#include "files/level_rom_file.h"
#include "files/text_rom.h"
#include "fuzz_host.h"
#include "level/level_store.h"
#include "resources/arcade_hits_dialog.h"
#include "resources/command_ids.h"
#include "resources/text_messages_dialog.h"

namespace {

using fuzzing::FuzzDialog;
using fuzzing::Require;
using Signature = std::array<std::uint8_t, 4>;

// A level ROM and a text ROM made here and loaded through their menus, as a person would before
// patching a program file.
void LoadEditorImages() {
  fuzzing::FuzzHost& host = fuzzing::Host();
  std::vector<std::uint8_t> level_rom(level::kLevelRomSize);
  for (std::size_t i = 0; i < level_rom.size(); ++i) {
    level_rom[i] = static_cast<std::uint8_t>(i * 7 + 1);
  }
  std::copy(files::kLevelRomSignature.begin(), files::kLevelRomSignature.end(), level_rom.begin());
  const std::string level_path = fuzzing::ScratchPath("editor.118");
  fuzzing::WriteScratch(level_path, level_rom);
  host.open_answer = level_path;
  fuzzing::Command(resources::kLoadRom);

  // Every message the one record "A" at offset 349.
  std::vector<std::uint8_t> text_rom(files::kTextRomSize, 0x5A);
  std::copy(files::kTextRomSignature.begin(), files::kTextRomSignature.end(), text_rom.begin());
  for (int m = 0; m < files::kMessageCount; ++m) {
    text_rom[files::kMessagePointersOffset + 2 * static_cast<std::size_t>(m)] = 0x5D;
    text_rom[files::kMessagePointersOffset + 2 * static_cast<std::size_t>(m) + 1] = 0xD1;
  }
  text_rom[files::kMessageRecordsOffset + 1] = 0x80 | 2 * 11;
  const std::string text_path = fuzzing::ScratchPath("editor.121");
  fuzzing::WriteScratch(text_path, text_rom);
  host.open_answer = text_path;
  fuzzing::Command(resources::kEditText);

  // The segment directions and length factors in step with the points, as a patch puts them.
  files::DeriveAllShapes();
  Require(host.messages.empty() && files::level_rom_loaded && files::text_rom_loaded,
          "the editor's images did not load");
}

RIMFORGE_NO_COVERAGE void Scan(std::span<const std::uint8_t> bytes, const Signature& signature,
                               std::size_t at, std::optional<std::size_t>& first,
                               std::optional<std::size_t>& last) {
  if (bytes[at] != signature[0] ||
      std::memcmp(bytes.data() + at, signature.data(), signature.size()) != 0) {
    return;
  }
  (first ? last : first) = at;
}

RIMFORGE_NO_COVERAGE files::RomImagePlaces PlainScan(std::span<const std::uint8_t> bytes) {
  files::RomImagePlaces places;
  for (std::size_t at = 0; at + 4 <= bytes.size(); ++at) {
    Scan(bytes, files::kLevelRomSignature, at, places.first_level_rom, places.last_level_rom);
    Scan(bytes, files::kTextRomSignature, at, places.first_text_rom, places.last_text_rom);
  }
  return places;
}

RIMFORGE_NO_COVERAGE bool IsValid(const files::RomImagePlaces& places, std::size_t size) {
  return places.first_level_rom && places.last_level_rom && places.first_text_rom &&
         places.last_text_rom &&
         *places.last_level_rom - *places.first_level_rom == files::kLevelRomDistance &&
         *places.last_level_rom + level::kLevelRomSize <= size &&
         *places.last_text_rom + files::kTextRomSize <= size;
}

RIMFORGE_NO_COVERAGE void Put(std::vector<std::uint8_t>& bytes, std::size_t at,
                              std::span<const std::uint8_t> image) {
  std::copy(image.begin(), image.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
}

void RunInput(std::span<const std::uint8_t> file) {
  static const std::string exe = fuzzing::ScratchPath("in.exe");
  static const std::string scr = fuzzing::ScratchPath("in.scr");
  static const std::string out = fuzzing::ScratchPath("out");
  static const bool loaded = (LoadEditorImages(), true);
  static const level::LevelRomImage level_image = level::level_rom_image;
  static const std::array<std::uint8_t, files::kTextRomSize> text_image = files::text_rom_image;
  const std::uint8_t choices = file.empty() ? 0 : file.back();
  const bool tubes = (choices & 1) != 0;
  const bool include_text = (choices & 2) != 0;
  const std::string& in = (choices & 4) != 0 ? scr : exe;

  const files::RomImagePlaces places = files::FindRomImages(file);
  const files::RomImagePlaces expected_places = PlainScan(file);
  Require(loaded && places.first_level_rom == expected_places.first_level_rom &&
              places.last_level_rom == expected_places.last_level_rom &&
              places.first_text_rom == expected_places.first_text_rom &&
              places.last_text_rom == expected_places.last_text_rom,
          "FindRomImages does not find what a plain scan finds");

  fuzzing::FuzzHost& host = fuzzing::Host();
  host.Clear();
  fuzzing::WriteScratch(in, file);
  fuzzing::RemoveScratch(out);
  host.open_answer = in;
  host.save_answer = out;
  host.people[resources::kArcadeHitsDialogId] = [&](FuzzDialog& dialog) {
    if (tubes) dialog.Click(resources::kTempestTubesButton);
    if (include_text) dialog.Click(resources::kIncludeTextDataBox);
    dialog.Click(resources::kArcadeHitsOkButton);
  };
  fuzzing::Command(resources::kHackArcadeHits);

  Require(level::level_rom_image == level_image && files::text_rom_image == text_image,
          "patching a program file changed the editor's images");
  const std::optional<std::vector<std::uint8_t>> written = fuzzing::ReadScratch(out);
  if (!IsValid(expected_places, file.size())) {
    Require(host.messages == std::vector<std::string>{"Not a valid 'Atari Arcade Hits' file"},
            "a program file that is not valid was not refused with its message");
    Require(host.dialogs_run.empty() && !written, "a refused program file was patched");
    return;
  }
  Require(host.messages.empty(), "a valid program file was refused");
  const std::string extension = (choices & 4) != 0 ? "scr" : "exe";
  Require(host.save_dialogs.size() == 1 && host.save_dialogs[0].default_extension == extension &&
              host.save_dialogs[0].filter_pattern == "*." + extension,
          "the save dialog does not offer the opened file's kind");
  std::vector<std::uint8_t> expected(file.begin(), file.end());
  Put(expected, tubes ? *places.last_level_rom : *places.first_level_rom, level_image);
  if (include_text) {
    Put(expected, tubes ? *places.last_text_rom : *places.first_text_rom, text_image);
  }
  Require(written == expected, "the written program file is not the patched input");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  RunInput({data, size});
  fuzzing::EndInput();
  return 0;
}
