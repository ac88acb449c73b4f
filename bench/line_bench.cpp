#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <vector>

#include <benchmark/benchmark.h>

#include "app/editor_state.h"
#include "gfx/frame_buffer.h"
#include "gfx/line.h"

namespace {

struct Line {
  std::int32_t x1;
  std::int32_t y1;
  std::int32_t x2;
  std::int32_t y2;
};

// A fixed mix: a quarter short strokes like the claw and the text, the rest long lines of any
// slope across the frame, some of them running past its edges.
std::vector<Line> MixedLines() {
  std::mt19937 random(1981);
  std::uniform_int_distribution<std::int32_t> across(-60, 580);
  std::uniform_int_distribution<std::int32_t> down(-60, 710);
  std::uniform_int_distribution<std::int32_t> stroke(-12, 12);
  std::vector<Line> lines;
  for (int i = 0; i < 256; ++i) {
    const std::int32_t x1 = across(random);
    const std::int32_t y1 = down(random);
    if (i % 4 == 0) {
      lines.push_back({x1, y1, x1 + stroke(random), y1 + stroke(random)});
    } else {
      lines.push_back({x1, y1, across(random), down(random)});
    }
  }
  return lines;
}

void BM_DrawLine(benchmark::State& state) {
  app::editor.zoom_factor = 1.0;
  gfx::CreateFrameBuffer();
  const std::vector<Line> lines = MixedLines();
  std::int64_t pixels_per_pass = 0;
  for (const Line& line : lines) {
    pixels_per_pass += std::max(std::abs(line.x2 - line.x1), std::abs(line.y2 - line.y1)) + 1;
  }

  std::uint8_t colour = 0;
  for (auto _ : state) {
    for (const Line& line : lines)
      gfx::DrawLine(line.x1, line.y1, line.x2, line.y2, colour);
    ++colour;
    benchmark::ClobberMemory();
  }
  state.counters["pixels"] = benchmark::Counter(
      static_cast<double>(pixels_per_pass * state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DrawLine);

}  // namespace
