// The level ROM file (.118): a 2048-byte image of the game ROM that carries the tube data.
// Loading reads it into the level ROM image; saving first derives the segment directions and
// length factors of all 16 shapes, then writes the whole image.
#pragma once

#include <array>
#include <cstdint>

namespace files {

// The first four bytes of every level ROM image.
constexpr std::array<std::uint8_t, 4> kLevelRomSignature{0x3B, 0x01, 0xCE, 0x3C};

// Set by every successful load of a level ROM file; never cleared.
extern bool level_rom_loaded;

// "&Load ROM ..." and "&Save ROM ...".
void LoadLevelRom();
void SaveLevelRom();

// The 16 segment directions (0..15, sectors of 22.5 degrees) of one shape, closing segment
// included whatever the open flag says.
void DeriveSegmentDirections(int shape);
// The two length-factor bytes of one shape, from the mean length of its drawn segments.
void DeriveLengthFactor(int shape);
// Both derivations for all 16 shapes, as every save does before the image leaves the editor.
void DeriveAllShapes();

void ResetLevelRomFile();

}  // namespace files
