// DrawLine and DrawTube with any level table, any accurate coordinates (NaN, infinite and huge
// ones included), any view flags, mode and zoom. Nothing may be written outside the frame
// buffer, and drawing never changes the level data. The first line of the input is also
// checked pixel by pixel: it is the same whichever end comes first, it stays within the box of
// its zoomed ends, a line whose ends lie inside the frame is one unbroken pixel for every step
// along its longer axis, and a line short enough to walk has the pixels of the plain walk that
// takes every step.
//
// The input: byte 0 the view flags (bit 0 safe frame, 1 bounding box, 2 ROM values, 3 claw,
// 4 2D view, 5 edit mode), byte 1 the current point (low nibble) and the drawn segment limit
// less one (high nibble), byte 2 the shape (low nibble); from offset 3 the accurate X and then
// Y coordinates as little-endian doubles and from offset 4099 the level table, where a level
// file has them; then the zoom as a double, and lines of 17 bytes: x1, y1, x2, y2 as
// little-endian 32-bit integers and the colour. Missing bytes count as zero, a missing zoom as 1.
#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <vector>

#include "app/editor_state.h"
#include "app/shell.h"
#include "app/view_flags.h"
#include "fuzz_host.h"
#include "gfx/frame_buffer.h"
#include "gfx/line.h"
#include "level/edit_state.h"
#include "level/level_store.h"
#include "render/tube_view.h"
#include "support/plain_line_walk.h"
#include "util/saturating_cast.h"

namespace {

using fuzzing::Require;

constexpr std::size_t kXOffset = 3;
constexpr std::size_t kYOffset = kXOffset + 8 * level::kPointCount;
constexpr std::size_t kTableOffset = kYOffset + 8 * level::kPointCount;
constexpr std::size_t kZoomOffset = kTableOffset + level::kLevelTableSize;
constexpr std::size_t kLinesOffset = kZoomOffset + 8;
constexpr std::size_t kLineSize = 17;

struct Line {
  std::int32_t x1, y1, x2, y2;
  std::uint8_t colour;
};

std::int32_t Int32At(const std::uint8_t* bytes) {
  std::uint32_t value = 0;
  for (int i = 0; i < 4; ++i) {
    value |= static_cast<std::uint32_t>(bytes[i]) << (8 * i);
  }
  return static_cast<std::int32_t>(value);
}

Line LineAt(const std::uint8_t* bytes) {
  return {Int32At(bytes), Int32At(bytes + 4), Int32At(bytes + 8), Int32At(bytes + 12), bytes[16]};
}

struct Pixel {
  std::int32_t column;
  std::int32_t row;
};

// Every pixel of the frame that holds `colour`.
RIMFORGE_NO_COVERAGE std::vector<Pixel> PixelsOf(std::uint8_t colour) {
  std::vector<Pixel> pixels;
  const std::uint8_t* const frame = gfx::FrameBuffer();
  const std::uint8_t* const end = frame + gfx::kFrameSize;
  for (const std::uint8_t* at = frame;
       (at = static_cast<const std::uint8_t*>(std::memchr(at, colour, end - at))) != nullptr;
       ++at) {
    const auto index = static_cast<std::int32_t>(at - frame);
    pixels.push_back({index % gfx::kFrameWidth, index / gfx::kFrameWidth});
  }
  return pixels;
}

RIMFORGE_NO_COVERAGE bool Inside(std::int64_t column, std::int64_t row) {
  return column >= 0 && column < gfx::kFrameWidth && row >= 0 && row < gfx::kFrameHeight;
}

RIMFORGE_NO_COVERAGE std::int64_t Zoomed(std::int32_t coordinate) {
  return util::SaturatingTrunc<std::int32_t>(static_cast<double>(coordinate) *
                                             app::editor.zoom_factor);
}

// A line whose ends lie inside the frame: one pixel for every major coordinate from end to
// end, each a neighbour of the one before, both ends among them.
RIMFORGE_NO_COVERAGE void CheckWholeLine(std::vector<Pixel> pixels, std::int64_t a1,
                                         std::int64_t b1, std::int64_t a2, std::int64_t b2) {
  const bool steep = std::abs(b2 - b1) > std::abs(a2 - a1);
  const auto major = [&](const Pixel& p) { return steep ? p.row : p.column; };
  const auto minor = [&](const Pixel& p) { return steep ? p.column : p.row; };
  const std::int64_t length = steep ? std::abs(b2 - b1) : std::abs(a2 - a1);
  Require(static_cast<std::int64_t>(pixels.size()) == length + 1,
          "a line inside the frame does not have one pixel per step");
  std::sort(pixels.begin(), pixels.end(),
            [&](const Pixel& p, const Pixel& q) { return major(p) < major(q); });
  for (std::size_t i = 1; i < pixels.size(); ++i) {
    Require(major(pixels[i]) == major(pixels[i - 1]) + 1 &&
                std::abs(minor(pixels[i]) - minor(pixels[i - 1])) <= 1,
            "a line inside the frame is broken");
  }
  const auto has = [&](std::int64_t column, std::int64_t row) {
    return std::any_of(pixels.begin(), pixels.end(),
                       [&](const Pixel& p) { return p.column == column && p.row == row; });
  };
  Require(has(a1, b1) && has(a2, b2), "a line inside the frame misses an end");
}

// The pixels inside the frame of the line between zoomed ends as the double-step walk draws
// it when it takes every step: no stretch is skipped. Rows first, then columns.
RIMFORGE_NO_COVERAGE std::vector<Pixel> PlainWalk(std::int64_t a1, std::int64_t b1, std::int64_t a2,
                                                  std::int64_t b2) {
  std::vector<Pixel> pixels;
  testing_support::PlainLineWalk(a1, b1, a2, b2, [&](std::int64_t column, std::int64_t row) {
    if (Inside(column, row)) {
      pixels.push_back({static_cast<std::int32_t>(column), static_cast<std::int32_t>(row)});
    }
  });
  std::sort(pixels.begin(), pixels.end(), [](const Pixel& p, const Pixel& q) {
    return p.row != q.row ? p.row < q.row : p.column < q.column;
  });
  return pixels;
}

RIMFORGE_NO_COVERAGE void CheckLine(const Line& line) {
  gfx::ClearFrameBuffer();
  gfx::DrawLine(line.x1, line.y1, line.x2, line.y2, 1);
  const std::vector<Pixel> pixels = PixelsOf(1);
  gfx::DrawLine(line.x2, line.y2, line.x1, line.y1, 2);
  Require(PixelsOf(1).empty(), "a line drawn the other way round misses pixels");
  gfx::DrawLine(line.x1, line.y1, line.x2, line.y2, 3);
  Require(PixelsOf(2).empty(), "a line drawn the other way round has more pixels");

  const std::int64_t a1 = Zoomed(line.x1);
  const std::int64_t b1 = Zoomed(line.y1);
  const std::int64_t a2 = Zoomed(line.x2);
  const std::int64_t b2 = Zoomed(line.y2);
  for (const Pixel& p : pixels) {
    Require(p.column >= std::min(a1, a2) && p.column <= std::max(a1, a2) &&
                p.row >= std::min(b1, b2) && p.row <= std::max(b1, b2),
            "a line has a pixel outside the box of its ends");
  }
  if (Inside(a1, b1) && Inside(a2, b2)) CheckWholeLine(pixels, a1, b1, a2, b2);
  // Lines short enough to walk step by step: skipping the far stretches changes no pixel.
  constexpr std::int64_t kWalkable = 1 << 16;
  if (std::max(std::abs(a2 - a1), std::abs(b2 - b1)) <= kWalkable) {
    const std::vector<Pixel> walked = PlainWalk(a1, b1, a2, b2);
    Require(std::equal(pixels.begin(), pixels.end(), walked.begin(), walked.end(),
                       [](const Pixel& p, const Pixel& q) {
                         return p.column == q.column && p.row == q.row;
                       }),
            "a line differs from the plain double-step walk");
  }
}

void SetViewState(std::span<const std::uint8_t> input) {
  const std::uint8_t flags = input[0];
  app::view_flags.safe_frame = flags & 1;
  app::view_flags.bounding_box = (flags >> 1) & 1;
  app::view_flags.rom_values = (flags >> 2) & 1;
  app::view_flags.claw = (flags >> 3) & 1;
  app::view_flags.view_2d = (flags >> 4) & 1;
  app::editor.editor_mode = (flags & 32) != 0 ? app::kEditMode : app::kViewMode;
  level::edit_state.current_point = input[1] & 15;
  level::edit_state.drawn_segment_limit = (input[1] >> 4) + 1;
  std::memcpy(level::accurate_x.data(), input.data() + kXOffset, 8 * level::kPointCount);
  std::memcpy(level::accurate_y.data(), input.data() + kYOffset, 8 * level::kPointCount);
  std::copy_n(input.begin() + kTableOffset, level::kLevelTableSize, level::level_table);
}

void RunInput(std::span<const std::uint8_t> file) {
  static_assert(std::endian::native == std::endian::little,
                "the input's doubles are little-endian");
  fuzzing::Host();
  // Missing bytes count as zero.
  std::vector<std::uint8_t> input(std::max(file.size(), kLinesOffset), 0);
  std::copy(file.begin(), file.end(), input.begin());
  double zoom = 1.0;
  if (file.size() >= kLinesOffset) std::memcpy(&zoom, &file[kZoomOffset], sizeof zoom);
  app::SetZoom(zoom);
  SetViewState(input);

  const std::size_t lines = (input.size() - kLinesOffset) / kLineSize;
  for (std::size_t i = 0; i < lines; ++i) {
    const Line line = LineAt(input.data() + kLinesOffset + i * kLineSize);
    if (i == 0) {
      CheckLine(line);
    } else {
      gfx::DrawLine(line.x1, line.y1, line.x2, line.y2, line.colour);
    }
  }

  const level::LevelRomImage image = level::level_rom_image;
  const std::array<double, level::kPointCount> x = level::accurate_x;
  const std::array<double, level::kPointCount> y = level::accurate_y;
  render::DrawTube(input[2] & 15);
  Require(level::level_rom_image == image &&
              std::memcmp(x.data(), level::accurate_x.data(), sizeof(double) * x.size()) == 0 &&
              std::memcmp(y.data(), level::accurate_y.data(), sizeof(double) * y.size()) == 0,
          "drawing the tube changed the level data");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  RunInput({data, size});
  fuzzing::EndInput();
  return 0;
}
