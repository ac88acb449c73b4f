// The colour editor: "Edit &Colours..." with the Colours and Colour Picker dialogs driven as a
// person would, and the colour ROM it saves.
#include "files/colours.h"
#include "resources/colour_dialogs.h"
#include "resources/command_ids.h"
#include "support/editor_test.h"

namespace {

using namespace testing_support;
using namespace resources;

// The colour each swatch shows, in the cells and on the picker's buttons.
constexpr int kIcons[] = {kWhiteIcon,   kCyanIcon, kYellowIcon, kGreenIcon,
                          kMagentaIcon, kBlueIcon, kRedIcon,    kBlackIcon};
constexpr int kWhite = 0, kCyan = 1, kYellow = 2, kRed = 6, kBlack = 7;

Bytes Image() {
  return {files::colour_rom_image.begin(), files::colour_rom_image.end()};
}

class ColoursTest : public EditorTest {
 protected:
  // The person clicks a cell and, in the picker that opens, `picker` acts.
  void PickFor(FakeDialog& colours, int cell, std::function<void(FakeDialog&)> picker) {
    host.ActInDialog(kColourPickerDialogId, std::move(picker));
    colours.Click(cell);
  }
  void Pick(FakeDialog& colours, int cell, int swatch) {
    PickFor(colours, cell, [swatch](FakeDialog& picker) { picker.Click(kSwatchButtons[swatch]); });
  }
};

TEST_F(ColoursTest, PickedColoursAreWrittenIntoTheirCycleAndRowAndSaved) {
  Bytes rom = ColourRom();
  // Codes outside the table show the swatch of bits 1..3 and stay until picked.
  rom[ColourOffset(0, 0)] = 0x01;
  rom[ColourOffset(1, 0)] = 0x02;
  rom[ColourOffset(2, 0)] = 0xF3;
  rom[ColourOffset(3, 0)] = 0x02;
  const std::string out = temp.File("out.119");
  EditData(
      kEditColours, kColoursDialogId, temp.Write("in.119", rom),
      [&](FakeDialog& colours) {
        for (int row = 0; row < 8; ++row) {
          for (int cycle = row < 4 ? 1 : 0; cycle < 6; ++cycle)
            EXPECT_EQ(colours.Control(ColourCell(row, cycle)).icon, kIcons[(row + cycle) % 8])
                << row << cycle;
        }
        EXPECT_EQ(colours.Control(ColourCell(0, 0)).icon, kIcons[kWhite]);
        EXPECT_EQ(colours.Control(ColourCell(2, 0)).icon, kIcons[kCyan]);
        colours.MoveWindow(300, 40);  // the person moved the dialog
        // The picker opens beside the row, with its caption and the cell's swatch focused.
        PickFor(colours, ColourCell(6, 3), [](FakeDialog& picker) {
          EXPECT_EQ(picker.Caption(), "Colour Picker : Level (Cycle 4)");
          EXPECT_EQ(picker.Focus(), kSwatchButtons[kCyan]);
          EXPECT_EQ(picker.GetWindowRect().left, 305);
          EXPECT_EQ(picker.GetWindowRect().top, 40 + 51 * 6 + 32);
          for (int swatch = 0; swatch < 8; ++swatch)
            EXPECT_EQ(picker.Control(kSwatchButtons[swatch]).icon, kIcons[swatch]);
          picker.Click(kSwatchButtons[kYellow]);
        });
        EXPECT_EQ(colours.Control(ColourCell(6, 3)).icon, kIcons[kYellow]);
        EXPECT_EQ(Image()[ColourOffset(6, 3)], 0x04);
        Pick(colours, ColourCell(1, 0), kCyan);  // the colour the cell shows writes its own code
        Pick(colours, ColourCell(7, 5), kRed);
        PickFor(colours, ColourCell(0, 5), [](FakeDialog& picker) {
          EXPECT_EQ(picker.Caption(), "Colour Picker : Bullets (Cycle 6)");
          EXPECT_EQ(picker.GetWindowRect().top, 40 + 32);
          picker.Click(kSwatchButtons[kBlack]);
        });
        // Leaving the picker without a pick changes nothing: its OK and Cancel commands and its
        // close box; the Escape key's command closes neither dialog.
        PickFor(colours, ColourCell(3, 0),
                [](FakeDialog& picker) { picker.Send(WM_COMMAND, IDOK); });
        PickFor(colours, ColourCell(2, 0), [](FakeDialog& picker) {
          picker.Send(WM_COMMAND, IDCANCEL);
          EXPECT_FALSE(picker.HasEnded());
          picker.Send(WM_COMMAND, kPickerCancel);
        });
        PickFor(colours, ColourCell(0, 0), [](FakeDialog& picker) { picker.Close(); });
        colours.Send(WM_COMMAND, IDCANCEL);
        EXPECT_FALSE(colours.HasEnded());
        colours.Click(kColoursOk);
      },
      out);
  rom[ColourOffset(6, 3)] = 0x04;
  rom[ColourOffset(1, 0)] = 0x03;
  rom[ColourOffset(7, 5)] = 0x0C;
  rom[ColourOffset(0, 5)] = 0x0F;
  EXPECT_EQ(ReadFileBytes(out), rom);
  EXPECT_TRUE(host.message_boxes.empty());
  std::vector<int> dialogs(8, kColourPickerDialogId);
  dialogs[0] = kColoursDialogId;
  EXPECT_EQ(host.dialogs_run, dialogs);
}

}  // namespace
