// The level file (.TLD) as a person uses it: loading one over nothing or over a level ROM,
// saving it with the derived bytes, refusing what is not a level file, and failing safely.
#include "files/level_file.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/editor_state.h"
#include "app/menu_model.h"
#include "app/modes.h"
#include "files/level_rom_file.h"
#include "level/level_store.h"
#include "resources/command_ids.h"
#include "support/editor_snapshot.h"
#include "support/editor_test.h"
#include "support/level_file_builder.h"
#include "support/level_pick.h"
#include "support/level_rom_builder.h"

namespace {

using testing_support::FileNames;

using testing_support::DoubleAt;
using testing_support::DoubleBytes;
using testing_support::EditorSnapshot;
using testing_support::ExpectUnchanged;
using testing_support::ImageOffset;
using testing_support::LevelFileBuilder;
using testing_support::LevelFileTable;
using testing_support::LevelFileX;
using testing_support::LevelFileY;
using testing_support::LevelRomBuilder;
using testing_support::ReadFileBytes;
using testing_support::WriteFileBytes;

constexpr UINT kOpenFlags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
constexpr UINT kSaveFlags =
    OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
constexpr std::size_t kCoordinatesEnd = 4099;  // the level table follows the coordinates

// A coordinate and the ROM value it must round to.
struct Awkward {
  double value;
  std::uint8_t rom;
};

std::vector<Awkward> AwkwardValues() {
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  return {
      {12.25, 12},
      {-3.75, 0},
      {300.5, 255},
      {254.5, 255},
      {254.49, 254},
      {0.5, 1},
      {0.4999, 0},
      {-0.0, 0},
      {std::bit_cast<double>(0x7FF8'0000'0000'1234ull), 0},  // quiet NaN with a payload
      {std::bit_cast<double>(0xFFF0'0000'0000'0001ull), 0},  // negative signalling NaN
      {kInfinity, 255},
      {-kInfinity, 0},
      {1e300, 255},
      {-std::numeric_limits<double>::denorm_min(), 0},
      {127.5, 128},
      {99.999, 100},
  };
}

// Shape 3 holds the awkward values, X in order and Y reversed. Shape 1 is a closed row of
// fractional points 10 apart: its segments all point along +X but the closing one, which comes
// back (direction 8), and the mean of 15 x 10 + 150 over 16 is 18, a length factor of 688.
// Every shape carries stale derived bytes that a save must replace.
LevelFileBuilder AwkwardFile() {
  LevelFileBuilder file;
  const std::vector<Awkward> values = AwkwardValues();
  for (int point = 0; point < level::kPointsPerShape; ++point) {
    file.Point(3, point, values[static_cast<std::size_t>(point)].value,
               values[static_cast<std::size_t>(15 - point)].value);
    file.Point(1, point, 10 * point + 0.3, 50.2);
  }
  for (int shape = 0; shape < level::kShapeCount; ++shape) {
    for (int point = 0; point < level::kPointsPerShape; ++point) {
      file.TableByte(level::kSegmentDirections + level::PointIndex(shape, point), 0x0B);
    }
    file.TableByte(level::kLengthFactorLow + shape, 0x55)
        .TableByte(level::kLengthFactorHigh + shape, 0x55)
        .TableByte(level::kLevelScale + shape, static_cast<std::uint8_t>(10 + shape))
        .TableByte(level::kHeight + shape, static_cast<std::uint8_t>(100 + shape))
        .TableByte(level::kOffsetLow + shape, static_cast<std::uint8_t>(0x80 + shape))
        .TableByte(level::kOffsetHigh + shape, 0xFF);
  }
  return file.TableByte(level::kOpenFlag + 3, 255).TableByte(level::kLevelToShapeMap + 7, 3);
}

std::uint64_t Bits(double value) {
  return std::bit_cast<std::uint64_t>(value);
}

std::vector<std::uint8_t> Image() {
  return {level::level_rom_image.begin(), level::level_rom_image.end()};
}

std::vector<std::uint8_t> Table() {
  return {level::level_table, level::level_table + level::kLevelTableSize};
}

std::vector<std::uint8_t> TableOf(const std::vector<std::uint8_t>& level_file) {
  return {level_file.begin() + static_cast<std::ptrdiff_t>(LevelFileTable(0)), level_file.end()};
}

class LevelFileTest : public testing_support::EditorTest {
 protected:
  void Load(const std::string& path) { testing_support::LoadLevelFile(host, path); }
  void Save(const std::string& path) { testing_support::SaveLevelFile(host, path); }

  // A level ROM with game data around the table, a shape of known points, and an editor in
  // view mode with a fraction in the coordinates that no ROM value matches.
  void StartFromRomInViewMode() {
    testing_support::LoadLevelRomFile(host, LevelRomBuilder()
                                                .Points(0, testing_support::AllAt(40, 50))
                                                .ShapeByte(level::kLevelScale, 0, 21)
                                                .WriteTo(temp, "game.118"));
    app::editor.current_level = 0;
    app::EnterViewMode();
    level::accurate_x[3] = 12.25;
  }
};

TEST_F(LevelFileTest, SavedAndLoadedAgainCoordinatesKeepEveryBitAndTheTableIsDerived) {
  const LevelFileBuilder input = AwkwardFile();
  Load(input.WriteTo(temp, "awkward.TLD"));
  ASSERT_TRUE(host.message_boxes.empty());

  const std::vector<Awkward> values = AwkwardValues();
  for (int point = 0; point < level::kPointsPerShape; ++point) {
    SCOPED_TRACE(point);
    EXPECT_EQ(level::XByte(3, point), values[static_cast<std::size_t>(point)].rom);
    EXPECT_EQ(level::YByte(3, point), values[static_cast<std::size_t>(15 - point)].rom);
    EXPECT_EQ(level::XByte(1, point), 10 * point);
    EXPECT_EQ(level::YByte(1, point), 50);
  }

  const std::string out = temp.File("out.TLD");
  WriteFileBytes(out, std::vector<std::uint8_t>(30, 0xAA));  // an older file, replaced
  Save(out);
  EXPECT_TRUE(host.message_boxes.empty());
  const std::vector<std::uint8_t> saved = ReadFileBytes(out);
  ASSERT_EQ(saved.size(), testing_support::kLevelFileSize);
  // Signature and coordinates byte for byte as they came in.
  EXPECT_TRUE(std::equal(saved.begin(), saved.begin() + kCoordinatesEnd, input.Bytes().begin()));
  // The table as the editor holds it after the save: rounded points, derived bytes.
  EXPECT_EQ(TableOf(saved), Table());
  for (int point = 0; point < level::kPointsPerShape; ++point) {
    EXPECT_EQ(saved[LevelFileTable(level::kXBytes + level::PointIndex(3, point))],
              values[static_cast<std::size_t>(point)].rom);
    EXPECT_EQ(saved[LevelFileTable(level::kSegmentDirections + level::PointIndex(1, point))],
              point == 15 ? 8 : 0);
    EXPECT_EQ(saved[LevelFileTable(level::kSegmentDirections + level::PointIndex(0, point))], 0);
  }
  EXPECT_EQ(saved[LevelFileTable(level::kLengthFactorHigh + 1)], 5);
  EXPECT_EQ(saved[LevelFileTable(level::kLengthFactorLow + 1)], 48);
  EXPECT_EQ(saved[LevelFileTable(level::kLengthFactorHigh + 0)], 6);  // all at one place
  EXPECT_EQ(saved[LevelFileTable(level::kLengthFactorLow + 0)], 88);
  for (const int offset : {level::kLevelScale + 5, level::kHeight + 5, level::kOffsetLow + 9,
                           level::kOffsetHigh + 2, level::kOpenFlag + 3, level::kOpenFlag + 4,
                           level::kLevelToShapeMap + 7, level::kLevelToShapeMap + 8}) {
    EXPECT_EQ(saved[LevelFileTable(offset)], input.Bytes()[LevelFileTable(offset)])
        << "table offset " << offset;
  }
  const std::vector<std::uint8_t> table_after_save = Table();

  // Something else in between, then the saved file again.
  Load(LevelFileBuilder().AllAt(3, 1.0, 1.0).WriteTo(temp, "other.TLD"));
  ASSERT_EQ(level::accurate_x[level::PointIndex(3, 8)], 1.0);
  Load(out);
  EXPECT_TRUE(host.message_boxes.empty());
  for (int i = 0; i < level::kPointCount; ++i) {
    EXPECT_EQ(Bits(level::accurate_x[i]), Bits(DoubleAt(input.Bytes(), LevelFileX(i))))
        << "x " << i;
    EXPECT_EQ(Bits(level::accurate_y[i]), Bits(DoubleAt(input.Bytes(), LevelFileY(i))))
        << "y " << i;
  }
  EXPECT_EQ(Table(), table_after_save);
  ASSERT_EQ(host.file_dialogs.size(), 4u);
  const testing_support::ShownFileDialog& dialog = host.file_dialogs[1];
  EXPECT_TRUE(dialog.save);
  EXPECT_EQ(dialog.request.title, "Save TLD File");
  EXPECT_EQ(dialog.request.filter_description, "TLD Files (*.TLD)");
  EXPECT_EQ(dialog.request.filter_pattern, "*.TLD");
  EXPECT_EQ(dialog.request.default_extension, "TLD");
  EXPECT_EQ(dialog.request.flags, kSaveFlags);
}

TEST_F(LevelFileTest, LoadWithoutRomEntersLevelSelectAndEnablesOnlyTheLevelFileSave) {
  EXPECT_TRUE(Grayed(resources::kSaveTld));
  host.PressButton(WM_LBUTTONDOWN, 30, 40, MK_LBUTTON);  // the click that closes the dialog
  const LevelFileBuilder file =
      LevelFileBuilder().AllAt(2, 30.7, 40.2).TableByte(level::kHeight + 2, 77);

  Load(file.WriteTo(temp, "tubes.TLD"));

  EXPECT_TRUE(host.message_boxes.empty());
  EXPECT_EQ(app::editor.editor_mode, app::kLevelSelectMode);
  EXPECT_EQ(app::mouse.buttons, 0u);
  EXPECT_TRUE(app::mouse.ignore_buttons);
  EXPECT_FALSE(Grayed(resources::kSaveTld));
  EXPECT_TRUE(Grayed(resources::kSaveRom));
  EXPECT_TRUE(Grayed(resources::kHackArcadeHits));
  EXPECT_FALSE(files::level_rom_loaded);
  EXPECT_EQ(level::accurate_x[level::PointIndex(2, 9)], 30.7);
  EXPECT_EQ(level::XByte(2, 9), 31);
  EXPECT_EQ(level::YByte(2, 9), 40);
  EXPECT_EQ(level::ShapeByte(level::kHeight, 2), 77);
  // Only the table came in: the ROM's signature and game data stay zero.
  const std::vector<std::uint8_t> image = Image();
  EXPECT_TRUE(std::all_of(image.begin(), image.begin() + level::kLevelTableOffset,
                          [](std::uint8_t b) { return b == 0; }));
  EXPECT_TRUE(std::all_of(image.begin() + level::kLevelTableOffset + level::kLevelTableSize,
                          image.end(), [](std::uint8_t b) { return b == 0; }));
  ASSERT_EQ(host.file_dialogs.size(), 1u);
  const testing_support::ShownFileDialog& dialog = host.file_dialogs[0];
  EXPECT_FALSE(dialog.save);
  EXPECT_EQ(dialog.request.title, "Load TLD File");
  EXPECT_EQ(dialog.request.filter_description, "TLD Files (*.TLD)");
  EXPECT_EQ(dialog.request.filter_pattern, "*.TLD");
  EXPECT_EQ(dialog.request.default_extension, "");
  EXPECT_EQ(dialog.request.flags, kOpenFlags);

  // Further presses count only after the button has come up once.
  host.PressButton(WM_LBUTTONDOWN, 30, 40, MK_LBUTTON);
  host.HandleMessages();
  EXPECT_EQ(app::mouse.buttons, 0u);
}

TEST_F(LevelFileTest, ShortFileReplacesOnlyTheBytesItHoldsAndLongOnesAreCutAtTheFormat) {
  StartFromRomInViewMode();
  const std::vector<std::uint8_t> rom = Image();
  const double old_x5 = level::accurate_x[5];
  ASSERT_EQ(old_x5, 40.0);

  // Five whole X coordinates and three bytes of the sixth.
  std::vector<std::uint8_t> bytes = LevelFileBuilder()
                                        .Point(0, 0, 100.25, 0)
                                        .Point(0, 1, 101.5, 0)
                                        .Point(0, 2, 102.75, 0)
                                        .Point(0, 3, -1.0, 0)
                                        .Point(0, 4, 260.0, 0)
                                        .Point(0, 5, 0.1, 0)
                                        .Bytes();
  bytes.resize(LevelFileX(5) + 3);
  WriteFileBytes(temp.File("short.TLD"), bytes);
  Load(temp.File("short.TLD"));

  EXPECT_TRUE(host.message_boxes.empty());
  EXPECT_EQ(app::editor.editor_mode, app::kLevelSelectMode);
  const std::vector<double> whole{100.25, 101.5, 102.75, -1.0, 260.0};
  for (int point = 0; point < 5; ++point) {
    EXPECT_EQ(level::accurate_x[point], whole[static_cast<std::size_t>(point)]);
  }
  std::vector<std::uint8_t> spliced = DoubleBytes(old_x5);
  const std::vector<std::uint8_t> new_x5 = DoubleBytes(0.1);
  std::copy_n(new_x5.begin(), 3, spliced.begin());
  EXPECT_EQ(Bits(level::accurate_x[5]), Bits(DoubleAt(spliced, 0)));
  EXPECT_NE(level::accurate_x[5], old_x5);
  for (int point = 6; point < level::kPointsPerShape; ++point) {
    EXPECT_EQ(level::accurate_x[point], 40.0);
  }
  for (int point = 0; point < level::kPointsPerShape; ++point) {
    EXPECT_EQ(level::accurate_y[point], 50.0);
  }
  // The table is the ROM's but for the X bytes rounded from what came in.
  std::vector<std::uint8_t> expected = rom;
  const std::vector<std::uint8_t> rounded{100, 102, 103, 0, 255, 40};
  for (std::size_t point = 0; point < rounded.size(); ++point) {
    expected[ImageOffset(level::kXBytes + static_cast<int>(point))] = rounded[point];
  }
  EXPECT_EQ(Image(), expected);

  // A file of the signature alone changes no data; one longer than the format is read only
  // as far as the format goes.
  const std::vector<std::uint8_t> before = Image();
  WriteFileBytes(temp.File("bare.TLD"), {'T', 'L', 'D'});
  Load(temp.File("bare.TLD"));
  EXPECT_TRUE(host.message_boxes.empty());
  EXPECT_EQ(Image(), before);
  std::vector<std::uint8_t> longer =
      LevelFileBuilder().AllAt(6, 60.0, 61.0).TableByte(level::kOpenFlag + 6, 255).Bytes();
  longer.resize(6000, 0xEE);
  WriteFileBytes(temp.File("long.TLD"), longer);
  Load(temp.File("long.TLD"));
  EXPECT_TRUE(host.message_boxes.empty());
  EXPECT_EQ(level::ShapeByte(level::kLevelScale, 0), 0);  // the ROM's 21 replaced
  EXPECT_EQ(level::XByte(6, 15), 60);
  EXPECT_EQ(level::YByte(6, 15), 61);
  EXPECT_EQ(level::ShapeByte(level::kOpenFlag, 6), 255);
  EXPECT_EQ(level::accurate_x[0], 0.0);
}

TEST_F(LevelFileTest, FileWithoutTheExactSignatureIsRefusedAndChangesNothing) {
  StartFromRomInViewMode();
  std::vector<std::uint8_t> lower = LevelFileBuilder().AllAt(0, 9.0, 9.0).Bytes();
  lower[0] = 't';
  lower[1] = 'l';
  lower[2] = 'd';
  std::vector<std::uint8_t> mixed = LevelFileBuilder().AllAt(0, 9.0, 9.0).Bytes();
  mixed[2] = 'd';
  std::vector<std::uint8_t> shifted{' '};
  shifted.insert(shifted.end(), mixed.begin(), mixed.end());
  shifted[3] = 'D';
  const std::vector<std::vector<std::uint8_t>> files{lower, mixed, shifted, {'T', 'L'}, {}};
  const EditorSnapshot before;

  for (std::size_t i = 0; i < files.size(); ++i) {
    SCOPED_TRACE(i);
    host.message_boxes.clear();
    const std::string path = temp.File("bad" + std::to_string(i) + ".TLD");
    WriteFileBytes(path, files[i]);
    Load(path);
    ExpectOnlyMessage("Not a valid TLD file");
    ExpectUnchanged(before);
  }
}

TEST_F(LevelFileTest, CancelledOrUnopenableLoadChangesNothing) {
  StartFromRomInViewMode();
  const EditorSnapshot before;

  host.AnswerFileDialog(std::nullopt);
  host.ChooseMenuItem(resources::kLoadTld);
  host.HandleMessages();
  EXPECT_TRUE(host.message_boxes.empty());
  ExpectUnchanged(before);

  const std::filesystem::path folder = temp.Path() / "folder.TLD";
  std::filesystem::create_directory(folder);
  for (const std::string& path : {temp.File("missing.TLD"), folder.string()}) {
    SCOPED_TRACE(path);
    host.message_boxes.clear();
    Load(path);
    ExpectOnlyMessage("Could not open \"" + path + "\".");
    ExpectUnchanged(before);
  }
}

TEST_F(LevelFileTest, LevelFileLoadedOverARomGoesIntoTheNextRomSave) {
  const LevelRomBuilder rom = LevelRomBuilder().Points(4, testing_support::AllAt(1, 2));
  testing_support::LoadLevelRomFile(host, rom.WriteTo(temp, "game.118"));
  const LevelFileBuilder file = AwkwardFile()
                                    .AllAt(4, 200.6, 10.4)
                                    .TableByte(level::kLevelScale + 4, 33)
                                    .TableByte(level::kLevelToShapeMap + 0, 4);
  Load(file.WriteTo(temp, "tubes.TLD"));
  EXPECT_FALSE(Grayed(resources::kSaveRom));
  EXPECT_FALSE(Grayed(resources::kHackArcadeHits));

  testing_support::SaveLevelRomFile(host, temp.File("out.118"));

  EXPECT_TRUE(host.message_boxes.empty());
  const std::vector<std::uint8_t> saved = ReadFileBytes(temp.File("out.118"));
  ASSERT_EQ(saved.size(), static_cast<std::size_t>(level::kLevelRomSize));
  for (std::size_t offset = 0; offset < saved.size(); ++offset) {
    if (offset < ImageOffset(0) || offset >= ImageOffset(level::kLevelTableSize)) {
      EXPECT_EQ(saved[offset], rom.Bytes()[offset]) << "game data at " << offset;
    }
  }
  EXPECT_EQ(saved[ImageOffset(level::kXBytes + level::PointIndex(4, 7))], 201);
  EXPECT_EQ(saved[ImageOffset(level::kYBytes + level::PointIndex(4, 7))], 10);
  EXPECT_EQ(saved[ImageOffset(level::kLevelScale + 4)], 33);
  EXPECT_EQ(saved[ImageOffset(level::kLevelToShapeMap + 0)], 4);
  EXPECT_EQ(saved[ImageOffset(level::kLengthFactorHigh + 1)], 5);
  EXPECT_EQ(saved[ImageOffset(level::kLengthFactorLow + 1)], 48);
  EXPECT_EQ(saved[ImageOffset(level::kSegmentDirections + level::PointIndex(1, 15))], 8);
}

TEST_F(LevelFileTest, CancelledSaveWritesAndDerivesNothing) {
  Load(AwkwardFile().WriteTo(temp, "in.TLD"));
  const EditorSnapshot before;

  host.AnswerFileDialog(std::nullopt);
  host.ChooseMenuItem(resources::kSaveTld);
  host.HandleMessages();

  ExpectUnchanged(before);
  EXPECT_EQ(FileNames(temp.Path()), std::vector<std::string>{"in.TLD"});
  EXPECT_TRUE(host.message_boxes.empty());
}

TEST_F(LevelFileTest, FailedSaveIsReportedAndWritesNothing) {
  Load(AwkwardFile().WriteTo(temp, "in.TLD"));
  const std::filesystem::path folder = temp.Path() / "taken.TLD";
  std::filesystem::create_directory(folder);

  for (const std::string& path : {temp.File("no such folder/out.TLD"), folder.string()}) {
    SCOPED_TRACE(path);
    host.message_boxes.clear();
    Save(path);
    ExpectOnlyMessage("Could not write \"" + path + "\".");
    EXPECT_EQ(FileNames(temp.Path()), (std::vector<std::string>{"in.TLD", "taken.TLD"}));
    EXPECT_TRUE(std::filesystem::is_empty(folder));
    // The table was derived all the same, as a save derives before it writes.
    EXPECT_EQ(level::ShapeByte(level::kLengthFactorLow, 1), 48);
  }
}

TEST_F(LevelFileTest, NonFiniteCoordinatesAreDrawnAndEditedSafely) {
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  LevelFileBuilder file = AwkwardFile();
  file.Point(5, 0, nan, kInfinity).Point(5, 1, -kInfinity, nan).Point(5, 2, 1e308, -1e308);
  Load(file.WriteTo(temp, "wild.TLD"));
  const EditorSnapshot loaded;

  // Level 8 uses shape 3, the awkward one; level 6 uses shape 5.
  for (const int level_index : {7, 5}) {
    SCOPED_TRACE(level_index);
    testing_support::PickLevel(host, level_index);
    for (const int display : {resources::kAccurateValues, resources::kRomValues}) {
      host.ChooseMenuItem(display);
      for (const int view : {resources::kView2D, resources::kView3D}) {
        host.ChooseMenuItem(view);
        host.RunFrames(2);
        EXPECT_TRUE(std::any_of(host.screen.begin(), host.screen.end(),
                                [](std::uint8_t pixel) { return pixel != 0; }));
      }
    }
    for (const int key : {VK_LEFT, VK_UP, VK_PRIOR, VK_NEXT, VK_ADD, VK_SUBTRACT}) {
      host.HoldKey(key);
      host.RunFrames(2);
      host.ReleaseKey(key);
    }
    host.TurnWheel(-2);
    host.RunFrames(1);
    for (const int tool : {resources::kRotate22_5, resources::kRotate90, resources::kFlipVertically,
                           resources::kFlipHorizontally, resources::kCentre, resources::kReverse}) {
      host.ChooseMenuItem(tool);
      host.RunFrames(1);
    }
    host.ChooseMenuItem(resources::kSelectLevel);
    host.RunFrames(1);
  }
  EXPECT_TRUE(host.message_boxes.empty());
  EXPECT_GT(host.blits, 0);

  // Whatever the tools made of the two shapes, the others keep their coordinates, and every
  // ROM value is the rounded, clamped coordinate (NaN counts as 0).
  const EditorSnapshot edited;
  for (int i = 0; i < level::kPointCount; ++i) {
    const int shape = i / level::kPointsPerShape;
    if (shape == 3 || shape == 5) continue;
    EXPECT_EQ(edited.accurate_x[static_cast<std::size_t>(i)],
              loaded.accurate_x[static_cast<std::size_t>(i)]);
    EXPECT_EQ(edited.accurate_y[static_cast<std::size_t>(i)],
              loaded.accurate_y[static_cast<std::size_t>(i)]);
  }
  const auto rounded = [](double v) {
    if (std::isnan(v) || v < 0.5) return 0;
    if (v >= 254.5) return 255;
    return static_cast<int>(v + 0.5);
  };
  for (const int shape : {3, 5}) {
    for (int point = 0; point < level::kPointsPerShape; ++point) {
      SCOPED_TRACE(testing::Message() << "shape " << shape << " point " << point);
      EXPECT_EQ(level::XByte(shape, point),
                rounded(level::accurate_x[level::PointIndex(shape, point)]));
      EXPECT_EQ(level::YByte(shape, point),
                rounded(level::accurate_y[level::PointIndex(shape, point)]));
    }
  }
}

TEST_F(LevelFileTest, SampleTubesHoldFractionsThatRoundToTheSampleRom) {
  const std::string samples = RIMFORGE_SAMPLES_DIR;
  const std::vector<std::uint8_t> bytes = ReadFileBytes(samples + "/rimforge_tubes.TLD");
  ASSERT_EQ(bytes.size(), testing_support::kLevelFileSize);

  Load(samples + "/rimforge_tubes.TLD");
  EXPECT_TRUE(host.message_boxes.empty());
  // The first tube is a true circle of radius 112 about the centre, which bytes cannot hold.
  for (int point = 0; point < level::kPointsPerShape; ++point) {
    const double dx = level::accurate_x[level::PointIndex(0, point)] - 128.0;
    const double dy = level::accurate_y[level::PointIndex(0, point)] - 128.0;
    EXPECT_NEAR(std::sqrt(dx * dx + dy * dy), 112.0, 1e-9) << "point " << point;
  }
  EXPECT_NE(level::accurate_x[1], std::floor(level::accurate_x[1]));
  // The same tubes as the sample ROM, which holds them rounded.
  const std::vector<std::uint8_t> rom = ReadFileBytes(samples + "/rimforge_tubes.118");
  ASSERT_EQ(rom.size(), static_cast<std::size_t>(level::kLevelRomSize));
  EXPECT_TRUE(std::equal(rom.begin() + level::kLevelTableOffset,
                         rom.begin() + level::kLevelTableOffset + level::kLevelTableSize,
                         level::level_table));

  // Its derived bytes are already in step, so saving it gives it back unchanged.
  Save(temp.File("again.TLD"));
  EXPECT_EQ(ReadFileBytes(temp.File("again.TLD")), bytes);
}

}  // namespace
