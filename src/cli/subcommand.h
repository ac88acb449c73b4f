// What every subcommand of rimforge-tool shares: its name, help and options, and the way it
// ends: 0 on success, 1 when the work failed (the problems on stderr), 2 when the command line
// was not understood (the problem and the usage on stderr).
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "cli/arguments.h"
#include "cli/batch_host.h"

namespace cli {

enum ExitStatus : int {
  kSuccess = 0,
  kFailure = 1,
  kUsageError = 2,
};

class Invocation;

struct Subcommand {
  std::string_view name;
  std::string_view summary;  // one line for "rimforge-tool --help"
  std::string_view help;     // the whole text of "rimforge-tool NAME --help"
  std::span<const OptionRule> options;
  std::span<const std::string_view> positionals;
  int (*run)(const Invocation& invocation);
};

// One run of a subcommand on an editor that has just started on `host`.
class Invocation {
 public:
  Invocation(const Subcommand& subcommand, const ParsedArguments& arguments, BatchHost& host)
      : subcommand_(subcommand), arguments_(arguments), host_(host) {}

  const ParsedArguments& Arguments() const { return arguments_; }
  BatchHost& Host() const { return host_; }

  // Prints the problem and the subcommand's help on stderr; returns kUsageError.
  int UsageError(std::string_view problem) const;
  // Prints every problem the editor reported, and `problem` if given, on stderr; returns
  // kFailure.
  int Failure(std::string_view problem = {}) const;

 private:
  const Subcommand& subcommand_;
  const ParsedArguments& arguments_;
  BatchHost& host_;
};

// The subcommands, in the order "rimforge-tool --help" lists them.
extern const Subcommand kInfoCommand;
extern const Subcommand kConvertCommand;
extern const Subcommand kRenderCommand;
extern const Subcommand kPatchCommand;

// Runs the tool on its arguments (without the program name); returns the exit status.
int RunTool(std::span<const std::string> args);

}  // namespace cli
