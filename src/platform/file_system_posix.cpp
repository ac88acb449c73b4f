// The file primitives on POSIX systems, where a path is the UTF-8 text itself.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <new>

#include "platform/file_system.h"

namespace platform {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using ReadingFile = std::unique_ptr<std::FILE, FileCloser>;

// Writes the bytes into the existing file itself, which keeps its other names, its kind and its
// place. A regular file gets the room for the new bytes first, so that a full disk fails before
// a byte of the old content has changed; a FIFO that nobody reads fails at once.
bool WriteInPlace(const std::filesystem::path& target, std::span<const std::uint8_t> bytes,
                  bool regular) {
  std::error_code error;
  const std::uintmax_t old_size = regular ? std::filesystem::file_size(target, error) : 0;
  if (error) return false;
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
  if (regular) std::filesystem::resize_file(target, bytes.size(), error);
  return !error;
}

}  // namespace

std::filesystem::path PathFromUtf8(std::string_view utf8) {
  return std::filesystem::path(utf8);
}

std::string Utf8FromPath(const std::filesystem::path& path) {
  return path.native();
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

NewFile WriteNewFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
  errno = 0;
  std::FILE* file = std::fopen(path.c_str(), "wbx");
  if (file == nullptr) return errno == EEXIST ? NewFile::kExists : NewFile::kNotCreated;
  const bool written =
      std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && std::fflush(file) == 0;
  return std::fclose(file) == 0 && written ? NewFile::kWritten : NewFile::kNotWritten;
}

bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
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
  const NewFile result = WriteTemporaryBeside(target, bytes, temporary);
  // A folder that takes no new file.
  if (result == NewFile::kNotCreated || result == NewFile::kExists) {
    return exists && WriteInPlace(target, bytes, regular);
  }
  if (result == NewFile::kWritten) {
    // The new file takes the old one's permissions, so a save changes only the content.
    if (regular) std::filesystem::permissions(temporary, old_status.permissions(), error);
    std::filesystem::rename(temporary, target, error);
    if (!error) return true;
  }
  std::filesystem::remove(temporary, error);
  return false;
}

}  // namespace platform
