// Level select as the user meets it after a load: the mouse lights a cell and makes it the
// current level with a new title and a click, a left click opens the level, two right clicks
// swap two levels' shapes, and nothing answers while another window is in front.
#include "render/level_select.h"

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/editor_state.h"
#include "app/menu_model.h"
#include "gfx/frame_buffer.h"
#include "level/level_store.h"
#include "render/level_select_state.h"
#include "resources/command_ids.h"
#include "support/editor_test.h"
#include "support/level_rom_builder.h"

namespace {

using testing_support::BytePoint;
using testing_support::LevelRomBuilder;
using testing_support::ShapePoints;

using Frame = std::vector<std::uint8_t>;

constexpr std::uint8_t kGrid = 116;

// Shape n is a square of side 8 * (n + 1) around the middle, so every thumbnail differs; shape
// 1 is the ring, closed, and shape 2 the same ring, open. Level 9 names shape 3 by the map
// entry 0x13, as a file from elsewhere may.
LevelRomBuilder SelectRom() {
  LevelRomBuilder rom;
  for (int shape = 0; shape < level::kShapeCount; ++shape) {
    const auto low = static_cast<std::uint8_t>(128 - 4 * (shape + 1));
    const auto high = static_cast<std::uint8_t>(128 + 4 * (shape + 1));
    ShapePoints square;
    for (std::size_t p = 0; p < square.size(); ++p) {
      const BytePoint corners[] = {{low, low}, {low, high}, {high, high}, {high, low}};
      square[p] = corners[p / 4];
    }
    rom.Points(shape, square);
  }
  rom.Points(1, testing_support::RingPoints())
      .Points(2, testing_support::RingPoints())
      .Open(2)
      .LevelShape(8, 0x13);
  return rom;
}

struct Cell {
  int x;
  int y;
};
// The middle of a level's cell in client pixels at zoom 1.
Cell Middle(int level_index) {
  return {68 + 128 * (level_index % 4), 128 + 128 * (level_index / 4)};
}

std::uint8_t At(const Frame& frame, int x, int y) {
  return frame[static_cast<std::size_t>(y) * gfx::kFrameWidth + static_cast<std::size_t>(x)];
}

// The pixels inside a level's cell (without its border), lit or not.
std::vector<bool> Outline(const Frame& frame, int level_index) {
  std::vector<bool> lit;
  const int left = 4 + 128 * (level_index % 4);
  const int top = 64 + 128 * (level_index / 4);
  for (int y = top + 1; y < top + 128; ++y) {
    for (int x = left + 1; x < left + 128; ++x)
      lit.push_back(At(frame, x, y) != 0);
  }
  return lit;
}

// Whether any pixel inside the cell has the colour.
bool CellHas(const Frame& frame, int level_index, std::uint8_t colour) {
  const int left = 4 + 128 * (level_index % 4);
  const int top = 64 + 128 * (level_index / 4);
  for (int y = top + 1; y < top + 128; ++y) {
    for (int x = left + 1; x < left + 128; ++x) {
      if (At(frame, x, y) == colour) return true;
    }
  }
  return false;
}

bool HasCyan(const Frame& frame) {
  for (std::uint8_t pixel : frame) {
    if (pixel >= 64 && pixel < 80) return true;
  }
  return false;
}

class LevelSelectTest : public testing_support::EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    testing_support::LoadLevelRomFile(host, SelectRom().WriteTo(temp, "select.118"));
    host.ReleaseButton(WM_LBUTTONUP, 300, 620);  // the click that closed the file dialog
    host.RunFrames();
    titles_before = host.titles.size();
    sounds_before = host.click_sounds;
  }

  // Draws the next frame and returns it as the following frame shows it.
  Frame NextFrame() {
    host.RunFrames(2);
    return host.screen;
  }

  void Click(UINT down, UINT up, UINT button, int level_index) {
    const Cell cell = Middle(level_index);
    host.MoveMouse(cell.x, cell.y);
    host.PressButton(down, cell.x, cell.y, button);
    host.ReleaseButton(up, cell.x, cell.y);
    host.RunFrames();
  }
  void LeftClick(int level_index) { Click(WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON, level_index); }
  void RightClick(int level_index) { Click(WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON, level_index); }

  int NewSounds() const { return host.click_sounds - sounds_before; }

  std::size_t titles_before = 0;
  int sounds_before = 0;
};

TEST_F(LevelSelectTest, MouseOverEachCellMakesItTheCurrentLevelWithTitleAndClick) {
  // The release that ended the load lay below the grid: level 15 was lit at once.
  ASSERT_EQ(app::editor.current_level, 14);
  ASSERT_EQ(host.titles.back(), "Rimforge : Level 15");

  for (int level_index = 0; level_index < level::kLevelCount; ++level_index) {
    const Cell cell = Middle(level_index);
    host.MoveMouse(cell.x - 50, cell.y - 50);
    host.RunFrames();
    EXPECT_EQ(app::editor.current_level, level_index);
    EXPECT_EQ(host.titles.back(), "Rimforge : Level " + std::to_string(level_index + 1));
    EXPECT_EQ(NewSounds(), level_index + 1);

    // Moving about inside the cell changes nothing.
    host.MoveMouse(cell.x + 50, cell.y + 50);
    host.RunFrames(3);
    EXPECT_EQ(NewSounds(), level_index + 1);
    EXPECT_EQ(host.titles.size(), titles_before + static_cast<std::size_t>(level_index) + 1);
  }

  // The third cell of the second row is level 7; cells start at (4, 64) and are 128 wide.
  host.MoveMouse(260, 192);
  host.RunFrames();
  EXPECT_EQ(host.titles.back(), "Rimforge : Level 7");
  host.MoveMouse(259, 191);
  host.RunFrames();
  EXPECT_EQ(host.titles.back(), "Rimforge : Level 2");
}

TEST_F(LevelSelectTest, MouseOutsideTheGridLightsTheNearestEdgeCell) {
  const struct {
    int x, y, level_index;
  } cases[] = {{0, 0, 0},    {519, 649, 15}, {2, 300, 4},        {3, 63, 0},    {517, 63, 3},
               {0, 600, 12}, {600, 10, 3},   {65535, 65535, 15}, {140, 620, 13}};
  for (const auto& c : cases) {
    host.MoveMouse(c.x, c.y);
    host.RunFrames();
    EXPECT_EQ(app::editor.current_level, c.level_index) << c.x << ", " << c.y;
  }
}

TEST_F(LevelSelectTest, MousePositionIsReadThroughTheZoom) {
  // At half size the cells are 64 client pixels wide from (2, 32).
  host.Post(WM_SIZE, 0, MAKELPARAM(260, 325));
  host.MoveMouse(34 + 64 * 3, 64 + 64 * 2);
  host.RunFrames();
  EXPECT_EQ(app::editor.current_level, 11);
  host.MoveMouse(34, 64);
  host.RunFrames();
  EXPECT_EQ(app::editor.current_level, 0);

  // Minimised (zoom 0): the position means nothing and the lit cell stays; a click still
  // opens it.
  host.Post(WM_SIZE, 0, MAKELPARAM(0, 0));
  const int sounds = host.click_sounds;
  host.MoveMouse(400, 500);
  host.RunFrames(2);
  EXPECT_EQ(app::editor.current_level, 0);
  EXPECT_EQ(host.click_sounds, sounds);
  host.PressButton(WM_LBUTTONDOWN, 400, 500, MK_LBUTTON);
  host.RunFrames();
  EXPECT_EQ(app::editor.editor_mode, app::kViewMode);
  EXPECT_EQ(app::editor.current_level, 0);
}

TEST_F(LevelSelectTest, TwoRightClicksSwapTheShapesOfTwoLevels) {
  // Map entries are swapped as stored, also one above 15.
  const Frame before = NextFrame();

  RightClick(2);
  EXPECT_EQ(render::marked_level, 2);
  Frame frame = NextFrame();
  EXPECT_TRUE(CellHas(frame, 2, 31)) << "the marked level is red";
  EXPECT_FALSE(CellHas(frame, 2, 63));
  EXPECT_EQ(app::mouse.buttons, 0u);

  RightClick(8);
  EXPECT_EQ(render::marked_level, render::kNoMarkedLevel);
  EXPECT_EQ(level::ShapeByte(level::kLevelToShapeMap, 2), 0x13);
  EXPECT_EQ(level::ShapeByte(level::kLevelToShapeMap, 8), 2);
  frame = NextFrame();
  EXPECT_EQ(Outline(frame, 2), Outline(before, 8));
  EXPECT_EQ(Outline(frame, 8), Outline(before, 2));
  EXPECT_FALSE(CellHas(frame, 2, 31));
  EXPECT_EQ(app::editor.editor_mode, app::kLevelSelectMode);

  // Twice on the same level marks it and unmarks it, and swaps nothing.
  RightClick(5);
  EXPECT_EQ(render::marked_level, 5);
  RightClick(5);
  EXPECT_EQ(render::marked_level, render::kNoMarkedLevel);
  EXPECT_EQ(level::ShapeByte(level::kLevelToShapeMap, 5), 5);
  EXPECT_EQ(Outline(NextFrame(), 5), Outline(before, 5));
}

TEST_F(LevelSelectTest, LeftClickOpensTheLevelAndKeepsTheMarkUntilLevelSelectReturns) {
  RightClick(3);
  LeftClick(2);
  EXPECT_EQ(app::editor.editor_mode, app::kViewMode);
  EXPECT_EQ(app::editor.current_level, 2);
  EXPECT_EQ(app::mouse.buttons, 0u);
  EXPECT_EQ(render::marked_level, 3);
  // Level 3 uses the open ring: the Open/Closed pair follows it, and the undo snapshot holds it.
  const app::MenuItem& open = *app::FindMenuItem(app::MainMenu(), resources::kOpen);
  const app::MenuItem& closed = *app::FindMenuItem(app::MainMenu(), resources::kClosed);
  EXPECT_TRUE(open.checked && open.radio);
  EXPECT_FALSE(closed.checked);
  EXPECT_EQ(level::undo_snapshot.open_flag, level::kOpenFlagSet);
  EXPECT_EQ(level::undo_snapshot.accurate_x[6], 60.0);
  EXPECT_EQ(level::undo_snapshot.accurate_y[6], 235.0);

  host.ChooseMenuItem(resources::kSelectLevel);
  host.RunFrames();
  EXPECT_EQ(render::marked_level, render::kNoMarkedLevel);
  LeftClick(1);
  EXPECT_TRUE(closed.checked && closed.radio);
  EXPECT_FALSE(open.checked);
}

TEST_F(LevelSelectTest, ThumbnailsOfOpenShapesLeaveOutTheClosingSegment) {
  // The ring's closing segment runs along byte row 20, 51 pixels below the cell's middle.
  const Frame frame = NextFrame();
  const Cell closed = Middle(1);
  const Cell open = Middle(2);
  EXPECT_NE(At(frame, closed.x, closed.y + 51), 0);
  EXPECT_EQ(At(frame, open.x, open.y + 51), 0);
  // The rest of the two thumbnails is the same.
  EXPECT_NE(At(frame, closed.x - 51, closed.y), 0);
  EXPECT_NE(At(frame, open.x - 51, open.y), 0);
}

TEST_F(LevelSelectTest, PulsingFrameFollowsTheClockAroundTheLitCell) {
  host.MoveMouse(Middle(5).x, Middle(5).y);
  host.RunFrames();
  const int top = 64 + 128;
  const int left = 4 + 128;

  // sin 0 = 0 gives intensity 8; at 475 ms the sine is at its low, intensity 3.
  host.now = 0;
  Frame frame = NextFrame();
  EXPECT_EQ(At(frame, left + 64, top), 72);
  EXPECT_EQ(At(frame, left + 64, top + 128), 72);
  EXPECT_EQ(At(frame, left, top + 64), 72);
  EXPECT_EQ(At(frame, left + 128, top + 64), 72);
  EXPECT_EQ(At(frame, left + 64 + 128, top), kGrid);

  host.now = 475;
  frame = NextFrame();
  EXPECT_EQ(At(frame, left + 64, top), 67);
  EXPECT_EQ(At(frame, left + 64 - 128, top + 128), kGrid);

  // Near the sine's peak, at 158 ms, intensity 12.
  host.now = 158;
  frame = NextFrame();
  EXPECT_EQ(At(frame, left + 128, top + 100), 76);
}

TEST_F(LevelSelectTest, AnotherWindowInFrontLeavesTheGridDrawnAndTheMouseUnheard) {
  host.MoveMouse(Middle(0).x, Middle(0).y);
  host.RunFrames();
  host.foreground = false;
  const int sounds = host.click_sounds;

  const Frame frame = NextFrame();
  EXPECT_FALSE(HasCyan(frame));
  EXPECT_EQ(At(frame, 260, 64), kGrid);
  EXPECT_TRUE(CellHas(frame, 0, 111)) << "the current level stays lit";
  EXPECT_TRUE(CellHas(frame, 9, 63));

  Click(WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON, 9);
  Click(WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON, 9);
  EXPECT_EQ(app::editor.current_level, 0);
  EXPECT_EQ(app::editor.editor_mode, app::kLevelSelectMode);
  EXPECT_EQ(render::marked_level, render::kNoMarkedLevel);
  EXPECT_EQ(host.click_sounds, sounds);
}

}  // namespace
