#include "files/file_io.h"

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <new>
#include <random>

namespace files {
namespace {

constexpr UINT kOpenDialogFlags =
    OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
constexpr UINT kSaveDialogFlags =
    OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;

constexpr int kTemporaryNameAttempts = 100;
// A temporary name carries the target's name only while it stays well within the 255 bytes a
// name may have.
constexpr std::size_t kLongestNameInTemporary = 200;

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
  std::string shown = target.filename().string();
  if (shown.size() > kLongestNameInTemporary) shown.clear();
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    temporary =
        target.parent_path() / ("." + shown + "." + std::to_string(random()) + ".rimforge-save");
    errno = 0;
    if (std::FILE* file = std::fopen(temporary.string().c_str(), "wbx")) return file;
    if (errno != EEXIST) return nullptr;
  }
  return nullptr;
}

// Writes the bytes into the existing file itself, which keeps its other names, its kind and its
// place. A regular file gets the room for the new bytes first, so that a full disk fails before
// a byte of the old content has changed; a FIFO that nobody reads fails at once.
bool WriteInPlace(const std::filesystem::path& target, std::span<const std::uint8_t> bytes,
                  bool regular) {
  std::error_code error;
  const std::uintmax_t old_size = regular ? std::filesystem::file_size(target, error) : 0;
  if (error) return false;
#ifdef _WIN32
  std::FILE* file = std::fopen(target.string().c_str(), "r+b");
  if (file == nullptr) return false;
  const bool written =
      std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && std::fflush(file) == 0;
  if (std::fclose(file) != 0 || !written) return false;
#else
  const int fd = open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  bool written = fcntl(fd, F_SETFL, 0) == 0;
  bool room_in_part = false;  // the room was had in part only, and is given back
  if (written && regular && bytes.size() > old_size) {
    room_in_part = posix_fallocate(fd, static_cast<off_t>(old_size),
                                   static_cast<off_t>(bytes.size() - old_size)) != 0;
    written = !room_in_part;
  }
  for (std::size_t done = 0; written && done < bytes.size();) {
    const ssize_t step = write(fd, bytes.data() + done, bytes.size() - done);
    if (step < 0 && errno == EINTR) continue;
    written = step > 0;
    done += written ? static_cast<std::size_t>(step) : 0;
  }
  if (close(fd) != 0 || !written) {
    if (room_in_part) std::filesystem::resize_file(target, old_size, error);
    return false;
  }
#endif
  if (regular) std::filesystem::resize_file(target, bytes.size(), error);
  return !error;
}

}  // namespace

void ReportProblem(const std::string& text) {
  platform::CurrentHost().ShowMessageBox(text, "Rimforge", MB_OK | MB_ICONEXCLAMATION);
}

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
  std::vector<std::uint8_t> bytes;
  try {
    bytes.resize(static_cast<std::size_t>(std::min<std::uintmax_t>(size, max_bytes)));
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
  const std::size_t read = std::fread(bytes.data(), 1, bytes.size(), file.get());
  if (std::ferror(file.get())) return std::nullopt;
  bytes.resize(read);  // the file may have shrunk since its size was taken
  return bytes;
}

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path) {
  std::error_code error;
  if (std::filesystem::file_size(path, error) > kLargestWholeFile) return std::nullopt;
  return ReadFileStart(path, kLargestWholeFile);
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
  if (std::filesystem::is_directory(old_status)) return false;
  const bool exists = std::filesystem::exists(old_status);
  const bool regular = std::filesystem::is_regular_file(old_status);
  if (exists && (!regular || std::filesystem::hard_link_count(target, error) != 1)) {
    return !error && WriteInPlace(target, bytes, regular);
  }
  std::filesystem::path temporary;
  std::FILE* file = CreateTemporaryBeside(target, temporary);
  if (file == nullptr) return exists && WriteInPlace(target, bytes, regular);
  const bool written =
      std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && std::fflush(file) == 0;
  const bool closed = std::fclose(file) == 0;
  if (written && closed) {
    // The new file takes the old one's permissions, so a save changes only the content.
    if (regular) std::filesystem::permissions(temporary, old_status.permissions(), error);
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
