// The double-step line walk written out plainly, every pixel of the line visited one by one:
// the model that the drawing code, which steps over the stretches that cannot reach the frame,
// is checked against. Header only and free of GoogleTest, so the fuzz targets use it too.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <utility>

namespace testing_support {

// Calls plot(column, row) for every pixel of the line from (x1, y1) to (x2, y2), inside the
// frame or not, in the order the walk takes them: from both ends towards the middle.
template <typename Plot>
void PlainLineWalk(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, Plot plot) {
  std::int64_t dx = x2 - x1;
  std::int64_t dy = y2 - y1;
  const std::int64_t step = (dx >= 0) == (dy >= 0) ? 1 : -1;
  dx = std::abs(dx);
  dy = std::abs(dy);
  const bool swapped = dy > dx;
  if (swapped) {
    std::swap(x1, y1);
    std::swap(x2, y2);
    std::swap(dx, dy);
  }
  if (x1 > x2) {
    std::swap(x1, x2);
    std::swap(y1, y2);
  }
  const auto put = [&](std::int64_t a, std::int64_t b) {
    if (swapped) {
      plot(b, a);
    } else {
      plot(a, b);
    }
  };
  const bool steep = 4 * dy - 2 * dx >= 0;
  const std::int64_t c = steep ? 2 * (dy - dx) : 2 * dy;
  std::int64_t d = steep ? 4 * dy - 3 * dx : 4 * dy - dx;
  const std::int64_t inc1 = steep ? 4 * (dy - dx) : 4 * dy;
  const std::int64_t inc2 = 4 * dy - 2 * dx;
  // The pattern's two moves as bits: 1 before the first pixel, 2 before the second.
  const auto pattern = [&] {
    if (steep ? d > 0 : d < 0) return steep ? 3 : 0;
    return d < c ? 2 : 1;
  };
  std::int64_t f = x1, g = y1, h = x2, k = y2;
  put(f, g);
  if (dx == 0) return;
  put(h, k);
  for (std::int64_t i = 0; i < (dx - 1) / 4; ++i) {
    const int moves = pattern();
    d += (steep ? d > 0 : d < 0) ? inc1 : inc2;
    put(++f, g += (moves & 1) ? step : 0);
    put(++f, g += (moves & 2) ? step : 0);
    put(--h, k -= (moves & 1) ? step : 0);
    put(--h, k -= (moves & 2) ? step : 0);
  }
  const std::int64_t tail = (dx - 1) % 4;
  const int moves = pattern();
  if (tail >= 1) put(++f, g += (moves & 1) ? step : 0);
  if (tail >= 2) put(++f, g += (moves & 2) ? step : 0);
  if (tail >= 3) put(--h, k -= ((moves & 1) && !(steep && d == c)) ? step : 0);
}

}  // namespace testing_support
