// rimforge-tool patch PROGRAM --levels FILE.118 [--texts FILE.121] [--set original|tubes] -o OUT
#include <array>
#include <optional>
#include <string>

#include "cli/file_commands.h"
#include "cli/subcommand.h"

namespace cli {
namespace {

constexpr std::array<OptionRule, 4> kOptions{
    {{"--levels", true}, {"--texts", true}, {"--set", true}, {"-o", true}}};
constexpr std::array<std::string_view, 1> kPositionals{"PROGRAM"};

constexpr std::string_view kHelp =
    "Usage: rimforge-tool patch PROGRAM --levels FILE.118 [--texts FILE.121]\n"
    "                           [--set original|tubes] -o OUT\n"
    "\n"
    "Does what the editor's \"Hack 'Atari Arcade Hits'\" command does: puts the level ROM (and\n"
    "the text ROM, if given) into the program file PROGRAM (.exe or .scr) in place of the\n"
    "images of one level set, and writes the result as OUT. PROGRAM itself is only read; OUT\n"
    "may be none of the input files.\n"
    "\n"
    "Options:\n"
    "  --levels FILE.118   the level ROM to put in\n"
    "  --texts FILE.121    the text ROM to put in as well\n"
    "  --set SET           the level set to replace: original (\"Original Levels\", the\n"
    "                      default) or tubes (\"Tempest Tubes\")\n"
    "  -o OUT              the program file to write\n";

int RunPatch(const Invocation& invocation) {
  BatchHost& host = invocation.Host();
  const ParsedArguments& arguments = invocation.Arguments();
  const std::optional<std::string> levels = arguments.Value("--levels");
  if (!levels) return invocation.UsageError("missing --levels FILE.118");
  const std::optional<std::string> out = arguments.Value("-o");
  if (!out) return invocation.UsageError("missing -o OUT");
  const std::string set = arguments.Value("--set").value_or("original");
  if (set != "original" && set != "tubes") {
    return invocation.UsageError("--set takes original or tubes, not '" + set + "'");
  }
  const std::optional<std::string> texts = arguments.Value("--texts");
  if (SameFile(*out, arguments.positionals[0]) || SameFile(*out, *levels) ||
      (texts && SameFile(*out, *texts))) {
    return invocation.Failure("OUT is an input file; nothing was written");
  }

  if (!LoadLevelRom(host, *levels)) return invocation.Failure();
  if (texts && !LoadTextRom(host, *texts)) return invocation.Failure();
  const files::LevelSet level_set = set == "tubes" ? files::kTempestTubes : files::kOriginalLevels;
  if (!HackArcadeHits(host, arguments.positionals[0], *out, level_set, texts.has_value())) {
    return invocation.Failure();
  }
  return kSuccess;
}

}  // namespace

const Subcommand kPatchCommand{
    .name = "patch",
    .summary = "put a level ROM (and text ROM) into an 'Atari Arcade Hits' program file",
    .help = kHelp,
    .options = kOptions,
    .positionals = kPositionals,
    .run = RunPatch,
};

}  // namespace cli
