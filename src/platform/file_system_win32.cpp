// The file primitives on Windows: UTF-16 paths at every call, an exclusive create for the
// temporary file, a rename that replaces the target, and links resolved to the file they name.
#include <windows.h>

#include <algorithm>
#include <memory>
#include <new>

#include "platform/file_system.h"

namespace platform {
namespace {

// The most one ReadFile or WriteFile call moves; their counts are 32-bit.
constexpr std::size_t kLargestStep = std::size_t{1} << 30;
// The marks a saved file keeps from the file it replaces.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
constexpr std::size_t kLongestPath = 32768;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

struct HandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using OwnedHandle = std::unique_ptr<void, HandleCloser>;

// Null for a handle that could not be had.
OwnedHandle Owned(HANDLE handle) {
  return OwnedHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

bool CloseOwned(OwnedHandle& handle) {
  return CloseHandle(handle.release()) != 0;
}

// What is at the place a save goes to, seen through any link.
struct ExistingFile {
  std::filesystem::path final_path;  // the file itself, links resolved
  DWORD attributes;
  DWORD links;
  bool on_disk;  // not a device or pipe
};

// Nothing in `existing` when there is no file; false when what is there cannot be known.
bool Examine(const std::filesystem::path& target, std::optional<ExistingFile>& existing) {
  const OwnedHandle file = Owned(CreateFileW(target.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                             FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file) return GetLastError() == ERROR_FILE_NOT_FOUND;
  BY_HANDLE_FILE_INFORMATION information;
  if (!GetFileInformationByHandle(file.get(), &information)) return false;
  // A link is resolved to the file it names, which the save then replaces; any other path is
  // kept as it is.
  std::filesystem::path final_path = target;
  if (GetFileAttributesW(target.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT) {
    std::wstring resolved(kLongestPath, L'\0');
    const DWORD length = GetFinalPathNameByHandleW(
        file.get(), resolved.data(), static_cast<DWORD>(resolved.size()), FILE_NAME_NORMALIZED);
    if (length == 0 || length >= resolved.size()) return false;
    resolved.resize(length);
    final_path = resolved;
  }
  existing = ExistingFile{final_path, information.dwFileAttributes, information.nNumberOfLinks,
                          GetFileType(file.get()) == FILE_TYPE_DISK};
  return true;
}

bool WriteAll(HANDLE file, std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    DWORD step = 0;
    const auto wanted = static_cast<DWORD>(std::min(bytes.size(), kLargestStep));
    if (!WriteFile(file, bytes.data(), wanted, &step, nullptr) || step == 0) return false;
    bytes = bytes.subspan(step);
  }
  return true;
}

bool SetSize(HANDLE file, LONGLONG size) {
  LARGE_INTEGER end;
  end.QuadPart = size;
  return SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
}

// Writes the bytes into the existing file itself, which keeps its other names, its kind and its
// place. A file on disk gets the room for the new bytes first, so that a full disk fails before
// a byte of the old content has changed.
bool WriteInPlace(const std::filesystem::path& target, std::span<const std::uint8_t> bytes,
                  bool on_disk) {
  OwnedHandle file =
      Owned(CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  if (!on_disk) {
    const bool written = WriteAll(file.get(), bytes);
    return CloseOwned(file) && written;
  }
  LARGE_INTEGER old_size;
  if (!GetFileSizeEx(file.get(), &old_size)) return false;
  const auto new_size = static_cast<LONGLONG>(bytes.size());
  if (new_size > old_size.QuadPart && !SetSize(file.get(), new_size)) {
    SetSize(file.get(), old_size.QuadPart);  // room had in part only is given back
    return false;
  }
  const bool written = SetFilePointerEx(file.get(), LARGE_INTEGER{}, nullptr, FILE_BEGIN) &&
                       WriteAll(file.get(), bytes) && SetSize(file.get(), new_size) &&
                       FlushFileBuffers(file.get());
  return CloseOwned(file) && written;
}

std::wstring Widened(std::string_view utf8) {
  if (utf8.empty()) return {};
  const auto size = static_cast<int>(utf8.size());
  std::wstring wide(
      static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0)),
      L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), static_cast<int>(wide.size()));
  return wide;
}

std::string Narrowed(std::wstring_view wide) {
  if (wide.empty()) return {};
  const auto size = static_cast<int>(wide.size());
  std::string utf8(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, wide.data(), size,
                                                                nullptr, 0, nullptr, nullptr)),
                   '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), static_cast<int>(utf8.size()),
                      nullptr, nullptr);
  return utf8;
}

}  // namespace

std::filesystem::path PathFromUtf8(std::string_view utf8) {
  return std::filesystem::path(Widened(utf8));
}

std::string Utf8FromPath(const std::filesystem::path& path) {
  return Narrowed(path.native());
}

std::optional<std::vector<std::uint8_t>> ReadFileStart(const std::string& path,
                                                       std::size_t max_bytes) {
  // A folder does not open without backup semantics, and a device is no file on disk.
  const OwnedHandle file =
      Owned(CreateFileW(PathFromUtf8(path).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size;
  if (!file || GetFileType(file.get()) != FILE_TYPE_DISK || !GetFileSizeEx(file.get(), &size)) {
    return std::nullopt;
  }
  std::vector<std::uint8_t> bytes;
  try {
    bytes.resize(static_cast<std::size_t>(
        std::min<ULONGLONG>(static_cast<ULONGLONG>(size.QuadPart), max_bytes)));
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD step = 0;
    const auto wanted = static_cast<DWORD>(std::min(bytes.size() - done, kLargestStep));
    if (!ReadFile(file.get(), bytes.data() + done, wanted, &step, nullptr)) return std::nullopt;
    if (step == 0) break;  // the file has shrunk since its size was taken
    done += step;
  }
  bytes.resize(done);
  return bytes;
}

NewFile WriteNewFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
  // CREATE_NEW, not the C library's "x", which msvcrt ignores and so empties a file.
  OwnedHandle file = Owned(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? NewFile::kExists
                                                                       : NewFile::kNotCreated;
  }
  const bool written = WriteAll(file.get(), bytes) && FlushFileBuffers(file.get());
  return CloseOwned(file) && written ? NewFile::kWritten : NewFile::kNotWritten;
}

bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
  std::optional<ExistingFile> existing;
  if (!Examine(PathFromUtf8(path), existing)) return false;
  const std::filesystem::path target = existing ? existing->final_path : PathFromUtf8(path);
  if (existing) {
    // A file marked read-only is the user's "do not change"; it is reported, not replaced.
    if (existing->attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) return false;
    if (!existing->on_disk || existing->links != 1) {
      return WriteInPlace(target, bytes, existing->on_disk);
    }
  }
  std::filesystem::path temporary;
  const NewFile result = WriteTemporaryBeside(target, bytes, temporary);
  // A folder that takes no new file.
  if (result == NewFile::kNotCreated || result == NewFile::kExists) {
    return existing && WriteInPlace(target, bytes, true);
  }
  // The new file keeps the old one's marks, so a save changes only the content.
  const DWORD attributes = existing ? existing->attributes & kKeptAttributes : 0;
  if (result == NewFile::kWritten &&
      (attributes == 0 || SetFileAttributesW(temporary.c_str(), attributes)) &&
      MoveFileExW(temporary.c_str(), target.c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  DeleteFileW(temporary.c_str());
  return false;
}

}  // namespace platform
