// Program files of 'Atari Arcade Hits' made in code for tests: filler bytes of a chosen size
// with level ROM and text ROM images (or parts of them) put at chosen offsets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace testing_support {

// A 2048-byte text ROM image: the signature, then a pattern that starts from `seed`.
std::vector<std::uint8_t> TextRomImage(std::uint8_t seed);

class ProgramFileBuilder {
 public:
  // Filler that holds neither signature nor any byte a signature starts with, so that the only
  // signatures in the file are the ones a test puts there.
  explicit ProgramFileBuilder(std::size_t size);

  // Copies `bytes` in at `offset`; they must fit inside the file.
  ProgramFileBuilder& Put(std::size_t offset, const std::vector<std::uint8_t>& bytes);

  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
  std::string WriteTo(const TempDir& dir, const std::string& name) const;

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace testing_support
