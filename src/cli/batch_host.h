// The tool's host: the editor runs on it without a window. Each file dialog is answered with a
// path from the command line, each modal dialog by acting in it as the options say, and each
// message box becomes a problem that the tool reports on stderr. There is no mouse, no key is
// ever down and the main window is never in the foreground, so no frame reacts to input.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/host.h"
#include "platform/memory_dialog.h"

namespace cli {

class BatchHost : public platform::Host {
 public:
  // The answers to the next open and save dialogs, used in the order given.
  void AnswerOpenDialog(std::string path);
  void AnswerSaveDialog(std::string path);
  // What to do in the next dialog with this template id; the person must end it. A step that
  // cannot be done there is reported as a problem.
  void ActInDialog(int template_id, std::function<void(platform::MemoryDialog&)> person);

  // Everything the editor reported, each as one line; paths come first where the message
  // itself does not name one.
  const std::vector<std::string>& Problems() const { return problems_; }

  // Runs one editor command, then checks that it asked for every answer given for it. True
  // when it did and reported nothing.
  bool RunCommand(const std::function<void()>& command);

  // platform::Host
  std::uint32_t TimeGetTime() const override { return 0; }
  void WaitUntilElapsed(std::uint32_t since, std::uint32_t milliseconds) override;
  std::int16_t GetAsyncKeyState(int virtual_key) override;
  bool IsMainWindowForeground() const override { return false; }
  void SetWindowTitle(std::string_view title) override;
  void SetClientSize(int width, int height) override;
  platform::FrameMetrics GetFrameMetrics() const override { return {0, 0, 0}; }
  POINT ClientToScreen(POINT client) const override { return client; }
  void BlitFrame() override;
  void InvalidateClient() override;
  void DestroyMainWindow() override;
  void PostQuitMessage(int exit_code) override;
  void MenusChanged() override;
  void TrackPopupMenu(POINT screen) override;
  int ShowMessageBox(std::string_view text, std::string_view caption, UINT type) override;
  std::optional<std::string> ShowOpenFileDialog(
      const platform::FileDialogRequest& request) override;
  std::optional<std::string> ShowSaveFileDialog(
      const platform::FileDialogRequest& request) override;
  INT_PTR RunModalDialog(const platform::DialogTemplate& dialog_template, platform::Dialog* owner,
                         platform::DialogProc procedure) override;
  void PlayClickSound() override;
  void OpenReadMe() override;

 private:
  struct FileAnswer {
    bool save;
    std::string path;
  };

  std::optional<std::string> AnswerFileDialog(bool save,
                                              const platform::FileDialogRequest& request);

  std::deque<FileAnswer> file_answers_;
  std::map<int, std::function<void(platform::MemoryDialog&)>> dialog_people_;
  std::string last_path_;  // the file the running command was last given
  std::vector<std::string> problems_;
};

}  // namespace cli
