#include "files/arcade_hits.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

#include "files/file_io.h"
#include "files/level_rom_file.h"
#include "files/text_rom.h"
#include "level/level_store.h"
#include "platform/file_system.h"
#include "resources/arcade_hits_dialog.h"

namespace files {

ArcadeHitsChoices arcade_hits_choices;

namespace {

constexpr FileKind kProgramKind{"Atari Arcade Hits (*.exe,*.scr)", "*.exe;*.scr", "exe"};
// The save dialog offers the kind of the opened file by the first three characters of its
// extension; a name without an extension counts as the compilation's program.
constexpr std::size_t kRememberedExtensionLength = 3;
constexpr const char* kFallbackExtension = "exe";

constexpr INT_PTR kHandled = 1;
constexpr INT_PTR kNotHandled = 0;

using Signature = std::array<std::uint8_t, 4>;

// Every occurrence of `signature`: memchr finds the candidates for its first byte, which are
// rare, so a file of many megabytes is scanned at memory speed.
void FindSignature(std::span<const std::uint8_t> buffer, const Signature& signature,
                   std::optional<std::size_t>& first, std::optional<std::size_t>& last) {
  if (buffer.size() < signature.size()) return;
  const std::uint8_t* const begin = buffer.data();
  const std::uint8_t* const end = begin + (buffer.size() - signature.size() + 1);
  const std::uint8_t* at = begin;
  while (at < end) {
    at = static_cast<const std::uint8_t*>(
        std::memchr(at, signature[0], static_cast<std::size_t>(end - at)));
    if (at == nullptr) return;
    if (std::memcmp(at, signature.data(), signature.size()) == 0) {
      const auto offset = static_cast<std::size_t>(at - begin);
      if (first) {
        last = offset;
      } else {
        first = offset;
      }
    }
    ++at;
  }
}

// Both pairs found and the level ROMs the right distance apart. Whether an image lies wholly
// inside the file matters only for the images a patch writes.
bool IsValid(const RomImagePlaces& places) {
  return places.first_level_rom && places.last_level_rom && places.first_text_rom &&
         places.last_text_rom &&
         *places.last_level_rom - *places.first_level_rom == kLevelRomDistance;
}

bool SamePlaces(const RomImagePlaces& a, const RomImagePlaces& b) {
  return a.first_level_rom == b.first_level_rom && a.last_level_rom == b.last_level_rom &&
         a.first_text_rom == b.first_text_rom && a.last_text_rom == b.last_text_rom;
}

std::string RememberedExtension(const std::string& path) {
  const std::string extension = platform::Utf8FromPath(platform::PathFromUtf8(path).extension());
  if (extension.size() <= 1) return kFallbackExtension;  // none, or a bare dot
  return extension.substr(1, kRememberedExtensionLength);
}

// Puts `image` at `place`; false when it would run past the file's end.
bool PutImage(std::vector<std::uint8_t>& buffer, std::size_t place,
              std::span<const std::uint8_t> image) {
  if (place > buffer.size() || buffer.size() - place < image.size()) return false;
  std::copy(image.begin(), image.end(), buffer.begin() + static_cast<std::ptrdiff_t>(place));
  return true;
}

// The game reads its segment directions and length factors from the image, so they are
// brought in step with the points first, as a save of the level ROM does. Reported and false
// when a chosen image runs past the file's end, or when the patched file would have its images
// found elsewhere by the next patch (an image of the editor's holding a signature).
bool PatchProgramFile(ArcadeHitsFile& file) {
  DeriveAllShapes();
  const bool tubes = arcade_hits_choices.level_set == kTempestTubes;
  std::vector<std::uint8_t> patched = file.buffer;
  bool inside =
      PutImage(patched, *(tubes ? file.places.last_level_rom : file.places.first_level_rom),
               level::level_rom_image);
  if (arcade_hits_choices.include_text) {
    inside = inside &&
             PutImage(patched, *(tubes ? file.places.last_text_rom : file.places.first_text_rom),
                      text_rom_image);
  }
  if (!inside) {
    ReportNotValid("'Atari Arcade Hits'");
    return false;
  }
  if (!SamePlaces(FindRomImages(patched), file.places)) {
    ReportProblem(
        "The edited data holds a signature of the game's data, so the patched file could not be "
        "patched again. Nothing was written.");
    return false;
  }
  file.buffer = std::move(patched);
  return true;
}

INT_PTR HandleClick(platform::Dialog& dialog, int id) {
  switch (id) {
    case resources::kIncludeTextDataBox:
      arcade_hits_choices.include_text = !arcade_hits_choices.include_text;
      return kHandled;
    case resources::kOriginalLevelsButton:
      arcade_hits_choices.level_set = kOriginalLevels;
      return kHandled;
    case resources::kTempestTubesButton:
      arcade_hits_choices.level_set = kTempestTubes;
      return kHandled;
    case resources::kArcadeHitsOkButton:
      dialog.EndDialog(IDOK);
      return kHandled;
    case resources::kArcadeHitsCancelButton:
      arcade_hits_choices.cancelled = true;
      dialog.EndDialog(IDCANCEL);
      return kHandled;
    default:
      // Escape (IDCANCEL) is not handled: the dialog closes by its buttons and close box.
      return kNotHandled;
  }
}

}  // namespace

void HackArcadeHits() {
  std::optional<ArcadeHitsFile> file = LoadArcadeHitsFile();
  if (!file) return;
  arcade_hits_choices.cancelled = false;
  platform::CurrentHost().RunModalDialog(resources::ArcadeHitsDialog(), nullptr,
                                         ArcadeHitsDialogProc);
  if (arcade_hits_choices.cancelled) return;
  SaveArcadeHitsFile(*file);
}

std::optional<ArcadeHitsFile> LoadArcadeHitsFile() {
  const std::optional<std::string> path = platform::CurrentHost().ShowOpenFileDialog(
      OpenDialogRequest("Load 'Atari Arcade Hits'", kProgramKind));
  if (!path) return std::nullopt;
  std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(*path);
  if (!bytes) {
    ReportCouldNotOpen(*path);
    return std::nullopt;
  }
  ArcadeHitsFile file{std::move(*bytes), {}, RememberedExtension(*path)};
  file.places = FindRomImages(file.buffer);
  if (!IsValid(file.places)) {
    ReportNotValid("'Atari Arcade Hits'");
    return std::nullopt;
  }
  return file;
}

RomImagePlaces FindRomImages(std::span<const std::uint8_t> buffer) {
  RomImagePlaces places;
  FindSignature(buffer, kLevelRomSignature, places.first_level_rom, places.last_level_rom);
  FindSignature(buffer, kTextRomSignature, places.first_text_rom, places.last_text_rom);
  return places;
}

void SaveArcadeHitsFile(ArcadeHitsFile& file) {
  const std::string description = "Atari Arcade Hits (*." + file.extension + ")";
  const std::string pattern = "*." + file.extension;
  const std::optional<std::string> path = platform::CurrentHost().ShowSaveFileDialog(
      SaveDialogRequest("Save 'Atari Arcade Hits'", {description, pattern, file.extension}));
  if (!path || !PatchProgramFile(file)) return;
  if (!WriteFileAtomically(*path, file.buffer)) ReportCouldNotWrite(*path);
}

INT_PTR ArcadeHitsDialogProc(platform::Dialog& dialog, UINT message, WPARAM wParam,
                             LPARAM /*lParam*/) {
  switch (message) {
    case WM_INITDIALOG:
      dialog.SetChecked(resources::kOriginalLevelsButton, true);
      dialog.EnableItem(resources::kOriginalLevelsButton, level_rom_loaded);
      dialog.EnableItem(resources::kTempestTubesButton, level_rom_loaded);
      dialog.EnableItem(resources::kIncludeTextDataBox, text_rom_loaded);
      arcade_hits_choices.include_text = false;
      arcade_hits_choices.level_set = kOriginalLevels;
      return kHandled;
    case WM_COMMAND:
      if (HIWORD(wParam) != BN_CLICKED) return kNotHandled;
      return HandleClick(dialog, static_cast<int>(LOWORD(wParam)));
    case WM_CLOSE:
      arcade_hits_choices.cancelled = true;
      dialog.EndDialog(IDCANCEL);
      return kHandled;
    default:
      return kNotHandled;
  }
}

void ResetArcadeHits() {
  arcade_hits_choices = ArcadeHitsChoices{};
}

}  // namespace files
