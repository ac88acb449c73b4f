#include "files/file_io.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <memory>
#include <random>

namespace files {
namespace {

constexpr UINT kOpenDialogFlags =
    OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
constexpr UINT kSaveDialogFlags =
    OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;

constexpr int kTemporaryNameAttempts = 100;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using ReadingFile = std::unique_ptr<std::FILE, FileCloser>;

platform::FileDialogRequest DialogRequest(std::string_view title, const FileKind& kind,
                                          UINT flags) {
  return {std::string(title), std::string(kind.filter_description),
          std::string(kind.filter_pattern), std::string(kind.default_extension), flags};
}

// Creates a new, empty file in the folder of `target` and returns it open for writing, with
// its path in `temporary`; null when the folder cannot take a new file. The name is hidden and
// random, and the file is created exclusively, so it never replaces a file of the user's.
std::FILE* CreateTemporaryBeside(const std::filesystem::path& target,
                                 std::filesystem::path& temporary) {
  std::random_device random;
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    std::string name = ".";
    name += target.filename().string();
    name += "." + std::to_string(random()) + ".rimforge-save";
    temporary = target.parent_path() / name;
    errno = 0;
    if (std::FILE* file = std::fopen(temporary.string().c_str(), "wbx")) return file;
    if (errno != EEXIST) return nullptr;
  }
  return nullptr;
}

void ReportProblem(const std::string& text) {
  platform::CurrentHost().ShowMessageBox(text, "Rimforge", MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

platform::FileDialogRequest OpenDialogRequest(std::string_view title, const FileKind& kind) {
  return DialogRequest(title, kind, kOpenDialogFlags);
}

platform::FileDialogRequest SaveDialogRequest(std::string_view title, const FileKind& kind) {
  return DialogRequest(title, kind, kSaveDialogFlags);
}

std::optional<std::vector<std::uint8_t>> ReadFileStart(const std::string& path,
                                                       std::size_t max_bytes) {
  // file_size fails for anything but a regular file, so a folder is refused here.
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) return std::nullopt;
  ReadingFile file(std::fopen(path.c_str(), "rb"));
  if (!file) return std::nullopt;
  std::vector<std::uint8_t> bytes(
      static_cast<std::size_t>(std::min<std::uintmax_t>(size, max_bytes)));
  const std::size_t read = std::fread(bytes.data(), 1, bytes.size(), file.get());
  if (std::ferror(file.get())) return std::nullopt;
  bytes.resize(read);  // the file may have shrunk since its size was taken
  return bytes;
}

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path) {
  return ReadFileStart(path, std::numeric_limits<std::size_t>::max());
}

bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
  // Saving through a link writes the file it points to and keeps the link.
  std::error_code error;
  std::filesystem::path target(path);
  if (std::filesystem::is_symlink(target, error)) {
    target = std::filesystem::weakly_canonical(target, error);
    if (error) return false;
  }
  const std::filesystem::file_status old_status = std::filesystem::status(target, error);
  std::filesystem::path temporary;
  std::FILE* file = CreateTemporaryBeside(target, temporary);
  if (file == nullptr) return false;
  const bool written =
      std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && std::fflush(file) == 0;
  const bool closed = std::fclose(file) == 0;
  if (written && closed) {
    // The new file takes the old one's permissions, so a save changes only the content.
    if (std::filesystem::is_regular_file(old_status)) {
      std::filesystem::permissions(temporary, old_status.permissions(), error);
    }
    std::filesystem::rename(temporary, target, error);
    if (!error) return true;
  }
  std::filesystem::remove(temporary, error);
  return false;
}

void ReportCouldNotOpen(const std::string& path) {
  ReportProblem("Could not open \"" + path + "\".");
}

void ReportCouldNotWrite(const std::string& path) {
  ReportProblem("Could not write \"" + path + "\".");
}

void ReportNotValid(std::string_view kind) {
  ReportProblem("Not a valid " + std::string(kind) + " file");
}

}  // namespace files
