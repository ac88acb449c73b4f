// Makes the logo of the About box: a tube seen down its length and the name "Rimforge" in
// vector strokes, 120 x 32 pixels in 16 colours, as an uncompressed 4-bit BMP file.
// Usage: make_logo OUTPUT.bmp

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <vector>

namespace {

constexpr int kWidth = 120;
constexpr int kHeight = 32;
constexpr int kRowBytes = kWidth / 2;  // two pixels a byte; 60 is already a multiple of 4
constexpr int kPaletteSize = 16;
constexpr int kHeaderBytes = 14 + 40 + kPaletteSize * 4;
constexpr double kPi = 3.14159265358979323846;

struct Rgb {
  std::uint8_t r, g, b;
};

enum Colour : std::uint8_t {
  kBlack,
  kDeepBlue,
  kBlue,
  kLightBlue,
  kYellow,
  kGold,
  kOrange,
  kRedOrange,
  kRed,
  kDarkRed,
  kGreen,
  kCyan,
  kMagenta,
  kGrey,
  kLightGrey,
  kWhite,
};

constexpr std::array<Rgb, kPaletteSize> kPalette{{
    {0, 0, 0},
    {0, 0, 112},
    {32, 48, 208},
    {96, 144, 255},
    {255, 255, 64},
    {255, 208, 32},
    {255, 160, 0},
    {255, 96, 0},
    {224, 32, 0},
    {144, 0, 0},
    {0, 208, 0},
    {0, 224, 224},
    {224, 0, 224},
    {128, 128, 128},
    {192, 192, 192},
    {255, 255, 255},
}};

using Image = std::array<std::array<std::uint8_t, kWidth>, kHeight>;

struct Point {
  double x, y;
};

void Plot(Image& image, int x, int y, std::uint8_t colour) {
  if (x < 0 || x >= kWidth || y < 0 || y >= kHeight) return;
  image[y][x] = colour;
}

// A line of single pixels from a to b, both ends included.
void Line(Image& image, Point a, Point b, std::uint8_t colour) {
  const int steps = static_cast<int>(std::ceil(std::max(std::abs(b.x - a.x), std::abs(b.y - a.y))));
  for (int i = 0; i <= steps; ++i) {
    const double t = steps == 0 ? 0.0 : static_cast<double>(i) / steps;
    Plot(image, static_cast<int>(std::lround(a.x + (b.x - a.x) * t)),
         static_cast<int>(std::lround(a.y + (b.y - a.y) * t)), colour);
  }
}

// The tube: a sixteen-sided near rim, a smaller far rim and the spokes between them, with the
// game's yellow claw on the top lane.
void DrawTube(Image& image) {
  const Point centre{15.5, 15.5};
  std::array<Point, 16> near_rim{};
  std::array<Point, 16> far_rim{};
  for (int i = 0; i < 16; ++i) {
    const double a = (i + 0.5) * kPi / 8.0;
    near_rim[i] = {centre.x + 14.5 * std::sin(a), centre.y - 14.5 * std::cos(a)};
    far_rim[i] = {centre.x + 6.0 * std::sin(a), centre.y - 6.0 * std::cos(a)};
  }
  for (int i = 0; i < 16; ++i) {
    Line(image, near_rim[i], far_rim[i], kDeepBlue);
  }
  for (int i = 0; i < 16; ++i) {
    Line(image, far_rim[i], far_rim[(i + 1) % 16], kBlue);
    Line(image, near_rim[i], near_rim[(i + 1) % 16], kLightBlue);
  }
  // The claw sits on the near rim of the top lane, between the last and the first spoke.
  const Point left = near_rim[15];
  const Point right = near_rim[0];
  const Point tip{centre.x, left.y + 4.0};
  Line(image, left, tip, kYellow);
  Line(image, tip, right, kYellow);
  Line(image, left, right, kYellow);
}

// Vector letters on the baseline y = 0: capitals 18 high, small letters 12, descenders 6; each
// letter is 8 wide. A glyph is a list of polylines.
using Polyline = std::vector<Point>;
using Glyph = std::vector<Polyline>;

const std::array<Glyph, 8> kName{{
    // R
    {{{0, 0}, {0, -18}, {7, -18}, {8, -17}, {8, -10}, {7, -9}, {0, -9}}, {{3, -9}, {8, 0}}},
    // i
    {{{4, -12}, {4, 0}}, {{4, -17}, {4, -15}}},
    // m
    {{{0, 0}, {0, -12}, {8, -12}, {8, 0}}, {{4, -12}, {4, 0}}},
    // f
    {{{3, 0}, {3, -16}, {5, -18}, {8, -18}}, {{0, -12}, {7, -12}}},
    // o
    {{{0, -12}, {8, -12}, {8, 0}, {0, 0}, {0, -12}}},
    // r
    {{{0, 0}, {0, -12}}, {{0, -8}, {4, -12}, {8, -12}}},
    // g
    {{{8, -12}, {0, -12}, {0, 0}, {8, 0}}, {{8, -12}, {8, 6}, {0, 6}}},
    // e
    {{{8, 0}, {0, 0}, {0, -12}, {8, -12}, {8, -6}, {0, -6}}},
}};

// Rows of the name shade from yellow at the top to red at the bottom, as the game's title does.
std::uint8_t ShadeOfRow(int y, int top, int bottom) {
  constexpr std::array<std::uint8_t, 6> kShades{kYellow,    kGold, kOrange,
                                                kRedOrange, kRed,  kDarkRed};
  const int index = (y - top) * static_cast<int>(kShades.size()) / (bottom - top + 1);
  return kShades[std::clamp(index, 0, static_cast<int>(kShades.size()) - 1)];
}

void DrawName(Image& image) {
  constexpr int kLeft = 33;
  constexpr int kAdvance = 10;
  constexpr int kBaseline = 23;
  Image strokes{};
  for (std::size_t letter = 0; letter < kName.size(); ++letter) {
    const double x0 = kLeft + static_cast<double>(letter) * kAdvance;
    for (const Polyline& line : kName[letter]) {
      for (std::size_t i = 1; i < line.size(); ++i) {
        const Point a{x0 + line[i - 1].x, kBaseline + line[i - 1].y};
        const Point b{x0 + line[i].x, kBaseline + line[i].y};
        // Two pixels wide, so that the name holds up at its small size.
        Line(strokes, a, b, kWhite);
        Line(strokes, {a.x + 1, a.y}, {b.x + 1, b.y}, kWhite);
      }
    }
  }
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      if (strokes[y][x] != kBlack) image[y][x] = ShadeOfRow(y, kBaseline - 18, kBaseline + 6);
    }
  }
}

void Put16(std::vector<std::uint8_t>& out, unsigned value) {
  out.push_back(static_cast<std::uint8_t>(value & 0xFF));
  out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

// BITMAPFILEHEADER, BITMAPINFOHEADER, the palette as blue, green, red, 0, then the rows from the
// bottom up with the left pixel of each pair in the high nibble.
std::vector<std::uint8_t> EncodeBmp(const Image& image) {
  const std::uint32_t pixel_bytes = kRowBytes * kHeight;
  std::vector<std::uint8_t> out;
  out.push_back('B');
  out.push_back('M');
  Put32(out, kHeaderBytes + pixel_bytes);
  Put32(out, 0);
  Put32(out, kHeaderBytes);
  Put32(out, 40);
  Put32(out, kWidth);
  Put32(out, kHeight);
  Put16(out, 1);  // planes
  Put16(out, 4);  // bits per pixel
  Put32(out, 0);  // BI_RGB
  Put32(out, pixel_bytes);
  Put32(out, 2835);  // 72 dots per inch
  Put32(out, 2835);
  Put32(out, kPaletteSize);
  Put32(out, kPaletteSize);
  for (const Rgb& colour : kPalette) {
    out.insert(out.end(), {colour.b, colour.g, colour.r, 0});
  }
  for (int y = kHeight - 1; y >= 0; --y) {
    for (int x = 0; x < kWidth; x += 2) {
      out.push_back(static_cast<std::uint8_t>(image[y][x] << 4 | image[y][x + 1]));
    }
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_logo OUTPUT.bmp\n");
    return 2;
  }
  Image image{};
  DrawTube(image);
  DrawName(image);
  const std::vector<std::uint8_t> bmp = EncodeBmp(image);

  std::FILE* file = std::fopen(argv[1], "wb");
  if (file == nullptr) {
    std::fprintf(stderr, "make_logo: cannot create %s\n", argv[1]);
    return 1;
  }
  const bool written = std::fwrite(bmp.data(), 1, bmp.size(), file) == bmp.size();
  if (std::fclose(file) != 0 || !written) {
    std::fprintf(stderr, "make_logo: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
