// What the fuzz targets share: a host that answers file dialogs with scratch files in memory,
// message boxes with OK and modal dialogs with a scripted person, and a check that stops the run
// at the first broken invariant (libFuzzer keeps the input).
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

// For the targets' own checks: uncounted, they do not steer the fuzzer and cost little.
#define RIMFORGE_NO_COVERAGE __attribute__((no_sanitize("coverage")))

namespace fuzzing {

using Bytes = std::span<const std::uint8_t>;

// Each target's work on one input; the host then frees what it kept, for libFuzzer's leak check.
void RunInput(Bytes input);

// Prints what failed and aborts, so that the fuzzer records the input as a finding.
[[noreturn]] void Fail(const char* what);
inline void Require(bool holds, const char* what) {
  if (!holds) Fail(what);
}

// A control that is missing or a place beyond a list breaks an invariant; a click on a disabled
// control does not arrive, as on a desktop.
class FuzzDialog final : public platform::MemoryDialog {
 public:
  using MemoryDialog::MemoryDialog;

  // Typing that ignores the text limit and the edit field's style: the dialog procedures must
  // cope with a host whose edit fields let more through.
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
  // What file dialogs return (nothing: cancelled), and who acts in which dialog; a dialog that
  // nobody acts in is closed by its close box.
  std::optional<std::string> open_answer;
  std::optional<std::string> save_answer;
  std::map<int, std::function<void(FuzzDialog&)>> people;
  // Keys held down, and whether pressed since their last poll.
  std::map<int, bool> pressed_keys;

  // What the editor did.
  std::vector<std::string> messages;
  int dialogs_run = 0;
  std::vector<platform::FileDialogRequest> save_dialogs;

  // Forgets the answers and the records, and gives their memory back.
  void Clear() { *this = FuzzHost(); }
  // Writes `file` to the scratch file in.`extension`; open dialogs answer it, save dialogs
  // out.`extension`.
  void Offer(Bytes file, const std::string& extension);
  // Whether the editor saved `bytes` without a word, or saved nothing when it `saves` not. The
  // file is taken away, so that no later input finds it.
  bool SavedIs(Bytes bytes, bool saves = true);

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

// The one host of the process, set as the editor's host with the editor started on first use.
FuzzHost& Host();
// The editor back in its start state with the earlier level data, the host's records cleared
// and `file` offered. The frame buffer and the menus are kept: commands arrive whatever the
// menus show, and rebuilding them would cost more than an input's own work.
FuzzHost& StartFresh(Bytes file, const std::string& extension);
// A menu command, as the host delivers it.
void Command(int id);

inline bool StartsWith(Bytes bytes, Bytes signature) {
  return bytes.size() >= signature.size() &&
         std::equal(signature.begin(), signature.end(), bytes.begin());
}

// What a load of `file` makes of `image`: the file's bytes over its start.
template <typename Image>
Image Loaded(Image image, Bytes file) {
  std::copy_n(file.begin(), std::min(file.size(), image.size()), image.begin());
  return image;
}

// Whether the editor took the file, as it must, without a word, when it is `valid`. Otherwise
// it must refuse it with `message` alone: no dialog, nothing saved, all `unchanged`.
bool Took(bool valid, std::string_view message, bool unchanged = true);

// The level image and the accurate coordinates.
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
// What the editor holds before a load: an image with a pattern, and fractions in the accurate
// coordinates that only a load may round away.
const LevelData& EarlierLevelData();

// A valid text ROM image: every message a record of three characters.
const std::array<std::uint8_t, files::kTextRomSize>& ValidTextImage();

}  // namespace fuzzing
