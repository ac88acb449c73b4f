// The geometry tools as the Tools menu runs them on a picked level: the exact results of
// rotating, centring, flipping, reversing and the four symmetry tools, what they leave alone,
// and how they end edit mode.
#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

#include "app/editor_state.h"
#include "app/menu_model.h"
#include "level/edit_state.h"
#include "level/level_store.h"
#include "resources/command_ids.h"
#include "resources/tool_dialogs.h"
#include "support/editor_test.h"
#include "support/level_pick.h"
#include "support/level_rom_builder.h"

namespace {

using testing_support::BytePoint;
using testing_support::LevelRomBuilder;
using testing_support::ShapePoints;
using namespace resources;

// Level 5 uses shape 9, so that a tool working on the level's number instead of its shape shows.
constexpr int kLevel = 5;
constexpr int kShape = 9;

struct Point {
  double x;
  double y;
};
using Shape = std::array<Point, level::kPointsPerShape>;

Shape Accurate() {
  Shape shape;
  for (int i = 0; i < level::kPointsPerShape; ++i) {
    shape[i] = {level::accurate_x[level::PointIndex(kShape, i)],
                level::accurate_y[level::PointIndex(kShape, i)]};
  }
  return shape;
}

bool SameBits(const Shape& a, const Shape& b) {
  for (int i = 0; i < level::kPointsPerShape; ++i) {
    if (std::bit_cast<std::uint64_t>(a[i].x) != std::bit_cast<std::uint64_t>(b[i].x) ||
        std::bit_cast<std::uint64_t>(a[i].y) != std::bit_cast<std::uint64_t>(b[i].y)) {
      return false;
    }
  }
  return true;
}

// Sixteen points round a centre, counter-clockwise from the right, each `growth` further out
// than the one before, rounded to bytes.
ShapePoints Ring(double cx, double cy, double r, double growth = 0.0) {
  ShapePoints points;
  for (int i = 0; i < level::kPointsPerShape; ++i) {
    const double a = i * 3.14159265358979323846 / 8.0;
    const double radius = r + growth * i;
    points[i] = {static_cast<std::uint8_t>(std::lround(cx + radius * std::cos(a))),
                 static_cast<std::uint8_t>(std::lround(cy + radius * std::sin(a)))};
  }
  return points;
}

// The given points first, then the last one repeated.
ShapePoints Points(std::initializer_list<BytePoint> given) {
  ShapePoints points;
  points.fill(*(given.end() - 1));
  std::copy(given.begin(), given.end(), points.begin());
  return points;
}

// Everything outside the tool's shape: the whole image but its X and Y bytes, and the other
// shapes' accurate coordinates.
struct Elsewhere {
  std::vector<std::uint8_t> image;
  std::vector<double> accurate;
  bool operator==(const Elsewhere&) const = default;
};

Elsewhere OutsideTheShape() {
  Elsewhere outside;
  outside.image.assign(level::level_rom_image.begin(), level::level_rom_image.end());
  for (int i = 0; i < level::kPointsPerShape; ++i) {
    const auto index = static_cast<std::size_t>(level::PointIndex(kShape, i));
    outside.image[level::kLevelTableOffset + level::kXBytes + index] = 0;
    outside.image[level::kLevelTableOffset + level::kYBytes + index] = 0;
  }
  for (int i = 0; i < level::kPointCount; ++i) {
    if (i / level::kPointsPerShape == kShape) continue;
    outside.accurate.push_back(level::accurate_x[i]);
    outside.accurate.push_back(level::accurate_y[i]);
  }
  return outside;
}

void ExpectRomValuesMatch() {
  for (int i = 0; i < level::kPointsPerShape; ++i) {
    const Point p = Accurate()[i];
    EXPECT_EQ(level::XByte(kShape, i), std::clamp(std::floor(p.x + 0.5), 0.0, 255.0)) << i;
    EXPECT_EQ(level::YByte(kShape, i), std::clamp(std::floor(p.y + 0.5), 0.0, 255.0)) << i;
  }
}

double Distance(Point a, Point b) {
  return std::hypot(a.x - b.x, a.y - b.y);
}

// R(-90 degrees): a quarter turn counter-clockwise on screen.
Point QuarterBack(Point d) {
  return {-d.y, d.x};
}

Point Centroid(const Shape& shape) {
  Point sum{0.0, 0.0};
  for (const Point& p : shape) {
    sum.x += p.x / level::kPointsPerShape;
    sum.y += p.y / level::kPointsPerShape;
  }
  return sum;
}

class GeometryToolsTest : public testing_support::EditorTest {
 protected:
  void Open(const ShapePoints& points, bool open = false) {
    LevelRomBuilder rom;
    rom.LevelShape(kLevel, kShape).Points(kShape, points).Points(3, Ring(100, 90, 40));
    rom.ShapeByte(level::kLevelScale, kShape, 20);
    if (open) rom.Open(kShape);
    testing_support::LoadLevelRomFile(host, rom.WriteTo(temp, "tools.118"));
    testing_support::PickLevel(host, kLevel);
  }

  void Choose(int id) {
    host.ChooseMenuItem(id);
    host.HandleMessages();
  }

  // Scale Points with "Scale equally" as it opens.
  void ScalePoints(const char* percent) {
    host.ActInDialog(kScalePointsDialogId, [percent](testing_support::FakeDialog& dialog) {
      dialog.Type(kToolNumberEdit, percent);
      dialog.Click(kToolOk);
    });
    Choose(kScalePoints);
  }
};

TEST_F(GeometryToolsTest, RotateItemsTurnClockwiseAboutTheCentre) {
  Open(Ring(128, 128, 72));
  const Shape start = Accurate();
  ASSERT_EQ(start[0].x, 200.0);
  ASSERT_EQ(start[0].y, 128.0);

  Choose(kRotate90);
  EXPECT_NEAR(Accurate()[0].x, 128.0, 1e-9);
  EXPECT_NEAR(Accurate()[0].y, 56.0, 1e-9);
  EXPECT_EQ(level::XByte(kShape, 0), 128);
  EXPECT_EQ(level::YByte(kShape, 0), 56);
  EXPECT_NEAR(Accurate()[4].x, 200.0, 1e-9);  // (128, 200) goes to the right
  ExpectRomValuesMatch();

  Choose(kRotate90);
  Choose(kRotate90);
  Choose(kRotate90);
  for (int i = 0; i < level::kPointsPerShape; ++i) {
    EXPECT_NEAR(Accurate()[i].x, start[i].x, 1e-9) << i;
    EXPECT_NEAR(Accurate()[i].y, start[i].y, 1e-9) << i;
  }

  const std::array<std::pair<int, Point>, 4> others{{{kRotate180, {56.0, 128.0}},
                                                     {kRotate270, {128.0, 200.0}},
                                                     {kRotate45, {178.91168824543142, 77.088}},
                                                     {kRotate22_5, {194.51834, 100.44680}}}};
  for (const auto& [id, expected] : others) {
    SCOPED_TRACE(id);
    Open(Ring(128, 128, 72));
    Choose(id);
    EXPECT_NEAR(Accurate()[0].x, expected.x, 1e-3);
    EXPECT_NEAR(Accurate()[0].y, expected.y, 1e-3);
  }
}

TEST_F(GeometryToolsTest, CentreAimsTheBoundingBoxAtTheMiddleAndThenStays) {
  Open(Points({{10, 50}, {110, 150}, {60, 100}, {30, 140}}));
  Choose(kCentre);
  const Shape centred = Accurate();
  EXPECT_EQ(centred[0].x, 77.5);
  EXPECT_EQ(centred[0].y, 77.5);
  EXPECT_EQ(centred[1].x, 177.5);
  EXPECT_EQ(centred[1].y, 177.5);
  EXPECT_EQ(centred[3].x, 97.5);
  EXPECT_EQ(level::XByte(kShape, 0), 78);  // 77.5 rounds half up
  EXPECT_EQ(level::XByte(kShape, 1), 178);

  Choose(kCentre);
  EXPECT_TRUE(SameBits(Accurate(), centred));
}

TEST_F(GeometryToolsTest, FlippingOrReversingTwiceGivesThePointsBack) {
  Open(Ring(120, 140, 60));
  // Points with halves: 255 - v is exact for them, so two flips give every bit back.
  ScalePoints("50");
  Shape start = Accurate();
  ASSERT_EQ(start[1].x, 128.0 + (175 - 128) * 0.5);

  Choose(kFlipVertically);
  EXPECT_EQ(Accurate()[3].x, start[3].x);
  EXPECT_EQ(Accurate()[3].y, 255.0 - start[3].y);
  ExpectRomValuesMatch();
  Choose(kFlipVertically);
  EXPECT_TRUE(SameBits(Accurate(), start));

  Choose(kFlipHorizontally);
  EXPECT_EQ(Accurate()[5].x, 255.0 - start[5].x);
  EXPECT_EQ(Accurate()[5].y, start[5].y);
  ExpectRomValuesMatch();
  Choose(kFlipHorizontally);
  EXPECT_TRUE(SameBits(Accurate(), start));

  // Any fractions: flips come back to the last bit or so, reversing swaps exactly.
  Choose(kRotate22_5);
  start = Accurate();
  Choose(kFlipVertically);
  Choose(kFlipHorizontally);
  Choose(kFlipHorizontally);
  Choose(kFlipVertically);
  for (int i = 0; i < level::kPointsPerShape; ++i) {
    EXPECT_NEAR(Accurate()[i].x, start[i].x, 1e-12) << i;
    EXPECT_NEAR(Accurate()[i].y, start[i].y, 1e-12) << i;
  }
  start = Accurate();
  Choose(kReverse);
  EXPECT_EQ(Accurate()[0].x, start[15].x);
  EXPECT_EQ(Accurate()[15].y, start[0].y);
  EXPECT_EQ(Accurate()[6].y, start[9].y);
  ExpectRomValuesMatch();
  Choose(kReverse);
  EXPECT_TRUE(SameBits(Accurate(), start));
}

TEST_F(GeometryToolsTest, ToolsNeverTouchAnotherShape) {
  Open(Ring(128, 128, 30, 5));
  const Elsewhere outside = OutsideTheShape();
  for (int id :
       {kFlipVertically, kFlipHorizontally, kCentre, kRotate22_5, kRotate45, kRotate90, kRotate180,
        kRotate270, kReverse, kOneAxisRotate, kTwoAxisRotate, kOneAxisMirror, kTwoAxisMirror}) {
    SCOPED_TRACE(id);
    const Shape before = Accurate();
    Choose(id);
    EXPECT_FALSE(SameBits(Accurate(), before)) << "the tool did nothing";
    EXPECT_TRUE(OutsideTheShape() == outside);
    ExpectRomValuesMatch();
  }
}

TEST_F(GeometryToolsTest, RomValuesClampWhileAccurateValuesKeepTheirTrueValues) {
  Open(Points({{10, 128}, {250, 128}, {128, 20}, {128, 240}}));
  const Shape start = Accurate();
  ScalePoints("200");
  EXPECT_EQ(Accurate()[0].x, -108.0);
  EXPECT_EQ(Accurate()[1].x, 372.0);
  EXPECT_EQ(level::XByte(kShape, 0), 0);
  EXPECT_EQ(level::XByte(kShape, 1), 255);
  EXPECT_EQ(level::YByte(kShape, 2), 0);
  EXPECT_EQ(level::YByte(kShape, 3), 255);

  // Scaled back, the points come home and so do their exact bytes.
  ScalePoints("50");
  EXPECT_TRUE(SameBits(Accurate(), start));
  EXPECT_EQ(level::XByte(kShape, 0), 10);
  EXPECT_EQ(level::XByte(kShape, 1), 250);
  EXPECT_EQ(level::YByte(kShape, 2), 20);
  EXPECT_EQ(level::YByte(kShape, 3), 240);
}

TEST_F(GeometryToolsTest, OneAxisRotateTurnsPointsOneToSevenHalfRound) {
  Open(Points({{128, 210},
               {160, 200},
               {190, 170},
               {200, 140},
               {180, 110},
               {170, 80},
               {150, 60},
               {140, 50},
               {120, 40},
               {5, 5}}));
  const Shape start = Accurate();
  Choose(kOneAxisRotate);
  const Shape after = Accurate();
  const Point middle{(after[0].x + after[8].x) * 0.5, (after[0].y + after[8].y) * 0.5};
  for (int i = 1; i <= 7; ++i) {
    EXPECT_NEAR(after[i + 8].x - middle.x, middle.x - after[i].x, 1e-9) << i;
    EXPECT_NEAR(after[i + 8].y - middle.y, middle.y - after[i].y, 1e-9) << i;
  }
  // The source only moved with the centring.
  for (int i = 1; i <= 8; ++i) {
    EXPECT_NEAR(after[i].x - after[0].x, start[i].x - start[0].x, 1e-9) << i;
    EXPECT_NEAR(after[i].y - after[0].y, start[i].y - start[0].y, 1e-9) << i;
  }
  ExpectRomValuesMatch();
}

TEST_F(GeometryToolsTest, TwoAxisRotateRepeatsTheFirstQuarterFourTimes) {
  // P0 above the centre and P4 left of it: the quarter turn about (128, 128) carries one onto
  // the other. Then P0 = P4, where the pivot is P0 itself.
  const std::array<ShapePoints, 2> sources{
      Points({{128, 200}, {100, 190}, {80, 170}, {62, 150}, {56, 128}, {9, 9}}),
      Points({{100, 150}, {120, 160}, {140, 150}, {130, 130}, {100, 150}, {9, 9}})};
  for (const ShapePoints& source : sources) {
    Open(source);
    const Shape start = Accurate();
    Choose(kTwoAxisRotate);
    const Shape after = Accurate();
    const Point pivot = Centroid(after);
    for (int i = 0; i <= 3; ++i) {
      SCOPED_TRACE(i);
      EXPECT_TRUE(std::isfinite(after[i].x) && std::isfinite(after[i].y));
      const Point d{after[i].x - pivot.x, after[i].y - pivot.y};
      const Point quarter = QuarterBack(d);
      const Point half = QuarterBack(quarter);
      const Point three_quarters = QuarterBack(half);
      EXPECT_NEAR(after[i + 4].x - pivot.x, quarter.x, 1e-9);
      EXPECT_NEAR(after[i + 4].y - pivot.y, quarter.y, 1e-9);
      EXPECT_NEAR(after[i + 8].x - pivot.x, half.x, 1e-9);
      EXPECT_NEAR(after[i + 8].y - pivot.y, half.y, 1e-9);
      EXPECT_NEAR(after[i + 12].x - pivot.x, three_quarters.x, 1e-9);
      EXPECT_NEAR(after[i + 12].y - pivot.y, three_quarters.y, 1e-9);
      EXPECT_NEAR(after[i].x - after[0].x, start[i].x - start[0].x, 1e-9);
      EXPECT_NEAR(after[i].y - after[0].y, start[i].y - start[0].y, 1e-9);
    }
    // P4 lands where it was, relative to P0.
    EXPECT_NEAR(after[4].x - after[0].x, start[4].x - start[0].x, 1e-9);
    EXPECT_NEAR(after[4].y - after[0].y, start[4].y - start[0].y, 1e-9);
  }
  // With P0 = P4 the four quarters turn about P0.
  EXPECT_NEAR(Centroid(Accurate()).x, Accurate()[0].x, 1e-9);
  EXPECT_NEAR(Centroid(Accurate()).y, Accurate()[0].y, 1e-9);
}

TEST_F(GeometryToolsTest, OneAxisMirrorOfAClosedShapeStandsP8BelowP0AndMirrorsOneToSeven) {
  Open(Points({{60, 200},
               {90, 220},
               {130, 215},
               {170, 200},
               {210, 170},
               {230, 130},
               {225, 100},
               {215, 80},
               {200, 60},
               {5, 5}}));
  const Shape start = Accurate();
  Choose(kOneAxisMirror);
  const Shape after = Accurate();

  EXPECT_NEAR(after[8].x, after[0].x, 1e-9);
  EXPECT_LT(after[8].y, after[0].y);
  // Points 0..8 were only turned and moved.
  for (int i = 1; i <= 8; ++i) {
    EXPECT_NEAR(Distance(after[i], after[i - 1]), Distance(start[i], start[i - 1]), 1e-9);
    EXPECT_NEAR(Distance(after[i], after[0]), Distance(start[i], start[0]), 1e-9);
  }
  const double mirror_sum = after[1].x + after[15].x;
  for (int i = 1; i <= 7; ++i) {
    EXPECT_NEAR(after[16 - i].x + after[i].x, mirror_sum, 1e-9) << i;
    EXPECT_EQ(after[16 - i].y, after[i].y) << i;
  }
  // P0 stands within a unit right of the mirror line, where its byte 128 put it.
  EXPECT_GE(after[0].x - mirror_sum * 0.5, 0.0);
  EXPECT_LT(after[0].x - mirror_sum * 0.5, 1.0);
  ExpectRomValuesMatch();
}

TEST_F(GeometryToolsTest, OneAxisMirrorOfAnOpenShapeMirrorsZeroToSevenOntoFifteenToEight) {
  Open(Points({{40, 60},
               {50, 100},
               {60, 140},
               {75, 170},
               {90, 190},
               {110, 200},
               {130, 205},
               {150, 215},
               {170, 190},
               {5, 5}}),
       /*open=*/true);
  const Shape start = Accurate();
  Choose(kOneAxisMirror);
  const Shape after = Accurate();

  for (int i = 1; i <= 7; ++i) {
    EXPECT_NEAR(Distance(after[i], after[i - 1]), Distance(start[i], start[i - 1]), 1e-9);
    EXPECT_NEAR(Distance(after[i], after[0]), Distance(start[i], start[0]), 1e-9);
  }
  const double mirror_sum = after[7].x + after[8].x;
  for (int i = 0; i <= 7; ++i) {
    EXPECT_NEAR(after[15 - i].x + after[i].x, mirror_sum, 1e-9) << i;
    EXPECT_EQ(after[15 - i].y, after[i].y) << i;
  }
  // Turned so that P7 to P8 runs to the right; the axis lies between them.
  EXPECT_LT(after[7].x, mirror_sum * 0.5);
  EXPECT_GT(after[8].x, mirror_sum * 0.5);
  ExpectRomValuesMatch();
}

TEST_F(GeometryToolsTest, TwoAxisMirrorPutsP0AndP4OnTheAxesAndMirrorsBothWays) {
  Open(Points({{130, 210}, {150, 205}, {180, 190}, {200, 160}, {205, 126}, {10, 10}}));
  Choose(kTwoAxisMirror);
  const Shape after = Accurate();
  // Moved by (-2, +2) so that P0's X byte and P4's Y byte are 128; already centred then.
  const std::array<double, 16> x{128, 148, 178, 198, 203, 198, 178, 148,
                                 128, 107, 77,  57,  52,  57,  77,  107};
  const std::array<double, 16> y{212, 207, 192, 162, 128, 93,  63,  48,
                                 43,  48,  63,  93,  128, 162, 192, 207};
  for (int i = 0; i < level::kPointsPerShape; ++i) {
    EXPECT_EQ(after[i].x, x[i]) << i;
    EXPECT_EQ(after[i].y, y[i]) << i;
  }
  ExpectRomValuesMatch();
}

TEST_F(GeometryToolsTest, SymmetryToolsEndEditModeWhilePlainToolsKeepTheWalk) {
  for (int id : {kOneAxisRotate, kTwoAxisRotate, kOneAxisMirror, kTwoAxisMirror}) {
    SCOPED_TRACE(id);
    Open(Ring(128, 128, 60));
    Choose(kEditLevel);
    ASSERT_EQ(app::editor.editor_mode, app::kEditMode);
    Choose(id);
    EXPECT_EQ(app::editor.editor_mode, app::kViewMode);
    EXPECT_EQ(app::FindMenuItem(app::MainMenu(), kEditLevel)->text, "&Edit Level");
    EXPECT_EQ(level::edit_state.drawn_segment_limit, 16);
  }

  // Edit mode re-places point 1 every frame; after a flip it stays where the flip put it.
  Open(Ring(128, 128, 60));
  Choose(kEditLevel);
  host.RunFrames(1);
  const Shape before = Accurate();
  Choose(kFlipHorizontally);
  host.RunFrames(2);
  EXPECT_EQ(app::editor.editor_mode, app::kEditMode);
  EXPECT_EQ(level::edit_state.drawn_segment_limit, 15);
  EXPECT_NEAR(Accurate()[1].x, 255.0 - before[1].x, 1e-9);
  EXPECT_NEAR(Accurate()[1].y, before[1].y, 1e-9);
  EXPECT_EQ(level::XByte(kShape, 1), 255 - 183);
}

}  // namespace
