// The frame buffer that every picture is drawn into, and the fixed colour table that the host
// shows its palette indices with. Both live in static storage for the whole run.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace gfx {

// Rows are 520 bytes, top row first, with no padding: pixel (c, r) is byte r * 520 + c.
inline constexpr std::int32_t kFrameWidth = 520;
inline constexpr std::int32_t kFrameHeight = 650;
inline constexpr std::size_t kFrameSize = 338000;
static_assert(kFrameSize == static_cast<std::size_t>(kFrameWidth) * kFrameHeight);

inline constexpr std::size_t kPaletteSize = 256;

// One colour table entry in the layout of a Windows bitmap's colour table.
struct RgbQuad {
  std::uint8_t blue;
  std::uint8_t green;
  std::uint8_t red;
  std::uint8_t reserved;
};
static_assert(sizeof(RgbQuad) == 4);

// The buffer's pixels: one palette index per byte.
std::uint8_t* FrameBuffer();
std::span<const std::uint8_t, kFrameSize> FrameBufferView();

const std::array<RgbQuad, kPaletteSize>& Palette();

// Sets every pixel and every colour table entry to zero (black).
void CreateFrameBuffer();

void SetPaletteEntry(std::uint8_t index, std::uint8_t red, std::uint8_t green, std::uint8_t blue);

// Eight ramps of sixteen entries, index = 16 * ramp + intensity, channel value 16 * intensity:
// black, red, magenta, blue, cyan, green, yellow, grey. Entries 128..255 are left alone, black
// since CreateFrameBuffer.
void BuildPalette();

// Sets every pixel to index 0; the frame loop does this before drawing each frame.
void ClearFrameBuffer();

}  // namespace gfx
