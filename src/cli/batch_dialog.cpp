#include "cli/batch_dialog.h"

namespace cli {

BatchDialog::BatchDialog(const platform::DialogTemplate& dialog_template,
                         platform::DialogProc procedure)
    : template_(dialog_template),
      procedure_(procedure),
      window_{0, 0, dialog_template.width, dialog_template.height} {
  for (const platform::DialogControl& source : dialog_template.controls) {
    if (source.id == -1) continue;
    Control control;
    control.kind = source.kind;
    control.text = std::string(source.text);
    control.enabled = (source.style & WS_DISABLED) == 0;
    controls_.emplace(source.id, std::move(control));
  }
}

INT_PTR BatchDialog::Send(UINT message, WPARAM wParam, LPARAM lParam) {
  return procedure_(*this, message, wParam, lParam);
}

void BatchDialog::Click(int id) {
  // Once a step could not be done, the rest is not done either: the dialog stays open and is
  // closed, cancelled, by the host.
  if (!problems_.empty()) return;
  Control& control = Find(id);
  if (&control == &missing_) return;
  if (!control.enabled) {
    problems_.push_back("\"" + control.text + "\" cannot be chosen in \"" +
                        std::string(template_.caption) + "\"");
    return;
  }
  if (control.kind == platform::ControlKind::kCheckBox) control.checked = !control.checked;
  if (control.kind == platform::ControlKind::kRadioButton) {
    // An automatic radio button clears the others; the editor's dialogs have one group each.
    for (auto& [other_id, other] : controls_) {
      if (other.kind == platform::ControlKind::kRadioButton) other.checked = false;
    }
    control.checked = true;
  }
  Send(WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(id), BN_CLICKED));
}

BatchDialog::Control& BatchDialog::Find(int id) {
  const auto found = controls_.find(id);
  if (found != controls_.end()) return found->second;
  problems_.push_back("dialog \"" + std::string(template_.caption) + "\" has no control " +
                      std::to_string(id));
  missing_ = Control{};
  return missing_;
}

const BatchDialog::Control* BatchDialog::FindConst(int id) const {
  const auto found = controls_.find(id);
  return found == controls_.end() ? nullptr : &found->second;
}

std::string BatchDialog::GetItemText(int id) const {
  const Control* control = FindConst(id);
  return control ? control->text : std::string();
}

void BatchDialog::SetItemText(int id, std::string_view text) {
  Find(id).text = std::string(text);
}

bool BatchDialog::IsChecked(int id) const {
  const Control* control = FindConst(id);
  return control && control->checked;
}

void BatchDialog::SetChecked(int id, bool checked) {
  Find(id).checked = checked;
}

void BatchDialog::EnableItem(int id, bool enabled) {
  Find(id).enabled = enabled;
}

void BatchDialog::AddString(int id, std::string_view text) {
  Find(id).strings.emplace_back(text);
}

void BatchDialog::InsertString(int id, int index, std::string_view text) {
  std::vector<std::string>& strings = Find(id).strings;
  if (index < 0 || static_cast<std::size_t>(index) > strings.size()) return;
  strings.insert(strings.begin() + index, std::string(text));
}

void BatchDialog::DeleteString(int id, int index) {
  std::vector<std::string>& strings = Find(id).strings;
  if (index < 0 || static_cast<std::size_t>(index) >= strings.size()) return;
  strings.erase(strings.begin() + index);
}

int BatchDialog::GetCurSel(int id) const {
  const Control* control = FindConst(id);
  return control ? control->selection : LB_ERR;
}

void BatchDialog::SetCurSel(int id, int index) {
  Control& control = Find(id);
  const bool valid = index >= 0 && static_cast<std::size_t>(index) < control.strings.size();
  control.selection = valid ? index : LB_ERR;
}

// Nothing is typed, shown or placed on a screen here.
void BatchDialog::SetTextLimit(int /*id*/, int /*max_characters*/) {}
void BatchDialog::SetItemIcon(int /*id*/, int /*icon_resource*/) {}
void BatchDialog::SetFocus(int /*id*/) {}
void BatchDialog::SetCaption(std::string_view /*caption*/) {}

RECT BatchDialog::GetWindowRect() const {
  return window_;
}

void BatchDialog::MoveWindow(int left, int top) {
  window_ = {left, top, left + (window_.right - window_.left),
             top + (window_.bottom - window_.top)};
}

void BatchDialog::EndDialog(INT_PTR result) {
  ended_ = true;
  result_ = result;
}

}  // namespace cli
