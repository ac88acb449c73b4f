// "rimforge-tool render" against the editor itself: its pictures are, pixel for pixel, the frames
// the editor shows for the same file and the same choices in the Display menu.
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/shell.h"
#include "level/level_store.h"
#include "png/png_image.h"
#include "resources/command_ids.h"
#include "support/editor_test.h"
#include "support/level_file_builder.h"
#include "support/level_rom_builder.h"
#include "support/run_program.h"

namespace {

using png::RgbImage;
using testing_support::FileNames;
using testing_support::ProgramRun;

ProgramRun Tool(const std::vector<std::string>& args) {
  return testing_support::RunProgram(RIMFORGE_TOOL, args);
}

const std::string kSampleRom = RIMFORGE_SAMPLES_DIR "/rimforge_tubes.118";
const std::string kSampleLevelFile = RIMFORGE_SAMPLES_DIR "/rimforge_tubes.TLD";

bool IsLevelFile(const std::string& path) {
  return path.ends_with(".TLD");
}

bool HasDrawing(const RgbImage& image) {
  return std::any_of(image.rgb.begin(), image.rgb.end(), [](std::uint8_t v) { return v != 0; });
}

// The display options of the tool and the Display menu items that choose the same.
struct ViewChoice {
  std::string option;
  int menu_item;
};
const std::vector<ViewChoice> kViewChoices{{"--2d", resources::kView2D},
                                           {"--accurate", resources::kAccurateValues},
                                           {"--no-safe-frame", resources::kSafeFrame},
                                           {"--no-box", resources::kBoundingBox},
                                           {"--no-claw", resources::kClaw}};

class CliRenderTest : public testing_support::EditorTest {
 protected:
  // The tool's picture of `in` with the extra arguments.
  RgbImage ToolPicture(const std::string& in, std::vector<std::string> args) {
    const std::string out = temp.File("picture.png");
    args.insert(args.begin(), {"render", in, "-o", out});
    const ProgramRun run = Tool(args);
    EXPECT_EQ(run.exit_status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
    const std::optional<RgbImage> picture = png::ReadPng(out);
    EXPECT_TRUE(picture.has_value()) << "no picture in " << out;
    return picture.value_or(RgbImage{});
  }

  // A fresh editor that has loaded `path` through the File menu; the release of the click that
  // closed the file dialog is on its way to the window.
  void LoadInEditor(const std::string& path) {
    app::ResetEditor();
    app::StartEditor();
    if (IsLevelFile(path)) {
      testing_support::LoadLevelFile(host, path);
    } else {
      testing_support::LoadLevelRomFile(host, path);
    }
    ASSERT_TRUE(host.message_boxes.empty());
    host.ReleaseButton(WM_LBUTTONUP, 0, 0);
  }

  // The frame the editor shows next, while another window has the foreground.
  RgbImage EditorFrame() {
    host.foreground = false;
    host.RunFrames(2);
    return png::FrameToRgb(host.screen);
  }

  // Level `level_number` picked with a click in level select, then the Display menu items.
  RgbImage EditorTubeFrame(const std::string& path, int level_number,
                           const std::vector<std::string>& options) {
    LoadInEditor(path);
    host.foreground = true;
    const int x = 68 + 128 * ((level_number - 1) % 4);
    const int y = 128 + 128 * ((level_number - 1) / 4);
    host.MoveMouse(x, y);
    host.PressButton(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
    host.ReleaseButton(WM_LBUTTONUP, x, y);
    host.RunFrames();
    for (const ViewChoice& choice : kViewChoices) {
      if (std::find(options.begin(), options.end(), choice.option) != options.end()) {
        host.ChooseMenuItem(choice.menu_item);
      }
    }
    return EditorFrame();
  }
};

TEST_F(CliRenderTest, LevelSelectIsTheEditorsFrameWithNoCellLit) {
  const std::string rom = testing_support::LevelRomBuilder()
                              .Points(0, testing_support::Walk({20, 20}, {{200, 0}, {0, 200}}))
                              .Open(0)
                              .LevelShape(15, 0)
                              .WriteTo(temp, "levels.118");
  for (const std::string& in : {kSampleRom, kSampleLevelFile, rom}) {
    const RgbImage picture = ToolPicture(in, {});
    EXPECT_EQ(picture.width, 520);
    EXPECT_EQ(picture.height, 650);
    EXPECT_TRUE(HasDrawing(picture));
    LoadInEditor(in);
    EXPECT_EQ(png::CountDifferentPixels(picture, EditorFrame()), 0u) << in;
  }
}

TEST_F(CliRenderTest, TubeViewIsTheEditorsFrameForEachDisplayChoice) {
  // A ring wider than the byte range: its ROM values are clamped, its accurate values are not,
  // so the two views differ.
  testing_support::LevelFileBuilder wide;
  for (int point = 0; point < level::kPointsPerShape; ++point) {
    const double angle = point * 3.14159265358979 / 8;
    wide.Point(0, point, 128 + 170 * std::cos(angle), 128 + 150 * std::sin(angle));
  }
  const std::string ring = wide.TableByte(level::kLevelScale, 12)
                               .TableByte(level::kHeight, 160)
                               .WriteTo(temp, "ring.TLD");
  struct Case {
    std::string in;
    int level;
    std::vector<std::string> options;
  };
  const std::vector<Case> cases{
      {kSampleRom, 1, {}},
      {ring, 1, {}},
      {ring, 1, {"--accurate"}},
      {kSampleLevelFile, 14, {"--2d", "--no-safe-frame"}},
      {kSampleRom, 3, {"--no-box", "--no-claw"}},
      {ring, 1, {"--2d", "--accurate", "--no-safe-frame", "--no-box", "--no-claw"}},
  };
  std::vector<RgbImage> pictures;
  for (const Case& c : cases) {
    std::vector<std::string> args{"--level", std::to_string(c.level)};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const RgbImage picture = ToolPicture(c.in, args);
    EXPECT_TRUE(HasDrawing(picture));
    EXPECT_EQ(png::CountDifferentPixels(picture, EditorTubeFrame(c.in, c.level, c.options)), 0u)
        << c.in << " level " << c.level;
    pictures.push_back(picture);
  }
  // Each choice shows in the picture.
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    for (std::size_t j = i + 1; j < pictures.size(); ++j) {
      EXPECT_NE(pictures[i], pictures[j]) << "cases " << i << " and " << j;
    }
  }
}

TEST_F(CliRenderTest, ScaleDrawsEachPixelAsASquare) {
  const RgbImage picture = ToolPicture(kSampleRom, {"--level", "7", "--scale", "3"});
  const RgbImage frame = EditorTubeFrame(kSampleRom, 7, {});
  ASSERT_EQ(picture.width, 3 * 520);
  ASSERT_EQ(picture.height, 3 * 650);
  std::size_t differing = 0;
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      const std::size_t big = 3 * (static_cast<std::size_t>(y) * picture.width + x);
      const std::size_t small = 3 * (static_cast<std::size_t>(y / 3) * 520 + x / 3);
      if (!std::equal(picture.rgb.begin() + big, picture.rgb.begin() + big + 3,
                      frame.rgb.begin() + small)) {
        ++differing;
      }
    }
  }
  EXPECT_EQ(differing, 0u);
}

TEST_F(CliRenderTest, BadChoicesAndFailuresLeaveNoPicture) {
  testing_support::WriteFileBytes(temp.File("notes.txt"), {'T', 'L', 'X'});
  const std::string out = temp.File("out.png");
  const std::vector<std::string> before = FileNames(temp.Path());
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string problem;
  };
  const std::vector<Case> cases{
      {{"--level", "0"}, 2, "--level takes a level 1..16, not '0'"},
      {{"--level", "17"}, 2, "--level takes a level 1..16, not '17'"},
      {{"--level", "3x"}, 2, "--level takes a level 1..16, not '3x'"},
      {{"--level", "-1"}, 2, "--level takes a level 1..16, not '-1'"},
      {{"--level="}, 2, "--level takes a level 1..16, not ''"},
      {{"--2d"}, 2, "--2d is for the tube view: add --level N"},
      {{"--no-claw", "--scale", "2"}, 2, "--no-claw is for the tube view: add --level N"},
      {{"--scale", "0"}, 2, "--scale takes a whole number 1..8, not '0'"},
      {{"--scale", "9"}, 2, "--scale takes a whole number 1..8, not '9'"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args{"render", kSampleRom, "-o", out};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const ProgramRun run = Tool(args);
    EXPECT_EQ(run.exit_status, c.status) << c.problem;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.substr(0, 22 + c.problem.size()), "rimforge-tool render: " + c.problem)
        << run.err;
    EXPECT_NE(run.err.find("Usage: rimforge-tool render"), std::string::npos);
  }

  const ProgramRun no_output = Tool({"render", kSampleRom, "--level", "2"});
  EXPECT_EQ(no_output.exit_status, 2);
  const std::string missing_output = "rimforge-tool render: missing -o OUT.png\n";
  EXPECT_EQ(no_output.err.substr(0, missing_output.size()), missing_output);

  const ProgramRun not_levels = Tool({"render", temp.File("notes.txt"), "-o", out});
  EXPECT_EQ(not_levels.exit_status, 1);
  EXPECT_EQ(not_levels.err, "rimforge-tool render: " + temp.File("notes.txt") +
                                ": Not a valid Tempest ROM 118 file\n");

  const ProgramRun missing = Tool({"render", temp.File("gone.TLD"), "-o", out});
  EXPECT_EQ(missing.exit_status, 1);
  EXPECT_EQ(missing.err,
            "rimforge-tool render: Could not open \"" + temp.File("gone.TLD") + "\".\n");

  const std::string nowhere = temp.File("no folder/out.png");
  const ProgramRun unwritable = Tool({"render", kSampleRom, "-o", nowhere});
  EXPECT_EQ(unwritable.exit_status, 1);
  EXPECT_EQ(unwritable.err, "rimforge-tool render: Could not write \"" + nowhere + "\".\n");

  EXPECT_EQ(FileNames(temp.Path()), before);
}

}  // namespace
