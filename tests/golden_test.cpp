// Whole frames compared pixel for pixel with the pictures in tests/golden/.
#include <string>

#include "gfx/frame_buffer.h"
#include "gfx/line.h"
#include "png/png_image.h"
#include "resources/command_ids.h"
#include "support/editor_test.h"
#include "support/golden.h"

namespace {

using namespace resources;
using testing_support::ExpectGoldenFrame;

class GoldenTest : public testing_support::EditorTest {
 protected:
  void LoadSampleTubes() { ChooseFile(kLoadRom, RIMFORGE_SAMPLES_DIR "/rimforge_tubes.118"); }
  // After `frames`, draws the next frame and compares it as the frame after it shows it.
  void ExpectFrame(const std::string& name, int frames = 0) {
    host.RunFrames(frames + 2);
    ExpectGoldenFrame(name, host.screen);
  }
};

TEST_F(GoldenTest, TubeViewInEachModeAndDisplayChoice) {
  LoadSampleTubes();
  PickLevel(5);
  ExpectFrame("tube_view_3d");
  Choose(kView2D);
  ExpectFrame("tube_view_2d");
  // Editing from point 3: the current segment and the rest in the edit colours.
  Choose(kEditLevel);
  Act("tap RIGHT 3");
  ExpectFrame("tube_view_2d_edit");
  Choose(kView3D);
  ExpectFrame("tube_view_3d_edit");
  Choose(kNewLevel);
  Act("tap SPACE 2");
  ExpectFrame("tube_view_new_level");

  // An open shape with a height and an offset, without the guides, then turned so that its
  // accurate values differ from its ROM values, drawn at half size.
  Choose(kSelectLevel);
  PickLevel(12);
  Choose(kSafeFrame);
  Choose(kBoundingBox);
  Choose(kClaw);
  ExpectFrame("tube_view_open_bare");
  Choose(kSafeFrame);
  Choose(kBoundingBox);
  Choose(kRotate22_5);
  Choose(kAccurateValues);
  Act("size 260 325");
  ExpectFrame("tube_view_half_size_accurate");
}

TEST_F(GoldenTest, LevelSelectWithAMarkedAndALitLevel) {
  LoadSampleTubes();
  // Level 10 marked with the right button, then the mouse over level 6.
  Act("release L 0 0, move 324 384, press R 324 384, release R 324 384, frames 1, move 324 256");
  host.now = 100000;
  ExpectFrame("level_select");
  // Behind another window: no pulsing frame round the lit cell.
  host.foreground = false;
  ExpectFrame("level_select_behind");
}

TEST_F(GoldenTest, IntroAsItRuns) {
  ExpectFrame("intro_tunnel", 9);
  ExpectFrame("intro_tunnel_ending", 22);
  ExpectFrame("intro_word_mark", 59);
  ExpectFrame("intro_word_mark_standing", 120);
}

TEST_F(GoldenTest, PaletteOfEveryIndexAndTheFrameEnlarged) {
  // Every index as two rows, then as columns below them.
  for (int row = 0; row < 512; ++row)
    gfx::DrawLine(0, row, gfx::kFrameWidth - 1, row, static_cast<std::uint8_t>(row / 2));
  for (int column = 0; column < gfx::kFrameWidth; ++column)
    gfx::DrawLine(column, 520, column, 649, static_cast<std::uint8_t>(column));
  ExpectGoldenFrame("palette", gfx::FrameBufferView());
  // Enlarged for a picture, each pixel becomes a square of its colour.
  const auto encoded = png::EncodeFramePng(gfx::FrameBufferView(), 3);
  ASSERT_TRUE(encoded);
  const auto large = png::ReadPng(temp.Write("large.png", *encoded));
  const auto frame = png::FrameToRgb(gfx::FrameBufferView());
  ASSERT_TRUE(large && large->width == 3 * 520 && large->height == 3 * 650);
  for (std::size_t i = 0; i < large->rgb.size(); i += 5) {
    const std::size_t x = i / 3 % (3 * 520) / 3, y = i / 3 / (3 * 520) / 3;
    ASSERT_EQ(large->rgb[i], frame.rgb[(y * 520 + x) * 3 + i % 3]) << i;
  }
}

}  // namespace
