#include "cli/json.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace cli {
namespace {

constexpr int kIndent = 2;

void WriteString(std::string& out, std::string_view text) {
  constexpr std::string_view kHexDigits = "0123456789abcdef";
  out += '"';
  for (const char c : text) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          out += "\\u00";
          out += kHexDigits[static_cast<unsigned char>(c) >> 4];
          out += kHexDigits[static_cast<unsigned char>(c) & 15];
        } else {
          out += c;
        }
    }
  }
  out += '"';
}

void NewLine(std::string& out, int indent) {
  out += '\n';
  out.append(static_cast<std::size_t>(indent), ' ');
}

}  // namespace

std::string FormatDouble(double value) {
  std::array<char, 32> text{};
  const auto result = std::to_chars(text.data(), text.data() + text.size(), value);
  return std::string(text.data(), result.ptr);
}

std::string JsonValue::Format() const {
  std::string out;
  Write(out, 0);
  return out;
}

bool JsonValue::IsContainer() const {
  return std::holds_alternative<Array>(value_) || std::holds_alternative<Object>(value_);
}

bool JsonValue::IsPlain() const {
  if (const auto* array = std::get_if<Array>(&value_)) {
    return std::none_of(array->begin(), array->end(),
                        [](const JsonValue& item) { return item.IsContainer(); });
  }
  if (const auto* object = std::get_if<Object>(&value_)) {
    return std::none_of(object->begin(), object->end(),
                        [](const auto& member) { return member.second.IsContainer(); });
  }
  return true;
}

void JsonValue::Write(std::string& out, int indent) const {
  const bool one_line = IsPlain();
  if (std::holds_alternative<std::nullptr_t>(value_)) {
    out += "null";
  } else if (const auto* flag = std::get_if<bool>(&value_)) {
    out += *flag ? "true" : "false";
  } else if (const auto* whole = std::get_if<std::int64_t>(&value_)) {
    out += std::to_string(*whole);
  } else if (const auto* number = std::get_if<double>(&value_)) {
    out += std::isfinite(*number) ? FormatDouble(*number) : "null";
  } else if (const auto* text = std::get_if<std::string>(&value_)) {
    WriteString(out, *text);
  } else if (const auto* array = std::get_if<Array>(&value_)) {
    out += '[';
    for (std::size_t i = 0; i < array->size(); ++i) {
      if (i > 0) out += one_line ? ", " : ",";
      if (!one_line) NewLine(out, indent + kIndent);
      (*array)[i].Write(out, indent + kIndent);
    }
    if (!one_line && !array->empty()) NewLine(out, indent);
    out += ']';
  } else if (const auto* object = std::get_if<Object>(&value_)) {
    out += '{';
    for (std::size_t i = 0; i < object->size(); ++i) {
      if (i > 0) out += one_line ? ", " : ",";
      if (!one_line) NewLine(out, indent + kIndent);
      WriteString(out, (*object)[i].first);
      out += ": ";
      (*object)[i].second.Write(out, indent + kIndent);
    }
    if (!one_line && !object->empty()) NewLine(out, indent);
    out += '}';
  }
}

}  // namespace cli
