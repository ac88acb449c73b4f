// JSON values built in memory and written out: objects keep their members in the order they
// were set, and an object or array that holds only plain values is written on one line, so a
// report reads line by line and diffs well.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace cli {

class JsonValue {
 public:
  using Array = std::vector<JsonValue>;
  using Object = std::vector<std::pair<std::string, JsonValue>>;

  JsonValue() = default;  // null
  JsonValue(bool value) : value_(value) {}
  JsonValue(int value) : value_(std::int64_t{value}) {}
  JsonValue(std::int64_t value) : value_(value) {}
  // Numbers that are not finite have no JSON form and are written as null.
  JsonValue(double value) : value_(value) {}
  JsonValue(std::string value) : value_(std::move(value)) {}
  JsonValue(std::string_view value) : value_(std::string(value)) {}
  JsonValue(const char* value) : value_(std::string(value)) {}
  JsonValue(Array value) : value_(std::move(value)) {}
  JsonValue(Object value) : value_(std::move(value)) {}

  // Text as UTF-8, two spaces of indent per level, no line break at the end.
  std::string Format() const;

 private:
  bool IsContainer() const;
  // Holds no array or object, so it goes on one line.
  bool IsPlain() const;
  void Write(std::string& out, int indent) const;

  std::variant<std::nullptr_t, bool, std::int64_t, double, std::string, Array, Object> value_;
};

// A double as the shortest decimal text that reads back as the same value ("127.5", "3").
std::string FormatDouble(double value);

}  // namespace cli
