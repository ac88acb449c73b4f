// All that a file command may change in the editor, taken at one moment so that a test can
// check that a refused or cancelled command left everything as it was. Coordinates are compared
// by their bits, so NaN equals itself and 0.0 differs from -0.0.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "level/level_store.h"

namespace testing_support {

// A menu item's id, text and its greyed, checked and radio marks.
using MenuItemState = std::tuple<int, std::string, bool, bool, bool>;
using CoordinateBits = std::array<std::uint64_t, level::kPointCount>;

struct EditorSnapshot {
  EditorSnapshot();

  std::vector<std::uint8_t> level_rom_image;
  CoordinateBits accurate_x;
  CoordinateBits accurate_y;
  std::vector<MenuItemState> menus;  // both menus, depth first
  std::int32_t editor_mode;
  std::uint32_t mouse_buttons;
  bool ignore_buttons;
  bool level_rom_loaded;
  bool text_rom_loaded;
  std::vector<std::uint8_t> text_rom_image;
  bool operator==(const EditorSnapshot&) const = default;
};

// Compares field by field, so that a failure names what changed.
void ExpectUnchanged(const EditorSnapshot& before);

}  // namespace testing_support
