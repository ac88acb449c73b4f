// Pictures as PNG files: the frame buffer as an 8-bit indexed PNG with the editor's palette
// (optionally enlarged by whole pixels), any PNG read back as RGB, and the comparison of two
// pictures with a picture that marks where they differ.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace png {

// Three bytes (red, green, blue) per pixel, top row first.
struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;

  bool operator==(const RgbImage&) const = default;
};

// The largest whole-pixel enlargement EncodeFramePng takes.
constexpr int kMaxFrameScale = 8;

// A frame of palette indices (520 x 650) as the host shows it, through the editor's palette.
RgbImage FrameToRgb(std::span<const std::uint8_t> frame);

// A frame of palette indices as the bytes of an indexed PNG with the editor's palette, each
// pixel drawn as a square of scale x scale pixels (1..kMaxFrameScale). Nothing for a buffer of
// another size or a scale out of range.
std::optional<std::vector<std::uint8_t>> EncodeFramePng(std::span<const std::uint8_t> frame,
                                                        int scale = 1);

// Writes a frame of palette indices as an indexed PNG with the editor's palette.
bool WriteFramePng(const std::string& path, std::span<const std::uint8_t> frame);
bool WriteRgbPng(const std::string& path, const RgbImage& image);
// Any PNG, converted to 8-bit RGB; nothing when the file is missing or not a PNG.
std::optional<RgbImage> ReadPng(const std::string& path);

// How many pixels differ; pictures of different sizes differ everywhere.
std::size_t CountDifferentPixels(const RgbImage& a, const RgbImage& b);
// `expected` dimmed to a quarter, with every pixel where `actual` differs in bright red.
// Both must have the same size.
RgbImage DiffImage(const RgbImage& expected, const RgbImage& actual);

}  // namespace png
