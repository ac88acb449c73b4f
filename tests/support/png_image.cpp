#include "support/png_image.h"

#include <png.h>

#include <algorithm>
#include <cstring>

#include "gfx/frame_buffer.h"

namespace testing_support {
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

bool WriteFramePng(const std::string& path, std::span<const std::uint8_t> frame) {
  if (frame.size() != gfx::kFrameSize) return false;
  std::vector<std::uint8_t> colour_map;
  for (const gfx::RgbQuad& colour : gfx::Palette()) {
    colour_map.insert(colour_map.end(), {colour.red, colour.green, colour.blue});
  }
  png_image image = NewImage();
  image.width = gfx::kFrameWidth;
  image.height = gfx::kFrameHeight;
  image.format = PNG_FORMAT_RGB_COLORMAP;
  image.colormap_entries = static_cast<png_uint_32>(gfx::kPaletteSize);
  const bool written = png_image_write_to_file(&image, path.c_str(), 0, frame.data(),
                                               gfx::kFrameWidth, colour_map.data()) != 0;
  png_image_free(&image);
  return written;
}

bool WriteRgbPng(const std::string& path, const RgbImage& picture) {
  if (picture.rgb.size() != static_cast<std::size_t>(picture.width) * picture.height * kChannels)
    return false;
  png_image image = NewImage();
  image.width = static_cast<png_uint_32>(picture.width);
  image.height = static_cast<png_uint_32>(picture.height);
  image.format = PNG_FORMAT_RGB;
  const bool written = png_image_write_to_file(&image, path.c_str(), 0, picture.rgb.data(),
                                               picture.width * kChannels, nullptr) != 0;
  png_image_free(&image);
  return written;
}

std::optional<RgbImage> ReadPng(const std::string& path) {
  png_image image = NewImage();
  if (png_image_begin_read_from_file(&image, path.c_str()) == 0) return std::nullopt;
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

}  // namespace testing_support
