// What the targets share: a host that answers file dialogs with scratch files, message boxes
// with OK and modal dialogs with a scripted person; and the invariant check.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "files/text_rom.h"
#include "level/level_store.h"
#include "platform/host.h"
#include "platform/memory_dialog.h"

// The targets' own checks stay out of the coverage that steers the fuzzer.
#define UNCOUNTED __attribute__((no_sanitize("coverage")))

namespace fuzzing {

using Bytes = std::span<const std::uint8_t>;

// Each target's work on one input.
void RunInput(Bytes input);

// Aborts, so that libFuzzer keeps the input.
[[noreturn]] void Fail(const char* what);
inline void Require(bool holds, const char* what) {
  if (!holds) Fail(what);
}

// A missing control or a place beyond a list fails; a disabled control takes no input.
class FuzzDialog final : public platform::MemoryDialog {
 public:
  using MemoryDialog::MemoryDialog;

  // Past the text limit and style: some hosts let more in.
  void TypeAnything(int id, std::string_view text) {
    if (Control(id).enabled) SetItemText(id, text);
  }

 private:
  void Problem(platform::DialogProblem problem, const std::string& what) const override {
    if (problem != platform::DialogProblem::kDisabledControl) Fail(what.c_str());
  }
};

class FuzzHost : public platform::Host {
 public:
  // The file dialogs' answers (none: cancelled), and who acts in which dialog.
  std::optional<std::string> open_answer;
  std::optional<std::string> save_answer;
  std::map<int, std::function<void(FuzzDialog&)>> people;
  // Held keys, and whether pressed since the last poll.
  std::map<int, bool> pressed_keys;

  // What the editor did.
  std::vector<std::string> messages;
  int dialogs_run = 0;
  std::vector<platform::FileDialogRequest> save_dialogs;

  void Clear() { *this = FuzzHost(); }
  // Writes `file`, grown by a hole to a larger `size`, for open dialogs; save dialogs get another.
  void Offer(Bytes file, const std::string& extension, std::uintmax_t size = 0);
  // That `bytes` were saved without a word, or nothing unless `saves`; then removes the file.
  void RequireSaved(Bytes bytes, bool saves = true);

  std::uint32_t TimeGetTime() const override { return 0; }
  void WaitUntilElapsed(std::uint32_t, std::uint32_t) override {}
  std::int16_t GetAsyncKeyState(int virtual_key) override;
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
  int ShowMessageBox(std::string_view text, std::string_view caption, UINT type) override;
  std::optional<std::string> ShowOpenFileDialog(const platform::FileDialogRequest&) override {
    return open_answer;
  }
  std::optional<std::string> ShowSaveFileDialog(
      const platform::FileDialogRequest& request) override {
    save_dialogs.push_back(request);
    return save_answer;
  }
  INT_PTR RunModalDialog(const platform::DialogTemplate& dialog_template, platform::Dialog* owner,
                         platform::DialogProc procedure) override;
  void PlayClickSound() override {}
  void OpenReadMe() override {}
};

// The editor's host, which starts the editor on first use.
FuzzHost& Host();
// Resets the editor to the earlier level data and offers `file`. Menus are kept: commands arrive
// whatever they show.
FuzzHost& StartFresh(Bytes file, const std::string& extension);
void Command(int id);

inline bool StartsWith(Bytes bytes, Bytes signature) {
  return bytes.size() >= signature.size() &&
         std::equal(signature.begin(), signature.end(), bytes.begin());
}

// `image` with the file's bytes over its start.
template <typename Image>
Image Loaded(Image image, Bytes file) {
  std::copy_n(file.begin(), std::min(file.size(), image.size()), image.begin());
  return image;
}

// That a `valid` file was taken without a word, any other refused with `message` alone: no
// dialog, nothing saved, all `unchanged`. Returns `valid`.
bool Took(bool valid, std::string_view message, bool unchanged = true);

struct LevelData {
  level::LevelRomImage image;
  std::array<double, level::kPointCount> x;
  std::array<double, level::kPointCount> y;

  // Bit for bit: NaN equals itself, and -0 differs from 0.
  bool operator==(const LevelData& other) const {
    return std::memcmp(this, &other, sizeof other) == 0;
  }
};
LevelData CurrentLevelData();
// A pattern, and fractions in the accurate coordinates that only a load may round.
const LevelData& EarlierLevelData();

// Every message a record of three characters.
const std::array<std::uint8_t, files::kTextRomSize>& ValidTextImage();

}  // namespace fuzzing
