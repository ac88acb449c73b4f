// An open dialog without a window, for the hosts that have none (the tests' fake desktop, the
// command-line tool, the fuzz targets): its controls are built from the dialog's template and
// kept in memory with the caption, the window rectangle, the focus and the end result. A person
// acts in it through Type, Click and Select, as in the real dialog; the editor's dialog
// procedure sees it through platform::Dialog. A step that cannot be done (a control the
// template lacks, a disabled control, a place beyond a list) is told to Problem(), which each
// host makes into what suits it, and changes nothing.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/host.h"

namespace platform {

// A step that could not be done.
enum class DialogProblem { kNoSuchControl, kDisabledControl, kBeyondList };

struct MemoryControl {
  ControlKind kind = ControlKind::kLabel;
  std::string text;
  UINT style = 0;
  bool checked = false;
  bool enabled = true;
  std::vector<std::string> strings;  // list box and drop-down list entries
  int selection = LB_ERR;
  int text_limit = 0;  // 0: none
  int icon = 0;
};

class MemoryDialog : public Dialog {
 public:
  MemoryDialog(const DialogTemplate& dialog_template, DialogProc procedure);

  // Sends any message to the dialog procedure, as a host does.
  INT_PTR Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

  // What a person does; each returns whether it could be done.
  // Replaces an edit field's text as typing would: within the text limit, in capitals for
  // ES_UPPERCASE and digits only for ES_NUMBER.
  bool Type(int id, std::string_view text);
  // A button: automatic check boxes toggle, an automatic radio button clears the others (the
  // editor's dialogs have one group each); then BN_CLICKED.
  bool Click(int id);
  // A list entry, then its selection notification.
  bool Select(int id, int index);
  // The close box.
  void Close() { Send(WM_CLOSE); }

  const MemoryControl& Control(int id) const;
  bool HasEnded() const { return result_.has_value(); }
  // The value given to EndDialog; IDCANCEL while the dialog is open.
  INT_PTR Result() const { return result_.value_or(IDCANCEL); }
  const std::string& Caption() const { return caption_; }
  int Focus() const { return focus_; }
  const DialogTemplate& Template() const { return template_; }

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

 protected:
  // A step that could not be done, and its description for a person. The default lets it pass.
  virtual void Problem(DialogProblem /*problem*/, const std::string& /*what*/) const {}

 private:
  // The control with this id, or (with a problem told) a scratch one that nothing reads.
  MemoryControl& Find(int id);
  MemoryControl* FindEnabled(int id);

  const DialogTemplate& template_;
  DialogProc procedure_;
  // In the template's order, in one block: the fuzz targets open a dialog for every input.
  std::vector<std::pair<int, MemoryControl>> controls_;
  mutable MemoryControl scratch_;
  std::string caption_;
  RECT window_{};
  int focus_ = 0;
  std::optional<INT_PTR> result_;
};

}  // namespace platform
