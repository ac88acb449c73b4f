#include "support/program_file_builder.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "files/level_rom_file.h"
#include "files/text_rom.h"

namespace testing_support {

std::vector<std::uint8_t> TextRomImage(std::uint8_t seed) {
  std::vector<std::uint8_t> image(files::kTextRomSize);
  for (std::size_t i = 0; i < image.size(); ++i) {
    image[i] = static_cast<std::uint8_t>(seed + i * 5);
  }
  std::copy(files::kTextRomSignature.begin(), files::kTextRomSignature.end(), image.begin());
  return image;
}

ProgramFileBuilder::ProgramFileBuilder(std::size_t size) : bytes_(size) {
  for (std::size_t i = 0; i < size; ++i) {
    auto filler = static_cast<std::uint8_t>(i * 13 + i / 256 + 5);
    if (filler == files::kLevelRomSignature[0] || filler == files::kTextRomSignature[0]) ++filler;
    bytes_[i] = filler;
  }
}

ProgramFileBuilder& ProgramFileBuilder::Put(std::size_t offset,
                                            const std::vector<std::uint8_t>& bytes) {
  EXPECT_LE(offset + bytes.size(), bytes_.size()) << "bytes at " << offset << " leave the file";
  if (offset + bytes.size() <= bytes_.size()) {
    std::copy(bytes.begin(), bytes.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(offset));
  }
  return *this;
}

std::string ProgramFileBuilder::WriteTo(const TempDir& dir, const std::string& name) const {
  const std::string path = dir.File(name);
  WriteFileBytes(path, bytes_);
  return path;
}

}  // namespace testing_support
