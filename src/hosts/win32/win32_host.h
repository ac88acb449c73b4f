// The editor's host on Windows: the main window with its menu bar, the frame buffer shown as an
// 8-bit DIB, the clock, keys, message boxes, file dialogs, modal dialogs, the popup menu, the
// click sound and the ReadMe. Every window message goes on to app::MainWindowProc as it came.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "hosts/common/frame_log.h"
#include "hosts/win32/frame_clock.h"
#include "hosts/win32/icons.h"
#include "platform/host.h"

namespace hosts::win32 {

class NativeDialog;

class Win32Host final : public platform::Host {
 public:
  explicit Win32Host(HINSTANCE instance);
  ~Win32Host() override;
  Win32Host(const Win32Host&) = delete;
  Win32Host& operator=(const Win32Host&) = delete;

  // Makes the main window (not yet shown), the editor's host from now on, and starts the editor
  // in its intro, sized for the screen and centred on it.
  void StartEditorWindow(int show_command);
  // The message loop: every waiting message first, then a frame; frames start at least 16 ms
  // apart. Returns the exit code of WM_QUIT.
  int RunMessageLoop();
  // The path that the next open dialog gives without being shown: a file named on the command
  // line goes through the editor's own Load command.
  void AnswerNextOpenDialog(std::string path) { next_open_answer_ = std::move(path); }

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
  struct FrameBitmapInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
  };

  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void CreateMainWindow();
  // The window that a message box or file dialog belongs to: the open dialog, or the main one.
  HWND ActiveOwner() const;
  // After a file dialog: the editor ignores the mouse buttons after a load until a button-up,
  // which a dialog closed by the keyboard, or by a click that Windows gave to the dialog, never
  // brings; with no button down, one is posted, to come after the command that opened the dialog.
  void PostKeptButtonUp();

  HINSTANCE instance_;
  HWND window_ = nullptr;
  HDC window_dc_ = nullptr;  // the class has CS_OWNDC: kept for the whole run
  HMENU menu_bar_ = nullptr;
  HMENU popup_ = nullptr;
  bool editor_started_ = false;
  mutable FrameClock clock_;
  std::optional<std::uint32_t> last_frame_start_;
  FrameBitmapInfo bitmap_info_{};
  // The picture on screen, so that a frame that draws the same picture again is not blitted;
  // WM_PAINT always blits, as what it repaints was lost.
  std::vector<std::uint8_t> shown_frame_;
  bool painting_ = false;
  Icons icons_;
  std::vector<NativeDialog*> open_dialogs_;
  std::optional<std::string> next_open_answer_;
  hosts::FrameLog frame_log_;
};

}  // namespace hosts::win32
