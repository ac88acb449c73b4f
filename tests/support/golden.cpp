#include "support/golden.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "png/png_image.h"
#include "support/temp_dir.h"

namespace testing_support {
namespace {

bool Updating() {
  const char* update = std::getenv("RIMFORGE_UPDATE_GOLDEN");
  return update != nullptr && std::string(update) == "1";
}

std::string KeptPath(const std::string& name) {
  return std::string(RIMFORGE_GOLDEN_DIR) + "/" + name;
}

// Where a failed comparison leaves the new result.
std::string ActualPath(const std::string& name) {
  const std::filesystem::path out_dir(RIMFORGE_GOLDEN_OUTPUT_DIR);
  std::filesystem::create_directories(out_dir);
  return (out_dir / name).string();
}

const char* kHowToKeep = " (run with RIMFORGE_UPDATE_GOLDEN=1 if the change is meant)";

}  // namespace

void ExpectGoldenFrame(const std::string& name, std::span<const std::uint8_t> frame) {
  const std::string kept = KeptPath(name + ".png");
  if (Updating()) {
    ASSERT_TRUE(png::WriteFramePng(kept, frame)) << "could not write " << kept;
    return;
  }
  const png::RgbImage actual = png::FrameToRgb(frame);
  const std::optional<png::RgbImage> golden = png::ReadPng(kept);
  const std::size_t differing = golden ? png::CountDifferentPixels(*golden, actual) : 0;
  if (golden && differing == 0) return;
  const std::string actual_path = ActualPath(name + ".png");
  png::WriteFramePng(actual_path, frame);
  if (!golden) {
    ADD_FAILURE() << "no picture " << kept << "; this frame is in " << actual_path << kHowToKeep;
    return;
  }
  const std::string diff_path = ActualPath(name + "-diff.png");
  png::WriteRgbPng(diff_path, png::DiffImage(*golden, actual));
  ADD_FAILURE() << differing << " pixels differ from " << kept << "; the new frame is in "
                << actual_path << ", the differences are red in " << diff_path << kHowToKeep;
}

void ExpectGoldenText(const std::string& name, const std::string& text) {
  const std::string kept = KeptPath(name);
  const std::vector<std::uint8_t> bytes(text.begin(), text.end());
  if (Updating()) {
    WriteFileBytes(kept, bytes);
    return;
  }
  const std::vector<std::uint8_t> golden =
      std::filesystem::exists(kept) ? ReadFileBytes(kept) : std::vector<std::uint8_t>{};
  if (golden == bytes) return;
  const auto [kept_at, now_at] =
      std::mismatch(golden.begin(), golden.end(), bytes.begin(), bytes.end());
  const std::string actual_path = ActualPath(name);
  WriteFileBytes(actual_path, bytes);
  ADD_FAILURE() << name << " differs from " << kept << " from byte " << (kept_at - golden.begin())
                << " on (" << golden.size() << " bytes kept, " << bytes.size()
                << " now); the new one is in " << actual_path << kHowToKeep;
}

}  // namespace testing_support
