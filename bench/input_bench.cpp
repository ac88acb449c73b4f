// The keyboard part of a frame in edit mode with every key that acts while held kept down:
// level scale, height and offset keys, Insert and Delete (two scalings), the Applications key
// (the popup menu) and Home (centring), then the placement of the walked point. It has to stay
// negligible beside the 16 ms of a frame.
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include <benchmark/benchmark.h>

#include "app/editor_state.h"
#include "app/modes.h"
#include "app/shell.h"
#include "level/interactive_input.h"
#include "level/level_store.h"
#include "platform/host.h"

namespace {

// A desktop where every key is down and has been for a while, and nothing else happens.
class HeldKeysHost : public platform::Host {
 public:
  std::uint32_t TimeGetTime() const override { return 0; }
  void WaitUntilElapsed(std::uint32_t, std::uint32_t) override {}
  std::int16_t GetAsyncKeyState(int) override { return static_cast<std::int16_t>(0x8000); }
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
  int ShowMessageBox(std::string_view, std::string_view, UINT) override { return IDOK; }
  std::optional<std::string> ShowOpenFileDialog(const platform::FileDialogSpec&) override {
    return std::nullopt;
  }
  std::optional<std::string> ShowSaveFileDialog(const platform::FileDialogSpec&) override {
    return std::nullopt;
  }
  INT_PTR RunModalDialog(const platform::DialogTemplate&, platform::Dialog*,
                         platform::DialogProc) override {
    return IDCANCEL;
  }
  void PlayClickSound() override {}
  void OpenReadMe() override {}
};

void BM_EditModeInputWithEveryHeldKeyDown(benchmark::State& state) {
  HeldKeysHost host;
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
