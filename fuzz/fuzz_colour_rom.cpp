// "Edit &Colours..." with any file. After the 2048 loaded, pairs of (cell, choice): a swatch
// 0..7 or, from 8 on, the picker's close box. An odd byte left over presses Cancel.
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
constexpr int kCells = kColourRows * kColourCycles;

// Whether the cell, counted row by row, shows its entry's swatch.
UNCOUNTED bool Shows(const FuzzDialog& colours, const Image& image, int cell) {
  const int row = cell / kColourCycles;
  const int cycle = cell % kColourCycles;
  return colours.Control(ColourCell(row, cycle)).icon ==
         kSwatchIcons[SwatchOfCode(image[ColourEntryOffset(row, cycle)])];
}

// Picks swatch `choice` for the cell; from 8 on closes the picker.
void Pick(FuzzDialog& colours, Image& expected, int cell, int choice) {
  const int row = cell / kColourCycles;
  const int cycle = cell % kColourCycles;
  std::uint8_t& entry = expected[ColourEntryOffset(row, cycle)];
  Host().people[kColourPickerDialogId] = [=, &entry](FuzzDialog& picker) {
    Require(picker.Caption() == std::string("Colour Picker : ") + kColourRowNames[row] +
                                    " (Cycle " + std::to_string(cycle + 1) + ")" &&
                picker.Focus() == kSwatchButtons[SwatchOfCode(entry)],
            "the picker's caption or focus is not the cell's");
    if (choice < kSwatches) picker.Click(kSwatchButtons[choice]);
  };
  colours.Click(ColourCell(row, cycle));
  if (choice < kSwatches) entry = kSwatchCodes[choice];
  Require(Shows(colours, expected, cell), "a cell does not show its swatch");
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
    for (int cell = 0; cell < kCells; ++cell) {
      Require(Shows(colours, expected, cell), "a cell does not show its swatch");
    }
    for (std::size_t i = 0; i + 1 < script.size(); i += 2) {
      Pick(colours, expected, script[i] % kCells, script[i + 1]);
    }
    colours.Click(cancel ? kColoursCancel : kColoursOk);
  };
  Command(kEditColours);

  // Refused, the image is as before.
  Require(colour_rom_image == expected, "the colour ROM image is not the file and the picks");
  if (!Took(valid, "Not a valid Tempest ROM 119 file")) return;
  host.RequireSaved(expected, !cancel);
}

}  // namespace fuzzing
