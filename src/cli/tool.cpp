#include <algorithm>
#include <array>
#include <iomanip>
#include <iostream>

#include "app/shell.h"
#include "cli/subcommand.h"
#include "platform/host.h"

namespace cli {
namespace {

constexpr std::string_view kProgramName = "rimforge-tool";
constexpr int kNameColumn = 9;

const std::array<const Subcommand*, 4> kSubcommands{&kInfoCommand, &kConvertCommand,
                                                    &kRenderCommand, &kPatchCommand};

void PrintToolHelp(std::ostream& out) {
  out << "Usage: " << kProgramName << " COMMAND [OPTIONS] ARGUMENTS\n\n"
      << "Rimforge's command-line companion: it reads, converts, draws and patches Tempest\n"
      << "level sets with the editor's own loaders, derivations and drawing.\n\n"
      << "Commands:\n";
  for (const Subcommand* subcommand : kSubcommands) {
    out << "  " << std::left << std::setw(kNameColumn) << subcommand->name << subcommand->summary
        << '\n';
  }
  out << "\nRun '" << kProgramName << " COMMAND --help' for a command's arguments and options,\n"
      << "'" << kProgramName << " --version' for the version.\n";
}

int ToolUsageError(std::string_view problem) {
  std::cerr << kProgramName << ": " << problem << "\n\n";
  PrintToolHelp(std::cerr);
  return kUsageError;
}

const Subcommand* FindSubcommand(std::string_view name) {
  const auto found =
      std::find_if(kSubcommands.begin(), kSubcommands.end(),
                   [name](const Subcommand* command) { return command->name == name; });
  return found == kSubcommands.end() ? nullptr : *found;
}

// The editor as it is after start-up, on the batch host, for one subcommand.
int RunOnEditor(const Subcommand& subcommand, const ParsedArguments& arguments) {
  BatchHost host;
  platform::SetHost(&host);
  app::ResetEditor();
  app::StartEditor();
  const int status = subcommand.run(Invocation(subcommand, arguments, host));
  platform::SetHost(nullptr);
  return status;
}

}  // namespace

int Invocation::UsageError(std::string_view problem) const {
  std::cerr << kProgramName << ' ' << subcommand_.name << ": " << problem << "\n\n"
            << subcommand_.help;
  return kUsageError;
}

int Invocation::Failure(std::string_view problem) const {
  for (const std::string& reported : host_.Problems()) {
    std::cerr << kProgramName << ' ' << subcommand_.name << ": " << reported << '\n';
  }
  if (!problem.empty())
    std::cerr << kProgramName << ' ' << subcommand_.name << ": " << problem << '\n';
  return kFailure;
}

int RunTool(std::span<const std::string> args) {
  if (args.empty()) return ToolUsageError("no command given");
  if (args.front() == "--help" || args.front() == "-h") {
    PrintToolHelp(std::cout);
    return kSuccess;
  }
  if (args.front() == "--version") {
    std::cout << kProgramName << ' ' << RIMFORGE_VERSION << '\n';
    return kSuccess;
  }
  const Subcommand* subcommand = FindSubcommand(args.front());
  if (subcommand == nullptr) return ToolUsageError("unknown command '" + args.front() + "'");
  const ParseResult parsed =
      ParseArguments(args.subspan(1), subcommand->options, subcommand->positionals);
  if (parsed.arguments.help) {
    std::cout << subcommand->help;
    return kSuccess;
  }
  if (!parsed.error.empty()) {
    std::cerr << kProgramName << ' ' << subcommand->name << ": " << parsed.error << "\n\n"
              << subcommand->help;
    return kUsageError;
  }
  return RunOnEditor(*subcommand, parsed.arguments);
}

}  // namespace cli
