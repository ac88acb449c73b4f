// Whole frames compared pixel for pixel with pictures kept in tests/golden/. A changed picture
// fails and leaves the new picture and a diff beside each other in the build folder; running
// the tests with RIMFORGE_UPDATE_GOLDEN=1 rewrites the kept pictures on purpose.
#include <cstdlib>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "png/png_image.h"
#include "resources/command_ids.h"
#include "support/editor_test.h"
#include "support/level_rom_builder.h"

namespace {

using png::CountDifferentPixels;
using png::DiffImage;
using png::FrameToRgb;
using png::ReadPng;
using png::RgbImage;
using png::WriteFramePng;
using png::WriteRgbPng;

bool UpdatingGoldens() {
  const char* update = std::getenv("RIMFORGE_UPDATE_GOLDEN");
  return update != nullptr && std::string(update) == "1";
}

class GoldenTest : public testing_support::EditorTest {
 protected:
  // The sample tubes loaded through the menu; the release of the click that closed the file
  // dialog reaches the window.
  void LoadSampleTubes() {
    testing_support::LoadLevelRomFile(host, RIMFORGE_SAMPLES_DIR "/rimforge_tubes.118");
    host.ReleaseButton(WM_LBUTTONUP, 0, 0);
  }

  void ClickCell(int level_index, UINT down, UINT up, UINT button) {
    const int x = 68 + 128 * (level_index % 4);
    const int y = 128 + 128 * (level_index / 4);
    host.MoveMouse(x, y);
    host.PressButton(down, x, y, button);
    host.ReleaseButton(up, x, y);
    host.RunFrames();
  }
  void PickLevel(int level_index) {
    ClickCell(level_index, WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON);
  }

  // Draws the next frame and compares it as the frame after it shows it on screen.
  void ExpectNextFrameMatchesGolden(const std::string& name) {
    host.RunFrames(2);
    const std::string golden_path = std::string(RIMFORGE_GOLDEN_DIR) + "/" + name + ".png";
    if (UpdatingGoldens()) {
      ASSERT_TRUE(WriteFramePng(golden_path, host.screen)) << "could not write " << golden_path;
      return;
    }
    const RgbImage actual = FrameToRgb(host.screen);
    const std::optional<RgbImage> golden = ReadPng(golden_path);
    const std::size_t differing = golden ? CountDifferentPixels(*golden, actual) : 0;
    if (golden && differing == 0) return;

    const std::filesystem::path out_dir(RIMFORGE_GOLDEN_OUTPUT_DIR);
    std::filesystem::create_directories(out_dir);
    const std::string actual_path = (out_dir / (name + ".png")).string();
    WriteFramePng(actual_path, host.screen);
    if (!golden) {
      ADD_FAILURE() << "no golden picture " << golden_path << "; this frame is in " << actual_path
                    << " (run with RIMFORGE_UPDATE_GOLDEN=1 to keep it)";
      return;
    }
    const std::string diff_path = (out_dir / (name + "-diff.png")).string();
    WriteRgbPng(diff_path, DiffImage(*golden, actual));
    ADD_FAILURE() << differing << " pixels differ from " << golden_path << "; the new frame is in "
                  << actual_path << " and the differences are red in " << diff_path
                  << " (run with RIMFORGE_UPDATE_GOLDEN=1 if the change is meant)";
  }
};

TEST_F(GoldenTest, TubeViewIn3DAnd2D) {
  LoadSampleTubes();
  host.RunFrames();
  PickLevel(5);
  ExpectNextFrameMatchesGolden("tube_view_3d");

  host.ChooseMenuItem(resources::kView2D);
  ExpectNextFrameMatchesGolden("tube_view_2d");
}

TEST_F(GoldenTest, LevelSelectOfTheSampleTubes) {
  LoadSampleTubes();
  host.RunFrames();
  ClickCell(10, WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON);
  host.MoveMouse(68 + 128 * 2, 128 + 128 * 1);
  host.now = 100000;
  ExpectNextFrameMatchesGolden("level_select");
}

TEST_F(GoldenTest, IntroWordMarkWithItsTrail) {
  host.RunFrames(94);
  ExpectNextFrameMatchesGolden("intro_word_mark");
}

}  // namespace
