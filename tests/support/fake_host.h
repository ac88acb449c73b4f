// A host without a desktop, for tests: a clock the test moves, keys it holds, scripted answers
// for message boxes, file dialogs, dialogs and the popup menu, and a record of everything the
// editor asked of its host. Messages go through a queue and the same loop as the real program:
// every waiting message is handled, then one frame runs.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/host.h"
#include "support/fake_dialog.h"

namespace testing_support {

struct ShownMessageBox {
  std::string text;
  std::string caption;
  UINT type;
};

struct ShownFileDialog {
  bool save;
  platform::FileDialogRequest request;
};

class FakeHost : public platform::Host {
 public:
  // --- What the test sets up ---
  std::uint32_t now = 1000;  // the millisecond clock
  bool foreground = true;
  platform::FrameMetrics frame_metrics{4, 4, 19};
  POINT client_origin{200, 100};  // screen position of the client area's top-left

  void HoldKey(int virtual_key);  // down, and pressed since the last poll
  void ReleaseKey(int virtual_key);

  // Answers, used in order. An unanswered question fails the test and is cancelled.
  void AnswerMessageBox(int answer) { message_box_answers_.push_back(answer); }
  void AnswerFileDialog(std::optional<std::string> path) { file_answers_.push_back(path); }
  // What the person does in the next dialog with this template id. The dialog must be ended
  // by then (through its buttons or its close box), or the test fails.
  void ActInDialog(int template_id, std::function<void(FakeDialog&)> person);
  // The command the person picks from the next popup menu, if any.
  void AnswerPopupMenu(std::optional<int> command) { popup_answers_.push_back(command); }

  // --- What a person does to the main window; each is queued like a real message ---
  void Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  void MoveMouse(int x, int y, UINT buttons = 0);
  void PressButton(UINT down_message, int x, int y, UINT buttons);
  void ReleaseButton(UINT up_message, int x, int y);
  void TurnWheel(int notches);
  // Chooses an item of the main menu, which must be enabled there (with its parent menus).
  void ChooseMenuItem(int id);
  // Chooses an item of the popup menu's first submenu, which must be enabled there.
  void ChoosePopupItem(int id);

  // Handles every waiting message, then runs one frame; `frames` times.
  void RunFrames(int frames = 1);
  // Handles every waiting message without drawing a frame.
  void HandleMessages();

  // --- What the editor did ---
  std::vector<ShownMessageBox> message_boxes;
  std::vector<ShownFileDialog> file_dialogs;
  std::vector<std::string> titles;
  std::vector<POINT> popup_points;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> waits;  // (since, milliseconds)
  std::vector<int> dialogs_run;                                // template ids
  int blits = 0;
  int invalidations = 0;
  int click_sounds = 0;
  int readme_opens = 0;
  bool window_destroyed = false;
  std::optional<int> quit_code;
  std::optional<std::pair<int, int>> client_size;
  // The frame buffer as the last blit showed it.
  std::vector<std::uint8_t> screen;

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
  void DestroyMainWindow() override;
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
  struct PostedMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
  };
  struct KeyState {
    bool down = false;
    bool pressed = false;
  };

  std::optional<std::string> AnswerFile(bool save, const platform::FileDialogRequest& request);

  std::map<int, KeyState> keys_;
  std::deque<int> message_box_answers_;
  std::deque<std::optional<std::string>> file_answers_;
  std::deque<std::pair<int, std::function<void(FakeDialog&)>>> dialog_people_;
  std::deque<std::optional<int>> popup_answers_;
  std::deque<PostedMessage> queue_;
};

}  // namespace testing_support
