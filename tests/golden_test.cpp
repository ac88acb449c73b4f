// Whole frames as the user sees them, compared pixel for pixel with the pictures kept in
// tests/golden/: the tube view in each of its modes and choices, level select, the intro as it
// runs, and the palette itself.
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
  // Draws the next frame and compares it as the frame after it shows it on screen.
  void ExpectNextFrame(const std::string& name) {
    host.RunFrames(2);
    ExpectGoldenFrame(name, host.screen);
  }
  void Press(int virtual_key, int times = 1) {
    for (int i = 0; i < times; ++i) {
      host.HoldKey(virtual_key);
      host.RunFrames();
      host.ReleaseKey(virtual_key);
    }
  }
};

TEST_F(GoldenTest, TubeViewInEachModeAndDisplayChoice) {
  LoadSampleTubes();
  PickLevel(5);
  ExpectNextFrame("tube_view_3d");
  Choose(kView2D);
  ExpectNextFrame("tube_view_2d");
  // Editing from point 3: the current segment and the rest in the edit colours.
  Choose(kEditLevel);
  Press(VK_RIGHT, 3);
  ExpectNextFrame("tube_view_2d_edit");
  Choose(kView3D);
  ExpectNextFrame("tube_view_3d_edit");
  Choose(kNewLevel);
  Press(VK_SPACE, 2);
  ExpectNextFrame("tube_view_new_level");

  // An open shape with a height and an offset, without the guides, then turned so that its
  // accurate values differ from its ROM values, drawn at half size.
  Choose(kSelectLevel);
  PickLevel(12);
  Choose(kSafeFrame);
  Choose(kBoundingBox);
  Choose(kClaw);
  ExpectNextFrame("tube_view_open_bare");
  Choose(kSafeFrame);
  Choose(kBoundingBox);
  Choose(kRotate22_5);
  Choose(kAccurateValues);
  host.Post(WM_SIZE, 0, MAKELPARAM(260, 325));
  ExpectNextFrame("tube_view_half_size_accurate");
}

TEST_F(GoldenTest, LevelSelectWithAMarkedAndALitLevel) {
  LoadSampleTubes();
  host.ReleaseButton(WM_LBUTTONUP, 0, 0);
  const POINT marked = Cell(10);
  host.MoveMouse(marked.x, marked.y);
  host.PressButton(WM_RBUTTONDOWN, marked.x, marked.y, MK_RBUTTON);
  host.ReleaseButton(WM_RBUTTONUP, marked.x, marked.y);
  host.RunFrames();
  host.MoveMouse(Cell(6).x, Cell(6).y);
  host.now = 100000;
  ExpectNextFrame("level_select");
  // Behind another window: no pulsing frame round the lit cell.
  host.foreground = false;
  ExpectNextFrame("level_select_behind");
}

TEST_F(GoldenTest, IntroAsItRuns) {
  host.RunFrames(9);
  ExpectNextFrame("intro_tunnel");
  host.RunFrames(22);
  ExpectNextFrame("intro_tunnel_ending");
  host.RunFrames(59);
  ExpectNextFrame("intro_word_mark");
  host.RunFrames(120);
  ExpectNextFrame("intro_word_mark_standing");
}

TEST_F(GoldenTest, PaletteOfEveryIndexAndTheFrameEnlarged) {
  // Every index as two rows, then as columns below them.
  for (int row = 0; row < 512; ++row)
    gfx::DrawLine(0, row, gfx::kFrameWidth - 1, row, static_cast<std::uint8_t>(row / 2));
  for (int column = 0; column < gfx::kFrameWidth; ++column)
    gfx::DrawLine(column, 520, column, 649, static_cast<std::uint8_t>(column));
  ExpectGoldenFrame("palette", gfx::FrameBufferView());
  // Enlarged for a picture, each pixel becomes a square of its colour.
  const std::optional<testing_support::Bytes> encoded =
      png::EncodeFramePng(gfx::FrameBufferView(), 3);
  ASSERT_TRUE(encoded);
  const std::optional<png::RgbImage> large = png::ReadPng(temp.Write("large.png", *encoded));
  const png::RgbImage frame = png::FrameToRgb(gfx::FrameBufferView());
  ASSERT_TRUE(large && large->width == 3 * 520 && large->height == 3 * 650);
  for (std::size_t i = 0; i < large->rgb.size(); i += 5) {
    const std::size_t x = i / 3 % (3 * 520) / 3, y = i / 3 / (3 * 520) / 3;
    ASSERT_EQ(large->rgb[i], frame.rgb[(y * 520 + x) * 3 + i % 3]) << i;
  }
}

}  // namespace
