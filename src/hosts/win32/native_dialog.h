// A modal dialog run by Windows itself (DialogBoxIndirectParam) from a template built in
// memory, seen by the editor's dialog procedure through platform::Dialog. The procedure gets
// WM_INITDIALOG, the controls' WM_COMMAND (Enter and Escape arrive as Windows makes them: the
// default button or IDOK, and IDCANCEL) and WM_CLOSE.
#pragma once

#include <windows.h>

#include "hosts/win32/icons.h"
#include "platform/host.h"

namespace hosts::win32 {

class NativeDialog final : public platform::Dialog {
 public:
  NativeDialog(const platform::DialogTemplate& dialog_template, platform::DialogProc procedure,
               Icons& icons);

  // Runs the dialog centred over `owner` and returns the value given to EndDialog.
  INT_PTR Run(HINSTANCE instance, HWND owner);
  // Null until the dialog has been made.
  HWND Handle() const { return window_; }

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
  static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void CentreOver(HWND owner);
  HWND Item(int id) const { return GetDlgItem(window_, id); }
  // The message of a list operation: the list box's, or the drop-down list's counterpart.
  UINT ListMessage(int id, UINT list_box_message, UINT combo_box_message) const;

  const platform::DialogTemplate& template_;
  platform::DialogProc procedure_;
  Icons& icons_;
  HWND window_ = nullptr;
};

}  // namespace hosts::win32
