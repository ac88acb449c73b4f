#include "cli/info_report.h"

#include <array>

#include "files/colours.h"
#include "files/text_messages.h"
#include "files/text_rom.h"
#include "level/level_store.h"
#include "resources/colour_dialogs.h"

namespace cli {
namespace {

// The swatches in their order (white, cyan, ..., black), as the colour picker offers them.
constexpr std::array<std::string_view, 8> kSwatchNames{"White",   "Cyan", "Yellow", "Green",
                                                       "Magenta", "Blue", "Red",    "Black"};

template <std::size_t N>
std::optional<std::string_view> NameOf(const std::array<std::string_view, N>& names, int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= N) return std::nullopt;
  return names[static_cast<std::size_t>(index)];
}

int SignedByte(std::uint8_t byte) {
  return static_cast<std::int8_t>(byte);
}

PointEntry Point(int shape, int point, bool level_file) {
  const int index = level::PointIndex(shape, point);
  const int direction = level::SegmentDirection(shape, point);
  if (level_file) return {level::accurate_x[index], level::accurate_y[index], direction};
  return {static_cast<double>(level::XByte(shape, point)),
          static_cast<double>(level::YByte(shape, point)), direction};
}

}  // namespace

LevelSetReport ReportLevelSet(bool level_file) {
  LevelSetReport report{level_file, {}, {}};
  for (int level_index = 0; level_index < level::kLevelCount; ++level_index) {
    const int shape = level::ShapeOfLevel(level_index);
    const auto offset = static_cast<std::int16_t>(level::ShapeByte(level::kOffsetHigh, shape) << 8 |
                                                  level::ShapeByte(level::kOffsetLow, shape));
    report.levels.push_back(
        {level_index + 1, shape + 1, level::ShapeByte(level::kLevelScale, shape),
         level::ShapeByte(level::kHeight, shape), offset, level::IsOpen(shape)});
  }
  for (int shape = 0; shape < level::kShapeCount; ++shape) {
    ShapeEntry entry{shape + 1,
                     level::ShapeByte(level::kLengthFactorHigh, shape),
                     level::ShapeByte(level::kLengthFactorLow, shape),
                     {}};
    for (int point = 0; point < level::kPointsPerShape; ++point) {
      entry.points.push_back(Point(shape, point, level_file));
    }
    report.shapes.push_back(std::move(entry));
  }
  return report;
}

ColourReport ReportColours() {
  ColourReport report;
  for (int row = 0; row < resources::kColourRows; ++row) {
    ColourRow entry{resources::kColourRowNames[static_cast<std::size_t>(row)], {}};
    for (int cycle = 0; cycle < resources::kColourCycles; ++cycle) {
      const std::uint8_t code = files::colour_rom_image[files::ColourEntryOffset(row, cycle)];
      entry.cycles.push_back(
          {kSwatchNames[static_cast<std::size_t>(files::SwatchOfCode(code))], code});
    }
    report.rows.push_back(std::move(entry));
  }
  return report;
}

TextReport ReportTexts() {
  const auto& image = files::text_rom_image;
  TextReport report;
  for (int message = 0; message < files::kMessageCount; ++message) {
    // The editor loads only images whose every message lies inside them.
    const std::size_t record = files::MessageRecordOffset(image, message).value();
    const std::size_t attribute = files::MessageAttributeOffset(message);
    const int colour = image[attribute] >> 4;
    const int size = image[attribute] & 0x0F;
    report.messages.push_back(
        {message % files::kMessagesPerLanguage + 1,
         files::kLanguages[static_cast<std::size_t>(message / files::kMessagesPerLanguage)],
         SignedByte(image[record]), SignedByte(image[attribute + 1]), colour,
         NameOf(files::kColourNames, colour), size, NameOf(files::kSizeNames, size),
         GameTextToUtf8(files::DecodeMessage(image, record + 1))});
  }
  return report;
}

ProgramReport ReportProgram(const files::ArcadeHitsFile& file) {
  // A file the editor accepted has all four places.
  const files::RomImagePlaces& places = file.places;
  return {file.buffer.size(),
          {places.first_level_rom.value(), places.first_text_rom.value()},
          {places.last_level_rom.value(), places.last_text_rom.value()}};
}

std::string GameTextToUtf8(std::string_view text) {
  // Each byte above ASCII is its own code point, written as two bytes.
  std::string utf8;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      utf8 += c;
    } else {
      utf8 += static_cast<char>(0xC0 | (byte >> 6));
      utf8 += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return utf8;
}

}  // namespace cli
