// Lines against the plain double-step walk that visits every pixel, at several zooms.
#include "gfx/line.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "app/editor_state.h"
#include "gfx/frame_buffer.h"
#include "support/plain_line_walk.h"

namespace {

using gfx::kFrameHeight;
using gfx::kFrameWidth;
using Pixels = std::vector<std::pair<int, int>>;  // (row, column), sorted

// The lit pixels after drawing the one line, each of which must have its colour. Black rows are
// skipped whole, which keeps the thousands of lines below quick.
Pixels Drawn(int x1, int y1, int x2, int y2) {
  static constexpr std::uint8_t kBlackRow[kFrameWidth] = {};
  gfx::ClearFrameBuffer();
  gfx::DrawLine(x1, y1, x2, y2, 201);
  Pixels lit;
  for (int row = 0; row < kFrameHeight; ++row) {
    const std::uint8_t* pixels = gfx::FrameBufferView().data() + row * kFrameWidth;
    if (std::memcmp(pixels, kBlackRow, kFrameWidth) == 0) continue;
    for (int column = 0; column < kFrameWidth; ++column) {
      if (pixels[column] == 0) continue;
      EXPECT_EQ(pixels[column], 201);
      lit.emplace_back(row, column);
    }
  }
  return lit;
}

// The pixels of the plain walk between the zoomed ends that lie inside the frame.
Pixels Walked(int x1, int y1, int x2, int y2, double zoom) {
  const auto zoomed = [zoom](int v) { return static_cast<std::int64_t>(v * zoom); };
  Pixels pixels;
  testing_support::PlainLineWalk(
      zoomed(x1), zoomed(y1), zoomed(x2), zoomed(y2), [&](std::int64_t column, std::int64_t row) {
        if (column >= 0 && column < kFrameWidth && row >= 0 && row < kFrameHeight)
          pixels.emplace_back(static_cast<int>(row), static_cast<int>(column));
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
      SCOPED_TRACE(testing::Message() << zoom << ": " << x1 << ' ' << y1 << ' ' << x2 << ' ' << y2);
      const Pixels walked = Walked(x1, y1, x2, y2, zoom);
      ASSERT_EQ(Drawn(x1, y1, x2, y2), walked);
      ASSERT_EQ(Drawn(x2, y2, x1, y1), walked);
    }
  }
}

}  // namespace
