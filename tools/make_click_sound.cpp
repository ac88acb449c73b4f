// Makes the click that level select plays when the mouse enters another cell: 15 ms of 8-bit
// mono PCM at 44100 samples per second, 705 bytes in all. Usage: make_click_sound OUTPUT.wav
//
// The click is a short burst of noise for the tick, under two decaying tones (1800 Hz and
// 620 Hz) for a little body, faded in over half a millisecond so it starts without a pop.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "files/file_io.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr std::uint32_t kSampleRate = 44100;
constexpr std::uint32_t kSampleCount = 661;
constexpr std::uint32_t kHeaderSize = 44;

void Append(std::vector<std::uint8_t>& bytes, std::string_view text) {
  bytes.insert(bytes.end(), text.begin(), text.end());
}

void AppendLittleEndian(std::vector<std::uint8_t>& bytes, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i)
    bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::vector<std::uint8_t> Header() {
  std::vector<std::uint8_t> bytes;
  Append(bytes, "RIFF");
  AppendLittleEndian(bytes, kHeaderSize - 8 + kSampleCount, 4);
  Append(bytes, "WAVE");
  Append(bytes, "fmt ");
  AppendLittleEndian(bytes, 16, 4);           // size of the format chunk
  AppendLittleEndian(bytes, 1, 2);            // PCM
  AppendLittleEndian(bytes, 1, 2);            // mono
  AppendLittleEndian(bytes, kSampleRate, 4);  // samples per second
  AppendLittleEndian(bytes, kSampleRate, 4);  // bytes per second
  AppendLittleEndian(bytes, 1, 2);            // bytes per sample
  AppendLittleEndian(bytes, 8, 2);            // bits per sample
  Append(bytes, "data");
  AppendLittleEndian(bytes, kSampleCount, 4);
  return bytes;
}

// The same noise every time, so the file only changes when this program does.
double Noise(std::uint32_t& state) {
  state = state * 1664525u + 1013904223u;
  return static_cast<double>(state >> 8) / static_cast<double>(1u << 24) * 2.0 - 1.0;
}

std::vector<std::uint8_t> ClickWave() {
  std::vector<std::uint8_t> bytes = Header();
  std::uint32_t noise_state = 1981;
  for (std::uint32_t n = 0; n < kSampleCount; ++n) {
    const double t = static_cast<double>(n) / kSampleRate;
    const double fade_in = std::fmin(1.0, n / 22.0);
    const double tone = std::exp(-t / 0.0025) *
                        (0.55 * std::sin(2 * kPi * 1800 * t) + 0.35 * std::sin(2 * kPi * 620 * t));
    const double tick = std::exp(-t / 0.0006) * 0.5 * Noise(noise_state);
    const double value = 128.0 + 118.0 * fade_in * (tone + tick);
    bytes.push_back(
        static_cast<std::uint8_t>(std::lround(std::fmax(0.0, std::fmin(255.0, value)))));
  }
  return bytes;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_click_sound OUTPUT.wav\n");
    return 2;
  }
  const std::string path = argv[1];
  if (!files::WriteFileAtomically(path, ClickWave())) {
    std::fprintf(stderr, "make_click_sound: could not write %s\n", path.c_str());
    return 1;
  }
  std::printf("wrote %s\n", path.c_str());
  return 0;
}
