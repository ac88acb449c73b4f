#include "cli/info_output.h"

namespace cli {
namespace {

JsonValue Offset(std::size_t offset) {
  return JsonValue(static_cast<std::int64_t>(offset));
}

JsonValue NameOrNull(const std::optional<std::string_view>& name) {
  return name ? JsonValue(*name) : JsonValue();
}

JsonValue Pair(const ImagePair& pair) {
  return JsonValue::Object{{"level_rom", Offset(pair.level_rom)},
                           {"text_rom", Offset(pair.text_rom)}};
}

}  // namespace

JsonValue ReportJson(const LevelSetReport& report) {
  JsonValue::Array levels;
  for (const LevelEntry& level : report.levels) {
    levels.emplace_back(JsonValue::Object{{"level", level.level},
                                          {"shape", level.shape},
                                          {"scale", level.scale},
                                          {"height", level.height},
                                          {"offset", level.offset},
                                          {"open", level.open}});
  }
  JsonValue::Array shapes;
  for (const ShapeEntry& shape : report.shapes) {
    JsonValue::Array points;
    for (const PointEntry& point : shape.points) {
      points.emplace_back(
          JsonValue::Object{{"x", point.x}, {"y", point.y}, {"direction", point.direction}});
    }
    shapes.emplace_back(JsonValue::Object{
        {"shape", shape.shape},
        {"length_factor", shape.length_factor_high * 128 + shape.length_factor_low},
        {"length_factor_high", shape.length_factor_high},
        {"length_factor_low", shape.length_factor_low},
        {"points", std::move(points)}});
  }
  return JsonValue::Object{{"kind", report.level_file ? "level file" : "level ROM"},
                           {"levels", std::move(levels)},
                           {"shapes", std::move(shapes)}};
}

JsonValue ReportJson(const ColourReport& report) {
  JsonValue::Array rows;
  for (const ColourRow& row : report.rows) {
    JsonValue::Array cycles;
    for (const ColourCell& cell : row.cycles) {
      cycles.emplace_back(JsonValue::Object{{"swatch", cell.swatch}, {"code", cell.code}});
    }
    rows.emplace_back(JsonValue::Object{{"row", row.name}, {"cycles", std::move(cycles)}});
  }
  return JsonValue::Object{{"kind", "colour ROM"}, {"rows", std::move(rows)}};
}

JsonValue ReportJson(const TextReport& report) {
  JsonValue::Array messages;
  for (const MessageEntry& message : report.messages) {
    messages.emplace_back(JsonValue::Object{{"number", message.number},
                                            {"language", message.language},
                                            {"x", message.x},
                                            {"y", message.y},
                                            {"colour", NameOrNull(message.colour_name)},
                                            {"colour_code", message.colour},
                                            {"size", NameOrNull(message.size_name)},
                                            {"size_code", message.size},
                                            {"text", message.text}});
  }
  return JsonValue::Object{{"kind", "text ROM"}, {"messages", std::move(messages)}};
}

JsonValue ReportJson(const ProgramReport& report) {
  return JsonValue::Object{{"kind", "program file"},
                           {"size", Offset(report.size)},
                           {"original_levels", Pair(report.original_levels)},
                           {"tempest_tubes", Pair(report.tempest_tubes)}};
}

}  // namespace cli
