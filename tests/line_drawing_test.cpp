// Lines against the plain double-step walk that visits every pixel: short and long, inside the
// frame, across it and far outside it, at several zooms and at the ends of the integer range.
#include "gfx/line.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "app/editor_state.h"
#include "gfx/frame_buffer.h"
#include "support/plain_line_walk.h"

namespace {

using gfx::kFrameHeight;
using gfx::kFrameWidth;
using Pixels = std::vector<std::pair<int, int>>;  // (column, row), sorted

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

// The lit pixels after drawing the one line, each of which must have its colour. Black rows are
// skipped whole, which keeps the thousands of lines below quick.
Pixels Drawn(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
  static constexpr std::array<std::uint8_t, kFrameWidth> kBlackRow{};
  gfx::ClearFrameBuffer();
  gfx::DrawLine(x1, y1, x2, y2, 201);
  Pixels lit;
  for (int row = 0; row < kFrameHeight; ++row) {
    const std::uint8_t* pixels = gfx::FrameBufferView().data() + row * kFrameWidth;
    if (std::memcmp(pixels, kBlackRow.data(), kFrameWidth) == 0) continue;
    for (int column = 0; column < kFrameWidth; ++column) {
      if (pixels[column] == 0) continue;
      EXPECT_EQ(pixels[column], 201);
      lit.emplace_back(column, row);
    }
  }
  std::sort(lit.begin(), lit.end());
  return lit;
}

// The pixels of the plain walk between the zoomed ends that lie inside the frame.
Pixels Walked(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, double zoom) {
  const auto zoomed = [zoom](std::int32_t v) { return static_cast<std::int64_t>(v * zoom); };
  Pixels pixels;
  testing_support::PlainLineWalk(
      zoomed(x1), zoomed(y1), zoomed(x2), zoomed(y2), [&](std::int64_t column, std::int64_t row) {
        if (column >= 0 && column < kFrameWidth && row >= 0 && row < kFrameHeight)
          pixels.emplace_back(static_cast<int>(column), static_cast<int>(row));
      });
  std::sort(pixels.begin(), pixels.end());
  return pixels;
}

class LineDrawingTest : public ::testing::Test {
 protected:
  void SetUp() override { gfx::CreateFrameBuffer(); }
  void TearDown() override { app::editor.zoom_factor = 1.0; }
};

TEST_F(LineDrawingTest, EveryLineHasThePixelsOfThePlainWalkWhicheverEndComesFirst) {
  std::mt19937 random(2024);
  const int reaches[] = {3, 9, 40, 700, 40000};
  for (const double zoom : {1.0, 0.5, 0.8, 0.37}) {
    app::editor.zoom_factor = zoom;
    for (int n = 0; n < 500; ++n) {
      const int reach = reaches[random() % std::size(reaches)];
      const auto near = [&](int from) {
        return from + static_cast<int>(random() % (2 * reach + 1)) - reach;
      };
      const int x1 = near(static_cast<int>(random() % kFrameWidth));
      const int y1 = near(static_cast<int>(random() % kFrameHeight));
      const int x2 = n % 3 == 0 ? kFrameWidth - x1 : near(x1);
      const int y2 = n % 3 == 0 ? kFrameHeight - y1 : near(y1);
      SCOPED_TRACE(::testing::Message() << "zoom " << zoom << ", (" << x1 << ", " << y1 << ")-("
                                        << x2 << ", " << y2 << ")");
      const Pixels walked = Walked(x1, y1, x2, y2, zoom);
      ASSERT_EQ(Drawn(x1, y1, x2, y2), walked);
      ASSERT_EQ(Drawn(x2, y2, x1, y1), walked);
    }
  }
}

TEST_F(LineDrawingTest, EndsOfTheIntegerRangeAndOddZoomsStayInBounds) {
  Pixels diagonal;
  Pixels column;
  for (int i = 0; i < kFrameHeight; ++i) {
    if (i < kFrameWidth) diagonal.emplace_back(i, i);
    column.emplace_back(7, i);
  }
  EXPECT_TRUE(Drawn(kMax, kMax, kMax - 5, kMax - 2).empty());
  EXPECT_TRUE(Drawn(kMin, kMin, kMin + 3, kMin + 7).empty());
  EXPECT_EQ(Drawn(kMin, kMin, kMax, kMax), diagonal);
  EXPECT_EQ(Drawn(7, kMax, 7, kMin), column);
  EXPECT_EQ(Drawn(kMin + 1, 5, kMax, 5).size(), static_cast<std::size_t>(kFrameWidth));

  // Zoomed coordinates past the 32-bit range stick at its ends; NaN becomes 0.
  for (const double zoom : {std::numeric_limits<double>::infinity(), -1e300}) {
    app::editor.zoom_factor = zoom;
    EXPECT_TRUE(Drawn(3, 4, 5, 6).empty()) << zoom;
  }
  app::editor.zoom_factor = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(Drawn(3, 4, 500, 600), (Pixels{{0, 0}}));
}

}  // namespace
