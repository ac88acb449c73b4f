#include "gfx/line.h"

#include <cstdlib>
#include <utility>

#include "app/editor_state.h"
#include "gfx/frame_buffer.h"
#include "util/saturating_cast.h"

namespace gfx {
namespace {

std::uint8_t drawing_colour = 255;

// a runs along the line's longer axis: the column, or the row when swapped.
void PlotPixel(std::int32_t a, std::int32_t b, bool swapped) {
  const std::int32_t column = swapped ? b : a;
  const std::int32_t row = swapped ? a : b;
  if (column < 0 || column >= kFrameWidth || row < 0 || row >= kFrameHeight) return;
  FrameBuffer()[static_cast<std::size_t>(row) * kFrameWidth + static_cast<std::size_t>(column)] =
      drawing_colour;
}

// Whether the minor coordinate moves by one step before the first and before the second pixel
// of a pair.
struct Pattern {
  bool first_move;
  bool second_move;
};

constexpr Pattern kPattern1{false, false};
constexpr Pattern kPattern2{false, true};
constexpr Pattern kPattern3{true, false};
constexpr Pattern kPattern4{true, true};

// The walk's decision variable. Everything is 64-bit: zoomed ends may lie anywhere in the
// 32-bit range, so dx alone can exceed it and 4 * dy certainly can.
struct Decision {
  bool steep;  // slope of one half or more
  std::int64_t c;
  std::int64_t d;
  std::int64_t inc1;
  std::int64_t inc2;

  // inc1 goes with the pattern that keeps to one kind of move (1 when shallow, 4 when steep).
  bool TakesInc1() const { return steep ? d > 0 : d < 0; }

  Pattern Choose() const {
    if (TakesInc1()) return steep ? kPattern4 : kPattern1;
    if (d < c) return kPattern2;
    return kPattern3;
  }

  void Advance() { d += TakesInc1() ? inc1 : inc2; }
};

Decision MakeDecision(std::int64_t dx, std::int64_t dy) {
  if (4 * dy - 2 * dx < 0) return {false, 2 * dy, 4 * dy - dx, 4 * dy, 4 * dy - 2 * dx};
  return {true, 2 * (dy - dx), 4 * dy - 3 * dx, 4 * (dy - dx), 4 * dy - 2 * dx};
}

std::int64_t Zoom(std::int32_t coordinate) {
  return util::SaturatingTrunc<std::int32_t>(static_cast<double>(coordinate) *
                                             app::editor.zoom_factor);
}

}  // namespace

void DrawLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
              std::uint8_t colour) {
  drawing_colour = colour;
  std::int64_t a1 = Zoom(x1);
  std::int64_t b1 = Zoom(y1);
  std::int64_t a2 = Zoom(x2);
  std::int64_t b2 = Zoom(y2);

  std::int64_t dx = a2 - a1;
  std::int64_t dy = b2 - b1;
  const std::int64_t step = (dx >= 0) == (dy >= 0) ? 1 : -1;
  dx = std::abs(dx);
  dy = std::abs(dy);
  const bool swapped = dy > dx;
  if (swapped) {
    std::swap(a1, b1);
    std::swap(a2, b2);
    std::swap(dx, dy);
  }
  if (a1 > a2) {
    std::swap(a1, a2);
    std::swap(b1, b2);
  }

  // The forward end (f, g) walks up the major axis, the backward end (h, k) down, both toward
  // the middle. Every pixel lies between the two ends, so the narrowing for the plot is exact.
  std::int64_t f = a1;
  std::int64_t g = b1;
  std::int64_t h = a2;
  std::int64_t k = b2;
  const auto plot = [swapped](std::int64_t a, std::int64_t b) {
    PlotPixel(static_cast<std::int32_t>(a), static_cast<std::int32_t>(b), swapped);
  };

  const std::int64_t q = (dx - 1) / 4;
  const std::int64_t r = (dx - 1) % 4;
  plot(f, g);
  if (r < 0) return;
  plot(h, k);

  Decision decision = MakeDecision(dx, dy);
  for (std::int64_t i = 0; i < q; ++i) {
    const Pattern pattern = decision.Choose();
    decision.Advance();
    ++f;
    if (pattern.first_move) g += step;
    plot(f, g);
    ++f;
    if (pattern.second_move) g += step;
    plot(f, g);
    --h;
    if (pattern.first_move) k -= step;
    plot(h, k);
    --h;
    if (pattern.second_move) k -= step;
    plot(h, k);
  }

  if (r == 0) return;
  const Pattern pattern = decision.Choose();
  ++f;
  if (pattern.first_move) g += step;
  plot(f, g);
  if (r == 1) return;
  ++f;
  if (pattern.second_move) g += step;
  plot(f, g);
  if (r == 2) return;
  // A steep line takes pattern 3 when D == c, but then its backward end keeps its row (or
  // column): the move there needs D strictly above c.
  const bool backward_move = pattern.first_move && !(decision.steep && decision.d == decision.c);
  --h;
  if (backward_move) k -= step;
  plot(h, k);
}

}  // namespace gfx
