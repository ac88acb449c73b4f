// A fresh folder for one test's files, removed with everything in it when the test ends.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace testing_support {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // The path of `name` inside the folder, as UTF-8 text for the file dialogs.
  std::string File(const std::string& name) const;
  // Writes the file `name` with `bytes` and returns its path.
  std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const;

 private:
  std::filesystem::path path_;
};

void WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> ReadFileBytes(const std::string& path);
// Makes the file `size` bytes long by writing a zero as its last byte; a file system with holes
// keeps the rest unallocated. (std::filesystem::resize_file stops at 2 GiB on Windows.)
void GrowFile(const std::string& path, std::uintmax_t size);
// The names of the files in a folder, sorted.
std::vector<std::string> FileNames(const std::filesystem::path& folder);

}  // namespace testing_support
