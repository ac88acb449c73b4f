#include "support/fake_dialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

namespace testing_support {
namespace {
// Dialog units become pixels at a fixed 2:1 here; only relative places matter to the tests.
constexpr int kPixelsPerUnit = 2;
FakeControl missing_control;
}  // namespace

FakeDialog::FakeDialog(const platform::DialogTemplate& dialog_template,
                       platform::DialogProc procedure)
    : template_(dialog_template), procedure_(procedure), caption_(dialog_template.caption) {
  window_ = {100, 100, 100 + dialog_template.width * kPixelsPerUnit,
             100 + dialog_template.height * kPixelsPerUnit};
  for (const platform::DialogControl& source : dialog_template.controls) {
    if (source.id == -1) continue;
    FakeControl control;
    control.kind = source.kind;
    control.text = std::string(source.text);
    control.style = source.style;
    control.enabled = (source.style & WS_DISABLED) == 0;
    control.icon = source.image;
    controls_[source.id] = control;
  }
}

INT_PTR FakeDialog::Send(UINT message, WPARAM wParam, LPARAM lParam) {
  return procedure_(*this, message, wParam, lParam);
}

void FakeDialog::Type(int id, std::string_view text) {
  FakeControl& control = FindEnabled(id);
  std::string typed(text);
  if (control.text_limit > 0 && typed.size() > static_cast<std::size_t>(control.text_limit)) {
    typed.resize(static_cast<std::size_t>(control.text_limit));
  }
  if (control.style & ES_UPPERCASE) {
    for (char& c : typed)
      c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  if (control.style & ES_NUMBER) {
    std::erase_if(typed, [](char c) { return c < '0' || c > '9'; });
  }
  control.text = typed;
}

void FakeDialog::Click(int id) {
  FakeControl& control = FindEnabled(id);
  if (control.kind == platform::ControlKind::kCheckBox) control.checked = !control.checked;
  if (control.kind == platform::ControlKind::kRadioButton) {
    // An automatic radio button clears the others of the dialog (one group per dialog here).
    for (auto& [other_id, other] : controls_) {
      if (other.kind == platform::ControlKind::kRadioButton) other.checked = false;
    }
    control.checked = true;
  }
  Send(WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(id), BN_CLICKED));
}

void FakeDialog::Select(int id, int index) {
  FakeControl& control = FindEnabled(id);
  ASSERT_GE(index, 0);
  ASSERT_LT(static_cast<std::size_t>(index), control.strings.size());
  control.selection = index;
  Send(WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(id), LBN_SELCHANGE));
}

void FakeDialog::Close() {
  Send(WM_CLOSE);
}

const FakeControl& FakeDialog::Control(int id) const {
  auto found = controls_.find(id);
  if (found == controls_.end()) {
    ADD_FAILURE() << "dialog " << template_.id << " has no control " << id;
    return missing_control;
  }
  return found->second;
}

FakeControl& FakeDialog::Find(int id) {
  auto found = controls_.find(id);
  if (found == controls_.end()) {
    ADD_FAILURE() << "dialog " << template_.id << " has no control " << id;
    return missing_control;
  }
  return found->second;
}

FakeControl& FakeDialog::FindEnabled(int id) {
  FakeControl& control = Find(id);
  EXPECT_TRUE(control.enabled) << "control " << id << " is disabled";
  return control;
}

std::string FakeDialog::GetItemText(int id) const {
  return Control(id).text;
}
void FakeDialog::SetItemText(int id, std::string_view text) {
  Find(id).text = std::string(text);
}
bool FakeDialog::IsChecked(int id) const {
  return Control(id).checked;
}
void FakeDialog::SetChecked(int id, bool checked) {
  Find(id).checked = checked;
}
void FakeDialog::EnableItem(int id, bool enabled) {
  Find(id).enabled = enabled;
}

void FakeDialog::AddString(int id, std::string_view text) {
  Find(id).strings.emplace_back(text);
}

void FakeDialog::InsertString(int id, int index, std::string_view text) {
  std::vector<std::string>& strings = Find(id).strings;
  ASSERT_LE(static_cast<std::size_t>(index), strings.size());
  strings.insert(strings.begin() + index, std::string(text));
}

void FakeDialog::DeleteString(int id, int index) {
  std::vector<std::string>& strings = Find(id).strings;
  ASSERT_LT(static_cast<std::size_t>(index), strings.size());
  strings.erase(strings.begin() + index);
}

int FakeDialog::GetCurSel(int id) const {
  return Control(id).selection;
}

void FakeDialog::SetCurSel(int id, int index) {
  FakeControl& control = Find(id);
  const bool valid = index >= 0 && static_cast<std::size_t>(index) < control.strings.size();
  control.selection = valid ? index : LB_ERR;
}

void FakeDialog::SetTextLimit(int id, int max_characters) {
  Find(id).text_limit = max_characters;
}
void FakeDialog::SetItemIcon(int id, int icon_resource) {
  Find(id).icon = icon_resource;
}
void FakeDialog::SetFocus(int id) {
  focus_ = id;
}
void FakeDialog::SetCaption(std::string_view caption) {
  caption_ = std::string(caption);
}
RECT FakeDialog::GetWindowRect() const {
  return window_;
}

void FakeDialog::MoveWindow(int left, int top) {
  const int width = window_.right - window_.left;
  const int height = window_.bottom - window_.top;
  window_ = {left, top, left + width, top + height};
}

void FakeDialog::EndDialog(INT_PTR result) {
  result_ = result;
}

}  // namespace testing_support
