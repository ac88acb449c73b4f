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

// The two ends of a line being walked toward each other, and the decision value. Each
// iteration plots two pixels at the forward end (f, g), moving up the major axis, and two at the
// backward end (h, k), moving down it, with the same pattern at both.
struct Walk {
  std::int64_t f;
  std::int64_t g;
  std::int64_t h;
  std::int64_t k;
  std::int64_t step;  // the minor move at the forward end: +1 or -1
  std::int64_t dx;
  std::int64_t dy;
  bool swapped;
  Decision decision;

  void Plot(std::int64_t a, std::int64_t b) const {
    // Every pixel lies between the two ends, so the narrowing is exact.
    PlotPixel(static_cast<std::int32_t>(a), static_cast<std::int32_t>(b), swapped);
  }

  void Iterate() {
    const Pattern pattern = decision.Choose();
    decision.Advance();
    ++f;
    if (pattern.first_move) g += step;
    Plot(f, g);
    ++f;
    if (pattern.second_move) g += step;
    Plot(f, g);
    --h;
    if (pattern.first_move) k -= step;
    Plot(h, k);
    --h;
    if (pattern.second_move) k -= step;
    Plot(h, k);
  }

  // Does n iterations without plotting. Every iteration adds 4 dy to D and takes 2 dx away for
  // each minor move, and D stays within a range 2 dx wide (shallow: [4dy - 2dx, 4dy), steep:
  // (4dy - 4dx, 4dy - 2dx]), so the number of moves follows from a division. 4 dy is split as
  // a * 2dx + b so that no product leaves 64 bits.
  void Skip(std::int64_t n) {
    const auto two_dx = static_cast<std::uint64_t>(2 * dx);
    const std::uint64_t a = static_cast<std::uint64_t>(4 * dy) / two_dx;
    const std::uint64_t b = static_cast<std::uint64_t>(4 * dy) % two_dx;
    const std::int64_t low = decision.steep ? 4 * dy - 4 * dx + 1 : 4 * dy - 2 * dx;
    const std::uint64_t t =
        static_cast<std::uint64_t>(decision.d - low) + b * static_cast<std::uint64_t>(n);
    const auto moves = static_cast<std::int64_t>(a * static_cast<std::uint64_t>(n) + t / two_dx);
    decision.d = low + static_cast<std::int64_t>(t % two_dx);
    f += 2 * n;
    h -= 2 * n;
    g += step * moves;
    k -= step * moves;
  }
};

std::int64_t FloorHalf(std::int64_t value) {
  return value >= 0 ? value / 2 : -((1 - value) / 2);
}
std::int64_t CeilHalf(std::int64_t value) {
  return -FloorHalf(-value);
}

struct Window {
  std::int64_t first;
  std::int64_t last;
};

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

  Walk walk{a1, b1, a2, b2, step, dx, dy, swapped, MakeDecision(dx, dy)};
  const std::int64_t q = (dx - 1) / 4;
  const std::int64_t r = (dx - 1) % 4;
  walk.Plot(walk.f, walk.g);
  if (r < 0) return;
  walk.Plot(walk.h, walk.k);

  // Only the iterations whose pixels can fall within the frame's extent along the major axis
  // are walked; the rest are skipped in one step each, which gives the same pixels. Iteration i
  // plots f + 2i + 1 and f + 2i + 2 forward, h - 2i - 1 and h - 2i - 2 backward.
  const std::int64_t extent = swapped ? kFrameHeight : kFrameWidth;
  Window forward{CeilHalf(-2 - walk.f), FloorHalf(extent - 2 - walk.f)};
  Window backward{CeilHalf(walk.h - extent - 1), FloorHalf(walk.h - 1)};
  if (backward.first < forward.first) std::swap(forward, backward);
  std::int64_t done = 0;
  for (const Window& window : {forward, backward}) {
    const std::int64_t first = std::max(window.first, done);
    const std::int64_t last = std::min(window.last, q - 1);
    if (first > last) continue;
    walk.Skip(first - done);
    for (std::int64_t i = first; i <= last; ++i)
      walk.Iterate();
    done = last + 1;
  }
  if (done < q) walk.Skip(q - done);

  if (r == 0) return;
  const Pattern pattern = walk.decision.Choose();
  ++walk.f;
  if (pattern.first_move) walk.g += step;
  walk.Plot(walk.f, walk.g);
  if (r == 1) return;
  ++walk.f;
  if (pattern.second_move) walk.g += step;
  walk.Plot(walk.f, walk.g);
  if (r == 2) return;
  // A steep line takes pattern 3 when D == c, but then its backward end keeps its row (or
  // column): the move there needs D strictly above c.
  const Decision& decision = walk.decision;
  const bool backward_move = pattern.first_move && !(decision.steep && decision.d == decision.c);
  --walk.h;
  if (backward_move) walk.k -= step;
  walk.Plot(walk.h, walk.k);
}

}  // namespace gfx
