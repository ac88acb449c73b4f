// Level ROMs (.118) and level files (.TLD) as a person loads and saves them.
#include <bit>
#include <limits>

#include "app/editor_state.h"
#include "files/level_rom_file.h"
#include "resources/command_ids.h"
#include "support/editor_test.h"

namespace {

using namespace testing_support;
using namespace resources;

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

// Shapes and what a save derives for them: the 16 segment directions as the hex digits of a
// number, and the length factor's high and low byte.
const struct {
  ShapePoints points;
  bool open;
  std::uint64_t directions;
  int high, low;
} kDerivations[] = {
    // The compass directions, zero-length segments, and the closing segment (-2, 0).
    {Walk({100, 100}, {{1, 0}, {0, 1}, {-1, 0}, {0, -1}, {1, 1}, {1, -1}}), false,
     0x048c2e0000000008, 6, 88},
    {AllAt(77, 200), false, 0, 6, 88},  // mean length 0
    {Alternating({0, 0}, {100, 0}), false, 0x0808080808080808, 2, 108},
    {Alternating({0, 0}, {255, 255}), false, 0x2a2a2a2a2a2a2a2a, 1, 18},
    {Row(), true, 8, 5, 114},  // open: mean 10
    {Row(), false, 8, 5, 48},  // closed: mean 18
    // Just either side of the sector edges at 10.125 and -12.375 degrees: 10.2, 9.6, -12.4,
    // -11.9, each followed by (-100, 0); lengths 806 in all, mean 50.
    {Walk({0, 100},
          {{100, 18}, {-100, 0}, {100, 17}, {-100, 0}, {100, -22}, {-100, 0}, {100, -21}}),
     false, 0x1808f80000000008, 3, 127},
};

Bytes Image() {
  return {level::level_rom_image.begin(), level::level_rom_image.end()};
}

using LevelFilesTest = EditorTest;

// The derivation shapes over and over; level 8 names shape 3 by the map entry 0x13, as a file
// from elsewhere may. Stale derived bytes, or those a save derives.
Bytes Rom(bool derived) {
  LevelRomBuilder builder;
  for (int shape = 0; shape < level::kShapeCount; ++shape) {
    const auto& [points, open, directions, high, low] = kDerivations[shape % 7];
    builder.Points(shape, points);
    if (open) builder.Open(shape);
    for (int point = 0; point < level::kPointsPerShape; ++point)
      builder.TableByte(level::kSegmentDirections + level::PointIndex(shape, point),
                        derived ? directions >> (60 - 4 * point) & 15 : 11);
    builder.ShapeByte(level::kLengthFactorLow, shape, derived ? low : 0x55)
        .ShapeByte(level::kLengthFactorHigh, shape, derived ? high : 0x55);
  }
  return builder.LevelShape(8, 0x13).Get();
}

TEST_F(LevelFilesTest, LevelRomLoadsIntoLevelSelectAndSavesWithDerivedBytes) {
  const Bytes rom = Rom(false);
  EXPECT_TRUE(Grayed(kSaveRom) && Grayed(kSaveTld) && Grayed(kHackArcadeHits));
  level::accurate_x[3] = 12.25;  // a fraction that only a load may round away
  Load(kLoadRom, rom, "in.118");
  EXPECT_EQ(Image(), rom);
  EXPECT_EQ(app::editor.editor_mode, app::kLevelSelectMode);
  EXPECT_TRUE(files::level_rom_loaded && !Grayed(kSaveRom) && !Grayed(kSaveTld) &&
              !Grayed(kHackArcadeHits));
  for (int i = 0; i < level::kPointCount; ++i) {
    ASSERT_EQ(level::accurate_x[i], level::XByte(i / 16, i % 16));
    ASSERT_EQ(level::accurate_y[i], level::YByte(i / 16, i % 16));
  }
  PickLevel(8);
  EXPECT_EQ(level::CurrentShape(), 3);

  // A cancelled save derives nothing; a save over an older file derives and writes it all.
  ChooseFile(kSaveRom, std::nullopt);
  EXPECT_EQ(Image(), rom);
  const std::string out = temp.Write("out.118", Bytes(100, 0xAA));
  ChooseFile(kSaveRom, out);
  const Bytes saved = ReadFileBytes(out);
  EXPECT_EQ(Image(), saved);
  const Bytes expected = Rom(true);
  ASSERT_EQ(saved.size(), expected.size());
  for (std::size_t offset = 0; offset < saved.size(); ++offset)
    ASSERT_EQ(saved[offset], expected[offset]) << "offset " << offset;
  EXPECT_EQ(FileNames(temp.Path()), (std::vector<std::string>{"in.118", "out.118"}));
}

// Coordinates at the edges of rounding, of the range and of the doubles: a quiet NaN with a
// payload and a negative signalling NaN too.
constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kDenormal = std::numeric_limits<double>::denorm_min();
constexpr double kNaN = std::bit_cast<double>(0x7FF8'0000'0000'1234ull);
constexpr double kSignallingNaN = std::bit_cast<double>(0xFFF0'0000'0000'0001ull);
const double kCoordinates[] = {12.25,  -3.75,      300.5, 254.5,         254.49,    0.5,
                               0.4999, -0.0,       127.5, 99.999,        kInfinity, -kInfinity,
                               1e300,  -kDenormal, kNaN,  kSignallingNaN};

TEST_F(LevelFilesTest, LevelFileKeepsEveryBitOfItsCoordinatesAndRoundsTheRomValues) {
  LevelFileBuilder file;
  for (int point = 0; point < level::kPointsPerShape; ++point) {
    file.Point(3, point, kCoordinates[point], kCoordinates[15 - point]);
    file.Point(1, point, 10 * point + 0.3, 50.2);  // the closed row of the derivations
  }
  const Bytes input = file.TableByte(level::kHeight + 2, 77).Get();
  Load(kLoadTld, input, "in.TLD");
  EXPECT_EQ(app::editor.editor_mode, app::kLevelSelectMode);
  // Without a level ROM only the level file can be saved, and the image holds only the table.
  EXPECT_TRUE(!Grayed(kSaveTld) && Grayed(kSaveRom) && Grayed(kHackArcadeHits) &&
              !files::level_rom_loaded);
  Bytes zeros = Image();
  std::fill_n(zeros.begin() + 380, level::kLevelTableSize, 0);
  EXPECT_EQ(zeros, Bytes(2048, 0));
  EXPECT_EQ(level::ShapeByte(level::kHeight, 2), 77);
  ExpectRomValuesRounded();
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
  const auto bits = [](double value) { return std::bit_cast<std::uint64_t>(value); };
  for (int i = 0; i < level::kPointCount; ++i) {
    ASSERT_EQ(bits(level::accurate_x[i]), bits(DoubleAt(input, LevelFileX(i))));
    ASSERT_EQ(bits(level::accurate_y[i]), bits(DoubleAt(input, LevelFileY(i))));
  }
}

}  // namespace
