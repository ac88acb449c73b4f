#include <array>
#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

#include <benchmark/benchmark.h>

#include "files/arcade_hits.h"
#include "files/level_rom_file.h"
#include "files/text_rom.h"

namespace {

constexpr std::size_t kProgramSize = 100 * 1000 * 1000;
constexpr std::size_t kFirstLevel = kProgramSize - 40000;
constexpr std::size_t kLastLevel = kFirstLevel + files::kLevelRomDistance;
constexpr std::size_t kFirstText = kFirstLevel + 3001;
constexpr std::size_t kLastText = kFirstLevel + 27001;

void Put(std::vector<std::uint8_t>& buffer, std::size_t offset,
         const std::array<std::uint8_t, 4>& signature) {
  for (std::size_t i = 0; i < signature.size(); ++i) {
    buffer[offset + i] = signature[i];
  }
}

// Random bytes, in which the first byte of each signature turns up once in 256 places, with
// both pairs of signatures near the end, where a scan meets them last.
std::vector<std::uint8_t> LargeProgramFile() {
  std::vector<std::uint8_t> buffer(kProgramSize);
  std::mt19937_64 random(1981);
  for (std::size_t i = 0; i + 8 <= buffer.size(); i += 8) {
    const std::uint64_t bits = random();
    for (std::size_t j = 0; j < 8; ++j) {
      buffer[i + j] = static_cast<std::uint8_t>(bits >> (8 * j));
    }
  }
  Put(buffer, kFirstLevel, files::kLevelRomSignature);
  Put(buffer, kLastLevel, files::kLevelRomSignature);
  Put(buffer, kFirstText, files::kTextRomSignature);
  Put(buffer, kLastText, files::kTextRomSignature);
  return buffer;
}

void BM_FindRomImages(benchmark::State& state) {
  const std::vector<std::uint8_t> buffer = LargeProgramFile();
  const files::RomImagePlaces found = files::FindRomImages(buffer);
  if (found.first_level_rom != kFirstLevel || found.last_level_rom != kLastLevel ||
      found.first_text_rom != kFirstText || found.last_text_rom != kLastText) {
    state.SkipWithError("the random bytes hold a signature of their own");
    return;
  }
  for (auto _ : state) {
    files::RomImagePlaces places = files::FindRomImages(buffer);
    benchmark::DoNotOptimize(places);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(buffer.size()));
}
BENCHMARK(BM_FindRomImages)->Unit(benchmark::kMillisecond);

}  // namespace
