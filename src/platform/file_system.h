// The operating system's files, reached from here only: paths, reading a file's start and
// saving a file so that a failure never harms what was there. One version for POSIX systems
// (file_system_posix.cpp) and one for Windows (file_system_win32.cpp), with what both share in
// file_system.cpp.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Paths are UTF-8 text inside the program. On Windows a path meets the system in UTF-16, so
// every path given to std::filesystem, a stream or a system call goes through these.
std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string Utf8FromPath(const std::filesystem::path& path);

// The largest file read whole: many times the largest program file there is, and still a size
// that every machine can hold in memory.
constexpr std::size_t kLargestWholeFile = std::size_t{64} << 20;

// The first `max_bytes` bytes of a regular file, or all of it when it is shorter. Nothing when
// the file cannot be opened or read (a missing file, a folder, a device) or the memory for it
// cannot be had.
std::optional<std::vector<std::uint8_t>> ReadFileStart(const std::string& path,
                                                       std::size_t max_bytes);
// The whole file, in one allocation of its size; nothing for a file above kLargestWholeFile.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path);

// Saves the bytes as `path` so that a failure never harms what was there. Where it is safe
// (nothing there yet, or a regular file with no other name, in a folder that takes a new file)
// the bytes go to a new file beside it that is then renamed over it. Anything else (a file with
// other names, a device, a file in a folder that takes no new file) is written in place, once
// its room is had, so that it stays what it is. Saving through a link writes the file it points
// to and keeps the link. On Windows a file marked read-only is refused, as Windows programs
// refuse it. Returns false on any failure; the old file is then untouched wherever the failure
// came before writing.
bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

// What became of WriteNewFile's file.
enum class NewFile { kWritten, kExists, kNotCreated, kNotWritten };
// Creates `path` as a new file, exclusively, and writes the bytes into it, flushed and closed.
// Whatever is at `path` already is left as it was (kExists). After kNotWritten the new file is
// there for the caller to remove.
NewFile WriteNewFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

// Writes the bytes into a new temporary file beside `target` (WriteNewFile), named by a random
// number and hidden where a leading dot hides; a name that is taken is never replaced, another
// is tried. `temporary` receives the name last tried.
NewFile WriteTemporaryBeside(const std::filesystem::path& target,
                             std::span<const std::uint8_t> bytes, std::filesystem::path& temporary);

}  // namespace platform
