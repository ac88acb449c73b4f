// DrawLine and DrawTube with any level table, coordinates, view flags, mode and zoom. Byte 0:
// view flags (bits 0..4 safe frame, bounding box, ROM values, claw, 2D view; bit 5 edit mode);
// byte 1: current point (low nibble), drawn segment limit less one; byte 2: shape (low nibble);
// from 3 the accurate X and Y (doubles), from 4099 the level table, as in a level file; the zoom
// (double); lines of 17 bytes: x1, y1, x2, y2 (int32) and colour. Little-endian; missing bytes
// are zero, a missing zoom 1.
#include <bit>
#include <cstdlib>
#include <cstring>

#include "app/editor_state.h"
#include "app/shell.h"
#include "app/view_flags.h"
#include "fuzz_host.h"
#include "gfx/frame_buffer.h"
#include "gfx/line.h"
#include "level/edit_state.h"
#include "render/tube_view.h"
#include "support/plain_line_walk.h"
#include "util/saturating_cast.h"

namespace fuzzing {
namespace {

using namespace app;
using namespace gfx;
using namespace level;

constexpr std::size_t kXOffset = 3;
constexpr std::size_t kYOffset = kXOffset + 8 * kPointCount;
constexpr std::size_t kTableOffset = kYOffset + 8 * kPointCount;
constexpr std::size_t kZoomOffset = kTableOffset + kLevelTableSize;
constexpr std::size_t kLinesOffset = kZoomOffset + 8;
constexpr std::size_t kLineSize = 17;

struct Line {
  std::int32_t x1, y1, x2, y2;
  std::uint8_t colour;
};
static_assert(offsetof(Line, colour) == kLineSize - 1 &&
              std::endian::native == std::endian::little);

// In the frame's order.
struct Pixel {
  std::int64_t row;
  std::int64_t column;
  auto operator<=>(const Pixel&) const = default;
};

UNCOUNTED std::vector<Pixel> PixelsOf(const Line& line) {
  ClearFrameBuffer();
  DrawLine(line.x1, line.y1, line.x2, line.y2, 1);
  std::vector<Pixel> pixels;
  const std::uint8_t* const frame = FrameBuffer();
  const std::uint8_t* const end = frame + kFrameSize;
  for (const std::uint8_t* at = frame;
       (at = static_cast<const std::uint8_t*>(std::memchr(at, 1, end - at))) != nullptr; ++at) {
    pixels.push_back({(at - frame) / kFrameWidth, (at - frame) % kFrameWidth});
  }
  return pixels;
}

UNCOUNTED bool Inside(std::int64_t column, std::int64_t row) {
  return column >= 0 && column < kFrameWidth && row >= 0 && row < kFrameHeight;
}

UNCOUNTED std::int64_t Zoomed(std::int32_t coordinate) {
  return util::SaturatingTrunc<std::int32_t>(static_cast<double>(coordinate) * editor.zoom_factor);
}

UNCOUNTED void CheckWholeLine(std::vector<Pixel> pixels, Pixel first, Pixel last) {
  const bool steep = std::abs(last.row - first.row) > std::abs(last.column - first.column);
  const auto major = [&](const Pixel& p) { return steep ? p.row : p.column; };
  if (major(first) > major(last)) std::swap(first, last);
  std::ranges::sort(pixels, {}, major);
  const auto broken = [&](const Pixel& p, const Pixel& q) {
    return major(q) != major(p) + 1 || std::abs(q.row - p.row) > 1 ||
           std::abs(q.column - p.column) > 1;
  };
  Require(pixels.size() == static_cast<std::size_t>(major(last) - major(first)) + 1 &&
              pixels.front() == first && pixels.back() == last &&
              std::ranges::adjacent_find(pixels, broken) == pixels.end(),
          "a line inside the frame does not run unbroken from end to end");
}

UNCOUNTED void CheckLine(const Line& line) {
  const auto pixels = PixelsOf(line);
  const std::int64_t a1 = Zoomed(line.x1);
  const std::int64_t b1 = Zoomed(line.y1);
  const std::int64_t a2 = Zoomed(line.x2);
  const std::int64_t b2 = Zoomed(line.y2);
  for (const Pixel& p : pixels) {
    Require(p.column >= std::min(a1, a2) && p.column <= std::max(a1, a2) &&
                p.row >= std::min(b1, b2) && p.row <= std::max(b1, b2),
            "a line has a pixel outside the box of its ends");
  }
  Require(PixelsOf({line.x2, line.y2, line.x1, line.y1, 0}) == pixels,
          "a line reversed has other pixels");
  if (Inside(a1, b1) && Inside(a2, b2)) CheckWholeLine(pixels, {b1, a1}, {b2, a2});
  // Short enough to walk: skipping far stretches changes no pixel.
  if (std::max(std::abs(a2 - a1), std::abs(b2 - b1)) <= 1 << 16) {
    std::vector<Pixel> walked;
    testing_support::PlainLineWalk(a1, b1, a2, b2, [&](std::int64_t column, std::int64_t row) {
      if (Inside(column, row)) walked.push_back({row, column});
    });
    std::ranges::sort(walked);
    Require(pixels == walked, "a line differs from the plain double-step walk");
  }
}

}  // namespace

void RunInput(Bytes file) {
  Host();
  std::vector<std::uint8_t> input(std::max(file.size(), kLinesOffset), 0);
  std::ranges::copy(file, input.begin());
  double zoom = 1.0;
  if (file.size() >= kLinesOffset) std::memcpy(&zoom, &file[kZoomOffset], sizeof zoom);
  SetZoom(zoom);
  const int flags = input[0];
  view_flags = {flags & 1,        (flags >> 1) & 1, (flags >> 2) & 1,
                (flags >> 3) & 1, view_flags.bend,  (flags >> 4) & 1};
  editor.editor_mode = (flags & 32) != 0 ? kEditMode : kViewMode;
  edit_state.current_point = input[1] & 15;
  edit_state.drawn_segment_limit = (input[1] >> 4) + 1;
  std::memcpy(accurate_x.data(), &input[kXOffset], 8 * kPointCount);
  std::memcpy(accurate_y.data(), &input[kYOffset], 8 * kPointCount);
  std::copy_n(&input[kTableOffset], kLevelTableSize, level_table);

  for (std::size_t at = kLinesOffset; at + kLineSize <= input.size(); at += kLineSize) {
    Line line;
    std::memcpy(&line, &input[at], kLineSize);
    if (at == kLinesOffset) {
      CheckLine(line);
    } else {
      DrawLine(line.x1, line.y1, line.x2, line.y2, line.colour);
    }
  }

  const auto before = CurrentLevelData();
  render::DrawTube(input[2] & 15);
  Require(CurrentLevelData() == before, "drawing the tube changed the level data");
}

}  // namespace fuzzing
