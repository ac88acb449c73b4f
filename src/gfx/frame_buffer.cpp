#include "gfx/frame_buffer.h"

namespace gfx {
namespace {

std::array<std::uint8_t, kFrameSize> frame_buffer;
std::array<RgbQuad, kPaletteSize> palette;

}  // namespace

std::uint8_t* FrameBuffer() {
  return frame_buffer.data();
}

std::span<const std::uint8_t, kFrameSize> FrameBufferView() {
  return frame_buffer;
}

const std::array<RgbQuad, kPaletteSize>& Palette() {
  return palette;
}

void CreateFrameBuffer() {
  frame_buffer.fill(0);
  palette.fill(RgbQuad{0, 0, 0, 0});
}

void SetPaletteEntry(std::uint8_t index, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  palette[index] = RgbQuad{blue, green, red, 0};
}

void BuildPalette() {
  for (std::uint8_t i = 0; i < 16; ++i) {
    const auto v = static_cast<std::uint8_t>(16 * i);
    SetPaletteEntry(i, 0, 0, 0);
    SetPaletteEntry(16 + i, v, 0, 0);
    SetPaletteEntry(32 + i, v, 0, v);
    SetPaletteEntry(48 + i, 0, 0, v);
    SetPaletteEntry(64 + i, 0, v, v);
    SetPaletteEntry(80 + i, 0, v, 0);
    SetPaletteEntry(96 + i, v, v, 0);
    SetPaletteEntry(112 + i, v, v, v);
  }
}

void ClearFrameBuffer() {
  frame_buffer.fill(0);
}

}  // namespace gfx
