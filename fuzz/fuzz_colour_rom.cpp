// "Edit &Colours..." with any file. A file without the signature is refused, with no dialog and
// nothing saved; any other file replaces the bytes of the image that it holds, the Colours dialog
// shows the swatch of every entry, each pick writes its code into its entry and nothing else,
// and OK saves the image as it is.
//
// Only the first 2048 bytes of a file are loaded, so the bytes after them script the person:
// pairs of (cell, choice), the choice a swatch 0..7 or, from 8 on, the picker's close box. An
// odd byte left at the end presses Cancel instead of OK.
#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "files/colours.h"
#include "fuzz_host.h"
#include "resources/colour_dialogs.h"
#include "resources/command_ids.h"

namespace {

using fuzzing::FuzzDialog;
using fuzzing::Require;
using Image = std::array<std::uint8_t, files::kColourRomSize>;

constexpr int kCells = resources::kColourRows * resources::kColourCycles;
constexpr int kSwatches = 8;

Image EarlierImage() {
  Image image{};
  for (std::size_t i = 0; i < image.size(); ++i) {
    image[i] = static_cast<std::uint8_t>(i * 5 + 3);
  }
  return image;
}

RIMFORGE_NO_COVERAGE int IconOf(std::uint8_t code) {
  return resources::kSwatchIcons[static_cast<std::size_t>(files::SwatchOfCode(code))];
}

RIMFORGE_NO_COVERAGE void CheckGrid(const FuzzDialog& colours, const Image& expected) {
  for (int row = 0; row < resources::kColourRows; ++row) {
    for (int cycle = 0; cycle < resources::kColourCycles; ++cycle) {
      Require(colours.Control(resources::ColourCell(row, cycle)).icon ==
                  IconOf(expected[files::ColourEntryOffset(row, cycle)]),
              "a cell does not show the swatch of its entry");
    }
  }
}

// One pick: opens the picker on `cell` and takes swatch `choice`, or closes the picker.
void Pick(FuzzDialog& colours, Image& expected, int cell, int choice) {
  const int row = cell / resources::kColourCycles;
  const int cycle = cell % resources::kColourCycles;
  const std::size_t entry = files::ColourEntryOffset(row, cycle);
  fuzzing::Host().people[resources::kColourPickerDialogId] = [&expected, row, cycle, entry,
                                                              choice](FuzzDialog& picker) {
    const std::string caption = std::string("Colour Picker : ") +
                                resources::kColourRowNames[static_cast<std::size_t>(row)] +
                                " (Cycle " + std::to_string(cycle + 1) + ")";
    Require(picker.Caption() == caption, "the picker's caption names another cell");
    Require(picker.Focus() == resources::kSwatchButtons[static_cast<std::size_t>(
                                  files::SwatchOfCode(expected[entry]))],
            "the picker's focus is not on the cell's swatch");
    if (choice < kSwatches) {
      picker.Click(resources::kSwatchButtons[static_cast<std::size_t>(choice)]);
    } else {
      picker.Close();
    }
  };
  colours.Click(resources::ColourCell(row, cycle));
  if (choice < kSwatches) {
    expected[entry] = files::kSwatchCodes[static_cast<std::size_t>(choice)];
  }
  Require(colours.Control(resources::ColourCell(row, cycle)).icon == IconOf(expected[entry]),
          "a cell does not show its swatch after a pick");
}

void RunInput(std::span<const std::uint8_t> file) {
  static const std::string in = fuzzing::ScratchPath("in.119");
  static const std::string out = fuzzing::ScratchPath("out.119");
  const std::span<const std::uint8_t> script =
      file.subspan(std::min(file.size(), files::kColourRomSize));
  fuzzing::StartFresh();
  fuzzing::FuzzHost& host = fuzzing::Host();
  const Image before = EarlierImage();
  files::colour_rom_image = before;
  const bool valid = fuzzing::StartsWith(file, files::kColourRomSignature);
  Image expected = before;
  if (valid) std::copy_n(file.begin(), file.size() - script.size(), expected.begin());
  const bool cancel = script.size() % 2 == 1;

  fuzzing::WriteScratch(in, file);
  fuzzing::RemoveScratch(out);
  host.open_answer = in;
  host.save_answer = out;
  host.people[resources::kColoursDialogId] = [&](FuzzDialog& colours) {
    CheckGrid(colours, expected);
    for (std::size_t i = 0; i + 1 < script.size(); i += 2) {
      Pick(colours, expected, script[i] % kCells, script[i + 1]);
    }
    colours.Click(cancel ? resources::kColoursCancel : resources::kColoursOk);
  };
  fuzzing::Command(resources::kEditColours);

  const std::optional<std::vector<std::uint8_t>> saved = fuzzing::ReadScratch(out);
  if (!valid) {
    Require(host.messages == std::vector<std::string>{"Not a valid Tempest ROM 119 file"},
            "a colour ROM without the signature was not refused with its message");
    Require(host.dialogs_run.empty() && !saved, "a refused colour ROM was edited or saved");
    Require(files::colour_rom_image == before, "a refused colour ROM changed the image");
    return;
  }
  Require(host.messages.empty(), "a colour ROM with the signature was refused");
  Require(files::colour_rom_image == expected,
          "the colour ROM image is not the file and the picks");
  if (cancel) {
    Require(!saved, "a cancelled colour edit was saved");
  } else {
    Require(saved && std::equal(saved->begin(), saved->end(), expected.begin(), expected.end()),
            "the saved colour ROM is not the image");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  RunInput({data, size});
  fuzzing::EndInput();
  return 0;
}
