// rimforge-tool convert IN OUT [--rom BASE.118]
#include <array>

#include "cli/file_commands.h"
#include "cli/subcommand.h"

namespace cli {
namespace {

constexpr std::array<OptionRule, 1> kOptions{{{"--rom", true}}};
constexpr std::array<std::string_view, 2> kPositionals{"IN", "OUT"};

constexpr std::string_view kHelp =
    "Usage: rimforge-tool convert IN OUT [--rom BASE.118]\n"
    "\n"
    "Converts between the two forms of a level set, as the editor's Load and Save commands do,\n"
    "deriving the segment directions and length factors on the way out:\n"
    "  IN a level ROM (.118)   OUT is written as a level file, and must end in .TLD\n"
    "  IN a level file (.TLD)  OUT is written as a level ROM, and must end in .118: the level\n"
    "                          file's levels put into the level ROM BASE.118, which gives\n"
    "                          the rest of the image\n"
    "OUT may not be IN or BASE.118.\n"
    "\n"
    "Options:\n"
    "  --rom BASE.118   the level ROM a level file is put into (needed for a level file)\n";

int RunConvert(const Invocation& invocation) {
  BatchHost& host = invocation.Host();
  const ParsedArguments& arguments = invocation.Arguments();
  const std::string& in = arguments.positionals[0];
  const std::string& out = arguments.positionals[1];
  const std::optional<std::string> base = arguments.Value("--rom");
  const std::optional<FileKind> kind = RecogniseFile(host, in);
  if (!kind) return invocation.Failure();

  // The output's kind follows from the input's; OUT's name must agree, and OUT may be neither
  // input, so that no input is ever written over.
  const bool to_rom = *kind == FileKind::kLevelFile || base;
  if (to_rom && !base)
    return invocation.UsageError("a level file becomes a level ROM with --rom BASE.118");
  const std::string_view extension = to_rom ? ".118" : ".TLD";
  if (!HasExtension(out, extension)) {
    return invocation.UsageError(
        "OUT is written as a " + std::string(to_rom ? "level ROM" : "level file") +
        " and must end in " + std::string(extension) + ", not '" + out + "'");
  }
  if (SameFile(out, in) || (base && SameFile(out, *base))) {
    return invocation.Failure("OUT is an input file; nothing was written");
  }
  if (to_rom) {
    if (!LoadLevelRom(host, *base) || !LoadLevelFile(host, in) || !SaveLevelRom(host, out)) {
      return invocation.Failure();
    }
    return kSuccess;
  }
  if (!LoadLevelRom(host, in) || !SaveLevelFile(host, out)) return invocation.Failure();
  return kSuccess;
}

}  // namespace

const Subcommand kConvertCommand{
    .name = "convert",
    .summary = "turn a level ROM into a level file, or a level file into a level ROM",
    .help = kHelp,
    .options = kOptions,
    .positionals = kPositionals,
    .run = RunConvert,
};

}  // namespace cli
