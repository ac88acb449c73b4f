// rimforge-tool info FILE [--json]
#include <array>
#include <iostream>

#include "cli/file_commands.h"
#include "cli/info_output.h"
#include "cli/subcommand.h"

namespace cli {
namespace {

constexpr std::array<OptionRule, 1> kOptions{{{"--json", false}}};
constexpr std::array<std::string_view, 1> kPositionals{"FILE"};

constexpr std::string_view kHelp =
    "Usage: rimforge-tool info FILE [--json]\n"
    "\n"
    "Shows what FILE holds, recognising it by its signature:\n"
    "  level ROM (.118), level file (.TLD)  each level's shape, scale, height, offset and open\n"
    "                                       flag; each shape's points (accurate values for a\n"
    "                                       level file), segment directions and length factor\n"
    "  colour ROM (.119)                    the 8 x 6 colour table: swatch names, raw codes\n"
    "  text ROM (.121)                      the 120 messages: number, language, X, Y, colour,\n"
    "                                       size and text\n"
    "  'Atari Arcade Hits' program file     where its level and text ROM images lie\n"
    "Levels and shapes are numbered 1..16.\n"
    "\n"
    "Options:\n"
    "  --json   the same facts as JSON\n";

template <typename Report>
int Show(const Invocation& invocation, const Report& report) {
  if (invocation.Arguments().Has("--json")) {
    std::cout << ReportJson(report).Format() << '\n';
  } else {
    PrintReport(std::cout, report);
  }
  return kSuccess;
}

int RunInfo(const Invocation& invocation) {
  BatchHost& host = invocation.Host();
  const std::string& path = invocation.Arguments().positionals[0];
  const std::optional<FileKind> kind = RecogniseFile(host, path);
  if (!kind) return invocation.Failure();
  switch (*kind) {
    case FileKind::kLevelRom:
      if (!LoadLevelRom(host, path)) return invocation.Failure();
      return Show(invocation, ReportLevelSet(false));
    case FileKind::kLevelFile:
      if (!LoadLevelFile(host, path)) return invocation.Failure();
      return Show(invocation, ReportLevelSet(true));
    case FileKind::kColourRom:
      if (!LoadColourRom(host, path)) return invocation.Failure();
      return Show(invocation, ReportColours());
    case FileKind::kTextRom:
      if (!LoadTextRom(host, path)) return invocation.Failure();
      return Show(invocation, ReportTexts());
    case FileKind::kUnknown:
      break;
  }
  // Program files carry their images inside; anything else is none of the known kinds.
  const std::optional<files::ArcadeHitsFile> program = LoadArcadeHitsFile(host, path);
  if (!program) {
    // A file too large to read whole is reported as the editor reports it, and that alone.
    const std::vector<std::string>& problems = host.Problems();
    if (!problems.empty() && problems.back().starts_with("Could not open")) {
      return invocation.Failure();
    }
    return invocation.Failure(path +
                              " is not a level ROM, level file, colour ROM or text ROM either");
  }
  return Show(invocation, ReportProgram(*program));
}

}  // namespace

const Subcommand kInfoCommand{
    .name = "info",
    .summary = "show what a level, colour, text or program file holds",
    .help = kHelp,
    .options = kOptions,
    .positionals = kPositionals,
    .run = RunInfo,
};

}  // namespace cli
