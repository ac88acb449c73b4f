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
  // The path of `name` inside the folder, as a string for the file dialogs.
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  // Writes the file `name` with `bytes` and returns its path.
  std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const;

 private:
  std::filesystem::path path_;
};

void WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> ReadFileBytes(const std::string& path);
// The names of the files in a folder, sorted.
std::vector<std::string> FileNames(const std::filesystem::path& folder);

}  // namespace testing_support
