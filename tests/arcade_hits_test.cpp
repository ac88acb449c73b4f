// "Hack 'Atari Arcade Hits'..." as a person uses it: pick a program file, choose the level set
// and the text data in its dialog, name the output; then only the chosen images differ.
#include <filesystem>

#include "resources/arcade_hits_dialog.h"
#include "resources/command_ids.h"
#include "resources/text_messages_dialog.h"
#include "support/editor_snapshot.h"
#include "support/editor_test.h"
#include "support/golden.h"

namespace {

using namespace testing_support;
using namespace resources;

// Where the images lie in the usual program file made here; the text images at odd offsets.
constexpr std::size_t kFirstLevel = 1000, kLastLevel = kFirstLevel + 24576;
constexpr std::size_t kFirstText = 4001, kLastText = 29003;
const Bytes kGameLevels = LevelRomBuilder().Points(0, AllAt(11, 11)).Get();

Bytes Program(std::size_t size = 34567, std::size_t last_text = kLastText) {
  return ProgramFile(size, {{kFirstLevel, kGameLevels},
                            {kLastLevel, kGameLevels},
                            {kFirstText, TextRomImage(1)},
                            {last_text, TextRomImage(2)}});
}

class ArcadeHitsTest : public EditorTest {
 protected:
  // The editor's levels, with stale derived bytes in the file; `levels` is then the image as a
  // save derives it.
  void LoadLevels(const ShapePoints& points = Walk({100, 100},
                                                   {{1, 0}, {0, 1}, {-1, 0}, {0, -1}})) {
    LevelRomBuilder rom;
    rom.Points(0, points);
    for (int point = 0; point < level::kPointCount; ++point)
      rom.TableByte(level::kSegmentDirections + point, 0x0B);
    Load(kLoadRom, rom.Get(), "editor.118");
    ChooseFile(kSaveRom, temp.File("derived.118"));
    levels = ReadFileBytes(temp.File("derived.118"));
  }
  void LoadTexts() {
    texts = TextRomBuilder().Message(0, "HACKED").Get();
    EditData(kEditText, kTextMessagesDialogId, temp.Write("texts.121", texts),
             [](FakeDialog& dialog) { dialog.Close(); });
    host.dialogs_run.clear();
  }
  // The whole command; `output` answers the save dialog, if it comes.
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

  Bytes levels, texts;
};

TEST_F(ArcadeHitsTest, ChosenSetAndTextDataGoToTheirPlaces) {
  Load(kLoadTld, LevelFileBuilder().Get(), "t.TLD");
  EXPECT_TRUE(Grayed(kHackArcadeHits));  // a level file alone holds no ROM to put in
  LoadLevels();
  LoadTexts();
  const Bytes input = Program();
  const std::size_t end_text = kLastLevel + 2048;  // images may end where the file ends
  const Bytes tight = Program(end_text + 2048, end_text);
  // Extra signatures count only as first and last.
  const Bytes extra = With(With(With(input, 9000, kGameLevels), 12000, TextRomImage(3)),
                           kLastText + 3000, TextRomImage(4));
  const int tubes = kTempestTubesButton, text = kIncludeTextDataBox, ok = kArcadeHitsOkButton;
  const struct {
    const Bytes& program;
    std::vector<int> clicks;
    std::size_t level_at, text_at;  // text_at 0: no texts put in
    const char* name;
  } cases[] = {
      {input, {ok}, kFirstLevel, 0, "game.scr"},
      {input, {tubes, ok}, kLastLevel, 0, "GAME.EXE"},
      {input, {text, ok}, kFirstLevel, kFirstText, "g.scrn"},
      {input, {tubes, text, ok}, kLastLevel, kLastText, "g.sc"},
      {input, {text, tubes, text, ok}, kLastLevel, 0, "game"},
      {extra, {tubes, text, ok}, kLastLevel, kLastText + 3000, "game."},
      {tight, {tubes, text, ok}, kLastLevel, end_text, "in.exe"},
  };
  for (const auto& [program, clicks, level_at, text_at, name] : cases) {
    Hack(program, clicks, temp.File("out.exe"), name);
    const Bytes out = With(program, level_at, levels);
    EXPECT_EQ(ReadFileBytes(temp.File("out.exe")), text_at ? With(out, text_at, texts) : out)
        << name;
  }
  // The save dialog offers the opened file's extension of three characters at most; a name
  // without one is taken for a program.
  ExpectGoldenText("arcade_hits_dialogs.txt", host.FileDialogsShown());
  EXPECT_EQ(ReadFileBytes(temp.File("in.exe")), tight);
  EXPECT_TRUE(host.message_boxes.empty());
}

TEST_F(ArcadeHitsTest, DialogOffersOnlyTheDataThatWasLoaded) {
  // The menu item is greyed until a level ROM load, so the command goes straight to the window
  // here to see the dialog's own rule.
  for (int loaded = 0; loaded < 4; ++loaded) {
    const bool loaded_levels = loaded & 1, loaded_texts = loaded & 2;
    app::ResetEditor();
    app::StartEditor();
    if (loaded_levels) LoadLevels();
    if (loaded_texts) LoadTexts();
    host.ActInDialog(kArcadeHitsDialogId, [&](FakeDialog& dialog) {
      EXPECT_EQ(dialog.Caption(), "Hack 'Atari Arcade Hits'");
      EXPECT_TRUE(dialog.IsChecked(kOriginalLevelsButton) &&
                  !dialog.IsChecked(kTempestTubesButton));
      EXPECT_EQ(dialog.Control(kOriginalLevelsButton).enabled, loaded_levels);
      EXPECT_EQ(dialog.Control(kTempestTubesButton).enabled, loaded_levels);
      EXPECT_EQ(dialog.Control(kIncludeTextDataBox).enabled, loaded_texts);
      if (loaded_levels && loaded_texts) {  // the check box toggles, a radio clears the other
        dialog.Click(kTempestTubesButton);
        dialog.Click(kIncludeTextDataBox);
        EXPECT_TRUE(dialog.IsChecked(kTempestTubesButton) &&
                    dialog.IsChecked(kIncludeTextDataBox) &&
                    !dialog.IsChecked(kOriginalLevelsButton));
      }
      dialog.Click(kArcadeHitsCancelButton);
    });
    host.AnswerFileDialog(temp.Write("in.exe", Program()));
    host.Post(WM_COMMAND, kHackArcadeHits);
    host.HandleMessages();
    EXPECT_EQ(host.dialogs_run.back(), kArcadeHitsDialogId);
  }
}

// Nothing is written on a cancel, when the next patch would not find the images where this one
// did, or when an image written would run past the file's end.
TEST_F(ArcadeHitsTest, CancelOrAPatchThatWouldSpoilTheFileWritesNothing) {
  // X bytes that read as the level ROM's signature: at the last level image they would move it.
  LoadLevels(Walk({0x3B, 16}, {{0x01 - 0x3B, 0}, {0xCE - 0x01, 0}, {0x3C - 0xCE, 0}}));
  LoadTexts();
  const EditorSnapshot before;
  // Cancel in the dialog, its close box (Escape is not one of its ways out), or in the save
  // dialog.
  Hack(Program(), {kTempestTubesButton, kArcadeHitsCancelButton}, std::nullopt);
  host.ActInDialog(kArcadeHitsDialogId, [](FakeDialog& dialog) {
    dialog.Send(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
    EXPECT_FALSE(dialog.HasEnded());
    dialog.Close();
  });
  ChooseFile(kHackArcadeHits, temp.File("in.exe"));
  Hack(Program(), {kArcadeHitsOkButton}, FileAnswer());
  EXPECT_EQ(host.dialogs_run.size(), 3u);
  EXPECT_TRUE(host.message_boxes.empty());
  ExpectUnchanged(before);
  Bytes cut = Program();  // the last text image one byte short
  cut.resize(kLastText + 2047);
  const int tubes = kTempestTubesButton, text = kIncludeTextDataBox, ok = kArcadeHitsOkButton;
  const struct {
    const Bytes& program;
    std::vector<int> clicks;
    const char* refusal;  // none: written
  } cases[] = {
      {Program(),
       {tubes, ok},
       "The edited data holds a signature of the game's data, so the patched file could not be "
       "patched again. Nothing was written."},
      {cut, {tubes, text, ok}, "Not a valid 'Atari Arcade Hits' file"},
      {cut, {text, ok}, nullptr},
  };
  const std::string out = temp.File("out.exe");
  for (const auto& [program, clicks, refusal] : cases) {
    EXPECT_FALSE(std::filesystem::exists(out));
    host.message_boxes.clear();
    Hack(program, clicks, out);
    if (refusal) {
      ExpectOnlyMessage(refusal);
    } else {
      EXPECT_TRUE(host.message_boxes.empty());
    }
  }
  EXPECT_EQ(ReadFileBytes(out), With(With(cut, kFirstLevel, levels), kFirstText, texts));
}

}  // namespace
