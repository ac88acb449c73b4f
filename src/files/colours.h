// The colour ROM file (.119): a 2048-byte image of the game ROM whose colour table holds a
// colour code for each of 8 rows (bullets, claw, ... info) in 6 colour cycles. "Edit
// &Colours..." loads such a file, edits the table in the Colours dialog and saves it again.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/host.h"

namespace files {

constexpr std::size_t kColourRomSize = 2048;

// The first four bytes of every colour ROM image.
constexpr std::array<std::uint8_t, 4> kColourRomSignature{0xCB, 0x01, 0x92, 0x01};

// Six cycles of eight bytes, one per row.
constexpr std::size_t kColourTableOffset = 509;

constexpr std::size_t ColourEntryOffset(int row, int cycle) {
  return kColourTableOffset + 8 * static_cast<std::size_t>(cycle) + static_cast<std::size_t>(row);
}

// The code written for each swatch (white, cyan, yellow, green, magenta, blue, red, black).
constexpr std::array<std::uint8_t, 8> kSwatchCodes{0x00, 0x03, 0x04, 0x07, 0x08, 0x0B, 0x0C, 0x0F};

// The swatch that shows a code: its bits 1..3, so codes outside kSwatchCodes show too.
constexpr int SwatchOfCode(std::uint8_t code) {
  return (code >> 1) & 7;
}

extern std::array<std::uint8_t, kColourRomSize> colour_rom_image;

// "Edit &Colours...": load, edit in the Colours dialog, save unless cancelled.
void EditColours();
// Returns true when an image was read.
bool LoadColourRom();
void SaveColourRom();

INT_PTR ColoursDialogProc(platform::Dialog& dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR ColourPickerDialogProc(platform::Dialog& dialog, UINT message, WPARAM wParam,
                               LPARAM lParam);

void ResetColours();

}  // namespace files
