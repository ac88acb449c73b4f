// The process-wide editor state: mode, current level, zoom, angle step, frame clock and the
// mouse as the window messages leave it for the per-frame input.
#pragma once

#include <cstdint>

namespace app {

enum EditorMode : std::int32_t {
  kViewMode = 0,
  kLevelSelectMode = 1,
  kEditMode = 2,
  kIntroMode = 3,
};

// Matches no level, so the first level that level select lights up counts as a change.
constexpr std::int32_t kNoLevel = -69;

struct MouseState {
  std::uint32_t x = 0;  // client pixels
  std::uint32_t y = 0;
  std::uint32_t previous_x = 0;
  std::uint32_t previous_y = 0;
  std::uint32_t buttons = 0;  // MK_ flags of the last move or button-down message
  bool moved = false;
  std::int32_t wheel_delta = 0;  // the last wheel message's delta, not a sum
  bool ignore_buttons = false;   // set after a file load until the next button-up
  // Level select acted on the right button's press; the next press clears it. Moves that still
  // carry the button, even after its button-up, are no new click.
  bool right_click_taken = false;
};

// Mouse positions arrive as the two 16-bit words of a message; while a drag has the mouse left
// of or above the client area they are negative, so they are read as signed words.
inline int SignedWord(std::uint32_t word) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(word));
}

struct EditorState {
  std::int32_t editor_mode = kIntroMode;
  std::int32_t current_level = kNoLevel;
  double zoom_factor = 1.0;
  double angle_step = 15.0;  // degrees
  std::uint32_t last_frame_time = 0;
};

extern EditorState editor;
extern MouseState mouse;

}  // namespace app
