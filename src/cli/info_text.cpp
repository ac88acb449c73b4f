#include <array>
#include <cstdio>
#include <string>

#include "cli/info_output.h"
#include "cli/text_table.h"

namespace cli {
namespace {

std::string Hex(int byte) {
  std::array<char, 8> text{};
  std::snprintf(text.data(), text.size(), "0x%02X", static_cast<unsigned>(byte));
  return text.data();
}

std::string NameOrNumber(const std::optional<std::string_view>& name, int number) {
  return name ? std::string(*name) : std::to_string(number);
}

}  // namespace

void PrintReport(std::ostream& out, const LevelSetReport& report) {
  out << (report.level_file ? "Level file (accurate values)" : "Level ROM") << "\n\n";
  constexpr std::array<TableColumn, 6> kLevelColumns{{{"Level", false},
                                                      {"Shape", false},
                                                      {"Scale", false},
                                                      {"Height", false},
                                                      {"Offset", false},
                                                      {"Open", true}}};
  std::vector<std::vector<std::string>> levels;
  for (const LevelEntry& level : report.levels) {
    levels.push_back({std::to_string(level.level), std::to_string(level.shape),
                      std::to_string(level.scale), std::to_string(level.height),
                      std::to_string(level.offset), level.open ? "yes" : "no"});
  }
  PrintTable(out, kLevelColumns, levels);

  constexpr std::array<TableColumn, 4> kPointColumns{
      {{"Point", false}, {"X", false}, {"Y", false}, {"Direction", false}}};
  for (const ShapeEntry& shape : report.shapes) {
    out << "\nShape " << shape.shape << ": length factor "
        << shape.length_factor_high * 128 + shape.length_factor_low << " (high "
        << shape.length_factor_high << ", low " << shape.length_factor_low << ")\n";
    std::vector<std::vector<std::string>> points;
    for (std::size_t p = 0; p < shape.points.size(); ++p) {
      const PointEntry& point = shape.points[p];
      points.push_back({std::to_string(p), FormatDouble(point.x), FormatDouble(point.y),
                        std::to_string(point.direction)});
    }
    PrintTable(out, kPointColumns, points);
  }
}

void PrintReport(std::ostream& out, const ColourReport& report) {
  out << "Colour ROM\n\n";
  constexpr std::array<TableColumn, 7> kColumns{{{"Row", true},
                                                 {"Cycle 1", true},
                                                 {"Cycle 2", true},
                                                 {"Cycle 3", true},
                                                 {"Cycle 4", true},
                                                 {"Cycle 5", true},
                                                 {"Cycle 6", true}}};
  std::vector<std::vector<std::string>> rows;
  for (const ColourRow& row : report.rows) {
    std::vector<std::string> cells{std::string(row.name)};
    for (const ColourCell& cell : row.cycles) {
      cells.push_back(std::string(cell.swatch) + " " + Hex(cell.code));
    }
    rows.push_back(std::move(cells));
  }
  PrintTable(out, kColumns, rows);
}

void PrintReport(std::ostream& out, const TextReport& report) {
  out << "Text ROM\n\n";
  constexpr std::array<TableColumn, 7> kColumns{{{"Number", false},
                                                 {"Language", true},
                                                 {"X", false},
                                                 {"Y", false},
                                                 {"Colour", true},
                                                 {"Size", true},
                                                 {"Text", true}}};
  std::vector<std::vector<std::string>> rows;
  for (const MessageEntry& message : report.messages) {
    rows.push_back({std::to_string(message.number), std::string(message.language),
                    std::to_string(message.x), std::to_string(message.y),
                    NameOrNumber(message.colour_name, message.colour),
                    NameOrNumber(message.size_name, message.size), "\"" + message.text + "\""});
  }
  PrintTable(out, kColumns, rows);
}

void PrintReport(std::ostream& out, const ProgramReport& report) {
  out << "'Atari Arcade Hits' program file, " << report.size << " bytes\n\n";
  constexpr std::array<TableColumn, 3> kColumns{
      {{"Level set", true}, {"Level ROM at", false}, {"Text ROM at", false}}};
  const std::vector<std::vector<std::string>> rows{
      {"Original Levels", std::to_string(report.original_levels.level_rom),
       std::to_string(report.original_levels.text_rom)},
      {"Tempest Tubes", std::to_string(report.tempest_tubes.level_rom),
       std::to_string(report.tempest_tubes.text_rom)}};
  PrintTable(out, kColumns, rows);
}

}  // namespace cli
