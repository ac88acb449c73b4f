// rimforge-tool render IN -o OUT.png [--level N [view options]] [--scale K]
#include <array>
#include <optional>
#include <string>

#include "app/editor_state.h"
#include "app/modes.h"
#include "app/shell.h"
#include "app/view_flags.h"
#include "cli/file_commands.h"
#include "cli/subcommand.h"
#include "gfx/frame_buffer.h"
#include "level/level_store.h"
#include "png/png_image.h"

namespace cli {
namespace {

constexpr std::array<OptionRule, 8> kOptions{{{"-o", true},
                                              {"--level", true},
                                              {"--scale", true},
                                              {"--2d", false},
                                              {"--accurate", false},
                                              {"--no-safe-frame", false},
                                              {"--no-box", false},
                                              {"--no-claw", false}}};
constexpr std::array<std::string_view, 1> kPositionals{"IN"};
// The options that only the tube view of one level takes.
constexpr std::array<std::string_view, 5> kViewFlags{"--2d", "--accurate", "--no-safe-frame",
                                                     "--no-box", "--no-claw"};

constexpr std::string_view kHelp =
    "Usage: rimforge-tool render IN -o OUT.png [--level N [--2d] [--accurate]\n"
    "                            [--no-safe-frame] [--no-box] [--no-claw]] [--scale K]\n"
    "\n"
    "Draws a level ROM (.118) or level file (.TLD) as the editor draws it and saves the picture\n"
    "as a PNG of 520 x 650 pixels in the editor's palette: the level-select grid of all 16\n"
    "levels, or with --level the tube view of one level.\n"
    "\n"
    "Options:\n"
    "  -o OUT.png        the picture to write\n"
    "  --level N         the tube view of level N (1..16)\n"
    "  --2d              the flat view instead of the tube (with --level)\n"
    "  --accurate        draw the accurate values, not the ROM values (with --level)\n"
    "  --no-safe-frame   leave out the safe frame (with --level)\n"
    "  --no-box          leave out the bounding box (with --level)\n"
    "  --no-claw         leave out the claw (with --level)\n"
    "  --scale K         draw each pixel as K x K pixels (1..8, default 1)\n";

void ShowTubeView(int level_number, const ParsedArguments& arguments) {
  app::EnterViewMode();
  app::editor.current_level = level_number - 1;
  app::view_flags.view_2d = arguments.Has("--2d") ? 1 : 0;
  app::view_flags.rom_values = arguments.Has("--accurate") ? 0 : 1;
  app::view_flags.safe_frame = arguments.Has("--no-safe-frame") ? 0 : 1;
  app::view_flags.bounding_box = arguments.Has("--no-box") ? 0 : 1;
  app::view_flags.claw = arguments.Has("--no-claw") ? 0 : 1;
}

int RunRender(const Invocation& invocation) {
  BatchHost& host = invocation.Host();
  const ParsedArguments& arguments = invocation.Arguments();
  const std::optional<std::string> out = arguments.Value("-o");
  if (!out) return invocation.UsageError("missing -o OUT.png");
  if (!HasExtension(*out, ".png")) {
    return invocation.UsageError("the picture is a PNG: OUT must end in .png, not '" + *out + "'");
  }
  std::optional<int> level_number;
  if (const std::optional<std::string> level = arguments.Value("--level")) {
    level_number = ParseWholeNumber(*level, 1, level::kLevelCount);
    if (!level_number) {
      return invocation.UsageError("--level takes a level 1.." +
                                   std::to_string(level::kLevelCount) + ", not '" + *level + "'");
    }
  } else {
    for (const std::string_view flag : kViewFlags) {
      if (arguments.Has(flag)) {
        return invocation.UsageError(std::string(flag) + " is for the tube view: add --level N");
      }
    }
  }
  int scale = 1;
  if (const std::optional<std::string> text = arguments.Value("--scale")) {
    const std::optional<int> parsed = ParseWholeNumber(*text, 1, png::kMaxFrameScale);
    if (!parsed) {
      return invocation.UsageError("--scale takes a whole number 1.." +
                                   std::to_string(png::kMaxFrameScale) + ", not '" + *text + "'");
    }
    scale = *parsed;
  }

  if (SameFile(*out, arguments.positionals[0])) {
    return invocation.Failure("OUT is the input file; nothing was written");
  }
  if (!LoadLevels(host, arguments.positionals[0])) return invocation.Failure();
  if (level_number) ShowTubeView(*level_number, arguments);
  // The frame as the editor draws it; the host has no mouse and no foreground, so level select
  // lights no cell.
  app::RunFrame();
  const std::optional<std::vector<std::uint8_t>> picture =
      png::EncodeFramePng(gfx::FrameBufferView(), scale);
  if (!picture) return invocation.Failure("the picture could not be encoded as PNG");
  if (!SaveBytes(host, *out, *picture)) return invocation.Failure();
  return kSuccess;
}

}  // namespace

const Subcommand kRenderCommand{
    .name = "render",
    .summary = "draw level select or one level's tube view as a PNG",
    .help = kHelp,
    .options = kOptions,
    .positionals = kPositionals,
    .run = RunRender,
};

}  // namespace cli
