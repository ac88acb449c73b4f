#include "cli/arguments.h"

#include <algorithm>
#include <charconv>

namespace cli {
namespace {

const OptionRule* FindOption(std::span<const OptionRule> options, std::string_view name) {
  const auto found = std::find_if(options.begin(), options.end(),
                                  [name](const OptionRule& option) { return option.name == name; });
  return found == options.end() ? nullptr : &*found;
}

bool IsHelp(std::string_view arg) {
  return arg == "--help" || arg == "-h";
}

bool LooksLikeOption(std::string_view arg) {
  // A lone "-" is a name, as is anything after "--".
  return arg.size() > 1 && arg.front() == '-';
}

}  // namespace

std::optional<std::string> ParsedArguments::Value(std::string_view option) const {
  const auto found = values.find(option);
  if (found == values.end()) return std::nullopt;
  return found->second;
}

ParseResult ParseArguments(std::span<const std::string> args, std::span<const OptionRule> options,
                           std::span<const std::string_view> positional_names) {
  ParseResult result;
  ParsedArguments& parsed = result.arguments;
  // Help wins over every other problem on the line, up to the "--" that ends the options.
  const auto options_end = std::find(args.begin(), args.end(), "--");
  if (std::any_of(args.begin(), options_end, [](const std::string& arg) { return IsHelp(arg); })) {
    parsed.help = true;
    return result;
  }
  bool only_names = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (only_names || !LooksLikeOption(arg)) {
      parsed.positionals.push_back(arg);
      continue;
    }
    if (arg == "--") {
      only_names = true;
      continue;
    }
    const std::size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    const OptionRule* option = FindOption(options, name);
    if (option == nullptr) {
      result.error = "unknown option '" + name + "'";
      return result;
    }
    if (parsed.flags.contains(name) || parsed.values.contains(name)) {
      result.error = "option '" + name + "' is given twice";
      return result;
    }
    if (!option->takes_value) {
      if (equals != std::string::npos) {
        result.error = "option '" + name + "' takes no value";
        return result;
      }
      parsed.flags.insert(name);
      continue;
    }
    if (equals != std::string::npos) {
      parsed.values[name] = arg.substr(equals + 1);
    } else if (i + 1 < args.size()) {
      parsed.values[name] = args[++i];
    } else {
      result.error = "option '" + name + "' needs a value";
      return result;
    }
  }
  if (parsed.positionals.size() < positional_names.size()) {
    result.error = "missing " + std::string(positional_names[parsed.positionals.size()]);
  } else if (parsed.positionals.size() > positional_names.size()) {
    result.error = "unexpected argument '" + parsed.positionals[positional_names.size()] + "'";
  }
  return result;
}

std::optional<int> ParseWholeNumber(std::string_view text, int low, int high) {
  int value = 0;
  const char* const end = text.data() + text.size();
  if (text.empty() || text.front() < '0' || text.front() > '9') return std::nullopt;
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || stop != end || value < low || value > high) return std::nullopt;
  return value;
}

}  // namespace cli
