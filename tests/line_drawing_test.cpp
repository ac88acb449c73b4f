#include "gfx/line.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <compare>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <ostream>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "app/editor_state.h"
#include "gfx/frame_buffer.h"
#include "support/plain_line_walk.h"

namespace {

using gfx::kFrameHeight;
using gfx::kFrameWidth;

struct Pixel {
  int column;
  int row;
  auto operator<=>(const Pixel&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Pixel& p) {
  return out << '(' << p.column << ", " << p.row << ')';
}

bool InFrame(const Pixel& p) {
  return p.column >= 0 && p.column < kFrameWidth && p.row >= 0 && p.row < kFrameHeight;
}

std::uint8_t At(const Pixel& p) {
  return gfx::FrameBufferView()[static_cast<std::size_t>(p.row * kFrameWidth + p.column)];
}

// Every non-black pixel, sorted by column and then row. Black rows are skipped whole, which keeps
// the thousands of random lines below quick.
std::vector<Pixel> LitPixels() {
  static constexpr std::array<std::uint8_t, kFrameWidth> kBlackRow{};
  std::vector<Pixel> lit;
  const std::uint8_t* row_start = gfx::FrameBufferView().data();
  for (int row = 0; row < kFrameHeight; ++row, row_start += kFrameWidth) {
    if (std::memcmp(row_start, kBlackRow.data(), kBlackRow.size()) == 0) continue;
    for (int column = 0; column < kFrameWidth; ++column) {
      if (row_start[column] != 0) lit.push_back({column, row});
    }
  }
  std::sort(lit.begin(), lit.end());
  return lit;
}

std::vector<Pixel> Sorted(std::vector<Pixel> pixels) {
  std::sort(pixels.begin(), pixels.end());
  return pixels;
}

std::vector<Pixel> Drawn(int x1, int y1, int x2, int y2) {
  gfx::ClearFrameBuffer();
  gfx::DrawLine(x1, y1, x2, y2, 255);
  return LitPixels();
}

class LineDrawingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app::editor.zoom_factor = 1.0;
    gfx::CreateFrameBuffer();
  }
};

struct Line {
  int x1;
  int y1;
  int x2;
  int y2;
};

struct HandCase {
  const char* name;
  Line line;
  std::vector<Pixel> expected;
};

void ExpectHandCases(const std::vector<HandCase>& cases) {
  for (const HandCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Drawn(c.line.x1, c.line.y1, c.line.x2, c.line.y2), Sorted(c.expected));
  }
}

// In the comments below (f, g) is the forward end and (h, k) the backward end, both relative to
// the line's first pixel; D is the decision value before each iteration and the tail.

TEST_F(LineDrawingTest, ShallowPatternsByHand) {
  ExpectHandCases({
      // dx 9, dy 2: c 4, inc1 8, inc2 -10, q 2, r 0.
      // D -1: pattern 1 -> (1,0) (2,0) | (8,2) (7,2).  D 7 >= c: pattern 3 -> (3,1) (4,1) |
      // (6,1) (5,1).  D -3 is left for no tail.
      {"patterns 1 and 3",
       {10, 20, 19, 22},
       {{10, 20},
        {11, 20},
        {12, 20},
        {13, 21},
        {14, 21},
        {15, 21},
        {16, 21},
        {17, 22},
        {18, 22},
        {19, 22}}},
      // dx 8, dy 3, minor axis running upward (step -1): c 6, inc1 12, inc2 -4, q 1, r 3.
      // D 4 < c: pattern 2 -> (1,0) (2,-1) | (7,-3) (6,-2).  Tail D 0 < c: pattern 2 ->
      // (3,-1) (4,-2) | (5,-2).
      {"pattern 2 and a tail of three",
       {10, 23, 18, 20},
       {{10, 23}, {11, 23}, {12, 22}, {13, 22}, {14, 21}, {15, 21}, {16, 21}, {17, 20}, {18, 20}}},
  });
}

TEST_F(LineDrawingTest, SteepPatternsByHand) {
  ExpectHandCases({
      // Rows are the major axis. dx 9, dy 7: c -4, inc1 -8, inc2 10, q 2, r 0.
      // D 1 > 0: pattern 4 -> (1,1) (2,2) | (8,6) (7,5).  D -7 < c: pattern 2 -> (3,2) (4,3) |
      // (6,5) (5,4).  (Pairs are (major, minor) = (row, column) offsets.)
      {"patterns 4 and 2, rows major",
       {30, 40, 37, 49},
       {{30, 40},
        {31, 41},
        {32, 42},
        {32, 43},
        {33, 44},
        {34, 45},
        {35, 46},
        {35, 47},
        {36, 48},
        {37, 49}}},
      // Given from the far end. dx 9, dy 6: c -6, inc1 -12, inc2 6, q 2, r 0.
      // D -3 in [c, 0]: pattern 3 -> (1,1) (2,1) | (8,5) (7,5).  D 3 > 0: pattern 4 ->
      // (3,2) (4,3) | (6,4) (5,3).
      {"patterns 3 and 4, ends reversed",
       {59, 66, 50, 60},
       {{50, 60},
        {51, 61},
        {52, 61},
        {53, 62},
        {54, 63},
        {55, 63},
        {56, 64},
        {57, 65},
        {58, 65},
        {59, 66}}},
  });
}

TEST_F(LineDrawingTest, TailsByHand) {
  ExpectHandCases({
      // dx 6, dy 1, shallow: c 2, inc1 4, inc2 -8, q 1, r 1.
      // D -2: pattern 1 -> (1,0) (2,0) | (5,1) (4,1).  Tail D 2 >= c: pattern 3 -> (3,1).
      {"one tail pixel",
       {100, 100, 106, 101},
       {{100, 100}, {101, 100}, {102, 100}, {103, 101}, {104, 101}, {105, 101}, {106, 101}}},
      // dx 7, dy 2, shallow: c 4, inc1 8, inc2 -6, q 1, r 2.
      // D 1 < c: pattern 2 -> (1,0) (2,1) | (6,2) (5,1).  Tail D -5: pattern 1 -> (3,1) (4,1).
      {"two tail pixels",
       {200, 300, 207, 302},
       {{200, 300},
        {201, 300},
        {202, 301},
        {203, 301},
        {204, 301},
        {205, 301},
        {206, 302},
        {207, 302}}},
      // dx 8, dy 5, steep: c -6, inc1 -12, inc2 4, q 1, r 3.
      // D -4 in [c, 0]: pattern 3 -> (1,1) (2,1) | (7,4) (6,4).  Tail D 0 > c: pattern 3 with
      // the backward move -> (3,2) (4,2) | (5,3).
      {"three tail pixels, steep pattern 3 above c",
       {400, 500, 408, 505},
       {{400, 500},
        {401, 501},
        {402, 501},
        {403, 502},
        {404, 502},
        {405, 503},
        {406, 504},
        {407, 504},
        {408, 505}}},
      // dx 4, dy 2, steep (4dy - 2dx = 0): c -4, q 0, r 3.  Tail D -4 == c: pattern 3, but the
      // backward end does not move -> (1,1) (2,1) | (3,2), not (3,1).
      {"steep tail with D equal to c",
       {300, 400, 304, 402},
       {{300, 400}, {301, 401}, {302, 401}, {303, 402}, {304, 402}}},
      // The same line mirrored left to right (step -1): the forward end is now (310,402), so the
      // tail's two pixels sit on the left and the unmoved one on the right -> (1,-1) (2,-1) |
      // (3,-2).
      {"steep tail with D equal to c, mirrored",
       {314, 400, 310, 402},
       {{310, 402}, {311, 401}, {312, 401}, {313, 400}, {314, 400}}},
  });
}

// The zoomed end as the drawing sees it, for the non-negative coordinates used below.
int Zoomed(int coordinate, double zoom) {
  return static_cast<int>(coordinate * zoom);
}

TEST_F(LineDrawingTest, RandomLinesAreContinuousSymmetricAndClose) {
  std::mt19937 random(20240611);
  constexpr std::array<int, 3> kReach{4, 40, 700};
  for (double zoom : {1.0, 0.5, 0.8, 0.37, 0.999, 0.123}) {
    app::editor.zoom_factor = zoom;
    for (int n = 0; n < 500; ++n) {
      const int reach = kReach[random() % kReach.size()];
      const int x1 = static_cast<int>(random() % kFrameWidth);
      const int y1 = static_cast<int>(random() % kFrameHeight);
      const int x2 =
          std::clamp(x1 + static_cast<int>(random() % (2 * reach + 1)) - reach, 0, kFrameWidth - 1);
      const int y2 = std::clamp(y1 + static_cast<int>(random() % (2 * reach + 1)) - reach, 0,
                                kFrameHeight - 1);
      const auto colour = static_cast<std::uint8_t>(1 + random() % 255);
      SCOPED_TRACE(::testing::Message() << "zoom " << zoom << " line (" << x1 << ", " << y1 << ")-("
                                        << x2 << ", " << y2 << ")");

      gfx::ClearFrameBuffer();
      gfx::DrawLine(x1, y1, x2, y2, colour);
      const std::vector<Pixel> lit = LitPixels();
      gfx::ClearFrameBuffer();
      gfx::DrawLine(x2, y2, x1, y1, colour);
      EXPECT_EQ(LitPixels(), lit);

      const Pixel end1{Zoomed(x1, zoom), Zoomed(y1, zoom)};
      const Pixel end2{Zoomed(x2, zoom), Zoomed(y2, zoom)};
      const bool rows_major = std::abs(end2.row - end1.row) > std::abs(end2.column - end1.column);
      const auto major = [rows_major](const Pixel& p) { return rows_major ? p.row : p.column; };
      const auto minor = [rows_major](const Pixel& p) { return rows_major ? p.column : p.row; };
      const int low = std::min(major(end1), major(end2));
      const int high = std::max(major(end1), major(end2));

      ASSERT_EQ(lit.size(), static_cast<std::size_t>(high - low + 1));
      std::vector<int> majors;
      for (const Pixel& p : lit) {
        EXPECT_EQ(At(p), colour);
        majors.push_back(major(p));
      }
      std::sort(majors.begin(), majors.end());
      for (std::size_t i = 0; i < majors.size(); ++i) {
        ASSERT_EQ(majors[i], low + static_cast<int>(i));
      }
      EXPECT_TRUE(std::binary_search(lit.begin(), lit.end(), end1)) << end1;
      EXPECT_TRUE(std::binary_search(lit.begin(), lit.end(), end2)) << end2;

      if (high == low) continue;
      const double slope =
          static_cast<double>(minor(end2) - minor(end1)) / (major(end2) - major(end1));
      for (const Pixel& p : lit) {
        const double ideal = minor(end1) + slope * (major(p) - major(end1));
        // The nearest pixel to the ideal line, a tie going either way.
        EXPECT_LE(std::abs(minor(p) - ideal), 0.5 + 1e-9) << p;
      }
    }
  }
}

TEST_F(LineDrawingTest, ClippingKeepsExactlyTheInsidePixels) {
  std::mt19937 random(77);
  constexpr std::array<int, 3> kReach{6, 80, 700};
  for (int n = 0; n < 1500; ++n) {
    const int reach = kReach[random() % kReach.size()];
    const int width = std::min(static_cast<int>(random() % (reach + 1)), kFrameWidth - 1);
    const int height = std::min(static_cast<int>(random() % (reach + 1)), kFrameHeight - 1);
    // The line's box may start left of or above the frame, or run past its far edges.
    const int left = static_cast<int>(random() % (kFrameWidth + 2 * width + 40)) - width - 20;
    const int top = static_cast<int>(random() % (kFrameHeight + 2 * height + 40)) - height - 20;
    const bool falling = random() % 2 == 0;
    const int x1 = left;
    const int x2 = left + width;
    const int y1 = falling ? top : top + height;
    const int y2 = falling ? top + height : top;
    SCOPED_TRACE(::testing::Message()
                 << "line (" << x1 << ", " << y1 << ")-(" << x2 << ", " << y2 << ")");

    // Moved by whole pixels to lie wholly inside, the same line shows all its pixels.
    const int shift_x = static_cast<int>(random() % (kFrameWidth - width)) - left;
    const int shift_y = static_cast<int>(random() % (kFrameHeight - height)) - top;
    const std::vector<Pixel> whole = Drawn(x1 + shift_x, y1 + shift_y, x2 + shift_x, y2 + shift_y);
    ASSERT_EQ(whole.size(), static_cast<std::size_t>(std::max(width, height) + 1));
    std::vector<Pixel> expected;
    for (const Pixel& p : whole) {
      const Pixel back{p.column - shift_x, p.row - shift_y};
      if (InFrame(back)) expected.push_back(back);
    }

    EXPECT_EQ(Drawn(x1, y1, x2, y2), Sorted(expected));
  }
}

// Every pixel of the plain walk inside the frame, sorted like LitPixels.
std::vector<Pixel> PlainWalk(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) {
  std::vector<Pixel> pixels;
  testing_support::PlainLineWalk(x1, y1, x2, y2, [&](std::int64_t column, std::int64_t row) {
    const Pixel p{static_cast<int>(column), static_cast<int>(row)};
    if (InFrame(p)) pixels.push_back(p);
  });
  return Sorted(pixels);
}

TEST_F(LineDrawingTest, LongLinesAcrossTheFrameMatchThePlainWalk) {
  std::mt19937 random(2024);
  for (int n = 0; n < 400; ++n) {
    // Ends up to 30000 pixels beyond the frame on either side, so that long stretches of the
    // walk are stepped over, and mostly lines that do cross the frame.
    const auto coordinate = [&](int size) {
      return static_cast<int>(random() % (size + 60001)) - 30000;
    };
    const int x1 = coordinate(kFrameWidth);
    const int y1 = coordinate(kFrameHeight);
    const int x2 = n % 2 == 0 ? kFrameWidth - x1 + static_cast<int>(random() % 41) - 20
                              : coordinate(kFrameWidth);
    const int y2 = n % 2 == 0 ? kFrameHeight - y1 + static_cast<int>(random() % 41) - 20
                              : coordinate(kFrameHeight);
    SCOPED_TRACE(::testing::Message()
                 << "line (" << x1 << ", " << y1 << ")-(" << x2 << ", " << y2 << ")");
    ASSERT_EQ(Drawn(x1, y1, x2, y2), PlainWalk(x1, y1, x2, y2));
    ASSERT_EQ(Drawn(x2, y2, x1, y1), PlainWalk(x1, y1, x2, y2));
  }
}

TEST_F(LineDrawingTest, LinesWhollyOutsideLeaveTheBufferAlone) {
  gfx::DrawLine(0, 0, 519, 649, 63);
  gfx::DrawLine(0, 649, 519, 0, 111);
  const std::vector<std::uint8_t> before(gfx::FrameBufferView().begin(),
                                         gfx::FrameBufferView().end());

  gfx::DrawLine(-1, -5, -1, 700, 127);     // the column left of the frame
  gfx::DrawLine(520, -5, 530, 700, 127);   // right of it
  gfx::DrawLine(-50, -1, 600, -1, 127);    // above
  gfx::DrawLine(-50, 650, 600, 660, 127);  // below
  gfx::DrawLine(-100, 10, 10, -100, 127);  // past the top-left corner, x + y = -90
  gfx::DrawLine(600, 700, 530, 660, 127);  // beyond the bottom-right corner
  gfx::DrawLine(-3000, -2000, -2, -1, 127);
  EXPECT_TRUE(std::equal(before.begin(), before.end(), gfx::FrameBufferView().begin()));
}

TEST_F(LineDrawingTest, ShortestLines) {
  EXPECT_EQ(Drawn(7, 9, 7, 9), (std::vector<Pixel>{{7, 9}}));
  EXPECT_EQ(Drawn(10, 10, 11, 10), (std::vector<Pixel>{{10, 10}, {11, 10}}));
  EXPECT_EQ(Drawn(10, 10, 10, 11), (std::vector<Pixel>{{10, 10}, {10, 11}}));
  EXPECT_EQ(Drawn(11, 10, 10, 11), (std::vector<Pixel>{{10, 11}, {11, 10}}));
  EXPECT_EQ(Drawn(20, 20, 22, 20), (std::vector<Pixel>{{20, 20}, {21, 20}, {22, 20}}));

  // Both ends land on (50, 100) after the zoom.
  app::editor.zoom_factor = 0.5;
  EXPECT_EQ(Drawn(101, 201, 100, 200), (std::vector<Pixel>{{50, 100}}));
  // Ends (5, 5) and (6, 5): one apart along the major axis.
  EXPECT_EQ(Drawn(10, 10, 13, 11), (std::vector<Pixel>{{5, 5}, {6, 5}}));
}

TEST_F(LineDrawingTest, ZoomTruncatesTowardZero) {
  app::editor.zoom_factor = 0.5;
  EXPECT_EQ(Drawn(-1, -1, -1, -1), (std::vector<Pixel>{{0, 0}}));
  EXPECT_TRUE(Drawn(-2, -2, -2, -2).empty());
  // (-3, 9)-(9, 9) becomes (-1, 4)-(4, 4): columns 0..4 are inside.
  EXPECT_EQ(Drawn(-3, 9, 9, 9), (std::vector<Pixel>{{0, 4}, {1, 4}, {2, 4}, {3, 4}, {4, 4}}));

  // The whole picture shrinks toward the top-left corner.
  gfx::ClearFrameBuffer();
  gfx::DrawLine(0, 0, 519, 649, 63);
  gfx::DrawLine(519, 0, 0, 649, 63);
  for (const Pixel& p : LitPixels()) {
    EXPECT_LT(p.column, 260) << p;
    EXPECT_LT(p.row, 325) << p;
  }
}

TEST_F(LineDrawingTest, FullWidthRowStopsAtTheRightEdge) {
  std::vector<Pixel> row;
  for (int column = 0; column < kFrameWidth; ++column)
    row.push_back({column, 171});
  EXPECT_EQ(Drawn(0, 171, 520, 171), row);
  EXPECT_EQ(Drawn(520, 171, 0, 171), row);
}

TEST_F(LineDrawingTest, LaterLinesOverwrite) {
  gfx::DrawLine(100, 50, 200, 50, 63);
  gfx::DrawLine(150, 0, 150, 100, 111);
  gfx::DrawLine(120, 50, 120, 50, 0);
  EXPECT_EQ(At({150, 50}), 111);
  EXPECT_EQ(At({149, 50}), 63);
  EXPECT_EQ(At({150, 49}), 111);
  EXPECT_EQ(At({120, 50}), 0);
  EXPECT_EQ(LitPixels().size(), 101U + 101U - 1U - 1U);
}

TEST_F(LineDrawingTest, LastPixelOfTheFrame) {
  EXPECT_EQ(Drawn(519, 649, 519, 649), (std::vector<Pixel>{{519, 649}}));
  EXPECT_EQ(gfx::FrameBufferView()[gfx::kFrameSize - 1], 255);
  EXPECT_EQ(Drawn(515, 645, 525, 655),
            (std::vector<Pixel>{{515, 645}, {516, 646}, {517, 647}, {518, 648}, {519, 649}}));
}

TEST_F(LineDrawingTest, ExtremeCoordinatesAndZoomsStayInBounds) {
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
  EXPECT_TRUE(Drawn(kMax, kMax, kMax - 5, kMax - 2).empty());
  EXPECT_TRUE(Drawn(kMin, kMin, kMin + 3, kMin + 7).empty());
  EXPECT_TRUE(Drawn(kMax, kMin, kMax - 6, kMin + 6).empty());
  EXPECT_TRUE(Drawn(kMin, kMax, kMin + 2, kMax).empty());

  // Lines far longer than the frame show only their inside part, and at the limits of the
  // 32-bit range they cost no more than a line across the frame.
  std::vector<Pixel> diagonal;
  for (int i = 0; i < kFrameWidth; ++i)
    diagonal.push_back({i, i});
  EXPECT_EQ(Drawn(-1000000, -1000000, 1000000, 1000000), diagonal);
  std::vector<Pixel> column;
  for (int row = 0; row < kFrameHeight; ++row)
    column.push_back({7, row});
  EXPECT_EQ(Drawn(7, 3000000, 7, -3000000), column);
  EXPECT_EQ(Drawn(kMin, kMin, kMax, kMax), diagonal);
  EXPECT_EQ(Drawn(7, kMax, 7, kMin), column);
  EXPECT_EQ(Drawn(kMin + 1, 5, kMax, 5).size(), static_cast<std::size_t>(kFrameWidth));

  // Products past the 32-bit range stick at its ends; NaN becomes 0.
  app::editor.zoom_factor = std::numeric_limits<double>::infinity();
  EXPECT_TRUE(Drawn(3, 4, 5, 6).empty());
  EXPECT_TRUE(Drawn(-3, -4, -5, -6).empty());
  app::editor.zoom_factor = -std::numeric_limits<double>::infinity();
  EXPECT_TRUE(Drawn(3, 4, 5, 6).empty());
  app::editor.zoom_factor = 1e300;
  EXPECT_TRUE(Drawn(kMax, 1, kMax, 2).empty());
  app::editor.zoom_factor = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(Drawn(3, 4, 500, 600), (std::vector<Pixel>{{0, 0}}));
}

}  // namespace
