#include "platform/file_system.h"

namespace platform {
namespace {

// A temporary name carries the target's name only while it stays well within the 255 bytes a
// name may have.
constexpr std::size_t kLongestNameInTemporary = 200;

}  // namespace

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path) {
  // file_size fails (with the largest size) for anything but a regular file.
  std::error_code error;
  if (std::filesystem::file_size(PathFromUtf8(path), error) > kLargestWholeFile) {
    return std::nullopt;
  }
  return ReadFileStart(path, kLargestWholeFile);
}

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

}  // namespace platform
