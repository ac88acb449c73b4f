#include "platform/file_system.h"

#include <random>

namespace platform {
namespace {

// A temporary name carries the target's name only while it stays well within the 255 bytes a
// name may have.
constexpr std::size_t kLongestNameInTemporary = 200;
constexpr int kTemporaryNameAttempts = 100;

std::filesystem::path TemporaryNameBeside(const std::filesystem::path& target, unsigned random) {
  std::filesystem::path shown = target.filename();
  if (shown.native().size() > kLongestNameInTemporary) shown.clear();
  std::filesystem::path name = ".";
  name += shown.native();
  name += ".";
  name += std::to_string(random);
  name += ".rimforge-save";
  return target.parent_path() / name;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path) {
  // file_size fails (with the largest size) for anything but a regular file.
  std::error_code error;
  if (std::filesystem::file_size(PathFromUtf8(path), error) > kLargestWholeFile) {
    return std::nullopt;
  }
  return ReadFileStart(path, kLargestWholeFile);
}

NewFile WriteTemporaryBeside(const std::filesystem::path& target,
                             std::span<const std::uint8_t> bytes,
                             std::filesystem::path& temporary) {
  NewFile result = NewFile::kExists;
  std::random_device random;
  for (int attempt = 0; attempt < kTemporaryNameAttempts && result == NewFile::kExists; ++attempt) {
    temporary = TemporaryNameBeside(target, random());
    result = WriteNewFile(temporary, bytes);
  }
  return result;
}

}  // namespace platform
