// The colour editor: "Edit &Colours..." with its files, and the Colours and Colour Picker
// dialogs driven as a person would.
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "files/colours.h"
#include "resources/colour_dialogs.h"
#include "resources/command_ids.h"
#include "support/colour_rom_builder.h"
#include "support/editor_test.h"

namespace {

using testing_support::ColourOffset;
using testing_support::ColourRomBuilder;
using testing_support::EditColourRomFile;
using testing_support::FakeDialog;
using testing_support::ReadFileBytes;
using testing_support::WriteFileBytes;
using namespace resources;

constexpr UINT kOpenFlags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
constexpr UINT kSaveFlags =
    OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;

// Picker buttons and icons, by swatch: white, cyan, yellow, green, magenta, blue, red, black.
constexpr int kWhite = 1090;
constexpr int kCyan = 1091;
constexpr int kYellow = 1092;
constexpr int kMagenta = 1094;
constexpr int kRed = 1046;
constexpr int kBlack = 1047;
const std::vector<int> kPickerButtons{1090, 1091, 1092, 1093, 1094, 1095, 1046, 1047};
const std::vector<int> kIconOfSwatch{111, 117, 118, 114, 116, 115, 113, 112};

std::vector<std::uint8_t> Image() {
  return {files::colour_rom_image.begin(), files::colour_rom_image.end()};
}

int Cell(int row, int cycle) {
  return 1040 + 6 * row + cycle;
}

class ColoursTest : public testing_support::EditorTest {
 protected:
  // The person clicks a cell and, in the picker that opens, `picker` acts.
  void PickFor(FakeDialog& colours, int cell, std::function<void(FakeDialog&)> picker) {
    host.ActInDialog(kColourPickerDialogId, std::move(picker));
    colours.Click(cell);
  }
  void PickFor(FakeDialog& colours, int cell, int button) {
    PickFor(colours, cell, [button](FakeDialog& picker) { picker.Click(button); });
  }
};

TEST_F(ColoursTest, PickedColoursAreWrittenIntoTheirCycleAndRow) {
  const ColourRomBuilder rom;
  const std::string out = temp.File("out.119");
  EditColourRomFile(
      host, rom.WriteTo(temp, "in.119"),
      [&](FakeDialog& colours) {
        // Every cell shows the swatch of its code's bits 1..3: code 2 * ((row + cycle) % 8).
        for (int row = 0; row < 8; ++row) {
          for (int cycle = 0; cycle < 6; ++cycle) {
            EXPECT_EQ(colours.Control(Cell(row, cycle)).icon,
                      kIconOfSwatch[static_cast<std::size_t>((row + cycle) % 8)])
                << row << " " << cycle;
          }
        }
        PickFor(colours, Cell(5, 2), kYellow);  // Spikers, cycle 3
        EXPECT_EQ(colours.Control(Cell(5, 2)).icon, 118);
        EXPECT_EQ(Image()[530], 0x04);
        PickFor(colours, Cell(0, 0), kBlack);
        PickFor(colours, Cell(7, 5), kRed);
        PickFor(colours, Cell(3, 1), kMagenta);
        colours.Click(kColoursOk);
      },
      out);

  std::vector<std::uint8_t> expected = rom.Bytes();
  expected[530] = 0x04;
  expected[509] = 0x0F;
  expected[509 + 40 + 7] = 0x0C;
  expected[509 + 8 + 3] = 0x08;
  EXPECT_EQ(ReadFileBytes(out), expected);
  EXPECT_TRUE(host.message_boxes.empty());
  EXPECT_EQ(host.dialogs_run, (std::vector<int>{107, 108, 108, 108, 108}));
  ASSERT_EQ(host.file_dialogs.size(), 2u);
  EXPECT_EQ(host.file_dialogs[0].request.title, "Load ROM 119 File");
  EXPECT_EQ(host.file_dialogs[0].request.flags, kOpenFlags);
  EXPECT_EQ(host.file_dialogs[1].request.title, "Save ROM 119 File");
  EXPECT_EQ(host.file_dialogs[1].request.flags, kSaveFlags);
  for (const testing_support::ShownFileDialog& shown : host.file_dialogs) {
    EXPECT_EQ(shown.request.filter_description, "ROM 119 Files (*.119)");
    EXPECT_EQ(shown.request.filter_pattern, "*.119");
    EXPECT_EQ(shown.request.default_extension, "119");
  }
}

TEST_F(ColoursTest, CodesOutsideTheTableShowTheirSwatchAndStayUntilPicked) {
  const ColourRomBuilder rom =
      ColourRomBuilder().Entry(0, 0, 0x01).Entry(1, 0, 0x02).Entry(2, 0, 0xF3).Entry(3, 0, 0x02);
  const std::string out = temp.File("out.119");
  EditColourRomFile(
      host, rom.WriteTo(temp, "in.119"),
      [&](FakeDialog& colours) {
        EXPECT_EQ(colours.Control(Cell(0, 0)).icon, 111);  // white
        EXPECT_EQ(colours.Control(Cell(1, 0)).icon, 117);  // cyan
        EXPECT_EQ(colours.Control(Cell(2, 0)).icon, 117);
        // Picking the colour a cell shows writes that colour's code.
        PickFor(colours, Cell(1, 0), kCyan);
        // Leaving the picker without a pick changes nothing: its OK and Cancel commands, its
        // close box; the Escape key's command does not close it.
        PickFor(colours, Cell(3, 0), [](FakeDialog& picker) { picker.Send(WM_COMMAND, IDOK); });
        PickFor(colours, Cell(2, 0), [](FakeDialog& picker) {
          picker.Send(WM_COMMAND, IDCANCEL);
          EXPECT_FALSE(picker.HasEnded());
          picker.Send(WM_COMMAND, 1003);
        });
        PickFor(colours, Cell(0, 0), [](FakeDialog& picker) { picker.Close(); });
        EXPECT_EQ(colours.Control(Cell(0, 0)).icon, 111);
        colours.Send(WM_COMMAND, IDCANCEL);
        EXPECT_FALSE(colours.HasEnded());
        colours.Click(kColoursOk);
      },
      out);

  std::vector<std::uint8_t> expected = rom.Bytes();
  expected[ColourOffset(1, 0)] = 0x03;
  EXPECT_EQ(ReadFileBytes(out), expected);
}

TEST_F(ColoursTest, PickerOpensBesideTheRowWithItsCaptionAndTheCurrentSwatchFocused) {
  const ColourRomBuilder rom = ColourRomBuilder().Entry(6, 3, 0x0C).Entry(0, 5, 0x0E);
  EditColourRomFile(host, rom.WriteTo(temp, "in.119"), [&](FakeDialog& colours) {
    colours.MoveWindow(300, 40);  // the person moved the dialog
    PickFor(colours, Cell(6, 3), [](FakeDialog& picker) {
      EXPECT_EQ(picker.Caption(), "Colour Picker : Level (Cycle 4)");
      EXPECT_EQ(picker.Focus(), kRed);
      const RECT place = picker.GetWindowRect();
      EXPECT_EQ(place.left, 305);
      EXPECT_EQ(place.top, 40 + 51 * 6 + 32);
      EXPECT_EQ(place.right - place.left, 251 * 2);  // the fake's two pixels a unit
      for (std::size_t k = 0; k < kPickerButtons.size(); ++k) {
        EXPECT_EQ(picker.Control(kPickerButtons[k]).icon, kIconOfSwatch[k]);
      }
      picker.Close();
    });
    PickFor(colours, Cell(0, 5), [](FakeDialog& picker) {
      EXPECT_EQ(picker.Caption(), "Colour Picker : Bullets (Cycle 6)");
      EXPECT_EQ(picker.Focus(), kBlack);
      EXPECT_EQ(picker.GetWindowRect().top, 40 + 32);
      picker.Click(kWhite);
    });
    colours.Click(kColoursCancel);
  });
}

TEST_F(ColoursTest, CancelAndTheCloseBoxSaveNothing) {
  const ColourRomBuilder rom;
  const std::string out = temp.File("out.119");
  WriteFileBytes(out, std::vector<std::uint8_t>(12, 0x42));
  for (const bool close_box : {false, true}) {
    SCOPED_TRACE(close_box);
    host.file_dialogs.clear();
    EditColourRomFile(host, rom.WriteTo(temp, "in.119"), [&](FakeDialog& colours) {
      PickFor(colours, Cell(4, 4), kCyan);
      close_box ? colours.Close() : void(colours.Click(kColoursCancel));
    });
    EXPECT_EQ(host.file_dialogs.size(), 1u);
    EXPECT_EQ(ReadFileBytes(out), std::vector<std::uint8_t>(12, 0x42));
  }
  // The pick stays in the image until the next load replaces it.
  EXPECT_EQ(Image()[ColourOffset(4, 4)], 0x03);
}

TEST_F(ColoursTest, LoadAndSaveWithoutChangesKeepsEveryByte) {
  const ColourRomBuilder rom = ColourRomBuilder().Entry(2, 2, 0xFF);
  const std::string out = temp.File("out.119");
  EditColourRomFile(
      host, rom.WriteTo(temp, "in.119"), [](FakeDialog& colours) { colours.Click(kColoursOk); },
      out);
  EXPECT_EQ(ReadFileBytes(out), rom.Bytes());
  EXPECT_EQ(Image(), rom.Bytes());

  // A shorter file overwrites only what it holds, here the first eleven cells of the table.
  std::vector<std::uint8_t> shorter(520, 0x11);
  std::copy(files::kColourRomSignature.begin(), files::kColourRomSignature.end(), shorter.begin());
  WriteFileBytes(temp.File("short.119"), shorter);
  EditColourRomFile(host, temp.File("short.119"), [](FakeDialog& colours) {
    EXPECT_EQ(colours.Control(Cell(2, 1)).icon, 111);
    EXPECT_EQ(colours.Control(Cell(3, 1)).icon, kIconOfSwatch[4]);
    colours.Click(kColoursCancel);
  });
  std::vector<std::uint8_t> expected = rom.Bytes();
  std::copy(shorter.begin(), shorter.end(), expected.begin());
  EXPECT_EQ(Image(), expected);
}

TEST_F(ColoursTest, FilesWithoutTheSignatureAreRefusedAndChangeNothing) {
  const ColourRomBuilder first;
  EditColourRomFile(host, first.WriteTo(temp, "first.119"),
                    [](FakeDialog& colours) { colours.Click(kColoursCancel); });
  host.dialogs_run.clear();

  std::vector<std::uint8_t> wrong = ColourRomBuilder().Entry(0, 0, 0x0F).Bytes();
  wrong[3] = 0x02;
  const std::vector<std::uint8_t> files[] = {wrong, {0xCB, 0x01, 0x92}, {}};
  for (std::size_t i = 0; i < std::size(files); ++i) {
    SCOPED_TRACE(i);
    host.message_boxes.clear();
    const std::string path = temp.File("bad" + std::to_string(i) + ".119");
    WriteFileBytes(path, files[i]);
    host.AnswerFileDialog(path);
    host.ChooseMenuItem(kEditColours);
    host.HandleMessages();
    ExpectOnlyMessage("Not a valid Tempest ROM 119 file");
    EXPECT_EQ(Image(), first.Bytes());
  }
  const std::string missing = temp.File("missing.119");
  host.message_boxes.clear();
  host.AnswerFileDialog(missing);
  host.ChooseMenuItem(kEditColours);
  host.HandleMessages();
  ExpectOnlyMessage("Could not open \"" + missing + "\".");

  host.message_boxes.clear();
  host.AnswerFileDialog(std::nullopt);
  host.ChooseMenuItem(kEditColours);
  host.HandleMessages();
  EXPECT_TRUE(host.message_boxes.empty());

  EXPECT_TRUE(host.dialogs_run.empty());
  EXPECT_EQ(Image(), first.Bytes());
  for (std::size_t i = 1; i < host.file_dialogs.size(); ++i) {
    EXPECT_FALSE(host.file_dialogs[i].save);
  }
}

TEST_F(ColoursTest, FailedSaveIsReportedAndKeepsTheOldFile) {
  const ColourRomBuilder rom;
  const std::string in = rom.WriteTo(temp, "in.119");
  const std::filesystem::path folder = temp.Path() / "taken.119";
  std::filesystem::create_directory(folder);
  for (const std::string& path : {temp.File("no such folder/out.119"), folder.string()}) {
    SCOPED_TRACE(path);
    host.message_boxes.clear();
    EditColourRomFile(
        host, in, [](FakeDialog& colours) { colours.Click(kColoursOk); }, path);
    ExpectOnlyMessage("Could not write \"" + path + "\".");
    EXPECT_TRUE(std::filesystem::is_empty(folder));
  }

  if (geteuid() == 0) GTEST_SKIP() << "permission bits do not stop root from writing";
  const std::filesystem::path locked = temp.Path() / "locked";
  std::filesystem::create_directory(locked);
  const std::string old_file = (locked / "old.119").string();
  WriteFileBytes(old_file, std::vector<std::uint8_t>(70, 0x42));
  std::filesystem::permissions(
      locked, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  host.message_boxes.clear();
  EditColourRomFile(
      host, in, [](FakeDialog& colours) { colours.Click(kColoursOk); }, old_file);
  std::filesystem::permissions(locked, std::filesystem::perms::owner_all);
  ExpectOnlyMessage("Could not write \"" + old_file + "\".");
  EXPECT_EQ(ReadFileBytes(old_file), std::vector<std::uint8_t>(70, 0x42));
}

TEST_F(ColoursTest, SampleColoursLoadAndSaveUnchanged) {
  const std::string sample = std::string(RIMFORGE_SAMPLES_DIR) + "/rimforge_colours.119";
  const std::vector<std::uint8_t> bytes = ReadFileBytes(sample);
  ASSERT_EQ(bytes.size(), 2048u);
  const std::string out = temp.File("again.119");
  EditColourRomFile(
      host, sample, [](FakeDialog& colours) { colours.Click(kColoursOk); }, out);
  EXPECT_TRUE(host.message_boxes.empty());
  EXPECT_EQ(ReadFileBytes(out), bytes);
}

}  // namespace
