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

// For the targets' own checks: they must not steer the fuzzer, and without coverage counters
// they cost little on every input.
#define RIMFORGE_NO_COVERAGE __attribute__((no_sanitize("coverage")))

namespace fuzzing {

// Prints what failed and aborts, so that the fuzzer records the input as a finding.
[[noreturn]] void Fail(const char* what);
inline void Require(bool holds, const char* what) {
  if (!holds) Fail(what);
}

struct FuzzControl {
  platform::ControlKind kind = platform::ControlKind::kLabel;
  std::string text;
  bool checked = false;
  bool enabled = true;
  std::vector<std::string> strings;
  int selection = LB_ERR;
  int text_limit = 0;  // 0: none
  int icon = 0;
};

// An open dialog kept in memory. Typing does not honour the text limit: the dialog procedures
// must cope with a host whose edit fields let more through.
class FuzzDialog : public platform::Dialog {
 public:
  FuzzDialog(const platform::DialogTemplate& dialog_template, platform::DialogProc procedure);

  // What a person does; clicks on disabled controls do not arrive, as on a desktop.
  void Type(int id, std::string_view text);
  void Click(int id);
  void Select(int id, int index);  // with the selection notification
  void Close();
  INT_PTR Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

  const FuzzControl& Control(int id) const;
  bool HasEnded() const { return ended_; }
  const std::string& Caption() const { return caption_; }
  int Focus() const { return focus_; }

  // platform::Dialog
  std::string GetItemText(int id) const override;
  void SetItemText(int id, std::string_view text) override;
  bool IsChecked(int id) const override;
  void SetChecked(int id, bool checked) override;
  void EnableItem(int id, bool enabled) override;
  void AddString(int id, std::string_view text) override;
  void InsertString(int id, int index, std::string_view text) override;
  void DeleteString(int id, int index) override;
  int GetCurSel(int id) const override;
  void SetCurSel(int id, int index) override;
  void SetTextLimit(int id, int max_characters) override;
  void SetItemIcon(int id, int icon_resource) override;
  void SetFocus(int id) override;
  void SetCaption(std::string_view caption) override;
  RECT GetWindowRect() const override;
  void MoveWindow(int left, int top) override;
  void EndDialog(INT_PTR result) override;

 private:
  FuzzControl& Find(int id);

  platform::DialogProc procedure_;
  // By id, in the template's order: one block for the whole dialog, since a dialog opens for
  // every pick and every allocation costs much under AddressSanitizer.
  std::vector<std::pair<int, FuzzControl>> controls_;
  std::string caption_;
  RECT window_{};
  int focus_ = 0;
  bool ended_ = false;
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
