// "Hack 'Atari Arcade Hits'..." as a person uses it: pick a program file, choose the level set
// and the text data in dialog 106, name the output; then only the chosen images differ.
#include "files/arcade_hits.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/menu_model.h"
#include "files/text_rom.h"
#include "level/level_store.h"
#include "resources/arcade_hits_dialog.h"
#include "resources/command_ids.h"
#include "support/editor_snapshot.h"
#include "support/editor_test.h"
#include "support/level_file_builder.h"
#include "support/level_rom_builder.h"
#include "support/program_file_builder.h"
#include "support/text_rom_builder.h"

namespace {

using testing_support::FileNames;

using testing_support::EditorSnapshot;
using testing_support::ExpectUnchanged;
using testing_support::FakeDialog;
using testing_support::ImageOffset;
using testing_support::LevelRomBuilder;
using testing_support::ProgramFileBuilder;
using testing_support::ReadFileBytes;
using testing_support::TextRomImage;
using testing_support::WriteFileBytes;
using namespace resources;

constexpr UINT kOpenFlags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
constexpr UINT kSaveFlags =
    OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
constexpr std::size_t kImageSize = 2048;

// Where the images lie in the usual program file made here; the text images at odd offsets.
constexpr std::size_t kFirstLevel = 1000;
constexpr std::size_t kLastLevel = kFirstLevel + 24576;
constexpr std::size_t kFirstText = 4001;
constexpr std::size_t kLastText = 29003;
constexpr std::size_t kProgramSize = 34567;

std::vector<std::uint8_t> GameLevelRom(std::uint8_t x) {
  return LevelRomBuilder().Points(0, testing_support::AllAt(x, x)).Bytes();
}

ProgramFileBuilder UsualProgram() {
  return ProgramFileBuilder(kProgramSize)
      .Put(kFirstLevel, GameLevelRom(11))
      .Put(kLastLevel, GameLevelRom(22))
      .Put(kFirstText, TextRomImage(1))
      .Put(kLastText, TextRomImage(2));
}

// The editor's level ROM: shape 0 walks round a unit square (directions 0, 4, 8 and 12), every
// other point lies at (0, 0), and the derived bytes in the file are stale.
LevelRomBuilder EditorRom() {
  LevelRomBuilder rom;
  rom.Points(0, testing_support::Walk({100, 100}, {{1, 0}, {0, 1}, {-1, 0}, {0, -1}}));
  for (int shape = 0; shape < level::kShapeCount; ++shape) {
    for (int point = 0; point < level::kPointsPerShape; ++point) {
      rom.TableByte(level::kSegmentDirections + level::PointIndex(shape, point), 0x0B);
    }
    rom.ShapeByte(level::kLengthFactorLow, shape, 0x55)
        .ShapeByte(level::kLengthFactorHigh, shape, 0x55);
  }
  return rom;
}

// What the editor's level ROM must look like in the output: derived as a save derives it.
std::vector<std::uint8_t> DerivedEditorRom() {
  LevelRomBuilder rom = EditorRom();
  for (int shape = 0; shape < level::kShapeCount; ++shape) {
    for (int point = 0; point < level::kPointsPerShape; ++point) {
      rom.TableByte(level::kSegmentDirections + level::PointIndex(shape, point), 0);
    }
    // Every mean segment length is 0: the factor is 856, high 6 and low 88.
    rom.ShapeByte(level::kLengthFactorLow, shape, 88).ShapeByte(level::kLengthFactorHigh, shape, 6);
  }
  return rom.TableByte(level::kSegmentDirections + 1, 4)
      .TableByte(level::kSegmentDirections + 2, 8)
      .TableByte(level::kSegmentDirections + 3, 12)
      .Bytes();
}

// `input` with `image` put at `offset`.
std::vector<std::uint8_t> With(std::vector<std::uint8_t> input, std::size_t offset,
                               const std::vector<std::uint8_t>& image) {
  std::copy(image.begin(), image.end(), input.begin() + static_cast<std::ptrdiff_t>(offset));
  return input;
}

// What a person does in dialog 106.
void PickTubes(FakeDialog& dialog) {
  dialog.Click(kTempestTubesButton);
  dialog.Click(kArcadeHitsOkButton);
}
void PickTubesWithText(FakeDialog& dialog) {
  dialog.Click(kTempestTubesButton);
  dialog.Click(kIncludeTextDataBox);
  dialog.Click(kArcadeHitsOkButton);
}
void PickOriginalWithText(FakeDialog& dialog) {
  dialog.Click(kIncludeTextDataBox);
  dialog.Click(kArcadeHitsOkButton);
}
void PressOk(FakeDialog& dialog) {
  dialog.Click(kArcadeHitsOkButton);
}

class ArcadeHitsTest : public testing_support::EditorTest {
 protected:
  void LoadEditorRom() {
    testing_support::LoadLevelRomFile(host, EditorRom().WriteTo(temp, "editor.118"));
    ASSERT_TRUE(host.message_boxes.empty());
  }

  // Loads a text ROM through "&Edit Text..." and closes its dialog; returns the image.
  std::vector<std::uint8_t> LoadTextRom(const std::string& first_text) {
    const testing_support::TextRomBuilder rom =
        testing_support::TextRomBuilder().Message(0, first_text);
    testing_support::EditTextRomFile(host, rom.WriteTo(temp, "texts.121"),
                                     [](FakeDialog& dialog) { dialog.Close(); });
    EXPECT_TRUE(files::text_rom_loaded);
    EXPECT_TRUE(host.message_boxes.empty());
    host.dialogs_run.clear();
    return rom.Bytes();
  }

  // The whole command: the program file to open, what the person does in the dialog, and the
  // output name (nothing for a cancelled save dialog).
  void Hack(const std::string& input, std::function<void(FakeDialog&)> person,
            std::optional<std::string> output) {
    host.AnswerFileDialog(input);
    host.ActInDialog(kArcadeHitsDialogId, std::move(person));
    host.AnswerFileDialog(std::move(output));
    host.ChooseMenuItem(kHackArcadeHits);
    host.HandleMessages();
  }
};

TEST_F(ArcadeHitsTest, TempestTubesWithoutTextChangesOnlyTheLastLevelImageWithDerivedBytes) {
  EXPECT_TRUE(Grayed(kHackArcadeHits));
  testing_support::LoadLevelFile(host, testing_support::LevelFileBuilder().WriteTo(temp, "t.TLD"));
  EXPECT_TRUE(Grayed(kHackArcadeHits));  // a level file alone holds no ROM to put in
  LoadEditorRom();
  EXPECT_FALSE(Grayed(kHackArcadeHits));
  const std::vector<std::uint8_t> input = UsualProgram().Bytes();
  const std::string in = UsualProgram().WriteTo(temp, "in.exe");

  Hack(
      in,
      [](FakeDialog& dialog) {
        EXPECT_EQ(dialog.Caption(), "Hack 'Atari Arcade Hits'");
        EXPECT_TRUE(dialog.Control(kOriginalLevelsButton).checked);
        EXPECT_FALSE(dialog.Control(kTempestTubesButton).checked);
        EXPECT_TRUE(dialog.Control(kOriginalLevelsButton).enabled);
        EXPECT_TRUE(dialog.Control(kTempestTubesButton).enabled);
        EXPECT_FALSE(dialog.Control(kIncludeTextDataBox).enabled);  // no text ROM loaded
        PickTubes(dialog);
      },
      temp.File("out.exe"));

  EXPECT_TRUE(host.message_boxes.empty());
  EXPECT_EQ(host.dialogs_run, std::vector<int>{kArcadeHitsDialogId});
  const std::vector<std::uint8_t> output = ReadFileBytes(temp.File("out.exe"));
  EXPECT_EQ(output, With(input, kLastLevel, DerivedEditorRom()));
  EXPECT_EQ(ReadFileBytes(in), input);
  // The same bytes as a level ROM save writes.
  testing_support::SaveLevelRomFile(host, temp.File("editor_again.118"));
  const std::vector<std::uint8_t> saved = ReadFileBytes(temp.File("editor_again.118"));
  EXPECT_TRUE(std::equal(saved.begin(), saved.end(), output.begin() + kLastLevel));

  ASSERT_EQ(host.file_dialogs.size(), 5u);
  const testing_support::ShownFileDialog& open = host.file_dialogs[2];
  EXPECT_FALSE(open.save);
  EXPECT_EQ(open.request.title, "Load 'Atari Arcade Hits'");
  EXPECT_EQ(open.request.filter_description, "Atari Arcade Hits (*.exe,*.scr)");
  EXPECT_EQ(open.request.filter_pattern, "*.exe;*.scr");
  EXPECT_EQ(open.request.default_extension, "exe");
  EXPECT_EQ(open.request.flags, kOpenFlags);
  const testing_support::ShownFileDialog& save = host.file_dialogs[3];
  EXPECT_TRUE(save.save);
  EXPECT_EQ(save.request.title, "Save 'Atari Arcade Hits'");
  EXPECT_EQ(save.request.filter_description, "Atari Arcade Hits (*.exe)");
  EXPECT_EQ(save.request.filter_pattern, "*.exe");
  EXPECT_EQ(save.request.default_extension, "exe");
  EXPECT_EQ(save.request.flags, kSaveFlags);
}

TEST_F(ArcadeHitsTest, IncludeTextDataCopiesTheTextImageToThePlaceOfTheChosenSet) {
  LoadEditorRom();
  const std::vector<std::uint8_t> text = LoadTextRom("HACKED");
  const std::vector<std::uint8_t> input = UsualProgram().Bytes();
  const std::string in = UsualProgram().WriteTo(temp, "in.exe");

  Hack(
      in,
      [](FakeDialog& dialog) {
        EXPECT_TRUE(dialog.Control(kIncludeTextDataBox).enabled);
        EXPECT_FALSE(dialog.Control(kIncludeTextDataBox).checked);
        PickOriginalWithText(dialog);
      },
      temp.File("original.exe"));
  Hack(in, PickTubesWithText, temp.File("tubes.exe"));
  // Ticked and unticked again: no text.
  Hack(
      in,
      [](FakeDialog& dialog) {
        dialog.Click(kIncludeTextDataBox);
        dialog.Click(kIncludeTextDataBox);
        PickTubes(dialog);
      },
      temp.File("tubes_only.exe"));

  EXPECT_TRUE(host.message_boxes.empty());
  const std::vector<std::uint8_t> level = DerivedEditorRom();
  EXPECT_EQ(ReadFileBytes(temp.File("original.exe")),
            With(With(input, kFirstLevel, level), kFirstText, text));
  EXPECT_EQ(ReadFileBytes(temp.File("tubes.exe")),
            With(With(input, kLastLevel, level), kLastText, text));
  EXPECT_EQ(ReadFileBytes(temp.File("tubes_only.exe")), With(input, kLastLevel, level));
  EXPECT_EQ(ReadFileBytes(in), input);
}

TEST_F(ArcadeHitsTest, ExtraSignaturesCountOnlyAsFirstAndLastAndImagesMayEndTheFile) {
  LoadEditorRom();
  const std::vector<std::uint8_t> text = LoadTextRom("THREE");
  // Three level images: the first and the third are the sets, the middle one is left alone.
  // Three text images at any distances: the first and the third again.
  const ProgramFileBuilder three = UsualProgram()
                                       .Put(9000, GameLevelRom(33))
                                       .Put(12000, TextRomImage(3))
                                       .Put(kLastText + 3000, TextRomImage(4));
  Hack(three.WriteTo(temp, "three.exe"), PickTubesWithText, temp.File("three_out.exe"));
  EXPECT_TRUE(host.message_boxes.empty());
  EXPECT_EQ(ReadFileBytes(temp.File("three_out.exe")),
            With(With(three.Bytes(), kLastLevel, DerivedEditorRom()), kLastText + 3000, text));

  // Images that end exactly where the file ends.
  const std::size_t last_text = kLastLevel + kImageSize;
  const ProgramFileBuilder tight = ProgramFileBuilder(last_text + kImageSize)
                                       .Put(kFirstLevel, GameLevelRom(11))
                                       .Put(kLastLevel, GameLevelRom(22))
                                       .Put(kFirstText, TextRomImage(1))
                                       .Put(last_text, TextRomImage(2));
  Hack(tight.WriteTo(temp, "tight.exe"), PickTubesWithText, temp.File("tight_out.exe"));
  EXPECT_TRUE(host.message_boxes.empty());
  EXPECT_EQ(ReadFileBytes(temp.File("tight_out.exe")),
            With(With(tight.Bytes(), kLastLevel, DerivedEditorRom()), last_text, text));
}

TEST_F(ArcadeHitsTest, FileWithoutBothImagePairsInPlaceIsRefusedAndNothingIsWritten) {
  LoadEditorRom();
  const std::vector<std::uint8_t> level = GameLevelRom(11);
  const std::vector<std::uint8_t> text = TextRomImage(1);
  const auto head = [](const std::vector<std::uint8_t>& image) {
    return std::vector<std::uint8_t>(image.begin(), image.begin() + kImageSize - 1);
  };
  struct Case {
    std::string what;
    std::vector<std::uint8_t> bytes;
  };
  const std::vector<Case> cases{
      {"one level image", ProgramFileBuilder(kProgramSize)
                              .Put(kFirstLevel, level)
                              .Put(kFirstText, text)
                              .Put(kLastText, text)
                              .Bytes()},
      {"one text image", ProgramFileBuilder(kProgramSize)
                             .Put(kFirstLevel, level)
                             .Put(kLastLevel, level)
                             .Put(kFirstText, text)
                             .Bytes()},
      {"no text image",
       ProgramFileBuilder(kProgramSize).Put(kFirstLevel, level).Put(kLastLevel, level).Bytes()},
      {"level images one byte too close", UsualProgram().Put(kLastLevel - 1, level).Bytes()},
      {"level images one byte too far", ProgramFileBuilder(kProgramSize)
                                            .Put(kFirstLevel, level)
                                            .Put(kLastLevel + 1, level)
                                            .Put(kFirstText, text)
                                            .Put(kLastText, text)
                                            .Bytes()},
      {"a third level image not 24576 after the first", UsualProgram().Put(30000, level).Bytes()},
      {"last level image cut short by the end of the file",
       ProgramFileBuilder(kLastLevel + kImageSize - 1)
           .Put(kFirstLevel, level)
           .Put(kLastLevel, head(level))
           .Put(kFirstText, text)
           .Put(20000, text)
           .Bytes()},
      {"last text image cut short by the end of the file",
       ProgramFileBuilder(kLastText + kImageSize - 1)
           .Put(kFirstLevel, level)
           .Put(kLastLevel, level)
           .Put(kFirstText, text)
           .Put(kLastText, head(text))
           .Bytes()},
      {"a bare text signature at the very end", ProgramFileBuilder(kLastText + 4)
                                                    .Put(kFirstLevel, level)
                                                    .Put(kLastLevel, level)
                                                    .Put(kFirstText, text)
                                                    .Put(kLastText, {0xE6, 0x06, 0x85, 0x17})
                                                    .Bytes()},
      {"an empty file", {}},
      {"three bytes", {0x3B, 0x01, 0xCE}},
  };
  const EditorSnapshot before;

  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(cases[i].what);
    host.message_boxes.clear();
    host.file_dialogs.clear();
    const std::string path = temp.File("bad" + std::to_string(i) + ".exe");
    WriteFileBytes(path, cases[i].bytes);
    const std::vector<std::string> files = FileNames(temp.Path());
    host.AnswerFileDialog(path);
    host.ChooseMenuItem(kHackArcadeHits);
    host.HandleMessages();

    ExpectOnlyMessage("Not a valid 'Atari Arcade Hits' file");
    EXPECT_TRUE(host.dialogs_run.empty());
    EXPECT_EQ(host.file_dialogs.size(), 1u);  // no save dialog
    EXPECT_EQ(FileNames(temp.Path()), files);
    EXPECT_EQ(ReadFileBytes(path), cases[i].bytes);
    ExpectUnchanged(before);
  }
}

TEST_F(ArcadeHitsTest, CancelAtAnyStepWritesNothingAndChangesNothing) {
  LoadEditorRom();
  LoadTextRom("CANCEL");
  const std::string in = UsualProgram().WriteTo(temp, "in.exe");
  const std::vector<std::string> files = FileNames(temp.Path());
  const EditorSnapshot before;

  host.AnswerFileDialog(std::nullopt);
  host.ChooseMenuItem(kHackArcadeHits);
  host.HandleMessages();
  EXPECT_TRUE(host.dialogs_run.empty());

  const std::vector<std::function<void(FakeDialog&)>> cancels{
      [](FakeDialog& dialog) {
        dialog.Click(kTempestTubesButton);
        dialog.Click(kArcadeHitsCancelButton);
      },
      [](FakeDialog& dialog) {
        dialog.Click(kIncludeTextDataBox);
        // Escape is not one of the dialog's ways out; the close box is.
        dialog.Send(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
        EXPECT_FALSE(dialog.HasEnded());
        dialog.Close();
      },
  };
  for (const auto& person : cancels) {
    host.file_dialogs.clear();
    host.AnswerFileDialog(in);
    host.ActInDialog(kArcadeHitsDialogId, person);
    host.ChooseMenuItem(kHackArcadeHits);
    host.HandleMessages();
    EXPECT_EQ(host.file_dialogs.size(), 1u);  // no save dialog after a cancelled choice
  }
  EXPECT_EQ(host.dialogs_run.size(), 2u);

  Hack(in, PickTubesWithText, std::nullopt);  // the save dialog cancelled

  EXPECT_TRUE(host.message_boxes.empty());
  EXPECT_EQ(FileNames(temp.Path()), files);
  EXPECT_EQ(ReadFileBytes(in), UsualProgram().Bytes());
  ExpectUnchanged(before);
}

TEST_F(ArcadeHitsTest, DialogOffersOnlyTheDataThatWasLoaded) {
  const std::string in = UsualProgram().WriteTo(temp, "in.exe");
  int shown = 0;
  const auto expect_enabled = [&shown](bool levels, bool text) {
    return [&shown, levels, text](FakeDialog& dialog) {
      ++shown;
      EXPECT_EQ(dialog.Control(kOriginalLevelsButton).enabled, levels);
      EXPECT_EQ(dialog.Control(kTempestTubesButton).enabled, levels);
      EXPECT_EQ(dialog.Control(kIncludeTextDataBox).enabled, text);
      EXPECT_TRUE(dialog.Control(kOriginalLevelsButton).checked);
      dialog.Click(kArcadeHitsCancelButton);
    };
  };
  // The menu item is greyed until a level ROM load, so the command is sent straight to the
  // window here to see the dialog's own rule.
  host.AnswerFileDialog(in);
  host.ActInDialog(kArcadeHitsDialogId, expect_enabled(false, false));
  host.Post(WM_COMMAND, kHackArcadeHits);
  host.HandleMessages();

  LoadTextRom("TEXT ONLY");
  host.AnswerFileDialog(in);
  host.ActInDialog(kArcadeHitsDialogId, expect_enabled(false, true));
  host.Post(WM_COMMAND, kHackArcadeHits);
  host.HandleMessages();

  LoadEditorRom();
  host.AnswerFileDialog(in);
  host.ActInDialog(kArcadeHitsDialogId, expect_enabled(true, true));
  host.ChooseMenuItem(kHackArcadeHits);
  host.HandleMessages();

  EXPECT_EQ(shown, 3);
  EXPECT_TRUE(host.message_boxes.empty());
}

TEST_F(ArcadeHitsTest, SaveDialogOffersTheExtensionOfTheOpenedFile) {
  LoadEditorRom();
  struct Case {
    std::string name;
    std::string extension;
  };
  // Three characters at most; a name without an extension is taken for the program.
  const std::vector<Case> cases{
      {"game.scr", "scr"}, {"GAME.EXE", "EXE"}, {"game.scrn", "scr"},
      {"game.sc", "sc"},   {"game", "exe"},     {"game.", "exe"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    host.file_dialogs.clear();
    const std::string in = UsualProgram().WriteTo(temp, c.name);
    Hack(in, PressOk, std::nullopt);
    ASSERT_EQ(host.file_dialogs.size(), 2u);
    const platform::FileDialogRequest& save = host.file_dialogs[1].request;
    EXPECT_EQ(save.filter_description, "Atari Arcade Hits (*." + c.extension + ")");
    EXPECT_EQ(save.filter_pattern, "*." + c.extension);
    EXPECT_EQ(save.default_extension, c.extension);
  }
  EXPECT_TRUE(host.message_boxes.empty());
}

TEST_F(ArcadeHitsTest, UnreadableInputAndUnwritableOutputAreReported) {
  LoadEditorRom();
  const std::filesystem::path folder = temp.Path() / "folder.exe";
  std::filesystem::create_directory(folder);
  for (const std::string& path : {temp.File("missing.exe"), folder.string()}) {
    SCOPED_TRACE(path);
    host.message_boxes.clear();
    host.AnswerFileDialog(path);
    host.ChooseMenuItem(kHackArcadeHits);
    host.HandleMessages();
    ExpectOnlyMessage("Could not open \"" + path + "\".");
    EXPECT_TRUE(host.dialogs_run.empty());
  }

  const std::string in = UsualProgram().WriteTo(temp, "in.exe");
  const std::vector<std::string> files = FileNames(temp.Path());
  for (const std::string& out : {temp.File("no such folder/out.exe"), folder.string()}) {
    SCOPED_TRACE(out);
    host.message_boxes.clear();
    Hack(in, PickTubes, out);
    ExpectOnlyMessage("Could not write \"" + out + "\".");
    EXPECT_EQ(FileNames(temp.Path()), files);
    EXPECT_TRUE(std::filesystem::is_empty(folder));
  }
  EXPECT_EQ(ReadFileBytes(in), UsualProgram().Bytes());
}

}  // namespace
