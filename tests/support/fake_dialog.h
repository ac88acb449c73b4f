// An open dialog kept in memory: controls built from the dialog's template, which a test types
// into, clicks and selects in, as a person would in the real dialog.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/host.h"

namespace testing_support {

struct FakeControl {
  platform::ControlKind kind = platform::ControlKind::kLabel;
  std::string text;
  UINT style = 0;
  bool checked = false;
  bool enabled = true;
  std::vector<std::string> strings;  // list box and drop-down list entries
  int selection = LB_ERR;
  int text_limit = 0;  // 0: none
  int icon = 0;
};

class FakeDialog : public platform::Dialog {
 public:
  FakeDialog(const platform::DialogTemplate& dialog_template, platform::DialogProc procedure);

  // What a person does. Each fails the test when the control is missing or disabled.
  void Type(int id, std::string_view text);  // replaces the text, within the text limit
  void Click(int id);                        // a button: auto check boxes and radios toggle
  void Select(int id, int index);            // a list entry, with its selection notification
  void Close();                              // the close box
  // Sends any message to the dialog procedure, as the host would.
  INT_PTR Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

  const FakeControl& Control(int id) const;
  bool HasEnded() const { return result_.has_value(); }
  INT_PTR Result() const { return result_.value_or(-1); }
  const std::string& Caption() const { return caption_; }
  int Focus() const { return focus_; }
  int TemplateId() const { return template_.id; }

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
  FakeControl& Find(int id);
  FakeControl& FindEnabled(int id);

  const platform::DialogTemplate& template_;
  platform::DialogProc procedure_;
  std::map<int, FakeControl> controls_;
  std::string caption_;
  RECT window_{};
  int focus_ = 0;
  std::optional<INT_PTR> result_;
};

}  // namespace testing_support
