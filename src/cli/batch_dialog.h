// A modal dialog without a window: its controls are kept in memory, built from the dialog's
// template, and the tool acts in it as the person at the desktop would, by clicking buttons.
// The editor's own dialog procedure sees it through platform::Dialog and does the rest.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/host.h"

namespace cli {

class BatchDialog : public platform::Dialog {
 public:
  BatchDialog(const platform::DialogTemplate& dialog_template, platform::DialogProc procedure);

  // Sends the message to the dialog procedure, as a host does.
  INT_PTR Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  // A click on a button, check box or radio button, as BN_CLICKED. A missing or disabled
  // control cannot be clicked: that is noted in Problems(), and from then on clicks do nothing.
  void Click(int id);

  bool HasEnded() const { return ended_; }
  INT_PTR Result() const { return result_; }
  const std::vector<std::string>& Problems() const { return problems_; }

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
  struct Control {
    platform::ControlKind kind = platform::ControlKind::kLabel;
    std::string text;
    bool checked = false;
    bool enabled = true;
    std::vector<std::string> strings;
    int selection = LB_ERR;
  };

  // The control, or a scratch one (with a problem noted) for an id the template lacks.
  Control& Find(int id);
  const Control* FindConst(int id) const;

  const platform::DialogTemplate& template_;
  platform::DialogProc procedure_;
  std::map<int, Control> controls_;
  Control missing_;
  RECT window_;
  bool ended_ = false;
  INT_PTR result_ = IDCANCEL;
  std::vector<std::string> problems_;
};

}  // namespace cli
