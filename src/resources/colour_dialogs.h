// The Colours dialog (107), a grid of 8 rows by 6 colour cycles of swatch buttons, and the
// Colour Picker dialog (108), a row of the eight swatches. Swatches are numbered 0..7 in the
// order white, cyan, yellow, green, magenta, blue, red, black.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "platform/dialog_template.h"

namespace resources {

constexpr int kColoursDialogId = 107;
constexpr int kColourPickerDialogId = 108;

constexpr int kColourRows = 8;
constexpr int kColourCycles = 6;

// The grid button of row r and cycle c (both from 0) is kFirstColourCell + 6 * r + c.
constexpr int kFirstColourCell = 1040;
constexpr int kLastColourCell = kFirstColourCell + kColourRows * kColourCycles - 1;
constexpr int kColoursOk = 1;
constexpr int kColoursCancel = 1003;

constexpr int ColourCell(int row, int cycle) {
  return kFirstColourCell + kColourCycles * row + cycle;
}

constexpr std::array<const char*, kColourRows> kColourRowNames{
    "Bullets", "Claw", "Tankers", "Flippers", "Pulsars", "Spikers", "Level", "Info"};

// The picker's button of each swatch.
constexpr std::array<int, 8> kSwatchButtons{1090, 1091, 1092, 1093, 1094, 1095, 1046, 1047};
constexpr int kPickerOk = 1;
constexpr int kPickerCancel = 1003;

// Icon resources: 32 x 32 squares filled with one colour.
constexpr int kWhiteIcon = 111;
constexpr int kBlackIcon = 112;
constexpr int kRedIcon = 113;
constexpr int kGreenIcon = 114;
constexpr int kBlueIcon = 115;
constexpr int kMagentaIcon = 116;
constexpr int kCyanIcon = 117;
constexpr int kYellowIcon = 118;

// The icon of each swatch.
constexpr std::array<int, 8> kSwatchIcons{kWhiteIcon,   kCyanIcon, kYellowIcon, kGreenIcon,
                                          kMagentaIcon, kBlueIcon, kRedIcon,    kBlackIcon};

// The colour a swatch icon is filled with; nothing for any other resource.
struct SwatchRgb {
  std::uint8_t red;
  std::uint8_t green;
  std::uint8_t blue;
};
constexpr std::optional<SwatchRgb> SwatchIconColour(int icon_resource) {
  switch (icon_resource) {
    case kWhiteIcon:
      return SwatchRgb{255, 255, 255};
    case kBlackIcon:
      return SwatchRgb{0, 0, 0};
    case kRedIcon:
      return SwatchRgb{255, 0, 0};
    case kGreenIcon:
      return SwatchRgb{0, 255, 0};
    case kBlueIcon:
      return SwatchRgb{0, 0, 255};
    case kMagentaIcon:
      return SwatchRgb{255, 0, 255};
    case kCyanIcon:
      return SwatchRgb{0, 255, 255};
    case kYellowIcon:
      return SwatchRgb{255, 255, 0};
    default:
      return std::nullopt;
  }
}

const platform::DialogTemplate& ColoursDialog();
const platform::DialogTemplate& ColourPickerDialog();

}  // namespace resources
