// Binary resources compiled into the program (see cmake/EmbedResource.cmake): each function
// returns the bytes of one file of src/resources/, made by a program in tools/.
#pragma once

#include <cstdint>
#include <span>

namespace resources {

// The About box logo (bitmap 104): a 120 x 32 BMP file in 16 colours, made by tools/make_logo.
std::span<const std::uint8_t> LogoBitmap();

// The click of level select (resource 107): 8-bit mono PCM WAV, 44100 samples per second.
std::span<const std::uint8_t> ClickSoundWave();

}  // namespace resources
