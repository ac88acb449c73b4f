// Makes the program's icon, src/resources/program_icon.png: a tube seen down its length, the
// near rim in yellow, the spokes and the far rim in blue, on a dark tile.
// Usage: make_icon OUTPUT_FILE [SIZE]   (SIZE in pixels, 16 to 1024; 64 by default, the
// resource's size; the desktop's icon theme takes 16 to 256)
//        make_icon OUTPUT.ico           (the Windows icon, src/resources/program_icon.ico: the
//                                        sizes Windows asks for, 16 to 64, as 32-bit bitmaps)
//
// The picture is drawn at four times its size and averaged down for smooth edges, then written
// as a PNG with stored (uncompressed) deflate blocks, which needs no compression library.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

// The picture is laid out on a grid of this many units a side, whatever its size in pixels.
constexpr double kDesignSize = 64;
constexpr int kSubsamples = 4;
constexpr double kPi = 3.14159265358979323846;

struct Colour {
  double red, green, blue, alpha;
};

struct Point {
  double x, y;
};

// --- Drawing at the fine resolution ---

class Canvas {
 public:
  explicit Canvas(int size)
      : size_(size),
        fine_(size * kSubsamples),
        units_(size / kDesignSize * kSubsamples),
        pixels_(static_cast<std::size_t>(fine_) * fine_, Colour{0, 0, 0, 0}) {}

  // A tile with rounded corners; margin and radius in units.
  void FillRoundedSquare(double margin, double radius, Colour colour) {
    margin *= units_;
    radius *= units_;
    for (int y = 0; y < fine_; ++y) {
      for (int x = 0; x < fine_; ++x) {
        const double cx = std::clamp(x + 0.5, margin + radius, fine_ - margin - radius);
        const double cy = std::clamp(y + 0.5, margin + radius, fine_ - margin - radius);
        if (std::hypot(x + 0.5 - cx, y + 0.5 - cy) <= radius) At(x, y) = colour;
      }
    }
  }

  // A line of the given width with round ends, in units; never thinner than a pixel.
  void Line(Point from, Point to, double width, Colour colour) {
    const Point a{from.x * units_, from.y * units_};
    const Point b{to.x * units_, to.y * units_};
    const double half = std::max(width * units_, 1.0 * kSubsamples) / 2;
    const int left = std::max(0, static_cast<int>(std::min(a.x, b.x) - half));
    const int right = std::min(fine_ - 1, static_cast<int>(std::max(a.x, b.x) + half) + 1);
    const int top = std::max(0, static_cast<int>(std::min(a.y, b.y) - half));
    const int bottom = std::min(fine_ - 1, static_cast<int>(std::max(a.y, b.y) + half) + 1);
    for (int y = top; y <= bottom; ++y) {
      for (int x = left; x <= right; ++x) {
        if (DistanceToSegment({x + 0.5, y + 0.5}, a, b) <= half) At(x, y) = colour;
      }
    }
  }

  // The average of each 4 x 4 block, as 8-bit RGBA rows.
  std::vector<std::uint8_t> Downsampled() const {
    std::vector<std::uint8_t> rgba;
    rgba.reserve(static_cast<std::size_t>(size_) * size_ * 4);
    for (int y = 0; y < size_; ++y) {
      for (int x = 0; x < size_; ++x) {
        Colour sum{0, 0, 0, 0};
        for (int dy = 0; dy < kSubsamples; ++dy) {
          for (int dx = 0; dx < kSubsamples; ++dx) {
            const Colour& c = pixels_[Index(x * kSubsamples + dx, y * kSubsamples + dy)];
            sum.red += c.red * c.alpha;
            sum.green += c.green * c.alpha;
            sum.blue += c.blue * c.alpha;
            sum.alpha += c.alpha;
          }
        }
        const double coverage = sum.alpha / (kSubsamples * kSubsamples);
        const auto channel = [&](double value) {
          return static_cast<std::uint8_t>(sum.alpha > 0 ? std::lround(value / sum.alpha * 255)
                                                         : 0);
        };
        rgba.push_back(channel(sum.red));
        rgba.push_back(channel(sum.green));
        rgba.push_back(channel(sum.blue));
        rgba.push_back(static_cast<std::uint8_t>(std::lround(coverage * 255)));
      }
    }
    return rgba;
  }

 private:
  std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * fine_ + x; }
  Colour& At(int x, int y) { return pixels_[Index(x, y)]; }

  static double DistanceToSegment(Point p, Point a, Point b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length_squared = dx * dx + dy * dy;
    double t = length_squared > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length_squared : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
  }

  int size_;
  int fine_;
  double units_;  // fine pixels a unit
  std::vector<Colour> pixels_;
};

// --- PNG ---

std::uint32_t Crc32(const std::vector<std::uint8_t>& bytes, std::size_t from) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = from; i < bytes.size(); ++i) {
    crc ^= bytes[i];
    for (int bit = 0; bit < 8; ++bit)
      crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return crc ^ 0xFFFFFFFFu;
}

void PutBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8)
    out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void PutChunk(std::vector<std::uint8_t>& png, const char* type,
              const std::vector<std::uint8_t>& data) {
  PutBigEndian(png, static_cast<std::uint32_t>(data.size()));
  const std::size_t start = png.size();
  png.insert(png.end(), type, type + 4);
  png.insert(png.end(), data.begin(), data.end());
  PutBigEndian(png, Crc32(png, start));
}

// A zlib stream of stored blocks (at most 65535 bytes each).
std::vector<std::uint8_t> StoredZlib(const std::vector<std::uint8_t>& raw) {
  std::vector<std::uint8_t> out = {0x78, 0x01};
  std::size_t offset = 0;
  do {
    const std::size_t length = std::min<std::size_t>(65535, raw.size() - offset);
    const bool last = offset + length == raw.size();
    out.push_back(last ? 1 : 0);
    out.push_back(static_cast<std::uint8_t>(length));
    out.push_back(static_cast<std::uint8_t>(length >> 8));
    out.push_back(static_cast<std::uint8_t>(~length));
    out.push_back(static_cast<std::uint8_t>(~length >> 8));
    out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(offset),
               raw.begin() + static_cast<std::ptrdiff_t>(offset + length));
    offset += length;
  } while (offset < raw.size());
  std::uint32_t a = 1;
  std::uint32_t b = 0;
  for (std::uint8_t byte : raw) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  PutBigEndian(out, (b << 16) | a);
  return out;
}

std::vector<std::uint8_t> Png(const std::vector<std::uint8_t>& rgba, int size) {
  std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::uint8_t> header;
  PutBigEndian(header, static_cast<std::uint32_t>(size));
  PutBigEndian(header, static_cast<std::uint32_t>(size));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, no filter, no interlace
  PutChunk(png, "IHDR", header);
  std::vector<std::uint8_t> raw;
  for (int y = 0; y < size; ++y) {
    raw.push_back(0);  // filter type: none
    const auto row = rgba.begin() + static_cast<std::ptrdiff_t>(y) * size * 4;
    raw.insert(raw.end(), row, row + size * 4);
  }
  PutChunk(png, "IDAT", StoredZlib(raw));
  PutChunk(png, "IEND", {});
  return png;
}

// --- ICO ---

void PutLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i)
    out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// One icon image as Windows keeps it: a BITMAPINFOHEADER of twice the height (picture and mask),
// the BGRA rows bottom-up, then the 1-bit AND mask, all clear since the alpha says it all.
std::vector<std::uint8_t> IconImage(const std::vector<std::uint8_t>& rgba, int size) {
  const std::uint32_t mask_row = static_cast<std::uint32_t>((size + 31) / 32 * 4);
  const std::uint32_t pixel_bytes = static_cast<std::uint32_t>(size) * size * 4;
  std::vector<std::uint8_t> image;
  PutLittleEndian(image, 40, 4);
  PutLittleEndian(image, static_cast<std::uint32_t>(size), 4);
  PutLittleEndian(image, static_cast<std::uint32_t>(2 * size), 4);
  PutLittleEndian(image, 1, 2);   // planes
  PutLittleEndian(image, 32, 2);  // bits a pixel
  PutLittleEndian(image, 0, 4);   // BI_RGB
  PutLittleEndian(image, pixel_bytes + mask_row * static_cast<std::uint32_t>(size), 4);
  PutLittleEndian(image, 0, 16);  // resolution and colour counts
  for (int y = size - 1; y >= 0; --y) {
    for (int x = 0; x < size; ++x) {
      const auto* pixel = &rgba[(static_cast<std::size_t>(y) * size + x) * 4];
      image.insert(image.end(), {pixel[2], pixel[1], pixel[0], pixel[3]});
    }
  }
  image.insert(image.end(), static_cast<std::size_t>(mask_row) * size, 0);
  return image;
}

std::vector<std::uint8_t> Ico(const std::vector<int>& sizes,
                              const std::vector<std::vector<std::uint8_t>>& images) {
  std::vector<std::uint8_t> ico;
  PutLittleEndian(ico, 0, 2);
  PutLittleEndian(ico, 1, 2);  // an icon, not a cursor
  PutLittleEndian(ico, static_cast<std::uint32_t>(sizes.size()), 2);
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * sizes.size());
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    ico.insert(ico.end(),
               {static_cast<std::uint8_t>(sizes[i]), static_cast<std::uint8_t>(sizes[i]), 0, 0});
    PutLittleEndian(ico, 1, 2);
    PutLittleEndian(ico, 32, 2);
    PutLittleEndian(ico, static_cast<std::uint32_t>(images[i].size()), 4);
    PutLittleEndian(ico, offset, 4);
    offset += static_cast<std::uint32_t>(images[i].size());
  }
  for (const std::vector<std::uint8_t>& image : images)
    ico.insert(ico.end(), image.begin(), image.end());
  return ico;
}

// --- The picture ---

std::vector<std::uint8_t> DrawIcon(int size) {
  const Colour tile{0.06, 0.06, 0.12, 1};
  const Colour yellow{0.94, 0.94, 0.0, 1};
  const Colour blue{0.25, 0.35, 1.0, 1};
  Canvas canvas(size);
  canvas.FillRoundedSquare(1.0, 10.0, tile);

  // Sixteen points on the near rim, a smaller copy for the far rim above the centre.
  constexpr int kPoints = 16;
  std::array<Point, kPoints> near_rim{};
  std::array<Point, kPoints> far_rim{};
  for (int i = 0; i < kPoints; ++i) {
    const double angle = 2 * kPi * i / kPoints;
    near_rim[i] = {32 + 24 * std::cos(angle), 34 + 24 * std::sin(angle)};
    far_rim[i] = {32 + 8 * std::cos(angle), 27 + 8 * std::sin(angle)};
  }
  for (int i = 0; i < kPoints; ++i) {
    canvas.Line(far_rim[i], far_rim[(i + 1) % kPoints], 1.3, blue);
    canvas.Line(near_rim[i], far_rim[i], 1.3, blue);
  }
  for (int i = 0; i < kPoints; ++i)
    canvas.Line(near_rim[i], near_rim[(i + 1) % kPoints], 2.6, yellow);
  return canvas.Downsampled();
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::vector<std::uint8_t> WindowsIcon() {
  const std::vector<int> sizes = {16, 24, 32, 48, 64};
  std::vector<std::vector<std::uint8_t>> images;
  for (int size : sizes)
    images.push_back(IconImage(DrawIcon(size), size));
  return Ico(sizes, images);
}

}  // namespace

int main(int argc, char** argv) {
  const int size = argc == 3 ? std::atoi(argv[2]) : 64;
  const bool ico = argc >= 2 && EndsWith(argv[1], ".ico");
  if (argc < 2 || argc > 3 || size < 16 || size > 1024 || (ico && argc == 3)) {
    std::fprintf(stderr,
                 "usage: make_icon OUTPUT_FILE [SIZE]   (SIZE 16 to 1024, default 64)\n"
                 "       make_icon OUTPUT.ico\n");
    return 2;
  }
  const std::vector<std::uint8_t> file = ico ? WindowsIcon() : Png(DrawIcon(size), size);
  std::ofstream out(argv[1], std::ios::binary);
  out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  if (!out) {
    std::fprintf(stderr, "make_icon: could not write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
