// The click that level select asks the host to play, as compiled into the program: a
// 705-byte WAV of 8-bit mono PCM at 44100 samples per second.
#include <algorithm>
#include <cstdint>
#include <span>
#include <string>

#include <gtest/gtest.h>

#include "resources/embedded.h"

namespace {

std::uint32_t LittleEndian(std::span<const std::uint8_t> bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i)
    value = (value << 8) | bytes[at + static_cast<std::size_t>(i)];
  return value;
}

std::string Tag(std::span<const std::uint8_t> bytes, std::size_t at) {
  return std::string(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                     bytes.begin() + static_cast<std::ptrdiff_t>(at + 4));
}

TEST(ClickSoundTest, IsA705ByteMonoEightBitPcmWave) {
  const std::span<const std::uint8_t> wave = resources::ClickSoundWave();
  ASSERT_EQ(wave.size(), 705u);
  EXPECT_EQ(Tag(wave, 0), "RIFF");
  EXPECT_EQ(LittleEndian(wave, 4, 4), 697u);
  EXPECT_EQ(Tag(wave, 8), "WAVE");
  EXPECT_EQ(Tag(wave, 12), "fmt ");
  EXPECT_EQ(LittleEndian(wave, 16, 4), 16u);
  EXPECT_EQ(LittleEndian(wave, 20, 2), 1u);  // PCM
  EXPECT_EQ(LittleEndian(wave, 22, 2), 1u);  // mono
  EXPECT_EQ(LittleEndian(wave, 24, 4), 44100u);
  EXPECT_EQ(LittleEndian(wave, 28, 4), 44100u);  // bytes per second
  EXPECT_EQ(LittleEndian(wave, 32, 2), 1u);      // bytes per sample
  EXPECT_EQ(LittleEndian(wave, 34, 2), 8u);
  EXPECT_EQ(Tag(wave, 36), "data");
  EXPECT_EQ(LittleEndian(wave, 40, 4), 661u);

  // A click: loud at first, and back at the silent middle value 128 at both ends, so that it
  // starts and stops without a pop.
  const std::span<const std::uint8_t> samples = wave.subspan(44);
  const auto [quietest, loudest] = std::minmax_element(samples.begin(), samples.end());
  EXPECT_GT(*loudest - *quietest, 100);
  EXPECT_EQ(samples.front(), 128);
  for (std::size_t i = samples.size() - 50; i < samples.size(); ++i)
    EXPECT_NEAR(samples[i], 128, 1) << "sample " << i;
}

}  // namespace
