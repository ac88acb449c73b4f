#include "fuzz_host.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>
#include <utility>

#include "app/shell.h"

namespace fuzzing {
namespace {

// A file of this process in memory (/dev/shm where it exists), so a run does not wear the disk.
// Removed at exit, so the names are never destroyed.
const std::string& ScratchPath(const std::string& name) {
  static auto& paths = *new std::set<std::string>;
  static const std::string prefix = [] {
    std::atexit([] {
      for (const std::string& path : paths) {
        std::remove(path.c_str());
      }
    });
    std::error_code error;
    const auto folder = std::filesystem::is_directory("/dev/shm", error)
                            ? "/dev/shm"
                            : std::filesystem::temp_directory_path();
    return (folder / ("rimforge-fuzz-" + std::to_string(getpid()) + "-")).string();
  }();
  return *paths.insert(prefix + name).first;
}

}  // namespace

void Fail(const char* what) {
  std::fprintf(stderr, "\nInvariant broken: %s\n", what);
  std::abort();
}

void FuzzHost::Offer(Bytes file, const std::string& in, const std::string& out) {
  open_answer = ScratchPath(in);
  save_answer = ScratchPath(out);
  std::FILE* scratch = std::fopen(open_answer->c_str(), "wb");
  Require(scratch != nullptr, "a scratch file could not be made");
  const bool written = std::fwrite(file.data(), 1, file.size(), scratch) == file.size();
  Require(std::fclose(scratch) == 0 && written, "a scratch file could not be written");
}

std::optional<std::vector<std::uint8_t>> FuzzHost::Saved() {
  std::FILE* file = save_answer ? std::fopen(save_answer->c_str(), "rb") : nullptr;
  if (file == nullptr) return std::nullopt;
  std::vector<std::uint8_t> bytes;
  std::uint8_t block[4096];
  while (const std::size_t read = std::fread(block, 1, sizeof block, file)) {
    bytes.insert(bytes.end(), block, block + read);
  }
  std::fclose(file);
  std::remove(save_answer->c_str());
  return bytes;
}

bool FuzzHost::SavedIs(Bytes bytes) {
  const auto saved = Saved();
  return saved && std::equal(saved->begin(), saved->end(), bytes.begin(), bytes.end());
}

bool FuzzHost::Refused(std::string_view message) const {
  return messages.size() == 1 && messages[0] == message && dialogs_run.empty();
}

std::int16_t FuzzHost::GetAsyncKeyState(int virtual_key) {
  const auto key = pressed_keys.find(virtual_key);
  if (key == pressed_keys.end()) return 0;
  // Down, and pressed since the last poll.
  return static_cast<std::int16_t>(std::exchange(key->second, false) ? 0x8001 : 0x8000);
}

int FuzzHost::ShowMessageBox(std::string_view text, std::string_view caption, UINT type) {
  Require(caption == "Rimforge", "a message box without the caption Rimforge");
  messages.emplace_back(text);
  return (type & MB_YESNO) != 0 ? IDYES : IDOK;
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
    return created;
  }();
  return *host;
}

FuzzHost& StartFresh() {
  FuzzHost& host = Host();
  host.Clear();
  app::ResetEditor();
  app::InitEditorState();
  return host;
}

void Command(int id) {
  app::MainWindowProc(WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(id), 0), 0);
}

LevelData CurrentLevelData() {
  return {level::level_rom_image, level::accurate_x, level::accurate_y};
}

void PutLevelData(const LevelData& data) {
  level::level_rom_image = data.image;
  level::accurate_x = data.x;
  level::accurate_y = data.y;
}

bool HoldsLevelData(const LevelData& data) {
  return data.image == level::level_rom_image &&
         std::memcmp(data.x.data(), level::accurate_x.data(), sizeof data.x) == 0 &&
         std::memcmp(data.y.data(), level::accurate_y.data(), sizeof data.y) == 0;
}

const LevelData& EarlierLevelData() {
  static const LevelData earlier = [] {
    LevelData data{};
    for (std::size_t i = 0; i < data.image.size(); ++i) {
      data.image[i] = i * 11 + 3;
    }
    for (std::size_t i = 0; i < data.x.size(); ++i) {
      data.x[i] = i + 0.25;
      data.y[i] = 300.5 - i;
    }
    return data;
  }();
  return earlier;
}

bool RefusedLevels(std::string_view message) {
  return Host().Refused(message) && HoldsLevelData(EarlierLevelData()) &&
         app::editor.editor_mode == app::kIntroMode;
}

}  // namespace fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzing::RunInput({data, size});
  fuzzing::Host().Clear();
  return 0;
}
