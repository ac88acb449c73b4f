// "Edit &Colours..." with any file. A file without the signature is refused, with no dialog and
// nothing saved; any other file replaces the bytes of the image that it holds, the Colours dialog
// shows the swatch of every entry, each pick writes its code into its entry and nothing else,
// and OK saves the image as it is.
//
// The bytes after the 2048 that are loaded script the person: pairs of (cell, choice), the
// choice a swatch 0..7 or, from 8 on, the picker's close box. An odd byte left over presses
// Cancel instead of OK.
#include "files/colours.h"
#include "fuzz_host.h"
#include "resources/colour_dialogs.h"
#include "resources/command_ids.h"

namespace fuzzing {
namespace {

using namespace files;
using namespace resources;
using Image = std::array<std::uint8_t, kColourRomSize>;

constexpr int kSwatches = 8;

// Whether the grid button `cell` shows the swatch of `code`.
RIMFORGE_NO_COVERAGE bool Shows(const FuzzDialog& colours, int cell, std::uint8_t code) {
  return colours.Control(cell).icon == kSwatchIcons[SwatchOfCode(code)];
}

RIMFORGE_NO_COVERAGE void CheckGrid(const FuzzDialog& colours, const Image& expected) {
  for (int row = 0; row < kColourRows; ++row) {
    for (int cycle = 0; cycle < kColourCycles; ++cycle) {
      Require(Shows(colours, ColourCell(row, cycle), expected[ColourEntryOffset(row, cycle)]),
              "a cell does not show the swatch of its entry");
    }
  }
}

// One pick: opens the picker on `cell` and takes swatch `choice`; from 8 on, the host closes
// the picker by its close box.
void Pick(FuzzDialog& colours, Image& expected, int cell, int choice) {
  const int row = cell / kColourCycles;
  const int cycle = cell % kColourCycles;
  std::uint8_t& entry = expected[ColourEntryOffset(row, cycle)];
  Host().people[kColourPickerDialogId] = [=, &entry](FuzzDialog& picker) {
    Require(picker.Caption() == std::string("Colour Picker : ") + kColourRowNames[row] +
                                    " (Cycle " + std::to_string(cycle + 1) + ")",
            "the picker's caption names another cell");
    Require(picker.Focus() == kSwatchButtons[SwatchOfCode(entry)],
            "the picker's focus is not on the cell's swatch");
    if (choice < kSwatches) picker.Click(kSwatchButtons[choice]);
  };
  colours.Click(ColourCell(row, cycle));
  if (choice < kSwatches) entry = kSwatchCodes[choice];
  Require(Shows(colours, ColourCell(row, cycle), entry),
          "a cell does not show its swatch after a pick");
}

}  // namespace

void RunInput(Bytes file) {
  const Bytes script = file.subspan(std::min(file.size(), kColourRomSize));
  FuzzHost& host = StartFresh(file, "119");
  // The level image's pattern serves as the colour image before the load.
  colour_rom_image = EarlierLevelData().image;
  const bool valid = StartsWith(file, kColourRomSignature);
  Image expected = valid ? Loaded(colour_rom_image, file) : colour_rom_image;
  const bool cancel = script.size() % 2 == 1;
  host.people[kColoursDialogId] = [&](FuzzDialog& colours) {
    CheckGrid(colours, expected);
    for (std::size_t i = 0; i + 1 < script.size(); i += 2) {
      Pick(colours, expected, script[i] % (kColourRows * kColourCycles), script[i + 1]);
    }
    colours.Click(cancel ? kColoursCancel : kColoursOk);
  };
  Command(kEditColours);

  // Refused, the image is as before.
  Require(colour_rom_image == expected, "the colour ROM image is not the file and the picks");
  if (!Took(valid, "Not a valid Tempest ROM 119 file")) return;
  Require(host.SavedIs(expected, !cancel),
          cancel ? "a cancelled colour edit was saved" : "the saved colour ROM is not the image");
}

}  // namespace fuzzing
