#include "render/word_mark.h"

#include <array>
#include <cmath>

#include "gfx/line.h"
#include "util/saturating_cast.h"

namespace render {
namespace {

struct Stroke {
  std::uint8_t x1;
  std::uint8_t y1;
  std::uint8_t x2;
  std::uint8_t y2;
};

// Capitals and tall letters stand from y 0 to 8, small letters from 4 to 8, and the g's tail
// hangs to 12. Letters are 5 or 6 units wide (m 8, i and r narrower), about 3 units apart.
constexpr std::array kStrokes{
    // R
    Stroke{0, 0, 0, 8},
    Stroke{0, 0, 5, 0},
    Stroke{5, 0, 6, 1},
    Stroke{6, 1, 6, 3},
    Stroke{6, 3, 5, 4},
    Stroke{5, 4, 0, 4},
    Stroke{3, 4, 6, 8},
    // i, with its dot
    Stroke{9, 4, 9, 8},
    Stroke{9, 1, 9, 2},
    // m
    Stroke{12, 4, 12, 8},
    Stroke{12, 5, 13, 4},
    Stroke{13, 4, 15, 4},
    Stroke{15, 4, 16, 5},
    Stroke{16, 5, 16, 8},
    Stroke{16, 5, 17, 4},
    Stroke{17, 4, 19, 4},
    Stroke{19, 4, 20, 5},
    Stroke{20, 5, 20, 8},
    // f
    Stroke{24, 1, 24, 8},
    Stroke{24, 1, 25, 0},
    Stroke{25, 0, 27, 0},
    Stroke{23, 4, 26, 4},
    // o
    Stroke{30, 4, 33, 4},
    Stroke{33, 4, 34, 5},
    Stroke{34, 5, 34, 7},
    Stroke{34, 7, 33, 8},
    Stroke{33, 8, 30, 8},
    Stroke{30, 8, 29, 7},
    Stroke{29, 7, 29, 5},
    Stroke{29, 5, 30, 4},
    // r
    Stroke{37, 4, 37, 8},
    Stroke{37, 5, 38, 4},
    Stroke{38, 4, 40, 4},
    // g
    Stroke{48, 4, 44, 4},
    Stroke{44, 4, 43, 5},
    Stroke{43, 5, 43, 7},
    Stroke{43, 7, 44, 8},
    Stroke{44, 8, 48, 8},
    Stroke{48, 4, 48, 11},
    Stroke{48, 11, 47, 12},
    Stroke{47, 12, 44, 12},
    Stroke{44, 12, 43, 11},
    // e
    Stroke{51, 6, 56, 6},
    Stroke{56, 6, 56, 5},
    Stroke{56, 5, 55, 4},
    Stroke{55, 4, 52, 4},
    Stroke{52, 4, 51, 5},
    Stroke{51, 5, 51, 7},
    Stroke{51, 7, 52, 8},
    Stroke{52, 8, 56, 8},
};

// The unit point drawn at the given centre: the middle of the width, 24 units below the top.
constexpr double kAnchorX = 28.0;
constexpr double kAnchorY = 24.0;

std::int32_t Place(std::int32_t centre, std::uint8_t unit, double anchor, double scale) {
  return util::SaturatingTrunc<std::int32_t>(centre + std::trunc((unit - anchor) * scale));
}

}  // namespace

void DrawWordMark(std::int32_t cx, std::int32_t cy, double scale, std::uint8_t colour) {
  for (const Stroke& stroke : kStrokes) {
    gfx::DrawLine(Place(cx, stroke.x1, kAnchorX, scale), Place(cy, stroke.y1, kAnchorY, scale),
                  Place(cx, stroke.x2, kAnchorX, scale), Place(cy, stroke.y2, kAnchorY, scale),
                  colour);
  }
}

}  // namespace render
