// "rimforge-tool convert" against the editor itself: the files the tool writes are the files the
// editor's Save commands write after the same loads, and a conversion that fails writes nothing.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "level/level_store.h"
#include "support/editor_test.h"
#include "support/level_file_builder.h"
#include "support/level_rom_builder.h"
#include "support/run_program.h"

namespace {

using testing_support::FileNames;
using testing_support::ProgramRun;
using testing_support::ReadFileBytes;

ProgramRun Tool(const std::vector<std::string>& args) {
  return testing_support::RunProgram(RIMFORGE_TOOL, args);
}

void ExpectQuietSuccess(const ProgramRun& run) {
  EXPECT_EQ(run.exit_status, 0) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "");
}

// A level ROM whose stored directions and length factors are stale, so that a conversion that
// skipped the derivations would show.
testing_support::LevelRomBuilder StaleRom() {
  testing_support::LevelRomBuilder rom;
  rom.Points(0, testing_support::Walk({100, 100}, {{40, 0}, {0, 40}, {-40, 0}}))
      .Points(7, testing_support::Walk({10, 200}, {{30, -30}, {30, 30}, {30, -30}}))
      .Open(7)
      .LevelShape(3, 7)
      .ShapeByte(level::kLevelScale, 7, 24);
  for (int shape = 0; shape < level::kShapeCount; ++shape) {
    rom.ShapeByte(level::kLengthFactorLow, shape, 0x55)
        .TableByte(level::kSegmentDirections + level::PointIndex(shape, 0), 0x0B);
  }
  return rom;
}

class CliConvertTest : public testing_support::EditorTest {};

TEST_F(CliConvertTest, LevelRomBecomesTheLevelFileTheEditorSaves) {
  const std::string in = StaleRom().WriteTo(temp, "in.118");
  ExpectQuietSuccess(Tool({"convert", in, temp.File("tool.TLD")}));

  testing_support::LoadLevelRomFile(host, in);
  testing_support::SaveLevelFile(host, temp.File("editor.TLD"));
  ASSERT_TRUE(host.message_boxes.empty());
  const std::vector<std::uint8_t> expected = ReadFileBytes(temp.File("editor.TLD"));
  ASSERT_EQ(expected.size(), 4995u);
  EXPECT_EQ(ReadFileBytes(temp.File("tool.TLD")), expected);
  // The derived length factor of the square, not the stale one.
  EXPECT_NE(expected[testing_support::LevelFileTable(level::kLengthFactorLow)], 0x55);
}

TEST_F(CliConvertTest, LevelFileGoesIntoTheBaseRomAsTheEditorSavesIt) {
  const std::string base = StaleRom().WriteTo(temp, "base.118");
  const std::string in = testing_support::LevelFileBuilder()
                             .Point(2, 0, 20.4, 30.6)
                             .Point(2, 1, 200.5, 30.6)
                             .Point(2, 2, 200.5, 220.49)
                             .TableByte(level::kLevelToShapeMap + 5, 2)
                             .WriteTo(temp, "in.TLD");
  ExpectQuietSuccess(Tool({"convert", in, temp.File("tool.118"), "--rom", base}));

  testing_support::LoadLevelRomFile(host, base);
  testing_support::LoadLevelFile(host, in);
  testing_support::SaveLevelRomFile(host, temp.File("editor.118"));
  ASSERT_TRUE(host.message_boxes.empty());
  const std::vector<std::uint8_t> expected = ReadFileBytes(temp.File("editor.118"));
  ASSERT_EQ(expected.size(), 2048u);
  EXPECT_EQ(ReadFileBytes(temp.File("tool.118")), expected);
  // The game data outside the level table is the base ROM's.
  EXPECT_EQ(expected[5], StaleRom().Bytes()[5]);
  EXPECT_EQ(expected[2047], StaleRom().Bytes()[2047]);
}

TEST_F(CliConvertTest, RomToLevelFileAndBackIsTheEditorsOwnSaveOfTheRom) {
  for (const std::string& in : {StaleRom().WriteTo(temp, "in.118"),
                                std::string(RIMFORGE_SAMPLES_DIR "/rimforge_tubes.118")}) {
    ExpectQuietSuccess(Tool({"convert", in, temp.File("there.TLD")}));
    ExpectQuietSuccess(
        Tool({"convert", temp.File("there.TLD"), temp.File("back.118"), "--rom", in}));

    testing_support::LoadLevelRomFile(host, in);
    testing_support::SaveLevelRomFile(host, temp.File("editor.118"));
    ASSERT_TRUE(host.message_boxes.empty());
    EXPECT_EQ(ReadFileBytes(temp.File("back.118")), ReadFileBytes(temp.File("editor.118"))) << in;
  }
}

TEST_F(CliConvertTest, FailuresSayWhyAndLeaveTheFoldersAsTheyWere) {
  const std::string rom = StaleRom().WriteTo(temp, "rom.118");
  const std::string tld = testing_support::LevelFileBuilder().WriteTo(temp, "levels.TLD");
  testing_support::WriteFileBytes(temp.File("notes.txt"), {'T', 'L', 'X', '!'});
  testing_support::WriteFileBytes(temp.File("kept.TLD"), {1, 2, 3});
  const std::vector<std::string> before = FileNames(temp.Path());

  struct Case {
    std::vector<std::string> args;
    int status;
    std::string problem;
  };
  const std::vector<Case> cases{
      {{"convert", temp.File("notes.txt"), temp.File("kept.TLD")},
       1,
       "rimforge-tool convert: " + temp.File("notes.txt") + ": Not a valid Tempest ROM 118 file\n"},
      {{"convert", rom, temp.File("out.118"), "--rom", rom},
       1,
       "rimforge-tool convert: " + rom + ": Not a valid TLD file\n"},
      {{"convert", tld, temp.File("out.118"), "--rom", temp.File("notes.txt")},
       1,
       "rimforge-tool convert: " + temp.File("notes.txt") + ": Not a valid Tempest ROM 118 file\n"},
      {{"convert", temp.File("missing.118"), temp.File("out.TLD")},
       1,
       "rimforge-tool convert: Could not open \"" + temp.File("missing.118") + "\".\n"},
      {{"convert", rom, temp.File("no folder/out.TLD")},
       1,
       "rimforge-tool convert: Could not write \"" + temp.File("no folder/out.TLD") + "\".\n"},
      {{"convert", tld, temp.File("no folder/out.118"), "--rom", rom},
       1,
       "rimforge-tool convert: Could not write \"" + temp.File("no folder/out.118") + "\".\n"},
      {{"convert", tld, temp.File("out.118")},
       2,
       "rimforge-tool convert: a level file becomes a level ROM with --rom BASE.118\n"},
  };
  for (const Case& c : cases) {
    const ProgramRun run = Tool(c.args);
    EXPECT_EQ(run.exit_status, c.status) << c.problem;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.substr(0, c.problem.size()), c.problem) << run.err;
  }
  EXPECT_EQ(FileNames(temp.Path()), before);
  EXPECT_EQ(ReadFileBytes(temp.File("kept.TLD")), (std::vector<std::uint8_t>{1, 2, 3}));
}

}  // namespace
