// What "info" tells about a file, taken from the editor's state after the editor has loaded
// it: the levels and shapes, the colour table, the text messages, or the places of the images
// in a program file. Levels and shapes are numbered 1..16, as the editor shows levels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/arcade_hits.h"

namespace cli {

struct LevelEntry {
  int level;
  int shape;
  // The bytes of the level's shape.
  int scale;
  int height;
  int offset;  // the signed 16-bit value of the high and low bytes
  bool open;
};

struct PointEntry {
  double x;
  double y;
  int direction;  // of the segment from this point to the next
};

struct ShapeEntry {
  int shape;
  int length_factor_high;
  int length_factor_low;
  std::vector<PointEntry> points;
};

struct LevelSetReport {
  bool level_file;  // points are the accurate values of a level file, else the ROM values
  std::vector<LevelEntry> levels;
  std::vector<ShapeEntry> shapes;
};

struct ColourCell {
  std::string_view swatch;
  int code;
};

struct ColourRow {
  std::string_view name;
  std::vector<ColourCell> cycles;
};

struct ColourReport {
  std::vector<ColourRow> rows;
};

struct MessageEntry {
  int number;  // 1..30 within its language, as the Text Messages dialog shows it
  std::string_view language;
  int x;
  int y;
  int colour;  // the attribute's high nibble
  std::optional<std::string_view> colour_name;
  int size;  // its low nibble
  std::optional<std::string_view> size_name;
  std::string text;  // UTF-8
};

struct TextReport {
  std::vector<MessageEntry> messages;
};

struct ImagePair {
  std::size_t level_rom;
  std::size_t text_rom;
};

struct ProgramReport {
  std::size_t size;
  ImagePair original_levels;
  ImagePair tempest_tubes;
};

LevelSetReport ReportLevelSet(bool level_file);
ColourReport ReportColours();
TextReport ReportTexts();
ProgramReport ReportProgram(const files::ArcadeHitsFile& file);

// A decoded message as UTF-8. Above ASCII it holds only the one-half and copyright signs,
// which lie where Windows-1252 and Latin-1 agree.
std::string GameTextToUtf8(std::string_view text);

}  // namespace cli
