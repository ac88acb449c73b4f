// What every fuzz target shares: a small host that answers file dialogs with prepared paths,
// message boxes with OK and modal dialogs with a scripted person, scratch files in memory, and
// a check that stops the run when an invariant does not hold (libFuzzer keeps the input).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "platform/host.h"
#include "platform/memory_dialog.h"

// For the targets' own checks: they must not steer the fuzzer, and without coverage counters
// they cost little on every input.
#define RIMFORGE_NO_COVERAGE __attribute__((no_sanitize("coverage")))

namespace fuzzing {

// Prints what failed and aborts, so that the fuzzer records the input as a finding.
[[noreturn]] void Fail(const char* what);
inline void Require(bool holds, const char* what) {
  if (!holds) Fail(what);
}

// An open dialog kept in memory, as the editor's windowless hosts keep it. A control that is
// missing or a place beyond a list breaks an invariant; a click on a disabled control does not
// arrive, as on a desktop.
class FuzzDialog final : public platform::MemoryDialog {
 public:
  using MemoryDialog::MemoryDialog;

  // Typing that does not honour the text limit or the edit field's style: the dialog
  // procedures must cope with a host whose edit fields let more through.
  void TypeAnything(int id, std::string_view text) {
    if (Control(id).enabled) SetItemText(id, text);
  }

 private:
  void Problem(platform::DialogProblem problem, const std::string& what) const override {
    if (problem != platform::DialogProblem::kDisabledControl) Fail(what.c_str());
  }
};

using Person = std::function<void(FuzzDialog&)>;

class FuzzHost : public platform::Host {
 public:
  // Answers: the path each file dialog returns (nothing: cancelled), and who acts in each
  // dialog by template id. A dialog nobody acts in is closed by its close box.
  std::optional<std::string> open_answer;
  std::optional<std::string> save_answer;
  std::map<int, Person> people;
  // Keys held down and pressed since their last poll, by virtual key.
  std::map<int, bool> pressed_keys;

  // What the editor did.
  std::vector<std::string> messages;
  std::vector<int> dialogs_run;
  std::vector<platform::FileDialogRequest> save_dialogs;

  void Clear();

  // platform::Host
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
  std::optional<std::string> ShowOpenFileDialog(
      const platform::FileDialogRequest& request) override;
  std::optional<std::string> ShowSaveFileDialog(
      const platform::FileDialogRequest& request) override;
  INT_PTR RunModalDialog(const platform::DialogTemplate& dialog_template, platform::Dialog* owner,
                         platform::DialogProc procedure) override;
  void PlayClickSound() override {}
  void OpenReadMe() override {}
};

// The one host of the process, set as the editor's host with the editor started on first use.
FuzzHost& Host();
// Puts the editor back to its start state and clears the host's records. The frame buffer and
// the menus are made once: commands arrive whatever the menus show, and rebuilding them for
// every input would cost more than the input's own work.
void StartFresh();
// Frees what the host kept of an input, so that every allocation of a run is freed within it
// (libFuzzer looks for leaks in runs where it is not).
void EndInput();
// A menu command, as the host delivers it.
void Command(int id);

// A file of this process in memory (/dev/shm where it exists), so a run does not wear the disk.
std::string ScratchPath(const std::string& name);
void WriteScratch(const std::string& path, std::span<const std::uint8_t> bytes);
// The file's bytes, or nothing when there is no such file.
std::optional<std::vector<std::uint8_t>> ReadScratch(const std::string& path);
void RemoveScratch(const std::string& path);

// Whether `bytes` starts with `signature`.
bool StartsWith(std::span<const std::uint8_t> bytes, std::span<const std::uint8_t> signature);

}  // namespace fuzzing
