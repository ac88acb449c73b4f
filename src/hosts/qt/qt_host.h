// The editor's host on a Qt 6 desktop: the main window with its menus, the clock and the key
// table, message boxes, file dialogs, modal dialogs, the popup menu, the click sound and the
// ReadMe. Messages that the editor must see after the current one (menu choices, the close
// request, the window's end) wait in a queue that the frame loop empties before each frame.
#pragma once

#include <QMenu>
#include <QObject>
#include <deque>
#include <memory>

#include "hosts/common/frame_log.h"
#include "hosts/qt/click_sound.h"
#include "hosts/qt/frame_clock.h"
#include "hosts/qt/key_table.h"
#include "hosts/qt/main_window.h"
#include "hosts/qt/menu_mirror.h"
#include "platform/host.h"

namespace hosts::qt {

class QtHost final : public platform::Host, private QObject {
 public:
  QtHost();
  ~QtHost() override;

  MainWindow& Window() { return *window_; }
  QMenu& Popup() { return *popup_; }
  // Tests choose Qt's own file dialogs, which they can fill in.
  void UseNativeFileDialogs(bool native) { native_file_dialogs_ = native; }
  // The path that the next open dialog gives without being shown: a file named on the command
  // line goes through the editor's own Load command.
  void AnswerNextOpenDialog(std::string path) { next_open_answer_ = std::move(path); }
  // Tests choose the ReadMe window over the desktop's opener (xdg-open).
  void UseDesktopOpener(bool use) { desktop_opener_ = use; }

  // Queues a message for the main window.
  void PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  // Hands every queued message to the editor, including those that the handling queues.
  void DispatchPostedMessages();
  bool QuitRequested() const { return quit_code_.has_value(); }
  int ExitCode() const { return quit_code_.value_or(0); }
  void ReleaseAllKeys() { keys_.ReleaseAll(); }
  // The editor paces each frame from the end of the one before; events handled in between
  // take a varying time, so the loop also keeps the starts of frames 16 ms apart.
  void PaceFrameStart();

  // platform::Host
  std::uint32_t TimeGetTime() const override;
  void WaitUntilElapsed(std::uint32_t since, std::uint32_t milliseconds) override;
  std::int16_t GetAsyncKeyState(int virtual_key) override;
  bool IsMainWindowForeground() const override;
  void SetWindowTitle(std::string_view title) override;
  void SetClientSize(int width, int height) override;
  platform::FrameMetrics GetFrameMetrics() const override;
  POINT ClientToScreen(POINT client) const override;
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
  struct PostedMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
  };

  // Watches every key event of every window of the program, before any widget sees it.
  bool eventFilter(QObject* watched, QEvent* event) override;
  // The window that a message box or file dialog belongs to: an open dialog, or the main one.
  QWidget* ActiveOwner() const;
  static void GiveBackKeyboard(QWidget* owner);
  // After a file dialog: the editor ignores the mouse buttons after a load until a button-up,
  // which a click that closed the dialog never brings here; with no button down, it is given.
  void DeliverKeptButtonUp();
  void ShowReadMeWindow(const QString& path);

  mutable FrameClock clock_;
  KeyTable keys_;
  std::unique_ptr<MainWindow> window_;
  QMenu* popup_;  // owned by the window
  std::unique_ptr<MenuMirror> menu_bar_mirror_;
  std::unique_ptr<MenuMirror> popup_mirror_;
  std::deque<PostedMessage> posted_;
  std::optional<int> quit_code_;
  std::optional<std::uint32_t> last_frame_start_;
  bool native_file_dialogs_ = true;
  bool desktop_opener_ = true;
  std::optional<std::string> next_open_answer_;
  ClickSound click_sound_;
  hosts::FrameLog frame_log_;
};

}  // namespace hosts::qt
