#include "png/png_image.h"

#include <png.h>

#include <algorithm>
#include <cstring>

#include "files/file_io.h"
#include "gfx/frame_buffer.h"

namespace png {
namespace {

constexpr int kChannels = 3;

bool SameSize(const RgbImage& a, const RgbImage& b) {
  return a.width == b.width && a.height == b.height;
}

png_image NewImage() {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  return image;
}

std::vector<std::uint8_t> PaletteColourMap() {
  std::vector<std::uint8_t> colour_map;
  colour_map.reserve(gfx::kPaletteSize * kChannels);
  for (const gfx::RgbQuad& colour : gfx::Palette()) {
    colour_map.insert(colour_map.end(), {colour.red, colour.green, colour.blue});
  }
  return colour_map;
}

// Each pixel becomes a square of scale x scale pixels.
std::vector<std::uint8_t> Enlarge(std::span<const std::uint8_t> frame, int scale) {
  if (scale == 1) return {frame.begin(), frame.end()};
  const auto width = static_cast<std::size_t>(gfx::kFrameWidth);
  const auto factor = static_cast<std::size_t>(scale);
  std::vector<std::uint8_t> large;
  large.reserve(frame.size() * factor * factor);
  for (std::size_t row = 0; row < static_cast<std::size_t>(gfx::kFrameHeight); ++row) {
    const auto first = large.size();
    for (std::size_t column = 0; column < width; ++column) {
      large.insert(large.end(), factor, frame[row * width + column]);
    }
    for (std::size_t copy = 1; copy < factor; ++copy) {
      large.insert(large.end(), large.begin() + static_cast<std::ptrdiff_t>(first),
                   large.begin() + static_cast<std::ptrdiff_t>(first + width * factor));
    }
  }
  return large;
}

}  // namespace

RgbImage FrameToRgb(std::span<const std::uint8_t> frame) {
  RgbImage image{gfx::kFrameWidth, gfx::kFrameHeight, {}};
  image.rgb.reserve(frame.size() * kChannels);
  const auto& palette = gfx::Palette();
  for (std::uint8_t index : frame) {
    const gfx::RgbQuad& colour = palette[index];
    image.rgb.insert(image.rgb.end(), {colour.red, colour.green, colour.blue});
  }
  return image;
}

std::optional<std::vector<std::uint8_t>> EncodeFramePng(std::span<const std::uint8_t> frame,
                                                        int scale) {
  if (frame.size() != gfx::kFrameSize || scale < 1 || scale > kMaxFrameScale) return std::nullopt;
  const std::vector<std::uint8_t> pixels = Enlarge(frame, scale);
  const std::vector<std::uint8_t> colour_map = PaletteColourMap();
  png_image image = NewImage();
  image.width = static_cast<png_uint_32>(gfx::kFrameWidth * scale);
  image.height = static_cast<png_uint_32>(gfx::kFrameHeight * scale);
  image.format = PNG_FORMAT_RGB_COLORMAP;
  image.colormap_entries = static_cast<png_uint_32>(gfx::kPaletteSize);
  const auto stride = static_cast<png_int_32>(image.width);
  // The first call only measures; the second writes into a buffer of that size.
  png_alloc_size_t size = 0;
  if (png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), stride,
                                colour_map.data()) == 0) {
    png_image_free(&image);
    return std::nullopt;
  }
  std::vector<std::uint8_t> bytes(size);
  const bool written = png_image_write_to_memory(&image, bytes.data(), &size, 0, pixels.data(),
                                                 stride, colour_map.data()) != 0;
  png_image_free(&image);
  if (!written) return std::nullopt;
  bytes.resize(size);
  return bytes;
}

bool WriteFramePng(const std::string& path, std::span<const std::uint8_t> frame) {
  const std::optional<std::vector<std::uint8_t>> bytes = EncodeFramePng(frame);
  return bytes && files::WriteFileAtomically(path, *bytes);
}

bool WriteRgbPng(const std::string& path, const RgbImage& picture) {
  if (picture.rgb.size() != static_cast<std::size_t>(picture.width) * picture.height * kChannels)
    return false;
  png_image image = NewImage();
  image.width = static_cast<png_uint_32>(picture.width);
  image.height = static_cast<png_uint_32>(picture.height);
  image.format = PNG_FORMAT_RGB;
  // Encoded in memory and saved by the editor's own save, which names files alike everywhere.
  png_alloc_size_t size = 0;
  std::vector<std::uint8_t> bytes;
  const auto stride = picture.width * kChannels;
  bool written = png_image_write_to_memory(&image, nullptr, &size, 0, picture.rgb.data(), stride,
                                           nullptr) != 0;
  if (written) {
    bytes.resize(size);
    written = png_image_write_to_memory(&image, bytes.data(), &size, 0, picture.rgb.data(), stride,
                                        nullptr) != 0;
  }
  png_image_free(&image);
  bytes.resize(size);
  return written && files::WriteFileAtomically(path, bytes);
}

std::optional<RgbImage> ReadPng(const std::string& path) {
  const std::optional<std::vector<std::uint8_t>> bytes = files::ReadWholeFile(path);
  png_image image = NewImage();
  if (!bytes || png_image_begin_read_from_memory(&image, bytes->data(), bytes->size()) == 0)
    return std::nullopt;
  image.format = PNG_FORMAT_RGB;
  RgbImage picture{static_cast<int>(image.width), static_cast<int>(image.height), {}};
  picture.rgb.resize(PNG_IMAGE_SIZE(image));
  // Transparent pixels, which our pictures never have, would be laid on black.
  const png_color black{0, 0, 0};
  if (png_image_finish_read(&image, &black, picture.rgb.data(), 0, nullptr) == 0) {
    png_image_free(&image);
    return std::nullopt;
  }
  return picture;
}

std::size_t CountDifferentPixels(const RgbImage& a, const RgbImage& b) {
  if (!SameSize(a, b)) {
    return std::max(static_cast<std::size_t>(a.width) * a.height,
                    static_cast<std::size_t>(b.width) * b.height);
  }
  std::size_t count = 0;
  for (std::size_t i = 0; i < a.rgb.size(); i += kChannels) {
    if (!std::equal(a.rgb.begin() + i, a.rgb.begin() + i + kChannels, b.rgb.begin() + i)) ++count;
  }
  return count;
}

RgbImage DiffImage(const RgbImage& expected, const RgbImage& actual) {
  RgbImage diff = expected;
  if (!SameSize(expected, actual)) return diff;
  for (std::size_t i = 0; i < diff.rgb.size(); i += kChannels) {
    if (std::equal(expected.rgb.begin() + i, expected.rgb.begin() + i + kChannels,
                   actual.rgb.begin() + i)) {
      for (int c = 0; c < kChannels; ++c)
        diff.rgb[i + c] = static_cast<std::uint8_t>(diff.rgb[i + c] / 4);
    } else {
      diff.rgb[i] = 255;
      diff.rgb[i + 1] = 0;
      diff.rgb[i + 2] = 0;
    }
  }
  return diff;
}

}  // namespace png
