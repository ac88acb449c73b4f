// The level file (.TLD): the editor's own format for the sixteen tubes. Unlike the level ROM
// file it keeps the accurate coordinates, so points survive a save and a load without being
// rounded. It holds the level table but none of the ROM's other game data.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace files {

// "TLD", then 256 X and 256 Y coordinates as little-endian IEEE doubles (index shape * 16 +
// point), then the 896 bytes of the level table.
constexpr std::array<std::uint8_t, 3> kLevelFileSignature{'T', 'L', 'D'};
constexpr std::size_t kLevelFileSize = 4995;

using LevelFileImage = std::array<std::uint8_t, kLevelFileSize>;

// "Load &TLD File ..." and "Sa&ve TLD File ...".
void LoadLevelFile();
void SaveLevelFile();

// The level file that holds the accurate coordinates and the level table as they are now.
LevelFileImage EncodeLevelFile();

}  // namespace files
