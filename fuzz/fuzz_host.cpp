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

constexpr std::uint16_t kKeyDownAndPressed = 0x8001;
constexpr std::uint16_t kKeyDown = 0x8000;

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
