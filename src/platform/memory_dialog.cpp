#include "platform/memory_dialog.h"

#include <algorithm>
#include <cctype>

namespace platform {
namespace {
// Dialog units become pixels at a fixed 2:1, with the dialog at (100, 100): only relative
// places matter without a screen.
constexpr int kPixelsPerUnit = 2;
constexpr int kDialogOrigin = 100;

bool FitsList(const MemoryControl& control, int index, bool at_end_too) {
  const auto size = static_cast<int>(control.strings.size());
  return index >= 0 && (index < size || (at_end_too && index == size));
}
}  // namespace

MemoryDialog::MemoryDialog(const DialogTemplate& dialog_template, DialogProc procedure)
    : template_(dialog_template),
      procedure_(procedure),
      caption_(dialog_template.caption),
      window_{kDialogOrigin, kDialogOrigin, kDialogOrigin + dialog_template.width * kPixelsPerUnit,
              kDialogOrigin + dialog_template.height * kPixelsPerUnit} {
  controls_.reserve(dialog_template.controls.size());
  for (const DialogControl& source : dialog_template.controls) {
    if (source.id == -1) continue;
    MemoryControl control;
    control.kind = source.kind;
    control.text = std::string(source.text);
    control.style = source.style;
    control.enabled = (source.style & WS_DISABLED) == 0;
    control.icon = source.image;
    controls_.emplace_back(source.id, std::move(control));
  }
}

INT_PTR MemoryDialog::Send(UINT message, WPARAM wParam, LPARAM lParam) {
  return procedure_(*this, message, wParam, lParam);
}

bool MemoryDialog::Type(int id, std::string_view text) {
  MemoryControl* control = FindEnabled(id);
  if (control == nullptr) return false;
  std::string typed(text);
  if (control->text_limit > 0 && typed.size() > static_cast<std::size_t>(control->text_limit)) {
    typed.resize(static_cast<std::size_t>(control->text_limit));
  }
  if (control->style & ES_UPPERCASE) {
    for (char& c : typed)
      c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  if (control->style & ES_NUMBER) {
    std::erase_if(typed, [](char c) { return c < '0' || c > '9'; });
  }
  control->text = std::move(typed);
  return true;
}

bool MemoryDialog::Click(int id) {
  MemoryControl* control = FindEnabled(id);
  if (control == nullptr) return false;
  if (control->kind == ControlKind::kCheckBox) control->checked = !control->checked;
  if (control->kind == ControlKind::kRadioButton) {
    for (auto& [other_id, other] : controls_) {
      if (other.kind == ControlKind::kRadioButton) other.checked = false;
    }
    control->checked = true;
  }
  Send(WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(id), BN_CLICKED));
  return true;
}

bool MemoryDialog::Select(int id, int index) {
  MemoryControl* control = FindEnabled(id);
  if (control == nullptr) return false;
  if (!FitsList(*control, index, false)) {
    Problem(DialogProblem::kBeyondList,
            "entry " + std::to_string(index) + " is beyond the list " + std::to_string(id));
    return false;
  }
  control->selection = index;
  Send(WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(id), LBN_SELCHANGE));
  return true;
}

const MemoryControl& MemoryDialog::Control(int id) const {
  const auto found = std::find_if(controls_.begin(), controls_.end(),
                                  [id](const auto& entry) { return entry.first == id; });
  if (found != controls_.end()) return found->second;
  Problem(DialogProblem::kNoSuchControl,
          "dialog \"" + std::string(template_.caption) + "\" has no control " + std::to_string(id));
  scratch_ = MemoryControl{};
  return scratch_;
}

MemoryControl& MemoryDialog::Find(int id) {
  return const_cast<MemoryControl&>(std::as_const(*this).Control(id));
}

MemoryControl* MemoryDialog::FindEnabled(int id) {
  MemoryControl& control = Find(id);
  if (&control == &scratch_) return nullptr;
  if (!control.enabled) {
    Problem(DialogProblem::kDisabledControl,
            "\"" + control.text + "\" cannot be chosen in \"" + caption_ + "\"");
    return nullptr;
  }
  return &control;
}

std::string MemoryDialog::GetItemText(int id) const {
  return Control(id).text;
}
void MemoryDialog::SetItemText(int id, std::string_view text) {
  Find(id).text = std::string(text);
}
bool MemoryDialog::IsChecked(int id) const {
  return Control(id).checked;
}
void MemoryDialog::SetChecked(int id, bool checked) {
  Find(id).checked = checked;
}
void MemoryDialog::EnableItem(int id, bool enabled) {
  Find(id).enabled = enabled;
}
void MemoryDialog::AddString(int id, std::string_view text) {
  Find(id).strings.emplace_back(text);
}

void MemoryDialog::InsertString(int id, int index, std::string_view text) {
  MemoryControl& control = Find(id);
  if (!FitsList(control, index, true)) {
    Problem(DialogProblem::kBeyondList,
            "a line inserted at " + std::to_string(index) + ", beyond the list");
    return;
  }
  control.strings.insert(control.strings.begin() + index, std::string(text));
}

void MemoryDialog::DeleteString(int id, int index) {
  MemoryControl& control = Find(id);
  if (!FitsList(control, index, false)) {
    Problem(DialogProblem::kBeyondList,
            "line " + std::to_string(index) + " deleted beyond the list");
    return;
  }
  control.strings.erase(control.strings.begin() + index);
}

int MemoryDialog::GetCurSel(int id) const {
  return Control(id).selection;
}

void MemoryDialog::SetCurSel(int id, int index) {
  MemoryControl& control = Find(id);
  control.selection = FitsList(control, index, false) ? index : LB_ERR;
}

void MemoryDialog::SetTextLimit(int id, int max_characters) {
  Find(id).text_limit = max_characters;
}
void MemoryDialog::SetItemIcon(int id, int icon_resource) {
  Find(id).icon = icon_resource;
}
void MemoryDialog::SetFocus(int id) {
  focus_ = id;
}
void MemoryDialog::SetCaption(std::string_view caption) {
  caption_ = std::string(caption);
}
RECT MemoryDialog::GetWindowRect() const {
  return window_;
}

void MemoryDialog::MoveWindow(int left, int top) {
  window_ = {left, top, left + (window_.right - window_.left),
             top + (window_.bottom - window_.top)};
}

void MemoryDialog::EndDialog(INT_PTR result) {
  result_ = result;
}

}  // namespace platform
