#include "files/arcade_hits.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <utility>

#include "files/file_io.h"
#include "files/level_rom_file.h"
#include "files/text_rom.h"
#include "level/level_store.h"
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

// Both pairs found, the level ROMs the right distance apart, and every image that may be
// overwritten wholly inside the file (the last places lie after the first ones).
bool IsValid(const RomImagePlaces& places, std::size_t size) {
  if (!places.first_level_rom || !places.last_level_rom || !places.first_text_rom ||
      !places.last_text_rom) {
    return false;
  }
  if (*places.last_level_rom - *places.first_level_rom != kLevelRomDistance) return false;
  return *places.last_level_rom + level::kLevelRomSize <= size &&
         *places.last_text_rom + kTextRomSize <= size;
}

std::string RememberedExtension(const std::string& path) {
  const std::string extension = std::filesystem::path(path).extension().string();
  if (extension.size() <= 1) return kFallbackExtension;  // none, or a bare dot
  return extension.substr(1, kRememberedExtensionLength);
}

// The game reads its segment directions and length factors from the image, so they are
// brought in step with the points first, as a save of the level ROM does.
void PatchProgramFile(ArcadeHitsFile& file) {
  DeriveAllShapes();
  const bool tubes = arcade_hits_choices.level_set == kTempestTubes;
  const std::size_t level_place =
      tubes ? *file.places.last_level_rom : *file.places.first_level_rom;
  std::copy(level::level_rom_image.begin(), level::level_rom_image.end(),
            file.buffer.begin() + static_cast<std::ptrdiff_t>(level_place));
  if (arcade_hits_choices.include_text) {
    const std::size_t text_place = tubes ? *file.places.last_text_rom : *file.places.first_text_rom;
    std::copy(text_rom_image.begin(), text_rom_image.end(),
              file.buffer.begin() + static_cast<std::ptrdiff_t>(text_place));
  }
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
  if (!IsValid(file.places, file.buffer.size())) {
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
  if (!path) return;
  PatchProgramFile(file);
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
