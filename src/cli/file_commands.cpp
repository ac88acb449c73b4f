#include "cli/file_commands.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <vector>

#include "files/colours.h"
#include "files/file_io.h"
#include "files/level_file.h"
#include "files/level_rom_file.h"
#include "files/text_messages.h"
#include "files/text_rom.h"
#include "platform/file_system.h"
#include "resources/arcade_hits_dialog.h"

namespace cli {
namespace {

template <std::size_t N>
bool StartsWith(const std::vector<std::uint8_t>& bytes, const std::array<std::uint8_t, N>& start) {
  return bytes.size() >= N && std::equal(start.begin(), start.end(), bytes.begin());
}

}  // namespace

std::optional<FileKind> RecogniseFile(BatchHost& host, const std::string& path) {
  constexpr std::size_t kLongestSignature = 4;
  const std::optional<std::vector<std::uint8_t>> start =
      files::ReadFileStart(path, kLongestSignature);
  if (!start) {
    host.RunCommand([&] { files::ReportCouldNotOpen(path); });
    return std::nullopt;
  }
  if (StartsWith(*start, files::kLevelRomSignature)) return FileKind::kLevelRom;
  if (StartsWith(*start, files::kLevelFileSignature)) return FileKind::kLevelFile;
  if (StartsWith(*start, files::kColourRomSignature)) return FileKind::kColourRom;
  if (StartsWith(*start, files::kTextRomSignature)) return FileKind::kTextRom;
  return FileKind::kUnknown;
}

bool LoadLevelRom(BatchHost& host, const std::string& path) {
  host.AnswerOpenDialog(path);
  return host.RunCommand(files::LoadLevelRom);
}

bool LoadLevelFile(BatchHost& host, const std::string& path) {
  host.AnswerOpenDialog(path);
  return host.RunCommand(files::LoadLevelFile);
}

bool SaveLevelRom(BatchHost& host, const std::string& path) {
  host.AnswerSaveDialog(path);
  return host.RunCommand(files::SaveLevelRom);
}

bool SaveLevelFile(BatchHost& host, const std::string& path) {
  host.AnswerSaveDialog(path);
  return host.RunCommand(files::SaveLevelFile);
}

bool LoadLevels(BatchHost& host, const std::string& path) {
  const std::optional<FileKind> kind = RecogniseFile(host, path);
  if (!kind) return false;
  return *kind == FileKind::kLevelFile ? LoadLevelFile(host, path) : LoadLevelRom(host, path);
}

bool LoadColourRom(BatchHost& host, const std::string& path) {
  host.AnswerOpenDialog(path);
  bool loaded = false;
  return host.RunCommand([&] { loaded = files::LoadColourRom(); }) && loaded;
}

bool LoadTextRom(BatchHost& host, const std::string& path) {
  host.AnswerOpenDialog(path);
  bool loaded = false;
  return host.RunCommand([&] { loaded = files::LoadTextRom(); }) && loaded;
}

std::optional<files::ArcadeHitsFile> LoadArcadeHitsFile(BatchHost& host, const std::string& path) {
  host.AnswerOpenDialog(path);
  std::optional<files::ArcadeHitsFile> file;
  if (!host.RunCommand([&] { file = files::LoadArcadeHitsFile(); })) return std::nullopt;
  return file;
}

bool HackArcadeHits(BatchHost& host, const std::string& program, const std::string& output,
                    files::LevelSet level_set, bool include_text) {
  host.AnswerOpenDialog(program);
  host.ActInDialog(resources::kArcadeHitsDialogId, [=](platform::MemoryDialog& dialog) {
    // A choice that cannot be made stops the person: the dialog is then closed, cancelled.
    const bool chosen =
        (level_set != files::kTempestTubes || dialog.Click(resources::kTempestTubesButton)) &&
        (!include_text || dialog.Click(resources::kIncludeTextDataBox));
    if (chosen) dialog.Click(resources::kArcadeHitsOkButton);
  });
  host.AnswerSaveDialog(output);
  return host.RunCommand(files::HackArcadeHits);
}

bool HasExtension(const std::string& path, std::string_view extension) {
  // ASCII case only: the result must not depend on the C locale.
  const auto lowered = [](std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
  };
  return lowered(platform::Utf8FromPath(platform::PathFromUtf8(path).extension())) ==
         lowered(extension);
}

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  return std::filesystem::equivalent(platform::PathFromUtf8(a), platform::PathFromUtf8(b), error) &&
         !error;
}

bool SaveBytes(BatchHost& host, const std::string& path, std::span<const std::uint8_t> bytes) {
  return host.RunCommand([&] {
    if (!files::WriteFileAtomically(path, bytes)) files::ReportCouldNotWrite(path);
  });
}

}  // namespace cli
