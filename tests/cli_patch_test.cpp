// "rimforge-tool patch" against the editor's "Hack 'Atari Arcade Hits'..." command: for the same
// level ROM, text ROM, program file and choices, the tool writes the same program file, and it
// writes nothing when the editor would refuse.
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "files/text_rom.h"
#include "level/level_store.h"
#include "resources/arcade_hits_dialog.h"
#include "resources/command_ids.h"
#include "support/editor_test.h"
#include "support/level_rom_builder.h"
#include "support/program_file_builder.h"
#include "support/run_program.h"
#include "support/text_rom_builder.h"

namespace {

using testing_support::FakeDialog;
using testing_support::FileNames;
using testing_support::ProgramRun;
using testing_support::ReadFileBytes;

ProgramRun Tool(const std::vector<std::string>& args) {
  return testing_support::RunProgram(RIMFORGE_TOOL, args);
}

// Images at odd places, the "Tempest Tubes" level ROM 24576 bytes after the first.
constexpr std::size_t kFirstLevel = 1001;
constexpr std::size_t kLastLevel = kFirstLevel + 24576;
constexpr std::size_t kFirstText = 4003;
constexpr std::size_t kLastText = 29005;

testing_support::ProgramFileBuilder Program() {
  return testing_support::ProgramFileBuilder(34567)
      .Put(kFirstLevel, testing_support::LevelRomBuilder().Bytes())
      .Put(kLastLevel, testing_support::LevelRomBuilder().Bytes())
      .Put(kFirstText, testing_support::TextRomImage(1))
      .Put(kLastText, testing_support::TextRomImage(2));
}

// Points whose stored segment directions and length factors are stale: the patch derives them.
testing_support::LevelRomBuilder Levels() {
  return testing_support::LevelRomBuilder()
      .Points(0, testing_support::Walk({50, 50}, {{100, 0}, {0, 100}, {-100, 0}}))
      .Points(4, testing_support::Walk({10, 10}, {{20, 30}, {40, 10}}))
      .ShapeByte(level::kLengthFactorHigh, 0, 0x33)
      .TableByte(level::kSegmentDirections + 1, 0x0B);
}

bool SameBytesAt(const std::vector<std::uint8_t>& file, std::size_t offset,
                 const std::vector<std::uint8_t>& image) {
  return offset + image.size() <= file.size() &&
         std::equal(image.begin(), image.end(), file.begin() + static_cast<std::ptrdiff_t>(offset));
}

class CliPatchTest : public testing_support::EditorTest {
 protected:
  // The editor's Hack command after loading the level ROM (and the text ROM through "&Edit
  // Text...", its dialog closed), with a person acting in the dialog.
  std::vector<std::uint8_t> EditorHack(const std::string& levels, const std::string* texts,
                                       const std::string& program,
                                       std::function<void(FakeDialog&)> person) {
    testing_support::LoadLevelRomFile(host, levels);
    if (texts != nullptr) {
      testing_support::EditTextRomFile(host, *texts, [](FakeDialog& dialog) { dialog.Close(); });
    }
    host.AnswerFileDialog(program);
    host.ActInDialog(resources::kArcadeHitsDialogId, std::move(person));
    host.AnswerFileDialog(temp.File("editor.exe"));
    host.ChooseMenuItem(resources::kHackArcadeHits);
    host.HandleMessages();
    EXPECT_TRUE(host.message_boxes.empty());
    return ReadFileBytes(temp.File("editor.exe"));
  }
};

TEST_F(CliPatchTest, TempestTubesWithTextIsTheEditorsHack) {
  const std::string levels = Levels().WriteTo(temp, "levels.118");
  const std::string texts =
      testing_support::TextRomBuilder().Message(0, "PATCHED").WriteTo(temp, "texts.121");
  const std::string program = Program().WriteTo(temp, "game.exe");
  const ProgramRun run = Tool({"patch", program, "--levels", levels, "--texts", texts, "--set",
                               "tubes", "-o", temp.File("tool.exe")});
  EXPECT_EQ(run.exit_status, 0) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "");

  const std::vector<std::uint8_t> expected =
      EditorHack(levels, &texts, program, [](FakeDialog& dialog) {
        dialog.Click(resources::kTempestTubesButton);
        dialog.Click(resources::kIncludeTextDataBox);
        dialog.Click(resources::kArcadeHitsOkButton);
      });
  const std::vector<std::uint8_t> patched = ReadFileBytes(temp.File("tool.exe"));
  EXPECT_EQ(patched, expected);
  EXPECT_TRUE(SameBytesAt(patched, kLastText, ReadFileBytes(texts)));
  EXPECT_TRUE(SameBytesAt(patched, kFirstLevel, testing_support::LevelRomBuilder().Bytes()));
  EXPECT_EQ(ReadFileBytes(program), Program().Bytes());
}

TEST_F(CliPatchTest, OriginalLevelsWithoutTextIsTheDefault) {
  const std::string levels = Levels().WriteTo(temp, "levels.118");
  const std::string program = Program().WriteTo(temp, "game.scr");
  for (const std::vector<std::string>& set :
       {std::vector<std::string>{}, std::vector<std::string>{"--set", "original"}}) {
    std::vector<std::string> args{"patch", program, "--levels",
                                  levels,  "-o",    temp.File("tool.scr")};
    args.insert(args.end(), set.begin(), set.end());
    const ProgramRun run = Tool(args);
    EXPECT_EQ(run.exit_status, 0) << run.err;
    EXPECT_EQ(run.err, "");

    const std::vector<std::uint8_t> expected =
        EditorHack(levels, nullptr, program,
                   [](FakeDialog& dialog) { dialog.Click(resources::kArcadeHitsOkButton); });
    const std::vector<std::uint8_t> patched = ReadFileBytes(temp.File("tool.scr"));
    EXPECT_EQ(patched, expected);
    EXPECT_TRUE(SameBytesAt(patched, kLastLevel, testing_support::LevelRomBuilder().Bytes()));
    EXPECT_TRUE(SameBytesAt(patched, kFirstText, testing_support::TextRomImage(1)));
    EXPECT_FALSE(SameBytesAt(patched, kFirstLevel, Levels().Bytes()));  // derived on the way
  }
}

TEST_F(CliPatchTest, RefusedInputsAndBadChoicesWriteNothing) {
  const std::string levels = Levels().WriteTo(temp, "levels.118");
  const std::string texts = testing_support::TextRomBuilder().WriteTo(temp, "texts.121");
  const std::string program = Program().WriteTo(temp, "game.exe");
  // One level ROM image only: the editor's check refuses it.
  const std::string lonely = testing_support::ProgramFileBuilder(34567)
                                 .Put(kFirstLevel, testing_support::LevelRomBuilder().Bytes())
                                 .Put(kFirstText, testing_support::TextRomImage(1))
                                 .Put(kLastText, testing_support::TextRomImage(2))
                                 .WriteTo(temp, "lonely.exe");
  const std::string out = temp.File("out.exe");
  const std::string nowhere = temp.File("no folder/out.exe");
  const std::vector<std::string> before = FileNames(temp.Path());

  struct Case {
    std::vector<std::string> args;
    int status;
    std::string problem;
  };
  const std::vector<Case> cases{
      {{lonely, "--levels", levels, "-o", out},
       1,
       lonely + ": Not a valid 'Atari Arcade Hits' file\n"},
      {{program, "--levels", texts, "-o", out}, 1, texts + ": Not a valid Tempest ROM 118 file\n"},
      {{program, "--levels", levels, "--texts", levels, "-o", out},
       1,
       levels + ": Not a valid Tempest ROM 121 file\n"},
      {{temp.File("gone.exe"), "--levels", levels, "-o", out},
       1,
       "Could not open \"" + temp.File("gone.exe") + "\".\n"},
      {{program, "--levels", levels, "--texts", texts, "-o", nowhere},
       1,
       "Could not write \"" + nowhere + "\".\n"},
      {{program, "--levels", levels, "--set", "Tubes", "-o", out},
       2,
       "--set takes original or tubes, not 'Tubes'\n"},
      {{program, "-o", out}, 2, "missing --levels FILE.118\n"},
      {{program, "--levels", levels}, 2, "missing -o OUT\n"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args{"patch"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const ProgramRun run = Tool(args);
    EXPECT_EQ(run.exit_status, c.status) << c.problem;
    EXPECT_EQ(run.out, "");
    const std::string expected = "rimforge-tool patch: " + c.problem;
    EXPECT_EQ(run.err.substr(0, expected.size()), expected) << run.err;
  }
  EXPECT_EQ(FileNames(temp.Path()), before);
  EXPECT_EQ(ReadFileBytes(program), Program().Bytes());
}

}  // namespace
