// The keyboard part of a frame in edit mode with every key that acts while held kept down:
// level scale, height and offset keys, Insert and Delete (two scalings), the Applications key
// (the popup menu) and Home (centring), then the placement of the walked point. It has to stay
// negligible beside the 16 ms of a frame.
#include <cmath>
#include <cstdint>

#include <benchmark/benchmark.h>

#include "app/editor_state.h"
#include "app/modes.h"
#include "app/shell.h"
#include "level/interactive_input.h"
#include "level/level_store.h"
#include "platform/host.h"
#include "quiet_host.h"

namespace {

void BM_EditModeInputWithEveryHeldKeyDown(benchmark::State& state) {
  bench::QuietHost host;
  host.key_state = static_cast<std::int16_t>(0x8000);  // every key held
  platform::SetHost(&host);
  app::ResetEditor();
  app::StartEditor();
  for (int i = 0; i < level::kPointCount; ++i) {
    const double a = (i % level::kPointsPerShape) * 0.39269908169872414;
    level::accurate_x[i] = 128.0 + 60.0 * std::cos(a);
    level::accurate_y[i] = 128.0 + 60.0 * std::sin(a);
  }
  level::StoreRomValues();
  app::editor.current_level = 0;
  level::ShapeByte(level::kLevelScale, 0) = 20;
  app::EnterViewMode();
  app::EnterEditMode();

  const int shape = level::CurrentShape();
  for (auto _ : state) {
    level::EditModeInput(shape);
    benchmark::DoNotOptimize(level::accurate_x.data());
    benchmark::ClobberMemory();
  }
  platform::SetHost(nullptr);
}
BENCHMARK(BM_EditModeInputWithEveryHeldKeyDown);

}  // namespace
