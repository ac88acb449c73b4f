// The level-select screen: a 4 x 4 grid of the sixteen levels' shapes. The cell under the mouse
// is the current level, a left click opens it in the tube view, and two right clicks swap the
// shapes of two levels.
#pragma once

#include <cstdint>

namespace render {

// The colour DrawThumbnail draws in; DrawLevelSelect sets it before each thumbnail.
extern std::uint8_t thumbnail_colour;

// One frame of level select: follows the mouse, draws the grid, and acts on clicks.
void DrawLevelSelect();

// The flat near rim of a shape from its ROM values, about 122 pixels across, with byte point
// (128, 128) on frame point (cx, cy).
void DrawThumbnail(std::int32_t shape, std::int32_t cx, std::int32_t cy);

// No level marked, and the thumbnail colour at its start value.
void ResetLevelSelect();

}  // namespace render
