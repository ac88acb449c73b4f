#include "files/colours.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "files/file_io.h"
#include "resources/colour_dialogs.h"

namespace files {

std::array<std::uint8_t, kColourRomSize> colour_rom_image{};

namespace {

constexpr FileKind kColourRomKind{"ROM 119 Files (*.119)", "*.119", "119"};
constexpr int kNoSwatch = -1;
// What a dialog procedure returns for a message it handled or left to the host.
constexpr INT_PTR kHandled = 1;
constexpr INT_PTR kNotHandled = 0;
// What it returns on opening: whether the host puts the focus on the first control.
constexpr INT_PTR kDefaultFocus = 1;
constexpr INT_PTR kOwnFocus = 0;

// Shared by the two dialogs while the Colours dialog is open.
platform::Dialog* colours_dialog = nullptr;
int edited_row = 0;
int edited_cycle = 0;
int picked_swatch = kNoSwatch;
bool colours_cancelled = true;

bool HasSignature(const std::vector<std::uint8_t>& bytes) {
  return bytes.size() >= kColourRomSignature.size() &&
         std::equal(kColourRomSignature.begin(), kColourRomSignature.end(), bytes.begin());
}

int SwatchIcon(int swatch) {
  return resources::kSwatchIcons[static_cast<std::size_t>(swatch)];
}

int ShownSwatch(int row, int cycle) {
  return SwatchOfCode(colour_rom_image[ColourEntryOffset(row, cycle)]);
}

void EndColoursDialog(platform::Dialog& dialog, bool cancelled) {
  colours_cancelled = cancelled;
  colours_dialog = nullptr;
  dialog.EndDialog(cancelled ? IDCANCEL : IDOK);
}

void ShowColourTable(platform::Dialog& dialog) {
  for (int row = 0; row < resources::kColourRows; ++row) {
    for (int cycle = 0; cycle < resources::kColourCycles; ++cycle) {
      dialog.SetItemIcon(resources::ColourCell(row, cycle), SwatchIcon(ShownSwatch(row, cycle)));
    }
  }
}

void PickColourForCell(platform::Dialog& dialog, int cell) {
  edited_row = (cell - resources::kFirstColourCell) / resources::kColourCycles;
  edited_cycle = (cell - resources::kFirstColourCell) % resources::kColourCycles;
  picked_swatch = kNoSwatch;
  platform::CurrentHost().RunModalDialog(resources::ColourPickerDialog(), &dialog,
                                         ColourPickerDialogProc);
  if (picked_swatch == kNoSwatch) return;
  dialog.SetItemIcon(cell, SwatchIcon(picked_swatch));
  colour_rom_image[ColourEntryOffset(edited_row, edited_cycle)] =
      kSwatchCodes[static_cast<std::size_t>(picked_swatch)];
}

// The picker opens beside the row being edited, over the Colours dialog (if it was opened from
// there).
void PlacePicker(platform::Dialog& picker) {
  if (colours_dialog == nullptr) return;
  const RECT colours = colours_dialog->GetWindowRect();
  picker.MoveWindow(colours.left + 5, colours.top + 51 * edited_row + 32);
}

std::string PickerCaption() {
  return "Colour Picker : " +
         std::string(resources::kColourRowNames[static_cast<std::size_t>(edited_row)]) +
         " (Cycle " + std::to_string(edited_cycle + 1) + ")";
}

}  // namespace

void EditColours() {
  if (!LoadColourRom()) return;
  // Stays set when the dialog cannot be shown, so nothing is saved then.
  colours_cancelled = true;
  platform::CurrentHost().RunModalDialog(resources::ColoursDialog(), nullptr, ColoursDialogProc);
  if (!colours_cancelled) SaveColourRom();
}

bool LoadColourRom() {
  const std::optional<std::string> path = platform::CurrentHost().ShowOpenFileDialog(
      OpenDialogRequest("Load ROM 119 File", kColourRomKind));
  if (!path) return false;
  const std::optional<std::vector<std::uint8_t>> bytes = ReadFileStart(*path, kColourRomSize);
  if (!bytes) {
    ReportCouldNotOpen(*path);
    return false;
  }
  if (!HasSignature(*bytes)) {
    ReportNotValid("Tempest ROM 119");
    return false;
  }
  // A short file overwrites only what it holds; the rest of the image stays.
  std::copy(bytes->begin(), bytes->end(), colour_rom_image.begin());
  return true;
}

void SaveColourRom() {
  const std::optional<std::string> path = platform::CurrentHost().ShowSaveFileDialog(
      SaveDialogRequest("Save ROM 119 File", kColourRomKind));
  if (!path) return;
  if (!WriteFileAtomically(*path, colour_rom_image)) ReportCouldNotWrite(*path);
}

INT_PTR ColoursDialogProc(platform::Dialog& dialog, UINT message, WPARAM wParam,
                          LPARAM /*lParam*/) {
  switch (message) {
    case WM_INITDIALOG:
      colours_dialog = &dialog;
      colours_cancelled = false;
      ShowColourTable(dialog);
      return kDefaultFocus;
    case WM_COMMAND: {
      // The Escape key's command (IDCANCEL) is left alone: only the buttons close the dialog.
      const int id = static_cast<int>(LOWORD(wParam));
      if (id >= resources::kFirstColourCell && id <= resources::kLastColourCell) {
        PickColourForCell(dialog, id);
        return kHandled;
      }
      if (id == resources::kColoursOk || id == resources::kColoursCancel) {
        EndColoursDialog(dialog, id == resources::kColoursCancel);
        return kHandled;
      }
      return kNotHandled;
    }
    case WM_CLOSE:
      EndColoursDialog(dialog, true);
      return kHandled;
    default:
      return kNotHandled;
  }
}

INT_PTR ColourPickerDialogProc(platform::Dialog& dialog, UINT message, WPARAM wParam,
                               LPARAM /*lParam*/) {
  switch (message) {
    case WM_INITDIALOG:
      picked_swatch = kNoSwatch;
      dialog.SetFocus(resources::kSwatchButtons[static_cast<std::size_t>(
          ShownSwatch(edited_row, edited_cycle))]);
      PlacePicker(dialog);
      dialog.SetCaption(PickerCaption());
      for (std::size_t k = 0; k < resources::kSwatchButtons.size(); ++k) {
        dialog.SetItemIcon(resources::kSwatchButtons[k], resources::kSwatchIcons[k]);
      }
      return kOwnFocus;
    case WM_COMMAND: {
      const int id = static_cast<int>(LOWORD(wParam));
      const auto button =
          std::find(resources::kSwatchButtons.begin(), resources::kSwatchButtons.end(), id);
      if (button != resources::kSwatchButtons.end()) {
        picked_swatch = static_cast<int>(button - resources::kSwatchButtons.begin());
        dialog.EndDialog(IDOK);
        return kHandled;
      }
      if (id == resources::kPickerOk || id == resources::kPickerCancel) {
        dialog.EndDialog(IDCANCEL);
        return kHandled;
      }
      return kNotHandled;
    }
    case WM_CLOSE:
      dialog.EndDialog(IDCANCEL);
      return kHandled;
    default:
      return kNotHandled;
  }
}

void ResetColours() {
  colour_rom_image.fill(0);
  colours_dialog = nullptr;
  edited_row = 0;
  edited_cycle = 0;
  picked_swatch = kNoSwatch;
  colours_cancelled = true;
}

}  // namespace files
