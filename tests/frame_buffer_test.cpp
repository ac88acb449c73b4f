#include "gfx/frame_buffer.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

#include <gtest/gtest.h>

#include "app/editor_state.h"
#include "gfx/line.h"

namespace {

class FrameBufferTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app::editor.zoom_factor = 1.0;
    gfx::CreateFrameBuffer();
  }
};

struct Rgb {
  int red;
  int green;
  int blue;
  bool operator==(const Rgb&) const = default;
};

Rgb ColourAt(int index) {
  const gfx::RgbQuad& entry = gfx::Palette()[static_cast<std::size_t>(index)];
  return {entry.red, entry.green, entry.blue};
}

using QuadBytes = std::array<std::uint8_t, 4>;

// The entry as it lies in memory, where the host's colour table reads it.
QuadBytes BytesOf(const gfx::RgbQuad& entry) {
  return std::bit_cast<QuadBytes>(entry);
}

bool AllPixelsBlack() {
  const auto pixels = gfx::FrameBufferView();
  return std::all_of(pixels.begin(), pixels.end(), [](std::uint8_t p) { return p == 0; });
}

TEST_F(FrameBufferTest, PaletteHoldsEightRampsAndBlackAbove) {
  gfx::BuildPalette();

  EXPECT_EQ(ColourAt(63), (Rgb{0, 0, 240}));       // brightest blue
  EXPECT_EQ(ColourAt(111), (Rgb{240, 240, 0}));    // brightest yellow
  EXPECT_EQ(ColourAt(116), (Rgb{64, 64, 64}));     // dark grey
  EXPECT_EQ(ColourAt(21), (Rgb{80, 0, 0}));        // red, intensity 5
  EXPECT_EQ(ColourAt(40), (Rgb{128, 0, 128}));     // magenta, intensity 8
  EXPECT_EQ(ColourAt(67), (Rgb{0, 48, 48}));       // cyan, intensity 3
  EXPECT_EQ(ColourAt(94), (Rgb{0, 224, 0}));       // green, intensity 14
  EXPECT_EQ(ColourAt(127), (Rgb{240, 240, 240}));  // near-white
  EXPECT_EQ(ColourAt(15), (Rgb{0, 0, 0}));         // the black ramp stays black

  // Which channels each ramp lights: black, red, magenta, blue, cyan, green, yellow, grey.
  constexpr std::array<Rgb, 8> kChannels{
      {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}, {0, 1, 1}, {0, 1, 0}, {1, 1, 0}, {1, 1, 1}}};
  for (int ramp = 0; ramp < 8; ++ramp) {
    SCOPED_TRACE(ramp);
    EXPECT_EQ(ColourAt(16 * ramp), (Rgb{0, 0, 0}));
    for (int i = 0; i < 16; ++i) {
      const Rgb& lit = kChannels[static_cast<std::size_t>(ramp)];
      EXPECT_EQ(ColourAt(16 * ramp + i),
                (Rgb{lit.red * 16 * i, lit.green * 16 * i, lit.blue * 16 * i}));
    }
  }
  for (int index = 128; index < 256; ++index)
    EXPECT_EQ(ColourAt(index), (Rgb{0, 0, 0})) << index;
  for (const gfx::RgbQuad& entry : gfx::Palette()) {
    EXPECT_NE(entry.red, 255);
    EXPECT_NE(entry.green, 255);
    EXPECT_NE(entry.blue, 255);
    EXPECT_EQ(entry.reserved, 0);
  }
}

TEST_F(FrameBufferTest, PaletteEntriesAreStoredBlueGreenRedReserved) {
  gfx::SetPaletteEntry(200, 0x11, 0x22, 0x33);
  EXPECT_EQ(BytesOf(gfx::Palette()[200]), (QuadBytes{0x33, 0x22, 0x11, 0x00}));

  gfx::BuildPalette();
  EXPECT_EQ(BytesOf(gfx::Palette()[63]), (QuadBytes{240, 0, 0, 0}));
  EXPECT_EQ(ColourAt(200), (Rgb{0x11, 0x22, 0x33}));  // outside the ramps: left alone
}

TEST_F(FrameBufferTest, PixelsAreStoredRowByRowFromTheTop) {
  gfx::DrawLine(7, 3, 7, 3, 42);
  gfx::DrawLine(519, 649, 519, 649, 99);
  gfx::DrawLine(519, 0, 519, 0, 17);
  gfx::DrawLine(0, 1, 0, 1, 18);
  const auto pixels = gfx::FrameBufferView();
  EXPECT_EQ(pixels[3 * 520 + 7], 42);
  EXPECT_EQ(pixels[gfx::kFrameSize - 1], 99);
  EXPECT_EQ(pixels[519], 17);
  EXPECT_EQ(pixels[520], 18);
  EXPECT_EQ(gfx::FrameBuffer(), pixels.data());
  EXPECT_EQ(std::count(pixels.begin(), pixels.end(), 0),
            static_cast<std::ptrdiff_t>(gfx::kFrameSize) - 4);
}

TEST_F(FrameBufferTest, ClearBlacksEveryPixelAndKeepsThePalette) {
  gfx::BuildPalette();
  gfx::DrawLine(0, 0, 519, 649, 63);
  gfx::DrawLine(0, 649, 519, 0, 111);
  gfx::DrawLine(0, 300, 519, 300, 127);
  ASSERT_FALSE(AllPixelsBlack());

  gfx::ClearFrameBuffer();
  EXPECT_TRUE(AllPixelsBlack());
  EXPECT_EQ(ColourAt(63), (Rgb{0, 0, 240}));
}

TEST_F(FrameBufferTest, CreateBlacksPixelsAndPalette) {
  gfx::BuildPalette();
  gfx::DrawLine(10, 10, 400, 500, 63);

  gfx::CreateFrameBuffer();
  EXPECT_TRUE(AllPixelsBlack());
  for (const gfx::RgbQuad& entry : gfx::Palette()) {
    EXPECT_EQ(BytesOf(entry), (QuadBytes{0, 0, 0, 0}));
  }
}

}  // namespace
