#include "fuzz_host.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <utility>

#include "app/shell.h"

namespace fuzzing {
namespace {

// Dialog units become pixels at a fixed 2:1; only relative places matter.
constexpr int kPixelsPerUnit = 2;
constexpr std::uint16_t kKeyDownAndPressed = 0x8001;
constexpr std::uint16_t kKeyDown = 0x8000;

FuzzControl missing_control;

std::set<std::string>& ScratchFiles() {
  static std::set<std::string> files;
  return files;
}

void RemoveScratchFiles() {
  for (const std::string& path : ScratchFiles()) {
    std::remove(path.c_str());
  }
}

}  // namespace

void Fail(const char* what) {
  std::fprintf(stderr, "\nInvariant broken: %s\n", what);
  std::abort();
}

FuzzDialog::FuzzDialog(const platform::DialogTemplate& dialog_template,
                       platform::DialogProc procedure)
    : procedure_(procedure), caption_(dialog_template.caption) {
  window_ = {100, 100, 100 + dialog_template.width * kPixelsPerUnit,
             100 + dialog_template.height * kPixelsPerUnit};
  controls_.reserve(dialog_template.controls.size());
  for (const platform::DialogControl& source : dialog_template.controls) {
    if (source.id == -1) continue;
    const auto same_id = std::find_if(controls_.begin(), controls_.end(),
                                      [&](const auto& entry) { return entry.first == source.id; });
    FuzzControl& control = same_id != controls_.end()
                               ? same_id->second
                               : controls_.emplace_back(source.id, FuzzControl{}).second;
    control.kind = source.kind;
    control.text = std::string(source.text);
    control.enabled = (source.style & WS_DISABLED) == 0;
    control.icon = source.image;
  }
}

INT_PTR FuzzDialog::Send(UINT message, WPARAM wParam, LPARAM lParam) {
  return procedure_(*this, message, wParam, lParam);
}

void FuzzDialog::Type(int id, std::string_view text) {
  FuzzControl& control = Find(id);
  if (control.enabled) control.text = std::string(text);
}

void FuzzDialog::Click(int id) {
  FuzzControl& control = Find(id);
  if (!control.enabled) return;
  if (control.kind == platform::ControlKind::kCheckBox) control.checked = !control.checked;
  if (control.kind == platform::ControlKind::kRadioButton) {
    for (auto& [other_id, other] : controls_) {
      if (other.kind == platform::ControlKind::kRadioButton) other.checked = false;
    }
    control.checked = true;
  }
  Send(WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(id), BN_CLICKED));
}

void FuzzDialog::Select(int id, int index) {
  FuzzControl& control = Find(id);
  Require(index >= 0 && static_cast<std::size_t>(index) < control.strings.size(),
          "a selection beyond the list");
  control.selection = index;
  Send(WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(id), LBN_SELCHANGE));
}

void FuzzDialog::Close() {
  Send(WM_CLOSE);
}

const FuzzControl& FuzzDialog::Control(int id) const {
  const auto found = std::find_if(controls_.begin(), controls_.end(),
                                  [id](const auto& entry) { return entry.first == id; });
  Require(found != controls_.end(), "a dialog procedure used a control its dialog lacks");
  return found->second;
}

FuzzControl& FuzzDialog::Find(int id) {
  return const_cast<FuzzControl&>(std::as_const(*this).Control(id));
}

std::string FuzzDialog::GetItemText(int id) const {
  return Control(id).text;
}
void FuzzDialog::SetItemText(int id, std::string_view text) {
  Find(id).text = std::string(text);
}
bool FuzzDialog::IsChecked(int id) const {
  return Control(id).checked;
}
void FuzzDialog::SetChecked(int id, bool checked) {
  Find(id).checked = checked;
}
void FuzzDialog::EnableItem(int id, bool enabled) {
  Find(id).enabled = enabled;
}
void FuzzDialog::AddString(int id, std::string_view text) {
  Find(id).strings.emplace_back(text);
}

void FuzzDialog::InsertString(int id, int index, std::string_view text) {
  std::vector<std::string>& strings = Find(id).strings;
  Require(index >= 0 && static_cast<std::size_t>(index) <= strings.size(),
          "a list line inserted beyond the list");
  strings.insert(strings.begin() + index, std::string(text));
}

void FuzzDialog::DeleteString(int id, int index) {
  std::vector<std::string>& strings = Find(id).strings;
  Require(index >= 0 && static_cast<std::size_t>(index) < strings.size(),
          "a list line deleted beyond the list");
  strings.erase(strings.begin() + index);
}

int FuzzDialog::GetCurSel(int id) const {
  return Control(id).selection;
}

void FuzzDialog::SetCurSel(int id, int index) {
  FuzzControl& control = Find(id);
  const bool valid = index >= 0 && static_cast<std::size_t>(index) < control.strings.size();
  control.selection = valid ? index : LB_ERR;
}

void FuzzDialog::SetTextLimit(int id, int max_characters) {
  Find(id).text_limit = max_characters;
}
void FuzzDialog::SetItemIcon(int id, int icon_resource) {
  Find(id).icon = icon_resource;
}
void FuzzDialog::SetFocus(int id) {
  focus_ = id;
}
void FuzzDialog::SetCaption(std::string_view caption) {
  caption_ = std::string(caption);
}
RECT FuzzDialog::GetWindowRect() const {
  return window_;
}

void FuzzDialog::MoveWindow(int left, int top) {
  const int width = window_.right - window_.left;
  const int height = window_.bottom - window_.top;
  window_ = {left, top, left + width, top + height};
}

void FuzzDialog::EndDialog(INT_PTR /*result*/) {
  ended_ = true;
}

void FuzzHost::Clear() {
  open_answer.reset();
  save_answer.reset();
  people.clear();
  pressed_keys.clear();
  // Swapped with empty ones, which gives their memory back.
  std::vector<std::string>().swap(messages);
  std::vector<int>().swap(dialogs_run);
  std::vector<platform::FileDialogRequest>().swap(save_dialogs);
}

std::int16_t FuzzHost::GetAsyncKeyState(int virtual_key) {
  const auto key = pressed_keys.find(virtual_key);
  if (key == pressed_keys.end()) return 0;
  const std::uint16_t state = key->second ? kKeyDownAndPressed : kKeyDown;
  key->second = false;
  return static_cast<std::int16_t>(state);
}

int FuzzHost::ShowMessageBox(std::string_view text, std::string_view caption, UINT type) {
  Require(caption == "Rimforge", "a message box without the caption Rimforge");
  messages.emplace_back(text);
  return (type & MB_YESNO) != 0 ? IDYES : IDOK;
}

std::optional<std::string> FuzzHost::ShowOpenFileDialog(const platform::FileDialogRequest&) {
  return open_answer;
}

std::optional<std::string> FuzzHost::ShowSaveFileDialog(
    const platform::FileDialogRequest& request) {
  save_dialogs.push_back(request);
  return save_answer;
}

INT_PTR FuzzHost::RunModalDialog(const platform::DialogTemplate& dialog_template,
                                 platform::Dialog* /*owner*/, platform::DialogProc procedure) {
  dialogs_run.push_back(dialog_template.id);
  FuzzDialog dialog(dialog_template, procedure);
  dialog.Send(WM_INITDIALOG);
  const auto person = people.find(dialog_template.id);
  if (person != people.end()) person->second(dialog);
  if (!dialog.HasEnded()) dialog.Close();
  Require(dialog.HasEnded(), "a dialog stayed open after its close box");
  return 0;
}

FuzzHost& Host() {
  static FuzzHost* host = [] {
    auto* created = new FuzzHost;
    platform::SetHost(created);
    app::ResetEditor();
    app::StartEditor();
    std::atexit(RemoveScratchFiles);
    return created;
  }();
  return *host;
}

void StartFresh() {
  FuzzHost& host = Host();
  host.Clear();
  app::ResetEditor();
  app::InitEditorState();
}

void EndInput() {
  Host().Clear();
}

void Command(int id) {
  app::MainWindowProc(WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(id), 0), 0);
}

std::string ScratchPath(const std::string& name) {
  std::error_code error;
  const std::filesystem::path folder = std::filesystem::is_directory("/dev/shm", error)
                                           ? std::filesystem::path("/dev/shm")
                                           : std::filesystem::temp_directory_path();
  std::string path = (folder / ("rimforge-fuzz-" + std::to_string(getpid()) + "-" + name)).string();
  ScratchFiles().insert(path);
  return path;
}

void WriteScratch(const std::string& path, std::span<const std::uint8_t> bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  Require(file != nullptr, "a scratch file could not be made");
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  Require(std::fclose(file) == 0 && written, "a scratch file could not be written");
}

std::optional<std::vector<std::uint8_t>> ReadScratch(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return std::nullopt;
  std::vector<std::uint8_t> bytes;
  std::uint8_t block[4096];
  std::size_t read;
  while ((read = std::fread(block, 1, sizeof block, file)) > 0) {
    bytes.insert(bytes.end(), block, block + read);
  }
  std::fclose(file);
  return bytes;
}

void RemoveScratch(const std::string& path) {
  std::remove(path.c_str());
}

bool StartsWith(std::span<const std::uint8_t> bytes, std::span<const std::uint8_t> signature) {
  return bytes.size() >= signature.size() &&
         std::equal(signature.begin(), signature.end(), bytes.begin());
}

}  // namespace fuzzing
