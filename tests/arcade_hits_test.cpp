// "Hack 'Atari Arcade Hits'..." as a person uses it: pick a program file, choose the level set
// and the text data in its dialog, name the output; then only the chosen images differ.
#include <filesystem>

#include "resources/arcade_hits_dialog.h"
#include "resources/command_ids.h"
#include "resources/text_messages_dialog.h"
#include "support/editor_snapshot.h"
#include "support/editor_test.h"

namespace {

using namespace testing_support;
using namespace resources;

// Where the images lie in the usual program file made here; the text images at odd offsets.
constexpr std::size_t kFirstLevel = 1000, kLastLevel = kFirstLevel + 24576;
constexpr std::size_t kFirstText = 4001, kLastText = 29003, kProgramSize = 34567;

Bytes GameLevels(std::uint8_t x) {
  return LevelRomBuilder().Points(0, AllAt(x, x)).Get();
}

Bytes UsualProgram() {
  return ProgramFile(kProgramSize, {{kFirstLevel, GameLevels(11)},
                                    {kLastLevel, GameLevels(22)},
                                    {kFirstText, TextRomImage(1)},
                                    {kLastText, TextRomImage(2)}});
}

// `bytes` with `image` put at `offset`.
Bytes With(Bytes bytes, std::size_t offset, const Bytes& image) {
  std::copy(image.begin(), image.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
  return bytes;
}

class ArcadeHitsTest : public EditorTest {
 protected:
  // The editor's level ROM: shape 0 walks round a unit square, and the derived bytes in the
  // file are stale. Returns the image as a save derives it.
  Bytes LoadEditorLevels() {
    LevelRomBuilder rom;
    rom.Points(0, Walk({100, 100}, {{1, 0}, {0, 1}, {-1, 0}, {0, -1}}));
    for (int offset = level::kSegmentDirections; offset < level::kLevelTableSize; ++offset) {
      if (offset < level::kLevelToShapeMap || offset >= level::kLengthFactorLow)
        rom.TableByte(offset, 0x0B);
    }
    Load(kLoadRom, rom.Get(), "editor.118");
    for (int shape = 0; shape < level::kShapeCount; ++shape) {
      for (int point = 0; point < level::kPointsPerShape; ++point)
        rom.TableByte(level::kSegmentDirections + level::PointIndex(shape, point),
                      shape == 0 && point < 4 ? 4 * point : 0);
      rom.ShapeByte(level::kLengthFactorLow, shape, 88)
          .ShapeByte(level::kLengthFactorHigh, shape, 6);
    }
    return rom.Get();
  }
  // Loads a text ROM through "&Edit Text..." and closes its dialog; returns the image.
  Bytes LoadTexts() {
    const Bytes texts = TextRomBuilder().Message(0, "HACKED").Get();
    EditData(kEditText, kTextMessagesDialogId, temp.Write("texts.121", texts),
             [](FakeDialog& dialog) { dialog.Close(); });
    host.dialogs_run.clear();
    return texts;
  }
  // The whole command: the program file, the buttons the person clicks in the dialog, and the
  // answer to the save dialog that follows, if it comes.
  void Hack(const Bytes& program, std::vector<int> clicks, std::optional<FileAnswer> output,
            const std::string& name = "in.exe") {
    EditData(
        kHackArcadeHits, kArcadeHitsDialogId, temp.Write(name, program),
        [clicks](FakeDialog& dialog) {
          for (const int id : clicks)
            dialog.Click(id);
        },
        output);
  }
};

TEST_F(ArcadeHitsTest, ChosenSetAndTextDataGoToTheirPlaces) {
  EXPECT_TRUE(Grayed(kHackArcadeHits));
  Load(kLoadTld, LevelFileBuilder().Get(), "t.TLD");
  EXPECT_TRUE(Grayed(kHackArcadeHits));  // a level file alone holds no ROM to put in
  const Bytes levels = LoadEditorLevels();
  EXPECT_FALSE(Grayed(kHackArcadeHits));
  const Bytes input = UsualProgram();
  // Without a text ROM the text data cannot be included.
  host.ActInDialog(kArcadeHitsDialogId, [](FakeDialog& dialog) {
    EXPECT_EQ(dialog.Caption(), "Hack 'Atari Arcade Hits'");
    EXPECT_TRUE(dialog.Control(kOriginalLevelsButton).checked &&
                dialog.Control(kOriginalLevelsButton).enabled);
    EXPECT_FALSE(dialog.Control(kTempestTubesButton).checked ||
                 !dialog.Control(kTempestTubesButton).enabled);
    EXPECT_FALSE(dialog.Control(kIncludeTextDataBox).enabled);
    dialog.Click(kArcadeHitsCancelButton);
  });
  ChooseFile(kHackArcadeHits, temp.Write("in.exe", input));
  const Bytes texts = LoadTexts();

  const struct {
    std::vector<int> clicks;
    Bytes expected;
  } cases[] = {
      {{kArcadeHitsOkButton}, With(input, kFirstLevel, levels)},
      {{kTempestTubesButton, kArcadeHitsOkButton}, With(input, kLastLevel, levels)},
      {{kIncludeTextDataBox, kArcadeHitsOkButton},
       With(With(input, kFirstLevel, levels), kFirstText, texts)},
      {{kTempestTubesButton, kIncludeTextDataBox, kArcadeHitsOkButton},
       With(With(input, kLastLevel, levels), kLastText, texts)},
      {{kIncludeTextDataBox, kTempestTubesButton, kIncludeTextDataBox, kArcadeHitsOkButton},
       With(input, kLastLevel, levels)},
  };
  for (const auto& [clicks, expected] : cases) {
    Hack(input, clicks, temp.File("out.exe"));
    EXPECT_EQ(ReadFileBytes(temp.File("out.exe")), expected) << clicks.size();
  }
  EXPECT_EQ(ReadFileBytes(temp.File("in.exe")), input);
  EXPECT_TRUE(host.message_boxes.empty());

  // Extra signatures count only as first and last, and images may end where the file ends.
  const Bytes three = With(With(With(input, 9000, GameLevels(33)), 12000, TextRomImage(3)),
                           kLastText + 3000, TextRomImage(4));
  Hack(three, {kTempestTubesButton, kIncludeTextDataBox, kArcadeHitsOkButton},
       temp.File("three.exe"));
  EXPECT_EQ(ReadFileBytes(temp.File("three.exe")),
            With(With(three, kLastLevel, levels), kLastText + 3000, texts));
  const std::size_t end_text = kLastLevel + 2048;
  const Bytes tight = ProgramFile(end_text + 2048, {{kFirstLevel, GameLevels(11)},
                                                    {kLastLevel, GameLevels(22)},
                                                    {kFirstText, TextRomImage(1)},
                                                    {end_text, TextRomImage(2)}});
  Hack(tight, {kTempestTubesButton, kIncludeTextDataBox, kArcadeHitsOkButton},
       temp.File("tight.exe"));
  EXPECT_EQ(ReadFileBytes(temp.File("tight.exe")),
            With(With(tight, kLastLevel, levels), end_text, texts));
  EXPECT_TRUE(host.message_boxes.empty());
}

TEST_F(ArcadeHitsTest, DialogOffersOnlyTheDataThatWasLoaded) {
  // The menu item is greyed until a level ROM load, so the command is sent straight to the
  // window here to see the dialog's own rule.
  const auto expect_enabled = [this](bool levels, bool text) {
    host.ActInDialog(kArcadeHitsDialogId, [levels, text](FakeDialog& dialog) {
      EXPECT_EQ(dialog.Control(kOriginalLevelsButton).enabled, levels);
      EXPECT_EQ(dialog.Control(kTempestTubesButton).enabled, levels);
      EXPECT_EQ(dialog.Control(kIncludeTextDataBox).enabled, text);
      // Automatic buttons: the check box toggles, a radio button clears the other.
      if (levels && text) {
        dialog.Click(kTempestTubesButton);
        dialog.Click(kIncludeTextDataBox);
        EXPECT_TRUE(dialog.IsChecked(kTempestTubesButton) && dialog.IsChecked(kIncludeTextDataBox));
        EXPECT_FALSE(dialog.IsChecked(kOriginalLevelsButton));
      }
      dialog.Click(kArcadeHitsCancelButton);
    });
    host.AnswerFileDialog(temp.Write("in.exe", UsualProgram()));
    host.Post(WM_COMMAND, kHackArcadeHits);
    host.HandleMessages();
  };
  expect_enabled(false, false);
  LoadTexts();
  expect_enabled(false, true);
  LoadEditorLevels();
  expect_enabled(true, true);
  EXPECT_EQ(host.dialogs_run, (std::vector<int>{kArcadeHitsDialogId, kArcadeHitsDialogId}));
}

TEST_F(ArcadeHitsTest, FilesWithoutBothImagePairsInPlaceAreRefusedAndCancelWritesNothing) {
  LoadEditorLevels();
  LoadTexts();
  const Bytes level = GameLevels(11), text = TextRomImage(1);
  const Bytes bad[] = {
      ProgramFile(kProgramSize, {{kFirstLevel, level}, {kFirstText, text}, {kLastText, text}}),
      ProgramFile(kProgramSize, {{kFirstLevel, level}, {kLastLevel, level}, {kFirstText, text}}),
      ProgramFile(kProgramSize, {{kFirstLevel, level}, {kLastLevel, level}}),
      With(UsualProgram(), 30000, level),  // a third level image not 24576 after the first
      // The last level image cut short by the end of the file.
      ProgramFile(kLastLevel + 2047, {{kFirstLevel, level},
                                      {kLastLevel, Bytes(level.begin(), level.end() - 1)},
                                      {kFirstText, text},
                                      {20000, text}}),
      ProgramFile(kLastText + 4, {{kFirstLevel, level},
                                  {kLastLevel, level},
                                  {kFirstText, text},
                                  {kLastText, {0xE6, 0x06, 0x85, 0x17}}}),
  };
  const EditorSnapshot before;
  for (const Bytes& program : bad) {
    host.message_boxes.clear();
    Load(kHackArcadeHits, program, "bad.exe");
    ExpectOnlyMessage("Not a valid 'Atari Arcade Hits' file");
  }
  // Cancel in the dialog, its close box (Escape is not one of its ways out), or in the save
  // dialog: no file, nothing changed.
  Hack(UsualProgram(), {kTempestTubesButton, kArcadeHitsCancelButton}, std::nullopt);
  host.ActInDialog(kArcadeHitsDialogId, [](FakeDialog& dialog) {
    dialog.Send(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
    EXPECT_FALSE(dialog.HasEnded());
    dialog.Close();
  });
  ChooseFile(kHackArcadeHits, temp.File("in.exe"));
  host.file_dialogs.clear();
  Hack(UsualProgram(), {kArcadeHitsOkButton}, FileAnswer());
  EXPECT_EQ(host.file_dialogs.size(), 2u);
  EXPECT_EQ(host.dialogs_run.size(), 3u);
  EXPECT_EQ(FileNames(temp.Path()),
            (std::vector<std::string>{"bad.exe", "editor.118", "in.exe", "texts.121"}));
  ExpectUnchanged(before);
}

TEST_F(ArcadeHitsTest, SaveDialogOffersTheExtensionOfTheOpenedFile) {
  LoadEditorLevels();
  // Three characters at most; a name without an extension is taken for the program.
  const std::pair<std::string, std::string> cases[] = {{"game.scr", "scr"},  {"GAME.EXE", "EXE"},
                                                       {"game.scrn", "scr"}, {"game.sc", "sc"},
                                                       {"game", "exe"},      {"game.", "exe"}};
  for (const auto& [name, extension] : cases) {
    Hack(UsualProgram(), {kArcadeHitsOkButton}, FileAnswer(), name);
    const platform::FileDialogRequest& save = host.file_dialogs.back().second;
    EXPECT_EQ(save.filter_description, "Atari Arcade Hits (*." + extension + ")");
    EXPECT_EQ(save.filter_pattern, "*." + extension);
    EXPECT_EQ(save.default_extension, extension);
  }
}

}  // namespace
