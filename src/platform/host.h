// The seam between the editor and a desktop. Everything the editor needs from its host goes
// through platform::Host: the clock and frame pacing, keys, the foreground test, the window,
// message boxes, file dialogs, modal dialogs, the popup menu, the click sound and the ReadMe.
// Window messages travel the other way: the host calls app::MainWindowProc. Every text that
// crosses the seam is in the Windows-1252 character set, as the game's texts are (0xBD is the
// one-half sign, 0xA9 the copyright sign); hosts convert for display and input.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/dialog_template.h"
#include "platform/win32_names.h"

namespace platform {

// An open or save file dialog: one filter entry, an optional default extension ("" for none)
// and the OFN_ flags that say whether the file must exist and whether to ask before
// overwriting.
struct FileDialogRequest {
  std::string title;
  std::string filter_description;  // e.g. "ROM 118 Files (*.118)"
  std::string filter_pattern;      // e.g. "*.118", or "*.exe;*.scr"
  std::string default_extension;   // e.g. "118"
  UINT flags;
};

// Sizes of the window frame around the client area, in pixels.
struct FrameMetrics {
  int frame_width;     // one side's frame, left or right
  int frame_height;    // one side's frame, top or bottom
  int caption_height;  // the title bar
};

// An open modal dialog as its dialog procedure sees it. Control ids are those of the dialog's
// template; list operations serve list boxes and drop-down lists alike.
class Dialog {
 public:
  virtual ~Dialog() = default;

  virtual std::string GetItemText(int id) const = 0;
  virtual void SetItemText(int id, std::string_view text) = 0;
  virtual bool IsChecked(int id) const = 0;
  virtual void SetChecked(int id, bool checked) = 0;
  virtual void EnableItem(int id, bool enabled) = 0;

  virtual void AddString(int id, std::string_view text) = 0;
  virtual void InsertString(int id, int index, std::string_view text) = 0;
  virtual void DeleteString(int id, int index) = 0;
  virtual int GetCurSel(int id) const = 0;  // LB_ERR (-1) when nothing is selected
  virtual void SetCurSel(int id, int index) = 0;

  virtual void SetTextLimit(int id, int max_characters) = 0;
  virtual void SetItemIcon(int id, int icon_resource) = 0;
  virtual void SetFocus(int id) = 0;
  virtual void SetCaption(std::string_view caption) = 0;
  virtual RECT GetWindowRect() const = 0;          // screen pixels
  virtual void MoveWindow(int left, int top) = 0;  // keeps the size

  virtual void EndDialog(INT_PTR result) = 0;
};

// A dialog procedure receives WM_INITDIALOG, WM_COMMAND (control id in the low word of wParam,
// notification code in the high word) and WM_CLOSE, and may receive other messages; it returns
// nonzero when it handled the message (for WM_INITDIALOG: when the host should set the focus).
using DialogProc = INT_PTR (*)(Dialog& dialog, UINT message, WPARAM wParam, LPARAM lParam);

class Host {
 public:
  virtual ~Host() = default;

  // Milliseconds since some fixed moment, wrapping at 2^32.
  virtual std::uint32_t TimeGetTime() const = 0;
  // Returns once at least `milliseconds` have passed since the clock read `since` (by unsigned
  // difference, so the clock's wrap-around does not stall), giving the processor back while it
  // waits.
  virtual void WaitUntilElapsed(std::uint32_t since, std::uint32_t milliseconds) = 0;

  // Bit 15 set while the key is down; bit 0 set when it went down since the previous poll of
  // that key, which this poll clears.
  virtual std::int16_t GetAsyncKeyState(int virtual_key) = 0;
  virtual bool IsMainWindowForeground() const = 0;

  virtual void SetWindowTitle(std::string_view title) = 0;
  virtual void SetClientSize(int width, int height) = 0;
  virtual FrameMetrics GetFrameMetrics() const = 0;
  virtual POINT ClientToScreen(POINT client) const = 0;
  // Shows the frame buffer at the client area's top-left, one to one.
  virtual void BlitFrame() = 0;
  // Asks for the client area to be painted again.
  virtual void InvalidateClient() = 0;
  virtual void DestroyMainWindow() = 0;
  virtual void PostQuitMessage(int exit_code) = 0;

  // The menu model changed; the host shows the new state.
  virtual void MenusChanged() = 0;
  // Shows the popup menu's first submenu with its top-left corner at `screen`; a chosen item
  // reaches the main window as WM_COMMAND after the menu has closed.
  virtual void TrackPopupMenu(POINT screen) = 0;

  // Returns IDOK, IDCANCEL, IDYES or IDNO.
  virtual int ShowMessageBox(std::string_view text, std::string_view caption, UINT type) = 0;
  // The chosen path, or nothing when the user cancels.
  virtual std::optional<std::string> ShowOpenFileDialog(const FileDialogRequest& request) = 0;
  virtual std::optional<std::string> ShowSaveFileDialog(const FileDialogRequest& request) = 0;
  // Runs the dialog modally over `owner` (the main window when null) and returns the value
  // given to EndDialog.
  virtual INT_PTR RunModalDialog(const DialogTemplate& dialog_template, Dialog* owner,
                                 DialogProc procedure) = 0;

  virtual void PlayClickSound() = 0;
  virtual void OpenReadMe() = 0;
};

// The host the editor talks to; set once by the program (or by a test) before anything runs.
Host& CurrentHost();
void SetHost(Host* host);

}  // namespace platform
