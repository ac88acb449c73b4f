#include "files/level_rom_file.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/editor_state.h"
#include "app/menu_model.h"
#include "level/level_store.h"
#include "resources/command_ids.h"
#include "support/editor_test.h"
#include "support/level_rom_builder.h"

namespace {

using testing_support::FileNames;

using testing_support::AllAt;
using testing_support::ImageOffset;
using testing_support::LevelRomBuilder;
using testing_support::ReadFileBytes;
using testing_support::ShapePoints;
using testing_support::Walk;
using testing_support::WriteFileBytes;

constexpr UINT kOpenFlags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
constexpr UINT kSaveFlags =
    OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
constexpr UINT kWarning = MB_OK | MB_ICONEXCLAMATION;

using Directions = std::array<int, level::kPointsPerShape>;

// What a shape's points must save as: its 16 segment directions and its length factor.
struct DerivedBytes {
  Directions directions;
  int high;
  int low;
};

// The segments (1,0), (0,1), (-1,0), (0,-1), (1,1), (1,-1), then zero-length ones, and the
// closing segment (-2,0).
ShapePoints CompassPoints() {
  return Walk({100, 100}, {{1, 0}, {0, 1}, {-1, 0}, {0, -1}, {1, 1}, {1, -1}});
}
constexpr DerivedBytes kCompassDerived{{0, 4, 8, 12, 2, 14, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8}, 6, 88};

// Segments just either side of the sector edges at 10.125 and -12.375 degrees, each followed by
// (-100,0): (100,18) 10.2, (100,17) 9.6, (100,-22) -12.4, (100,-21) -11.9; closing (-100,8).
ShapePoints SectorEdgePoints() {
  return Walk({0, 100},
              {{100, 18}, {-100, 0}, {100, 17}, {-100, 0}, {100, -22}, {-100, 0}, {100, -21}});
}
// Lengths 101+100+101+100+102+100+102+0*8+100 = 806, mean 50: factor 511.
constexpr DerivedBytes kSectorEdgeDerived{
    {1, 8, 0, 8, 15, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8}, 3, 127};

ShapePoints Alternating(testing_support::BytePoint even, testing_support::BytePoint odd) {
  ShapePoints points;
  for (std::size_t i = 0; i < points.size(); ++i) {
    points[i] = i % 2 == 0 ? even : odd;
  }
  return points;
}

// Points 10 apart along a row: 15 segments of 10, and a closing one of 150 back to the start.
ShapePoints Row() {
  ShapePoints points;
  for (std::size_t i = 0; i < points.size(); ++i) {
    points[i] = {static_cast<std::uint8_t>(10 * i), 50};
  }
  return points;
}

Directions Repeat(int even, int odd) {
  Directions directions;
  for (std::size_t i = 0; i < directions.size(); ++i) {
    directions[i] = i % 2 == 0 ? even : odd;
  }
  return directions;
}

constexpr Directions kRowDirections{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8};

// A ROM whose shapes cover the examples of the derivations, with stale derived bytes that a
// save must replace, and chosen view bytes that it must keep.
struct DerivationCase {
  ShapePoints points;
  bool open;
  DerivedBytes expected;
};

std::vector<DerivationCase> DerivationCases() {
  return {
      {CompassPoints(), false, kCompassDerived},
      {AllAt(77, 200), false, {Repeat(0, 0), 6, 88}},                    // coinciding: mean 0
      {Alternating({0, 0}, {100, 0}), false, {Repeat(0, 8), 2, 108}},    // mean 100
      {Alternating({0, 0}, {255, 255}), false, {Repeat(2, 10), 1, 18}},  // mean 360
      {Row(), true, {kRowDirections, 5, 114}},  // open: 15 segments of 10, mean 10
      {Row(), false, {kRowDirections, 5, 48}},  // closed: (150 + 150) / 16 = 18
      {SectorEdgePoints(), false, kSectorEdgeDerived},
  };
}

LevelRomBuilder DerivationRom() {
  LevelRomBuilder rom;
  const std::vector<DerivationCase> cases = DerivationCases();
  for (int shape = 0; shape < level::kShapeCount; ++shape) {
    if (shape < static_cast<int>(cases.size())) {
      rom.Points(shape, cases[static_cast<std::size_t>(shape)].points);
      if (cases[static_cast<std::size_t>(shape)].open) rom.Open(shape);
    }
    for (int point = 0; point < level::kPointsPerShape; ++point) {
      rom.TableByte(level::kSegmentDirections + level::PointIndex(shape, point), 0x0B);
    }
    rom.ShapeByte(level::kLengthFactorLow, shape, 0x55)
        .ShapeByte(level::kLengthFactorHigh, shape, 0x55)
        .ShapeByte(level::kLevelScale, shape, static_cast<std::uint8_t>(10 + shape))
        .ShapeByte(level::kHeight, shape, static_cast<std::uint8_t>(100 + shape))
        .ShapeByte(level::kOffsetLow, shape, static_cast<std::uint8_t>(0x80 + shape))
        .ShapeByte(level::kOffsetHigh, shape, 0xFF);
  }
  return rom;
}

DerivedBytes SavedDerivedBytes(const std::vector<std::uint8_t>& file, int shape) {
  DerivedBytes derived{};
  for (int point = 0; point < level::kPointsPerShape; ++point) {
    derived.directions[static_cast<std::size_t>(point)] =
        file[ImageOffset(level::kSegmentDirections + level::PointIndex(shape, point))];
  }
  derived.high = file[ImageOffset(level::kLengthFactorHigh + shape)];
  derived.low = file[ImageOffset(level::kLengthFactorLow + shape)];
  return derived;
}

bool IsDerivedByte(std::size_t image_offset) {
  const auto in = [&](int table_offset, int size) {
    return image_offset >= ImageOffset(table_offset) &&
           image_offset < ImageOffset(table_offset + size);
  };
  return in(level::kSegmentDirections, level::kPointCount) ||
         in(level::kLengthFactorLow, level::kShapeCount) ||
         in(level::kLengthFactorHigh, level::kShapeCount);
}

std::vector<std::uint8_t> Image() {
  return {level::level_rom_image.begin(), level::level_rom_image.end()};
}

// Every item of both menus, flattened, so that two menu states can be compared.
struct ItemState {
  int id;
  std::string text;
  bool grayed;
  bool checked;
  bool radio;
  bool operator==(const ItemState&) const = default;
};

void Flatten(const app::Menu& menu, std::vector<ItemState>& items) {
  for (const app::MenuItem& item : menu.items) {
    items.push_back({item.id, item.text, item.grayed, item.checked, item.radio});
    if (item.submenu) Flatten(*item.submenu, items);
  }
}

std::vector<ItemState> MenuStates() {
  std::vector<ItemState> items;
  Flatten(app::MainMenu(), items);
  Flatten(app::PopupMenu(), items);
  return items;
}

// All that a load may change.
struct EditorSnapshot {
  std::vector<std::uint8_t> image = Image();
  std::array<double, level::kPointCount> accurate_x = level::accurate_x;
  std::array<double, level::kPointCount> accurate_y = level::accurate_y;
  std::vector<ItemState> menus = MenuStates();
  std::int32_t editor_mode = app::editor.editor_mode;
  bool ignore_buttons = app::mouse.ignore_buttons;
  bool loaded = files::level_rom_loaded;
};

void ExpectUnchanged(const EditorSnapshot& before) {
  const EditorSnapshot now;
  EXPECT_EQ(now.image, before.image);
  EXPECT_EQ(now.accurate_x, before.accurate_x);
  EXPECT_EQ(now.accurate_y, before.accurate_y);
  EXPECT_TRUE(now.menus == before.menus);
  EXPECT_EQ(now.editor_mode, before.editor_mode);
  EXPECT_EQ(now.ignore_buttons, before.ignore_buttons);
  EXPECT_EQ(now.loaded, before.loaded);
}

class LevelRomFileTest : public testing_support::EditorTest {
 protected:
  void Load(const std::string& path) { testing_support::LoadLevelRomFile(host, path); }
  void Save(const std::string& path) { testing_support::SaveLevelRomFile(host, path); }

  // Fractions that only a load may round away.
  void GiveAccurateFractions() {
    level::accurate_x[3] = 12.25;
    level::accurate_y[200] = 99.75;
  }
};

TEST_F(LevelRomFileTest, LoadThenSaveKeepsEveryByteButTheDerivedOnes) {
  const LevelRomBuilder rom = DerivationRom();
  Load(rom.WriteTo(temp, "in.118"));
  ASSERT_TRUE(host.message_boxes.empty());
  const std::string out = temp.File("out.118");
  WriteFileBytes(out, std::vector<std::uint8_t>(100, 0xAA));  // an older file, replaced

  Save(out);

  EXPECT_TRUE(host.message_boxes.empty());
  const std::vector<std::uint8_t> saved = ReadFileBytes(out);
  ASSERT_EQ(saved.size(), static_cast<std::size_t>(level::kLevelRomSize));
  for (std::size_t offset = 0; offset < saved.size(); ++offset) {
    if (!IsDerivedByte(offset)) {
      EXPECT_EQ(saved[offset], rom.Bytes()[offset]) << "offset " << offset;
    }
  }
  const std::vector<DerivationCase> cases = DerivationCases();
  for (int shape = 0; shape < level::kShapeCount; ++shape) {
    const DerivedBytes expected = shape < static_cast<int>(cases.size())
                                      ? cases[static_cast<std::size_t>(shape)].expected
                                      : DerivedBytes{Repeat(0, 0), 6, 88};  // all at (0, 0)
    const DerivedBytes got = SavedDerivedBytes(saved, shape);
    EXPECT_EQ(got.directions, expected.directions) << "shape " << shape;
    EXPECT_EQ(got.high, expected.high) << "shape " << shape;
    EXPECT_EQ(got.low, expected.low) << "shape " << shape;
  }
  // The image keeps the derived bytes, and no temporary file is left beside the saved one.
  EXPECT_EQ(Image(), saved);
  EXPECT_EQ(FileNames(temp.Path()), (std::vector<std::string>{"in.118", "out.118"}));
  ASSERT_EQ(host.file_dialogs.size(), 2u);
  const testing_support::ShownFileDialog& dialog = host.file_dialogs[1];
  EXPECT_TRUE(dialog.save);
  EXPECT_EQ(dialog.request.title, "Save ROM 118 File");
  EXPECT_EQ(dialog.request.filter_description, "ROM 118 Files (*.118)");
  EXPECT_EQ(dialog.request.filter_pattern, "*.118");
  EXPECT_EQ(dialog.request.default_extension, "118");
  EXPECT_EQ(dialog.request.flags, kSaveFlags);
}

TEST_F(LevelRomFileTest, LoadEntersLevelSelectAndEnablesTheSaves) {
  EXPECT_TRUE(Grayed(resources::kSaveRom));
  EXPECT_TRUE(Grayed(resources::kSaveTld));
  EXPECT_TRUE(Grayed(resources::kHackArcadeHits));
  host.PressButton(WM_LBUTTONDOWN, 30, 40, MK_LBUTTON);  // the click that closes the dialog
  GiveAccurateFractions();
  const LevelRomBuilder rom = LevelRomBuilder().Points(0, AllAt(12, 250)).Points(12, AllAt(7, 8));

  Load(rom.WriteTo(temp, "tubes.118"));

  EXPECT_TRUE(host.message_boxes.empty());
  EXPECT_EQ(Image(), rom.Bytes());
  EXPECT_EQ(app::editor.editor_mode, app::kLevelSelectMode);
  EXPECT_EQ(app::mouse.buttons, 0u);
  EXPECT_TRUE(app::mouse.ignore_buttons);
  EXPECT_TRUE(files::level_rom_loaded);
  EXPECT_FALSE(Grayed(resources::kSaveRom));
  EXPECT_FALSE(Grayed(resources::kSaveTld));
  EXPECT_FALSE(Grayed(resources::kHackArcadeHits));
  EXPECT_TRUE(Grayed(resources::kCopy));
  for (int i = 0; i < level::kPointCount; ++i) {
    EXPECT_EQ(level::accurate_x[i], level::XByte(i / 16, i % 16));
    EXPECT_EQ(level::accurate_y[i], level::YByte(i / 16, i % 16));
  }
  EXPECT_EQ(level::accurate_x[level::PointIndex(12, 5)], 7.0);
  ASSERT_EQ(host.file_dialogs.size(), 1u);
  const testing_support::ShownFileDialog& dialog = host.file_dialogs[0];
  EXPECT_FALSE(dialog.save);
  EXPECT_EQ(dialog.request.title, "Load ROM 118 File");
  EXPECT_EQ(dialog.request.filter_description, "ROM 118 Files (*.118)");
  EXPECT_EQ(dialog.request.filter_pattern, "*.118");
  EXPECT_EQ(dialog.request.default_extension, "118");
  EXPECT_EQ(dialog.request.flags, kOpenFlags);

  // Further presses count only after the button has come up once.
  host.PressButton(WM_LBUTTONDOWN, 30, 40, MK_LBUTTON);
  host.HandleMessages();
  EXPECT_EQ(app::mouse.buttons, 0u);
  host.ReleaseButton(WM_LBUTTONUP, 30, 40);
  host.PressButton(WM_LBUTTONDOWN, 30, 40, MK_LBUTTON);
  host.HandleMessages();
  EXPECT_EQ(app::mouse.buttons, MK_LBUTTON);
}

TEST_F(LevelRomFileTest, FileWithoutTheSignatureIsRefusedAndChangesNothing) {
  std::vector<std::uint8_t> wrong = LevelRomBuilder().Points(1, AllAt(9, 9)).Bytes();
  wrong[3] = 0x3D;
  const std::vector<std::vector<std::uint8_t>> files{wrong, {0x3B, 0x01, 0xCE}, {}};
  GiveAccurateFractions();
  const EditorSnapshot before;

  for (std::size_t i = 0; i < files.size(); ++i) {
    SCOPED_TRACE(i);
    host.message_boxes.clear();
    const std::string path = temp.File("bad" + std::to_string(i) + ".118");
    WriteFileBytes(path, files[i]);
    Load(path);
    ExpectOnlyMessage("Not a valid Tempest ROM 118 file");
    ExpectUnchanged(before);
  }
}

TEST_F(LevelRomFileTest, CancelledOrUnopenableLoadChangesNothing) {
  Load(LevelRomBuilder().Points(4, AllAt(40, 50)).WriteTo(temp, "first.118"));
  app::EnterViewMode();
  GiveAccurateFractions();
  const EditorSnapshot before;

  host.AnswerFileDialog(std::nullopt);
  host.ChooseMenuItem(resources::kLoadRom);
  host.HandleMessages();
  EXPECT_TRUE(host.message_boxes.empty());
  ExpectUnchanged(before);

  const std::filesystem::path folder = temp.Path() / "folder.118";
  std::filesystem::create_directory(folder);
  for (const std::string& path : {temp.File("missing.118"), folder.string()}) {
    SCOPED_TRACE(path);
    host.message_boxes.clear();
    Load(path);
    ExpectOnlyMessage("Could not open \"" + path + "\".");
    ExpectUnchanged(before);
  }
}

TEST_F(LevelRomFileTest, LoadUsesAtMostTheImageSizeAndShortFilesOverwriteOnlyWhatTheyHold) {
  std::vector<std::uint8_t> longer = LevelRomBuilder().Points(2, AllAt(20, 21)).Bytes();
  longer.resize(3000, 0xEE);
  WriteFileBytes(temp.File("long.118"), longer);
  Load(temp.File("long.118"));
  EXPECT_TRUE(host.message_boxes.empty());
  std::vector<std::uint8_t> expected(longer.begin(), longer.begin() + level::kLevelRomSize);
  EXPECT_EQ(Image(), expected);

  // The first 400 bytes reach 20 bytes into the X bytes of shape 0 and 4 into those of shape 1.
  std::vector<std::uint8_t> shorter = LevelRomBuilder().Points(1, AllAt(30, 31)).Bytes();
  for (std::size_t i = 4; i < level::kLevelTableOffset; ++i) {
    shorter[i] = 0x99;
  }
  shorter.resize(400);
  WriteFileBytes(temp.File("short.118"), shorter);
  Load(temp.File("short.118"));
  EXPECT_TRUE(host.message_boxes.empty());
  std::copy(shorter.begin(), shorter.end(), expected.begin());
  EXPECT_EQ(Image(), expected);
  EXPECT_EQ(level::accurate_x[level::PointIndex(1, 3)], 30.0);
  EXPECT_EQ(level::accurate_x[level::PointIndex(1, 4)], 0.0);
  EXPECT_EQ(level::accurate_y[level::PointIndex(2, 0)], 21.0);
}

TEST_F(LevelRomFileTest, CancelledSaveWritesAndDerivesNothing) {
  Load(DerivationRom().WriteTo(temp, "in.118"));
  const std::vector<std::uint8_t> before = Image();

  host.AnswerFileDialog(std::nullopt);
  host.ChooseMenuItem(resources::kSaveRom);
  host.HandleMessages();

  EXPECT_EQ(Image(), before);
  EXPECT_EQ(FileNames(temp.Path()), std::vector<std::string>{"in.118"});
  EXPECT_TRUE(host.message_boxes.empty());
}

TEST_F(LevelRomFileTest, FailedSaveIsReportedLeavesNoFileAndKeepsTheDerivedBytes) {
  const LevelRomBuilder rom = DerivationRom();
  Load(rom.WriteTo(temp, "in.118"));
  const std::filesystem::path folder = temp.Path() / "taken.118";
  std::filesystem::create_directory(folder);

  for (const std::string& path : {temp.File("no such folder/out.118"), folder.string()}) {
    SCOPED_TRACE(path);
    host.message_boxes.clear();
    Save(path);
    ExpectOnlyMessage("Could not write \"" + path + "\".");
    EXPECT_EQ(FileNames(temp.Path()), (std::vector<std::string>{"in.118", "taken.118"}));
    EXPECT_TRUE(std::filesystem::is_empty(folder));
    EXPECT_EQ(SavedDerivedBytes(Image(), 0).directions, kCompassDerived.directions);
    EXPECT_EQ(Image()[ImageOffset(level::kLengthFactorLow + 2)], 108);
  }
}

TEST_F(LevelRomFileTest, SaveIntoAReadOnlyFolderLeavesTheOldFileAsItWas) {
  if (geteuid() == 0) GTEST_SKIP() << "permission bits do not stop root from writing";
  Load(LevelRomBuilder().WriteTo(temp, "in.118"));
  const std::filesystem::path folder = temp.Path() / "locked";
  std::filesystem::create_directory(folder);
  const std::string old_file = (folder / "old.118").string();
  const std::vector<std::uint8_t> old_bytes(700, 0x42);
  WriteFileBytes(old_file, old_bytes);
  std::filesystem::permissions(
      folder, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);

  Save(old_file);

  std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
  ExpectOnlyMessage("Could not write \"" + old_file + "\".");
  EXPECT_EQ(ReadFileBytes(old_file), old_bytes);
  EXPECT_EQ(FileNames(folder), std::vector<std::string>{"old.118"});
}

TEST_F(LevelRomFileTest, SaveThroughALinkWritesItsFileAndKeepsLinkAndPermissions) {
  Load(DerivationRom().WriteTo(temp, "in.118"));
  const std::string real = temp.File("real.118");
  WriteFileBytes(real, std::vector<std::uint8_t>(10, 0x42));
  const auto permissions = std::filesystem::perms::owner_read |
                           std::filesystem::perms::owner_write | std::filesystem::perms::group_read;
  std::filesystem::permissions(real, permissions);
  const std::string link = temp.File("link.118");
  std::filesystem::create_symlink(real, link);

  Save(link);

  EXPECT_TRUE(host.message_boxes.empty());
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadFileBytes(real), Image());
  EXPECT_EQ(std::filesystem::status(real).permissions(), permissions);
  EXPECT_EQ(FileNames(temp.Path()), (std::vector<std::string>{"in.118", "link.118", "real.118"}));
}

TEST_F(LevelRomFileTest, MapEntriesAboveFifteenUseTheirShapeModuloSixteenAndAreSavedAsRead) {
  Load(LevelRomBuilder()
           .Points(3, AllAt(60, 61))
           .Points(4, AllAt(70, 71))
           .LevelShape(4, 0x13)
           .WriteTo(temp, "in.118"));
  app::editor.current_level = 4;
  app::EnterViewMode();

  EXPECT_EQ(level::CurrentShape(), 3);
  host.ChooseMenuItem(resources::kOpen);
  host.HandleMessages();
  EXPECT_EQ(level::ShapeByte(level::kOpenFlag, 3), 255);
  EXPECT_EQ(level::ShapeByte(level::kOpenFlag, 4), 0);

  Save(temp.File("out.118"));
  const std::vector<std::uint8_t> saved = ReadFileBytes(temp.File("out.118"));
  ASSERT_EQ(saved.size(), static_cast<std::size_t>(level::kLevelRomSize));
  EXPECT_EQ(saved[ImageOffset(level::kLevelToShapeMap + 4)], 0x13);
  EXPECT_EQ(saved[ImageOffset(level::kOpenFlag + 3)], 255);
}

TEST_F(LevelRomFileTest, SampleTubesLoadCleanlyAndAlreadyHoldTheirDerivedBytes) {
  const std::string sample = std::string(RIMFORGE_SAMPLES_DIR) + "/rimforge_tubes.118";
  const std::vector<std::uint8_t> bytes = ReadFileBytes(sample);
  ASSERT_EQ(bytes.size(), static_cast<std::size_t>(level::kLevelRomSize));
  EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 4),
            (std::vector<std::uint8_t>{0x3B, 0x01, 0xCE, 0x3C}));

  Load(sample);
  EXPECT_TRUE(host.message_boxes.empty());
  EXPECT_EQ(app::editor.editor_mode, app::kLevelSelectMode);
  int open_shapes = 0;
  for (int shape = 0; shape < level::kShapeCount; ++shape) {
    EXPECT_EQ(level::ShapeOfLevel(shape), shape);
    EXPECT_GE(level::ShapeByte(level::kLevelScale, shape), 10);
    EXPECT_LE(level::ShapeByte(level::kLevelScale, shape), 30);
    open_shapes += level::IsOpen(shape) ? 1 : 0;
  }
  EXPECT_GT(open_shapes, 0);
  EXPECT_LT(open_shapes, level::kShapeCount);

  // Saving derives every shape again; a sample made right comes back unchanged.
  Save(temp.File("again.118"));
  EXPECT_EQ(ReadFileBytes(temp.File("again.118")), bytes);
}

}  // namespace
