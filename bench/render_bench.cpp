// One whole frame of the tube view and of level select: the clear that starts every frame,
// then the picture.
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include <benchmark/benchmark.h>

#include "app/editor_state.h"
#include "app/shell.h"
#include "gfx/frame_buffer.h"
#include "level/edit_state.h"
#include "level/level_store.h"
#include "platform/host.h"
#include "render/level_select.h"
#include "render/tube_view.h"

namespace {

// A host that is always in front and answers nothing: level select asks only for the
// foreground, the clock, the title and the click.
class BenchHost : public platform::Host {
 public:
  std::uint32_t TimeGetTime() const override { return 12345; }
  void WaitUntilElapsed(std::uint32_t, std::uint32_t) override {}
  std::int16_t GetAsyncKeyState(int) override { return 0; }
  bool IsMainWindowForeground() const override { return true; }
  void SetWindowTitle(std::string_view) override {}
  void SetClientSize(int, int) override {}
  platform::FrameMetrics GetFrameMetrics() const override { return {4, 4, 19}; }
  POINT ClientToScreen(POINT client) const override { return client; }
  void BlitFrame() override {}
  void InvalidateClient() override {}
  void DestroyMainWindow() override {}
  void PostQuitMessage(int) override {}
  void MenusChanged() override {}
  void TrackPopupMenu(POINT) override {}
  int ShowMessageBox(std::string_view, std::string_view, UINT) override { return IDCANCEL; }
  std::optional<std::string> ShowOpenFileDialog(const platform::FileDialogSpec&) override {
    return std::nullopt;
  }
  std::optional<std::string> ShowSaveFileDialog(const platform::FileDialogSpec&) override {
    return std::nullopt;
  }
  INT_PTR RunModalDialog(const platform::DialogTemplate&, platform::Dialog*,
                         platform::DialogProc) override {
    return 0;
  }
  void PlayClickSound() override {}
  void OpenReadMe() override {}
};

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
  BenchHost host;
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
  BenchHost host;
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
