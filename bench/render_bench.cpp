// One whole frame of the tube view and of level select: the clear that starts every frame,
// then the picture.
#include <cmath>
#include <cstdint>

#include <benchmark/benchmark.h>

#include "app/editor_state.h"
#include "app/shell.h"
#include "gfx/frame_buffer.h"
#include "level/edit_state.h"
#include "level/level_store.h"
#include "platform/host.h"
#include "quiet_host.h"
#include "render/level_select.h"
#include "render/tube_view.h"

namespace {

// A fresh editor with sixteen closed tubes, each a sixteen-point star of its own size, at
// level scale 10, and every view flag at its start value: all on, 3D.
void MakeTubes() {
  app::ResetEditor();
  app::StartEditor();
  for (int shape = 0; shape < level::kShapeCount; ++shape) {
    for (int point = 0; point < level::kPointsPerShape; ++point) {
      const double angle = point * 3.14159265359 / 8;
      const double radius = (point % 2 == 0 ? 120.0 : 60.0) - 3 * shape;
      const int index = level::PointIndex(shape, point);
      level::accurate_x[index] = 128 + radius * std::cos(angle);
      level::accurate_y[index] = 128 + radius * std::sin(angle);
    }
    level::ShapeByte(level::kLevelScale, shape) = 10;
    level::ShapeByte(level::kHeight, shape) = 128;
    level::ShapeByte(level::kLevelToShapeMap, shape) = static_cast<std::uint8_t>(shape);
  }
  level::StoreRomValues();
}

void BM_TubeViewFrame(benchmark::State& state) {
  bench::QuietHost host;
  platform::SetHost(&host);
  MakeTubes();
  app::editor.editor_mode = app::kViewMode;
  level::edit_state.current_point = 5;
  for (auto _ : state) {
    gfx::ClearFrameBuffer();
    render::DrawTube(0);
    benchmark::ClobberMemory();
  }
  platform::SetHost(nullptr);
}
BENCHMARK(BM_TubeViewFrame)->Unit(benchmark::kMicrosecond);

void BM_LevelSelectFrame(benchmark::State& state) {
  bench::QuietHost host;
  platform::SetHost(&host);
  MakeTubes();
  app::editor.editor_mode = app::kLevelSelectMode;
  app::mouse.x = 200;
  app::mouse.y = 300;
  for (auto _ : state) {
    gfx::ClearFrameBuffer();
    render::DrawLevelSelect();
    benchmark::ClobberMemory();
  }
  platform::SetHost(nullptr);
}
BENCHMARK(BM_LevelSelectFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
