// The program files of the PC compilation 'Atari Arcade Hits' (.exe, .scr) carry two level ROM
// images and two text ROM images, one pair for "Original Levels" and one for "Tempest Tubes".
// "Hack 'Atari Arcade Hits'..." reads such a file whole, finds the images by their signatures,
// puts the editor's level ROM image (and, if asked, its text ROM image) in place of the chosen
// set's and writes the result under a new name. The input file is only ever read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/host.h"

namespace files {

// In a valid file the "Tempest Tubes" level ROM lies this far after the "Original Levels" one.
constexpr std::size_t kLevelRomDistance = 24576;

enum LevelSet : int {
  kOriginalLevels = 0,
  kTempestTubes = 1,
};

// What the person chose in the dialog; read by the command once the dialog has ended.
struct ArcadeHitsChoices {
  int level_set = kOriginalLevels;
  bool include_text = false;
  bool cancelled = false;
};
extern ArcadeHitsChoices arcade_hits_choices;

// Offsets of the signatures in a program file. The last place is the last occurrence after the
// first, so it stays empty when a signature occurs only once.
struct RomImagePlaces {
  std::optional<std::size_t> first_level_rom;
  std::optional<std::size_t> last_level_rom;
  std::optional<std::size_t> first_text_rom;
  std::optional<std::size_t> last_text_rom;
};

// A program file read whole for one run of the command.
struct ArcadeHitsFile {
  std::vector<std::uint8_t> buffer;
  RomImagePlaces places;  // all four found, the level images kLevelRomDistance apart
  std::string extension;  // offered again by the save dialog
};

// "Hack '&Atari Arcade Hits'...".
void HackArcadeHits();

// Asks for a program file and reads it; nothing when the person cancels, when the file cannot
// be read (reported) or when it is not a valid program file (reported).
std::optional<ArcadeHitsFile> LoadArcadeHitsFile();

// Finds the level ROM and text ROM signatures at any byte offset.
RomImagePlaces FindRomImages(std::span<const std::uint8_t> buffer);

// Asks for the output name; once one is chosen, puts the editor's images into the file for the
// chosen level set and writes it. Nothing is written when a chosen image would run past the
// file's end or would hide the images from a later patch (reported).
void SaveArcadeHitsFile(ArcadeHitsFile& file);

// The procedure of dialog 106.
INT_PTR ArcadeHitsDialogProc(platform::Dialog& dialog, UINT message, WPARAM wParam, LPARAM lParam);

void ResetArcadeHits();

}  // namespace files
