// A desktop for benchmarks: always in front, nobody at the keyboard unless a benchmark says so,
// and every question left unanswered.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/host.h"

namespace bench {

class QuietHost : public platform::Host {
 public:
  // The state every key reports: 0 for none down, 0x8000 for all held.
  std::int16_t key_state = 0;
  std::uint32_t clock = 12345;

  std::uint32_t TimeGetTime() const override { return clock; }
  void WaitUntilElapsed(std::uint32_t, std::uint32_t) override {}
  std::int16_t GetAsyncKeyState(int) override { return key_state; }
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
  std::optional<std::string> ShowOpenFileDialog(const platform::FileDialogRequest&) override {
    return std::nullopt;
  }
  std::optional<std::string> ShowSaveFileDialog(const platform::FileDialogRequest&) override {
    return std::nullopt;
  }
  INT_PTR RunModalDialog(const platform::DialogTemplate&, platform::Dialog*,
                         platform::DialogProc) override {
    return IDCANCEL;
  }
  void PlayClickSound() override {}
  void OpenReadMe() override {}
};

}  // namespace bench
