// A host without a desktop: a clock the test moves, keys it holds, scripted answers to the
// questions the editor asks, and a record of everything the editor asked of its host. Messages
// go through a queue and the same loop as the real program: every waiting message is handled,
// then one frame runs. A question nobody answered fails the test and is cancelled.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "platform/host.h"
#include "support/fake_dialog.h"

namespace testing_support {

struct ShownMessageBox {
  std::string text;
  std::string caption;
  UINT type;
};

class FakeHost : public platform::Host {
 public:
  std::uint32_t now = 1000;  // the millisecond clock
  bool foreground = true;
  platform::FrameMetrics frame_metrics{4, 4, 19};
  POINT client_origin{200, 100};  // screen position of the client area's top-left

  // A key down (and pressed since its last poll), or up.
  void HoldKey(int virtual_key) { keys_[virtual_key] = {true, true}; }
  void ReleaseKey(int virtual_key) { keys_[virtual_key] = {false, false}; }

  // Answers, used in order: a message box's button, a file dialog's path (nothing: cancelled),
  // what the person does in the next dialog with this template id (ending it), and the command
  // picked from the next popup menu.
  void AnswerMessageBox(int answer) { box_answers_.push_back(answer); }
  void AnswerFileDialog(std::optional<std::string> path) { file_answers_.push_back(path); }
  void ActInDialog(int template_id, std::function<void(FakeDialog&)> person) {
    people_.emplace_back(template_id, std::move(person));
  }
  void AnswerPopupMenu(std::optional<int> command) { popup_answers_.push_back(command); }

  // What a person does to the main window, queued like a real message.
  void Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    queue_.emplace_back(message, wParam, lParam);
  }
  // An item of the main menu, or of the popup menu's first submenu, which must be enabled
  // there with every menu on the way to it.
  void ChooseMenuItem(int id, bool popup = false);

  // Handles every waiting message, then runs one frame; `frames` times.
  void RunFrames(int frames = 1);
  void HandleMessages();

  // What the editor did.
  std::vector<ShownMessageBox> message_boxes;
  std::vector<std::pair<bool, platform::FileDialogRequest>> file_dialogs;  // (save, request)
  // The file dialogs shown, a line each: open or save, title, filter, pattern, extension, flags.
  std::string FileDialogsShown() const;
  std::vector<std::string> titles;
  std::vector<POINT> popup_points;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> waits;  // (since, milliseconds)
  std::vector<int> dialogs_run;                                // template ids
  int blits = 0, invalidations = 0, click_sounds = 0, readme_opens = 0;
  bool window_destroyed = false;
  std::optional<int> quit_code;
  std::optional<std::pair<int, int>> client_size;
  std::vector<std::uint8_t> screen;  // the frame buffer as the last blit showed it

  // platform::Host
  std::uint32_t TimeGetTime() const override { return now; }
  void WaitUntilElapsed(std::uint32_t since, std::uint32_t milliseconds) override;
  std::int16_t GetAsyncKeyState(int virtual_key) override;
  bool IsMainWindowForeground() const override { return foreground; }
  void SetWindowTitle(std::string_view title) override { titles.emplace_back(title); }
  void SetClientSize(int width, int height) override { client_size = {width, height}; }
  platform::FrameMetrics GetFrameMetrics() const override { return frame_metrics; }
  POINT ClientToScreen(POINT client) const override {
    return {client.x + client_origin.x, client.y + client_origin.y};
  }
  void BlitFrame() override;
  void InvalidateClient() override { ++invalidations; }
  void DestroyMainWindow() override {
    window_destroyed = true;
    Post(WM_DESTROY);
  }
  void PostQuitMessage(int exit_code) override { quit_code = exit_code; }
  void MenusChanged() override {}
  void TrackPopupMenu(POINT screen) override;
  int ShowMessageBox(std::string_view text, std::string_view caption, UINT type) override;
  std::optional<std::string> ShowOpenFileDialog(
      const platform::FileDialogRequest& request) override {
    return AnswerFile(false, request);
  }
  std::optional<std::string> ShowSaveFileDialog(
      const platform::FileDialogRequest& request) override {
    return AnswerFile(true, request);
  }
  INT_PTR RunModalDialog(const platform::DialogTemplate& dialog_template, platform::Dialog* owner,
                         platform::DialogProc procedure) override;
  void PlayClickSound() override { ++click_sounds; }
  void OpenReadMe() override { ++readme_opens; }

 private:
  std::optional<std::string> AnswerFile(bool save, const platform::FileDialogRequest& request);

  std::map<int, std::pair<bool, bool>> keys_;  // (down, pressed since the last poll)
  std::deque<int> box_answers_;
  std::deque<std::optional<std::string>> file_answers_;
  std::deque<std::pair<int, std::function<void(FakeDialog&)>>> people_;
  std::deque<std::optional<int>> popup_answers_;
  std::deque<std::tuple<UINT, WPARAM, LPARAM>> queue_;
};

}  // namespace testing_support
