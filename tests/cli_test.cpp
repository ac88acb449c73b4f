// rimforge-tool run as a person runs it from a terminal: what it prints for each kind of file,
// for help and for command lines it does not understand (kept as a transcript in
// tests/golden/), and the files it writes, which are the files the editor writes for the same
// choices.
#include <algorithm>
#include <filesystem>

#include "png/png_image.h"
#include "resources/arcade_hits_dialog.h"
#include "resources/command_ids.h"
#include "resources/text_messages_dialog.h"
#include "support/editor_test.h"
#include "support/golden.h"
#include "support/run_program.h"

namespace {

using namespace testing_support;
using namespace resources;

const std::string kSamples = RIMFORGE_SAMPLES_DIR;

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

class CliTest : public EditorTest {
 protected:
  // Runs the tool and adds the run to the transcript, the folders named TMP and SAMPLES.
  ProgramRun Tool(const std::vector<std::string>& args) {
    const ProgramRun run = RunProgram(RIMFORGE_TOOL, args);
    std::string entry = "$ rimforge-tool";
    for (const std::string& arg : args)
      entry += " " + arg;
    entry += "\n" + run.out + "[stderr]\n" + run.err + "[exit " + std::to_string(run.exit_status) +
             "]\n\n";
    ReplaceAll(entry, temp.Path().string(), "TMP");
    ReplaceAll(entry, kSamples, "SAMPLES");
    transcript += entry;
    return run;
  }
  // A program file with the sample images in the places of both sets.
  std::string Program(const std::string& name) {
    const Bytes levels = ReadFileBytes(kSamples + "/rimforge_tubes.118");
    const Bytes texts = ReadFileBytes(kSamples + "/rimforge_texts.121");
    return temp.Write(
        name, ProgramFile(40000,
                          {{1000, levels}, {1000 + 24576, levels}, {5001, texts}, {33003, texts}}));
  }

  std::string transcript;
};

TEST_F(CliTest, WhatItPrintsForEachKindOfFileAndEachCommandLine) {
  const std::string program = Program("game.exe");
  for (const char* sample :
       {"rimforge_tubes.118", "rimforge_tubes.TLD", "rimforge_colours.119", "rimforge_texts.121"}) {
    Tool({"info", kSamples + "/" + sample});
    if (!std::string(sample).ends_with(".118")) Tool({"info", "--json", kSamples + "/" + sample});
  }
  Tool({"info", program});
  Tool({"info", program, "--json"});
  const std::string bad = temp.Write("notes.txt", {'T', 'L', 'X', '!'});
  const std::string tld = kSamples + "/rimforge_tubes.TLD";
  const std::string rom = kSamples + "/rimforge_tubes.118";
  const std::vector<std::vector<std::string>> lines = {
      {"--help"},
      {"-h"},
      {},
      {"draw", "x"},
      {"info"},
      {"info", "a", "b"},
      {"info", "--json=yes", "a"},
      {"info", "--json", "a", "--json"},
      {"info", "--", "--help"},
      {"info", bad},
      {"info", temp.File("missing.118")},
      {"convert", "--help"},
      {"convert", "in.118"},
      {"convert", "in.118", "out.TLD", "--rom"},
      {"convert", bad, temp.File("out.TLD")},
      {"convert", rom, temp.File("out.118"), "--rom", rom},
      {"convert", tld, temp.File("out.118"), "--rom", bad},
      {"convert", tld, temp.File("out.118")},
      {"convert", rom, temp.File("no folder/out.TLD")},
      {"render", "--bogus", "--help"},
      {"render", rom, "-o", "x.png", "--zoom", "2"},
      {"render", rom, "-o", temp.File("x.png"), "--level", "17"},
      {"render", rom, "-o", temp.File("x.png"), "--scale", "9"},
      {"render", bad, "-o", temp.File("x.png")},
      {"patch", "--help"},
      {"patch", "-o", "out.exe"},
      {"patch", program, "--levels", rom, "--set", "mine", "-o", temp.File("x.exe")},
      {"patch", program, "--levels", tld, "-o", temp.File("x.exe")},
      {"patch", bad, "--levels", rom, "-o", temp.File("x.exe")},
  };
  for (const std::vector<std::string>& line : lines)
    Tool(line);
  ExpectGoldenText("cli.txt", transcript);
  // A failed run leaves no output file behind.
  EXPECT_EQ(FileNames(temp.Path()), (std::vector<std::string>{"game.exe", "notes.txt"}));
}

TEST_F(CliTest, ConvertRenderAndPatchWriteWhatTheEditorWrites) {
  const std::string rom = kSamples + "/rimforge_tubes.118", tld = kSamples + "/rimforge_tubes.TLD";
  const std::string texts = kSamples + "/rimforge_texts.121";
  // A level file from a ROM whose derived bytes are stale, and back into a base ROM.
  Bytes stale = ReadFileBytes(rom);
  std::fill_n(stale.begin() + ImageOffset(level::kSegmentDirections), 256, 0x0B);
  const std::string stale_rom = temp.Write("stale.118", stale);
  EXPECT_EQ(Tool({"convert", stale_rom, temp.File("tool.TLD")}).exit_status, 0);
  EXPECT_EQ(Tool({"convert", tld, temp.File("tool.118"), "--rom", stale_rom}).exit_status, 0);
  ChooseFile(kLoadRom, stale_rom);
  ChooseFile(kSaveTld, temp.File("editor.TLD"));
  EXPECT_EQ(ReadFileBytes(temp.File("tool.TLD")), ReadFileBytes(temp.File("editor.TLD")));
  ChooseFile(kLoadRom, stale_rom);
  ChooseFile(kLoadTld, tld);
  ChooseFile(kSaveRom, temp.File("editor.118"));
  EXPECT_EQ(ReadFileBytes(temp.File("tool.118")), ReadFileBytes(temp.File("editor.118")));

  // The tube view of level 6 is the editor's frame kept in tests/golden/, enlarged or not.
  for (const auto& [options, golden] :
       std::initializer_list<std::pair<std::vector<std::string>, std::string>>{
           {{"--level", "6"}, "tube_view_3d"},
           {{"--level", "6", "--2d", "--scale", "2"}, "tube_view_2d"}}) {
    std::vector<std::string> args{"render", rom, "-o", temp.File("tool.png")};
    args.insert(args.end(), options.begin(), options.end());
    EXPECT_EQ(Tool(args).exit_status, 0);
    const std::optional<png::RgbImage> picture = png::ReadPng(temp.File("tool.png"));
    const std::optional<png::RgbImage> kept =
        png::ReadPng(RIMFORGE_GOLDEN_DIR "/" + golden + ".png");
    ASSERT_TRUE(picture && kept);
    const int scale = picture->width / kept->width;
    ASSERT_EQ(std::make_pair(picture->width, picture->height),
              std::make_pair(520 * scale, 650 * scale));
    png::RgbImage shrunk{520, 650, {}};
    for (int y = 0; y < 650; ++y) {
      for (int x = 0; x < 520 * 3; ++x)
        shrunk.rgb.push_back(picture->rgb[static_cast<std::size_t>(y * scale * 520 * 3 * scale +
                                                                   (x / 3) * scale * 3 + x % 3)]);
    }
    EXPECT_EQ(png::CountDifferentPixels(shrunk, *kept), 0u) << golden;
  }

  // Patching is the editor's Hack with the same choices.
  const std::string program = Program("game.exe");
  EXPECT_EQ(Tool({"patch", program, "--levels", stale_rom, "--texts", texts, "--set", "tubes", "-o",
                  temp.File("tool.exe")})
                .exit_status,
            0);
  ChooseFile(kLoadRom, stale_rom);
  EditData(kEditText, kTextMessagesDialogId, texts, [](FakeDialog& dialog) { dialog.Close(); });
  EditData(
      kHackArcadeHits, kArcadeHitsDialogId, program,
      [](FakeDialog& dialog) {
        dialog.Click(kTempestTubesButton);
        dialog.Click(kIncludeTextDataBox);
        dialog.Click(kArcadeHitsOkButton);
      },
      temp.File("editor.exe"));
  EXPECT_EQ(ReadFileBytes(temp.File("tool.exe")), ReadFileBytes(temp.File("editor.exe")));
  EXPECT_TRUE(host.message_boxes.empty());
}

}  // namespace
