// The tool's own small argument parser: positional arguments, flags and options with a value
// ("--level 3", "--level=3", "-o out.png"); after "--" every argument is positional. Every
// problem is a message for the person at the terminal.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

struct OptionRule {
  std::string_view name;  // "--level", "-o"
  bool takes_value;
};

struct ParsedArguments {
  std::vector<std::string> positionals;
  std::set<std::string, std::less<>> flags;
  std::map<std::string, std::string, std::less<>> values;
  bool help = false;  // --help or -h anywhere before "--"

  bool Has(std::string_view flag) const { return flags.contains(flag); }
  std::optional<std::string> Value(std::string_view option) const;
};

struct ParseResult {
  ParsedArguments arguments;
  std::string error;  // empty when the arguments were understood
};

// Parses `args` against the options a subcommand knows, which must come with
// `positional_names.size()` positional arguments (named in the messages, e.g. "FILE"). With
// --help the rest is not checked.
ParseResult ParseArguments(std::span<const std::string> args, std::span<const OptionRule> options,
                           std::span<const std::string_view> positional_names);

// A whole number in [low, high] written in decimal digits, or nothing.
std::optional<int> ParseWholeNumber(std::string_view text, int low, int high);

}  // namespace cli
