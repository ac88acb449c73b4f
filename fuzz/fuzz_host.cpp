#include "fuzz_host.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <utility>

#include "app/shell.h"
#include "files/file_io.h"

namespace fuzzing {
namespace {

// In memory where it can be, to spare the disk; removed at exit, so the names are never freed.
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

void FuzzHost::Offer(Bytes file, const std::string& extension, std::uintmax_t size) {
  open_answer = ScratchPath("in." + extension);
  save_answer = ScratchPath("out." + extension);
  std::FILE* scratch = std::fopen(open_answer->c_str(), "wb");
  const bool written = scratch &&
                       std::fwrite(file.data(), 1, file.size(), scratch) == file.size() &&
                       std::fclose(scratch) == 0;
  std::error_code error;
  if (size > file.size()) std::filesystem::resize_file(*open_answer, size, error);
  Require(written && !error, "a scratch file could not be written");
}

void FuzzHost::RequireSaved(Bytes bytes, bool saves) {
  const auto saved = save_answer ? files::ReadWholeFile(*save_answer) : std::nullopt;
  if (saved) std::remove(save_answer->c_str());
  Require(saves ? messages.empty() && saved && std::ranges::equal(*saved, bytes) : !saved,
          "a save is not the expected one, or reported a problem");
}

std::int16_t FuzzHost::GetAsyncKeyState(int virtual_key) {
  const auto key = pressed_keys.find(virtual_key);
  if (key == pressed_keys.end()) return 0;
  // Down, and pressed since the last poll.
  return static_cast<std::int16_t>(std::exchange(key->second, false) ? 0x8001 : 0x8000);
}

int FuzzHost::ShowMessageBox(std::string_view text, std::string_view caption, UINT type) {
  Require(caption == "Rimforge", "a message box not captioned Rimforge");
  messages.emplace_back(text);
  return (type & MB_YESNO) != 0 ? IDYES : IDOK;
}

INT_PTR FuzzHost::RunModalDialog(const platform::DialogTemplate& dialog_template,
                                 platform::Dialog* /*owner*/, platform::DialogProc procedure) {
  ++dialogs_run;
  FuzzDialog dialog(dialog_template, procedure);
  dialog.Send(WM_INITDIALOG);
  if (people.contains(dialog_template.id)) people[dialog_template.id](dialog);
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

FuzzHost& StartFresh(Bytes file, const std::string& extension) {
  FuzzHost& host = Host();
  host.Clear();
  app::ResetEditor();
  app::InitEditorState();
  const LevelData& earlier = EarlierLevelData();
  level::level_rom_image = earlier.image;
  level::accurate_x = earlier.x;
  level::accurate_y = earlier.y;
  host.Offer(file, extension);
  return host;
}

void Command(int id) {
  app::MainWindowProc(WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(id), 0), 0);
}

bool Took(bool valid, std::string_view message, bool unchanged) {
  FuzzHost& host = Host();
  Require(valid ? host.messages.empty()
                : std::ranges::equal(host.messages, std::array{message}) && host.dialogs_run == 0 &&
                      unchanged,
          "a file was not taken silently, or not refused with its message alone and no change");
  if (!valid) host.RequireSaved({}, false);
  return valid;
}

LevelData CurrentLevelData() {
  return {level::level_rom_image, level::accurate_x, level::accurate_y};
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

const std::array<std::uint8_t, files::kTextRomSize>& ValidTextImage() {
  static const auto image = [] {
    using namespace files;
    std::array<std::uint8_t, kTextRomSize> image{};
    std::ranges::copy(kTextRomSignature, image.begin());
    for (std::size_t m = 0; m < kMessageCount; ++m) {
      const std::size_t record = kMessageRecordsOffset + 4 * m;
      image[kMessagePointersOffset + 2 * m] = (kTextRomAddress + record) & 0xFF;
      image[kMessagePointersOffset + 2 * m + 1] = (kTextRomAddress + record) >> 8;
      image[record] = m;
      image[record + 1] = 2 * (11 + m % 26);
      image[record + 2] = 2 * (1 + m % 10);
      image[record + 3] = 0x80 | 2 * 38;
    }
    return image;
  }();
  return image;
}

}  // namespace fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzing::RunInput({data, size});
  fuzzing::Host().Clear();
  return 0;
}
