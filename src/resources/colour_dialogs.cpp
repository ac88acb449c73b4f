#include "resources/colour_dialogs.h"

#include <array>
#include <cstddef>

namespace resources {
namespace {

using platform::ControlKind;
using platform::DialogControl;

constexpr int kUnaddressed = -1;
constexpr int kSwatchWidth = 26;
constexpr int kSwatchHeight = 23;

constexpr std::array<int, kColourRows> kRowTops{39, 70, 102, 132, 164, 194, 225, 257};
constexpr std::array<int, kColourCycles> kCycleLefts{42, 72, 102, 132, 162, 192};
constexpr std::array<const char*, kColourCycles> kCycleNames{"1", "2", "3", "4", "5", "6"};
constexpr std::array<int, 8> kSwatchLefts{7, 37, 67, 97, 127, 157, 187, 218};

// The group box, its six column labels, the eight row labels, the grid and the two buttons.
constexpr std::size_t kColoursControlCount =
    1 + kColourCycles + kColourRows * (1 + kColourCycles) + 2;

constexpr std::array<DialogControl, kColoursControlCount> ColoursControls() {
  std::array<DialogControl, kColoursControlCount> controls{};
  std::size_t n = 0;
  controls[n++] = {kUnaddressed, ControlKind::kGroupBox, 38, 14, 184, 276, "Cycle", 0};
  for (int cycle = 0; cycle < kColourCycles; ++cycle) {
    controls[n++] = {
        kUnaddressed, ControlKind::kLabel, kCycleLefts[cycle] + 9, 27, 8, 8, kCycleNames[cycle], 0};
  }
  for (int row = 0; row < kColourRows; ++row) {
    controls[n++] = {
        kUnaddressed, ControlKind::kLabel, 4, kRowTops[row] + 8, 33, 8, kColourRowNames[row], 0};
    for (int cycle = 0; cycle < kColourCycles; ++cycle) {
      controls[n++] = {ColourCell(row, cycle),
                       ControlKind::kPushButton,
                       kCycleLefts[cycle],
                       kRowTops[row],
                       kSwatchWidth,
                       kSwatchHeight,
                       "",
                       WS_TABSTOP};
    }
  }
  controls[n++] = {kColoursOk, ControlKind::kDefaultPushButton, 60, 305, 60, 16, "OK", WS_TABSTOP};
  controls[n++] = {kColoursCancel, ControlKind::kPushButton, 141, 305, 60, 16, "Cancel",
                   WS_TABSTOP};
  return controls;
}

constexpr std::array<DialogControl, 8> PickerControls() {
  std::array<DialogControl, 8> controls{};
  for (std::size_t k = 0; k < controls.size(); ++k) {
    controls[k] = {kSwatchButtons[k],
                   k == 0 ? ControlKind::kDefaultPushButton : ControlKind::kPushButton,
                   kSwatchLefts[k],
                   7,
                   kSwatchWidth,
                   kSwatchHeight,
                   "",
                   WS_TABSTOP};
  }
  return controls;
}

constexpr std::array<DialogControl, kColoursControlCount> kColoursControls = ColoursControls();
constexpr std::array<DialogControl, 8> kPickerControls = PickerControls();

constexpr platform::DialogTemplate kColoursTemplate{
    kColoursDialogId, 261, 342, "Colours", "MS Sans Serif", 8, kColoursControls};
// The caption is set when the picker opens, to name the cell it is for.
constexpr platform::DialogTemplate kPickerTemplate{
    kColourPickerDialogId, 251, 39, "", "MS Sans Serif", 8, kPickerControls};

}  // namespace

const platform::DialogTemplate& ColoursDialog() {
  return kColoursTemplate;
}

const platform::DialogTemplate& ColourPickerDialog() {
  return kPickerTemplate;
}

}  // namespace resources
