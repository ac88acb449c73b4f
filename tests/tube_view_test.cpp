// The tube view as the user sees it after picking a level: where points land on the frame,
// the far rim, open and closed shapes, the claw, the colours by mode, the 2D view, the guide
// lines under zoom, and accurate values however far out they lie.
#include "render/tube_view.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <set>
#include <vector>

#include <gtest/gtest.h>

#include "app/editor_state.h"
#include "gfx/frame_buffer.h"
#include "gfx/line.h"
#include "level/edit_state.h"
#include "level/level_store.h"
#include "resources/command_ids.h"
#include "support/editor_test.h"
#include "support/level_rom_builder.h"

namespace {

using testing_support::AllAt;
using testing_support::BytePoint;
using testing_support::LevelRomBuilder;
using testing_support::ShapePoints;

using Frame = std::vector<std::uint8_t>;

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

// Level scale 10, height 128, offset 0: the view scale is 1.062 and byte point (128, 127) is
// the vanishing point.
LevelRomBuilder& StandardView(LevelRomBuilder& rom, int shape) {
  return rom.ShapeByte(level::kLevelScale, shape, 10).ShapeByte(level::kHeight, shape, 128);
}

std::uint8_t At(const Frame& frame, int x, int y) {
  return frame[static_cast<std::size_t>(y) * gfx::kFrameWidth + static_cast<std::size_t>(x)];
}

int Count(const Frame& frame, std::uint8_t colour) {
  int count = 0;
  for (std::uint8_t pixel : frame)
    count += pixel == colour ? 1 : 0;
  return count;
}

struct Line {
  std::int32_t x1, y1, x2, y2;
  std::uint8_t colour;
};

// The picture that the given lines make, in frame coordinates, drawn in order.
Frame Picture(const std::vector<Line>& lines) {
  gfx::ClearFrameBuffer();
  for (const Line& line : lines)
    gfx::DrawLine(line.x1, line.y1, line.x2, line.y2, line.colour);
  const auto view = gfx::FrameBufferView();
  Frame picture(view.begin(), view.end());
  gfx::ClearFrameBuffer();
  return picture;
}

class TubeViewTest : public testing_support::EditorTest {
 protected:
  // Loads the ROM through the menu and picks the level in level select with a click.
  void LoadAndPick(const LevelRomBuilder& rom, int level_index) {
    testing_support::LoadLevelRomFile(host, rom.WriteTo(temp, "tubes.118"));
    host.ReleaseButton(WM_LBUTTONUP, 0, 0);  // the click that closed the file dialog
    Pick(level_index);
  }

  void Pick(int level_index) {
    const int x = 68 + 128 * (level_index % 4);
    const int y = 128 + 128 * (level_index / 4);
    host.MoveMouse(x, y);
    host.RunFrames();
    host.PressButton(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
    host.ReleaseButton(WM_LBUTTONUP, x, y);
    host.RunFrames();
    ASSERT_EQ(app::editor.editor_mode, app::kViewMode);
    ASSERT_EQ(app::editor.current_level, level_index);
  }

  void Choose(int id) {
    host.ChooseMenuItem(id);
    host.HandleMessages();
  }

  // The next frame as the user sees it once it is shown.
  Frame NextFrame() {
    host.RunFrames(2);
    return host.screen;
  }
};

TEST_F(TubeViewTest, ExamplePointsLandWhereTheProjectionPutsThem) {
  LevelRomBuilder rom;
  ShapePoints points = AllAt(128, 127);
  points[0] = {0, 0};
  points[1] = {255, 255};
  StandardView(rom, 0).Points(0, points);
  StandardView(rom, 1).Points(1, points);
  rom.ShapeByte(level::kOffsetHigh, 1, 0xFF).ShapeByte(level::kOffsetLow, 1, 0x80);
  StandardView(rom, 2).Points(2, points);
  rom.ShapeByte(level::kOffsetHigh, 2, 0xFF).ShapeByte(level::kOffsetLow, 2, 0xFF);
  LoadAndPick(rom, 0);
  Choose(resources::kView2D);
  Choose(resources::kSafeFrame);
  Choose(resources::kBoundingBox);
  Choose(resources::kClaw);

  // (0, 0) on (18, 623), (255, 255) on (499, 23), (128, 127) on the vanishing point (260, 325);
  // in 2D even segments are dim and odd ones bright.
  std::vector<Line> lines{{18, 623, 499, 23, 58}, {499, 23, 260, 325, 63}};
  for (std::uint8_t i = 2; i < 15; ++i)
    lines.push_back({260, 325, 260, 325, static_cast<std::uint8_t>(i % 2 == 0 ? 58 : 63)});
  lines.push_back({260, 325, 18, 623, 63});
  EXPECT_EQ(NextFrame(), Picture(lines));
  EXPECT_EQ(render::projection.view_scale, 1.062);
  EXPECT_EQ(render::projection.offset_term, 0);

  // The offset -128 (high byte 0xFF, low 0x80) is V = -24: everything moves 60 rows down.
  host.ChooseMenuItem(resources::kSelectLevel);
  Pick(1);
  lines = {{18, 683, 499, 83, 58}, {499, 83, 260, 385, 63}};
  for (std::uint8_t i = 2; i < 15; ++i)
    lines.push_back({260, 385, 260, 385, static_cast<std::uint8_t>(i % 2 == 0 ? 58 : 63)});
  lines.push_back({260, 385, 18, 683, 63});
  EXPECT_EQ(NextFrame(), Picture(lines));
  EXPECT_EQ(render::projection.offset_term, -24);

  // The offset -1 times 48 / 256 rounds down to V = -1, not toward zero: 2 rows down.
  host.ChooseMenuItem(resources::kSelectLevel);
  Pick(2);
  lines = {{18, 626, 499, 26, 58}, {499, 26, 260, 327, 63}};
  for (std::uint8_t i = 2; i < 15; ++i)
    lines.push_back({260, 327, 260, 327, static_cast<std::uint8_t>(i % 2 == 0 ? 58 : 63)});
  lines.push_back({260, 327, 18, 626, 63});
  EXPECT_EQ(NextFrame(), Picture(lines));
  EXPECT_EQ(render::projection.offset_term, -1);
}

TEST_F(TubeViewTest, FarPointsDivideTowardZero) {
  // Point 0 at view (-7, 80), point 1 at (-9, -80), the rest at (80, 0). Their far points are
  // (0, 10) and (-1, -10), on frame (260, 348) and (258, 301); dividing downward would give
  // (-1, 10) and (-2, -10), on (258, 348) and (256, 301).
  LevelRomBuilder rom;
  ShapePoints points = AllAt(208, 127);
  points[0] = {121, 47};
  points[1] = {119, 207};
  StandardView(rom, 0).Points(0, points);
  LoadAndPick(rom, 0);
  Choose(resources::kClaw);

  const Frame frame = NextFrame();
  EXPECT_EQ(At(frame, 260, 348), 58);
  EXPECT_EQ(At(frame, 259, 348), 0);
  EXPECT_EQ(At(frame, 258, 348), 0);
  EXPECT_EQ(At(frame, 258, 301), 58);
  EXPECT_EQ(At(frame, 257, 301), 0);
  EXPECT_EQ(At(frame, 256, 301), 0);
}

TEST_F(TubeViewTest, OpenShapesLeaveOutTheClosingSegmentAndItsClaw) {
  LevelRomBuilder rom;
  StandardView(rom, 0).Points(0, testing_support::RingPoints());
  StandardView(rom, 1).Points(1, testing_support::RingPoints()).Open(1);
  LoadAndPick(rom, 0);
  Choose(resources::kView2D);

  // The closing segment runs along byte row 20; its middle, byte x 128, is frame (260, 576).
  // Only editing moves the current point; here it is set as an edit would leave it.
  Frame frame = NextFrame();
  EXPECT_EQ(At(frame, 260, 576), 63);
  EXPECT_GT(Count(frame, 111), 0);
  level::edit_state.current_point = 15;
  frame = NextFrame();
  EXPECT_GT(Count(frame, 111), 0) << "the claw sits on the closing segment 15 -> 0";

  host.ChooseMenuItem(resources::kSelectLevel);
  Pick(1);
  EXPECT_GT(Count(NextFrame(), 111), 0);
  level::edit_state.current_point = 15;
  frame = NextFrame();
  EXPECT_EQ(At(frame, 260, 576), 0);
  EXPECT_EQ(Count(frame, 111), 0) << "segment 15 is not drawn, so neither is its claw";
  EXPECT_GT(Count(frame, 58) + Count(frame, 63), 0);
}

TEST_F(TubeViewTest, SegmentWhosePointsCoincideGetsAClawOfNoSize) {
  LevelRomBuilder rom;
  ShapePoints points = testing_support::RingPoints();
  points[1] = points[0];
  StandardView(rom, 0).Points(0, points);
  LoadAndPick(rom, 0);

  // Tip and barbs all fall on point 0, which the segment itself then draws over.
  const Frame frame = NextFrame();
  EXPECT_EQ(Count(frame, 111), 0);
  EXPECT_GT(Count(frame, 63), 0);
  EXPECT_GT(Count(frame, 58), 0);
}

TEST_F(TubeViewTest, ColoursFollowTheModeTheCurrentSegmentAndTheViewKind) {
  LevelRomBuilder rom;
  StandardView(rom, 0).Points(0, testing_support::RingPoints());
  LoadAndPick(rom, 0);
  Choose(resources::kClaw);

  // Segment 0 runs up frame column 56 through row 530, its far rim up column 235 through row
  // 349. Segments 6 and 7 run along the top, frame row 70, through columns 169 and 254; the far
  // rim of segment 6 runs along row 294 through column 249.
  Frame frame = NextFrame();
  EXPECT_EQ(At(frame, 56, 530), 63);
  EXPECT_EQ(At(frame, 235, 349), 58);
  EXPECT_EQ(At(frame, 169, 70), 63);
  EXPECT_EQ(At(frame, 254, 70), 63);
  EXPECT_EQ(At(frame, 249, 294), 58);
  for (std::uint8_t edit_colour : {26, 31, 106, 111})
    EXPECT_EQ(Count(frame, edit_colour), 0) << int{edit_colour};

  // 2D: no far rim, and even segments dim.
  Choose(resources::kView2D);
  frame = NextFrame();
  EXPECT_EQ(At(frame, 56, 530), 58);
  EXPECT_EQ(At(frame, 169, 70), 58);
  EXPECT_EQ(At(frame, 254, 70), 63);
  EXPECT_EQ(At(frame, 235, 349), 0);
  EXPECT_EQ(At(frame, 249, 294), 0);

  // Editing from point 0: the current segment yellow, every other one red, far rims dimmer.
  Choose(resources::kView3D);
  Choose(resources::kEditLevel);
  ASSERT_EQ(app::editor.editor_mode, app::kEditMode);
  ASSERT_EQ(level::edit_state.current_point, 0);
  frame = NextFrame();
  EXPECT_EQ(At(frame, 56, 530), 111);
  EXPECT_EQ(At(frame, 235, 349), 106);
  EXPECT_EQ(At(frame, 169, 70), 31);
  EXPECT_EQ(At(frame, 254, 70), 31);
  EXPECT_EQ(At(frame, 249, 294), 26);
  for (std::uint8_t view_colour : {58, 63})
    EXPECT_EQ(Count(frame, view_colour), 0) << int{view_colour};

  Choose(resources::kView2D);
  frame = NextFrame();
  EXPECT_EQ(At(frame, 56, 530), 106);
  EXPECT_EQ(At(frame, 169, 70), 26);
  EXPECT_EQ(At(frame, 254, 70), 31);
  EXPECT_EQ(At(frame, 249, 294), 0);
}

TEST_F(TubeViewTest, DrawnSegmentLimitOfOneDrawsTheFirstSegmentOnly) {
  LevelRomBuilder rom;
  StandardView(rom, 0).Points(0, testing_support::RingPoints());
  LoadAndPick(rom, 0);
  Choose(resources::kNewLevel);
  ASSERT_EQ(level::edit_state.drawn_segment_limit, 1);

  const Frame frame = NextFrame();
  EXPECT_GT(Count(frame, 111), 0);
  EXPECT_GT(Count(frame, 106), 0);
  for (std::uint8_t other_segment : {26, 31})
    EXPECT_EQ(Count(frame, other_segment), 0) << int{other_segment};
}

TEST_F(TubeViewTest, SafeFrameAndEverythingElseScaleWithTheZoom) {
  LevelRomBuilder rom;
  StandardView(rom, 0).Points(0, testing_support::RingPoints());
  LoadAndPick(rom, 0);

  const auto guide_lines_only_on = [](const Frame& frame, std::set<int> rows,
                                      std::set<int> columns) {
    int guide_pixels = 0;
    for (int y = 0; y < gfx::kFrameHeight; ++y) {
      for (int x = 0; x < gfx::kFrameWidth; ++x) {
        if (At(frame, x, y) != 38) continue;
        ++guide_pixels;
        EXPECT_TRUE(rows.count(y) != 0 || columns.count(x) != 0) << x << ", " << y;
      }
    }
    return guide_pixels;
  };

  Frame frame = NextFrame();
  EXPECT_GT(guide_lines_only_on(frame, {171, 542}, {48, 472}), 0);
  EXPECT_EQ(At(frame, 5, 171), 38);
  EXPECT_EQ(At(frame, 472, 600), 38);
  // The closing segment's middle moves with the rest of the picture.
  EXPECT_EQ(At(frame, 260, 576), 63);

  host.Post(WM_SIZE, 0, MAKELPARAM(260, 325));
  frame = NextFrame();
  EXPECT_GT(guide_lines_only_on(frame, {85, 271}, {24, 236}), 0);
  EXPECT_EQ(At(frame, 5, 85), 38);
  EXPECT_EQ(At(frame, 236, 300), 38);
  EXPECT_EQ(At(frame, 130, 288), 63);
  for (int y = 326; y < gfx::kFrameHeight; ++y)
    ASSERT_EQ(At(frame, 100, y), 0) << "below the zoomed picture, row " << y;

  Choose(resources::kSafeFrame);
  EXPECT_EQ(Count(NextFrame(), 38), 0);
}

TEST_F(TubeViewTest, AccurateValuesAreDrawnWhereTheyLie) {
  LevelRomBuilder rom;
  StandardView(rom, 0).Points(0, testing_support::RingPoints());
  LoadAndPick(rom, 0);
  Choose(resources::kView2D);
  Choose(resources::kClaw);

  // Point 8 pulled out to x 300.4, as a level file or the tools may leave it: its ROM value
  // stops at 255 (frame column 499), its accurate value runs off the right edge along row 70.
  level::accurate_x[level::PointIndex(0, 8)] = 300.4;
  level::StoreRomValues();
  Frame frame = NextFrame();
  EXPECT_EQ(At(frame, 499, 70), 58);
  EXPECT_EQ(At(frame, 510, 70), 0);
  Choose(resources::kAccurateValues);
  frame = NextFrame();
  EXPECT_EQ(At(frame, 510, 70), 58);
  EXPECT_EQ(At(frame, 519, 70), 58);

  // Not-a-number counts as 0 after the half is added: a point at (NaN, NaN) is drawn where
  // byte point (0, 255) would be, the top-left corner (18, 23).
  Choose(resources::kBoundingBox);
  level::accurate_x[level::PointIndex(0, 3)] = std::nan("");
  level::accurate_y[level::PointIndex(0, 3)] = std::nan("");
  frame = NextFrame();
  EXPECT_NE(At(frame, 18, 23), 0);
}

TEST_F(TubeViewTest, CoordinatesFarOutsideTheFrameStickAtTheIntegerRange) {
  LevelRomBuilder rom;
  StandardView(rom, 0).Points(0, testing_support::RingPoints());
  LoadAndPick(rom, 0);
  Choose(resources::kAccurateValues);

  // Point 8 infinitely far right: the top edge still runs straight along row 70 to the frame's
  // edge, and the far rim along row 294.
  const double inf = std::numeric_limits<double>::infinity();
  level::accurate_x[level::PointIndex(0, 8)] = inf;
  Frame frame = NextFrame();
  EXPECT_EQ(At(frame, 519, 70), 63);
  EXPECT_EQ(At(frame, 519, 294), 58);
  EXPECT_EQ(At(frame, 519, 71), 0);

  // Infinite and enormous values everywhere, drawn in a minimised window (zoom 0) where every
  // line falls on the top-left pixel: the frame completes and shows just that pixel.
  const double values[] = {inf, -inf, 1e300, -1e300, std::nan("")};
  for (int i = 0; i < 5; ++i) {
    level::accurate_x[level::PointIndex(0, 2 * i)] = values[i];
    level::accurate_y[level::PointIndex(0, 2 * i + 1)] = values[i];
  }
  host.Post(WM_SIZE, 0, MAKELPARAM(0, 0));
  frame = NextFrame();
  EXPECT_NE(frame[0], 0);
  EXPECT_EQ(Count(frame, 0), static_cast<int>(frame.size()) - 1);

  // The projection of points at the ends of the 32-bit range stays at those ends.
  EXPECT_EQ(render::ViewToFrame(kMax, kMin).x, kMax);
  EXPECT_EQ(render::ViewToFrame(kMax, kMin).y, kMin);
  EXPECT_EQ(render::ViewToFrame(kMin, kMax).x, kMin);
  EXPECT_EQ(render::ViewToFrame(kMin, kMax).y, kMax);
  EXPECT_EQ(render::ViewToFrame(0, 0).x, 260);
  EXPECT_EQ(render::ViewToFrame(0, 0).y, 325);
}

}  // namespace
