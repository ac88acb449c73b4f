// Level ROMs (.118) and level files (.TLD) as a person loads and saves them: what a load sets,
// the segment directions and length factors a save derives, the rounding of accurate
// coordinates to ROM values, and the sample files.
#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

#include "app/editor_state.h"
#include "files/level_rom_file.h"
#include "level/level_store.h"
#include "resources/command_ids.h"
#include "support/editor_test.h"

namespace {

using namespace testing_support;
using resources::kLoadRom;
using resources::kLoadTld;
using resources::kSaveRom;
using resources::kSaveTld;
using Directions = std::array<int, level::kPointsPerShape>;

// A shape's points and what a save must derive for them: 16 segment directions and the length
// factor's high and low byte.
struct Derivation {
  ShapePoints points;
  bool open;
  Directions directions;
  int high, low;
};

ShapePoints Alternating(BytePoint even, BytePoint odd) {
  ShapePoints points;
  for (std::size_t i = 0; i < points.size(); ++i)
    points[i] = i % 2 == 0 ? even : odd;
  return points;
}

ShapePoints Row() {  // 15 segments of 10 along a row, and one of 150 back
  ShapePoints points;
  for (std::size_t i = 0; i < points.size(); ++i)
    points[i] = {static_cast<std::uint8_t>(10 * i), 50};
  return points;
}

const Derivation kDerivations[] = {
    // The compass directions, zero-length segments, and the closing segment (-2, 0).
    {Walk({100, 100}, {{1, 0}, {0, 1}, {-1, 0}, {0, -1}, {1, 1}, {1, -1}}),
     false,
     {0, 4, 8, 12, 2, 14, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8},
     6,
     88},
    {AllAt(77, 200), false, {}, 6, 88},  // all coinciding: mean length 0
    {Alternating({0, 0}, {100, 0}),
     false,
     {0, 8, 0, 8, 0, 8, 0, 8, 0, 8, 0, 8, 0, 8, 0, 8},
     2,
     108},
    {Alternating({0, 0}, {255, 255}),
     false,
     {2, 10, 2, 10, 2, 10, 2, 10, 2, 10, 2, 10, 2, 10, 2, 10},
     1,
     18},
    {Row(), true, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8}, 5, 114},  // open: mean 10
    {Row(), false, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8}, 5, 48},  // closed: mean 18
    // Just either side of the sector edges at 10.125 and -12.375 degrees: 10.2, 9.6, -12.4,
    // -11.9, each followed by (-100, 0); lengths 806 in all, mean 50.
    {Walk({0, 100},
          {{100, 18}, {-100, 0}, {100, 17}, {-100, 0}, {100, -22}, {-100, 0}, {100, -21}}),
     false,
     {1, 8, 0, 8, 15, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8},
     3,
     127},
};

// The derivation shapes as shapes 0..6, with stale derived bytes everywhere and chosen view
// bytes that a save keeps.
Bytes DerivationRom() {
  LevelRomBuilder rom;
  for (int shape = 0; shape < level::kShapeCount; ++shape) {
    if (shape < static_cast<int>(std::size(kDerivations))) {
      rom.Points(shape, kDerivations[shape].points);
      if (kDerivations[shape].open) rom.Open(shape);
    }
    for (int point = 0; point < level::kPointsPerShape; ++point)
      rom.TableByte(level::kSegmentDirections + level::PointIndex(shape, point), 0x0B);
    rom.ShapeByte(level::kLengthFactorLow, shape, 0x55)
        .ShapeByte(level::kLengthFactorHigh, shape, 0x55);
    rom.ShapeByte(level::kLevelScale, shape, static_cast<std::uint8_t>(10 + shape))
        .ShapeByte(level::kOffsetLow, shape, static_cast<std::uint8_t>(0x80 + shape));
  }
  return rom.Get();
}

void ExpectDerived(const Bytes& image) {
  for (int shape = 0; shape < level::kShapeCount; ++shape) {
    SCOPED_TRACE(shape);
    const Derivation expected = shape < static_cast<int>(std::size(kDerivations))
                                    ? kDerivations[shape]
                                    : Derivation{{}, false, {}, 6, 88};  // all at (0, 0)
    Directions directions;
    for (int point = 0; point < level::kPointsPerShape; ++point)
      directions[point] =
          image[ImageOffset(level::kSegmentDirections + level::PointIndex(shape, point))];
    EXPECT_EQ(directions, expected.directions);
    EXPECT_EQ(image[ImageOffset(level::kLengthFactorHigh + shape)], expected.high);
    EXPECT_EQ(image[ImageOffset(level::kLengthFactorLow + shape)], expected.low);
  }
}

bool IsDerivedByte(std::size_t offset) {
  const auto in = [offset](int first, int size) {
    return offset >= ImageOffset(first) && offset < ImageOffset(first + size);
  };
  return in(level::kSegmentDirections, level::kPointCount) || in(level::kLengthFactorLow, 32);
}

Bytes Image() {
  return {level::level_rom_image.begin(), level::level_rom_image.end()};
}

using LevelFilesTest = EditorTest;

TEST_F(LevelFilesTest, LevelRomLoadsIntoLevelSelectAndSavesWithDerivedBytes) {
  EXPECT_TRUE(Grayed(kSaveRom) && Grayed(kSaveTld) && Grayed(resources::kHackArcadeHits));
  level::accurate_x[3] = 12.25;  // a fraction that only a load may round away
  host.PressButton(WM_LBUTTONDOWN, 30, 40, MK_LBUTTON);  // the click that closes the dialog
  const Bytes rom = DerivationRom();
  Load(kLoadRom, rom, "in.118");
  EXPECT_TRUE(host.message_boxes.empty());
  EXPECT_EQ(Image(), rom);
  EXPECT_EQ(app::editor.editor_mode, app::kLevelSelectMode);
  EXPECT_TRUE(files::level_rom_loaded);
  EXPECT_FALSE(Grayed(kSaveRom) || Grayed(kSaveTld) || Grayed(resources::kHackArcadeHits));
  for (int i = 0; i < level::kPointCount; ++i) {
    ASSERT_EQ(level::accurate_x[i], level::XByte(i / 16, i % 16));
    ASSERT_EQ(level::accurate_y[i], level::YByte(i / 16, i % 16));
  }
  // Buttons count again only after one has come up.
  EXPECT_EQ(app::mouse.buttons, 0u);
  host.PressButton(WM_LBUTTONDOWN, 30, 40, MK_LBUTTON);
  host.HandleMessages();
  EXPECT_EQ(app::mouse.buttons, 0u);
  host.ReleaseButton(WM_LBUTTONUP, 30, 40);
  host.PressButton(WM_LBUTTONDOWN, 30, 40, MK_LBUTTON);
  host.HandleMessages();
  EXPECT_EQ(app::mouse.buttons, MK_LBUTTON);

  // A cancelled save derives nothing; a save over an older file derives and writes it all.
  ChooseFile(kSaveRom, std::nullopt);
  EXPECT_EQ(Image(), rom);
  const std::string out = temp.Write("out.118", Bytes(100, 0xAA));
  ChooseFile(kSaveRom, out);
  EXPECT_TRUE(host.message_boxes.empty());
  const Bytes saved = ReadFileBytes(out);
  ASSERT_EQ(saved.size(), rom.size());
  for (std::size_t offset = 0; offset < saved.size(); ++offset) {
    if (!IsDerivedByte(offset)) {
      ASSERT_EQ(saved[offset], rom[offset]) << "offset " << offset;
    }
  }
  ExpectDerived(saved);
  EXPECT_EQ(Image(), saved);
  EXPECT_EQ(FileNames(temp.Path()), (std::vector<std::string>{"in.118", "out.118"}));
}

TEST_F(LevelFilesTest, MapEntriesAboveFifteenNameTheirShapeModuloSixteenAndAreKept) {
  Load(kLoadRom, LevelRomBuilder().Points(3, AllAt(60, 61)).LevelShape(4, 0x13).Get(), "in.118");
  PickLevel(4);
  EXPECT_EQ(level::CurrentShape(), 3);
  Choose(resources::kOpen);
  EXPECT_EQ(level::ShapeByte(level::kOpenFlag, 3), 255);
  EXPECT_EQ(level::ShapeByte(level::kOpenFlag, 4), 0);
  ChooseFile(kSaveRom, temp.File("out.118"));
  EXPECT_EQ(ReadFileBytes(temp.File("out.118")).at(ImageOffset(level::kLevelToShapeMap + 4)), 0x13);
}

// A coordinate and the ROM value it rounds to: half up, clamped to 0..255, NaN as 0.
struct Rounding {
  double value;
  std::uint8_t rom;
};
constexpr double kInfinity = std::numeric_limits<double>::infinity();
const Rounding kRoundings[] = {
    {12.25, 12},
    {-3.75, 0},
    {300.5, 255},
    {254.5, 255},
    {254.49, 254},
    {0.5, 1},
    {0.4999, 0},
    {-0.0, 0},
    {127.5, 128},
    {99.999, 100},
    {kInfinity, 255},
    {-kInfinity, 0},
    {1e300, 255},
    {-std::numeric_limits<double>::denorm_min(), 0},
    {std::bit_cast<double>(0x7FF8'0000'0000'1234ull), 0},  // quiet NaN with a payload
    {std::bit_cast<double>(0xFFF0'0000'0000'0001ull), 0},  // negative signalling NaN
};

TEST_F(LevelFilesTest, LevelFileKeepsEveryBitOfItsCoordinatesAndRoundsTheRomValues) {
  LevelFileBuilder file;
  for (int point = 0; point < level::kPointsPerShape; ++point) {
    file.Point(3, point, kRoundings[point].value, kRoundings[15 - point].value);
    file.Point(1, point, 10 * point + 0.3, 50.2);  // the closed row of the derivations
  }
  file.TableByte(level::kOpenFlag + 3, 255).TableByte(level::kHeight + 2, 77);
  const Bytes input = file.Get();
  Load(kLoadTld, input, "in.TLD");
  EXPECT_TRUE(host.message_boxes.empty());
  EXPECT_EQ(app::editor.editor_mode, app::kLevelSelectMode);
  // Without a level ROM only the level file can be saved, and the image holds only the table.
  EXPECT_TRUE(!Grayed(kSaveTld) && Grayed(kSaveRom) && Grayed(resources::kHackArcadeHits));
  EXPECT_FALSE(files::level_rom_loaded);
  const Bytes image = Image();
  for (std::size_t i = 0; i < image.size(); ++i) {
    if (i < ImageOffset(0) || i >= ImageOffset(level::kLevelTableSize)) {
      ASSERT_EQ(image[i], 0) << i;
    }
  }
  EXPECT_EQ(level::ShapeByte(level::kHeight, 2), 77);
  for (int point = 0; point < level::kPointsPerShape; ++point) {
    EXPECT_EQ(level::XByte(3, point), kRoundings[point].rom) << point;
    EXPECT_EQ(level::YByte(3, point), kRoundings[15 - point].rom) << point;
    EXPECT_EQ(level::XByte(1, point), 10 * point);
  }

  const std::string out = temp.Write("out.TLD", Bytes(30, 0xAA));
  ChooseFile(kSaveTld, out);
  const Bytes saved = ReadFileBytes(out);
  ASSERT_EQ(saved.size(), kLevelFileSize);
  EXPECT_TRUE(std::equal(saved.begin(), saved.begin() + LevelFileTable(0), input.begin()));
  EXPECT_TRUE(std::equal(saved.begin() + LevelFileTable(0), saved.end(), level::level_table));
  EXPECT_EQ(saved[LevelFileTable(level::kLengthFactorLow + 1)], 48);
  EXPECT_EQ(saved[LevelFileTable(level::kSegmentDirections + level::PointIndex(1, 15))], 8);

  // Something else in between, then the saved file again: the same bits, NaN payloads too.
  Load(kLoadTld, LevelFileBuilder().AllAt(3, 1.0, 1.0).Get(), "other.TLD");
  ChooseFile(kLoadTld, out);
  for (int i = 0; i < level::kPointCount; ++i) {
    ASSERT_EQ(std::bit_cast<std::uint64_t>(level::accurate_x[i]),
              std::bit_cast<std::uint64_t>(DoubleAt(input, LevelFileX(i))));
    ASSERT_EQ(std::bit_cast<std::uint64_t>(level::accurate_y[i]),
              std::bit_cast<std::uint64_t>(DoubleAt(input, LevelFileY(i))));
  }
}

TEST_F(LevelFilesTest, LevelFileOverALevelRomGoesIntoTheNextRomSave) {
  const Bytes rom = LevelRomBuilder().Points(4, AllAt(1, 2)).Get();
  Load(kLoadRom, rom, "game.118");
  Load(kLoadTld,
       LevelFileBuilder().AllAt(4, 200.6, 10.4).TableByte(level::kLevelScale + 4, 33).Get(),
       "tubes.TLD");
  EXPECT_FALSE(Grayed(kSaveRom) || Grayed(resources::kHackArcadeHits));
  ChooseFile(kSaveRom, temp.File("out.118"));
  const Bytes saved = ReadFileBytes(temp.File("out.118"));
  ASSERT_EQ(saved.size(), rom.size());
  for (std::size_t offset = 0; offset < saved.size(); ++offset) {
    if (offset < ImageOffset(0) || offset >= ImageOffset(level::kLevelTableSize)) {
      ASSERT_EQ(saved[offset], rom[offset]) << "game data at " << offset;
    }
  }
  EXPECT_EQ(saved[ImageOffset(level::kXBytes + level::PointIndex(4, 7))], 201);
  EXPECT_EQ(saved[ImageOffset(level::kYBytes + level::PointIndex(4, 7))], 10);
  EXPECT_EQ(saved[ImageOffset(level::kLevelScale + 4)], 33);
  EXPECT_EQ(saved[ImageOffset(level::kLengthFactorLow + 4)], 88);
}

TEST_F(LevelFilesTest, SampleLevelFileHoldsTheSampleRomsTubesUnroundedAndBothSaveUnchanged) {
  const std::string samples = RIMFORGE_SAMPLES_DIR;
  ChooseFile(kLoadTld, samples + "/rimforge_tubes.TLD");
  // The first tube is a true circle of radius 112 about the centre, which bytes cannot hold.
  for (int point = 0; point < level::kPointsPerShape; ++point) {
    EXPECT_NEAR(std::hypot(level::accurate_x[point] - 128.0, level::accurate_y[point] - 128.0),
                112.0, 1e-9);
  }
  EXPECT_NE(level::accurate_x[1], std::floor(level::accurate_x[1]));
  const Bytes rom = ReadFileBytes(samples + "/rimforge_tubes.118");
  EXPECT_TRUE(std::equal(rom.begin() + 380, rom.begin() + 380 + 896, level::level_table));
  // Their derived bytes are in step, so saving gives each back unchanged.
  ChooseFile(kSaveTld, temp.File("again.TLD"));
  EXPECT_EQ(ReadFileBytes(temp.File("again.TLD")), ReadFileBytes(samples + "/rimforge_tubes.TLD"));
  ChooseFile(kLoadRom, samples + "/rimforge_tubes.118");
  ChooseFile(kSaveRom, temp.File("again.118"));
  EXPECT_EQ(ReadFileBytes(temp.File("again.118")), rom);
  EXPECT_TRUE(host.message_boxes.empty());
}

}  // namespace
