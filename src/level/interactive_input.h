// Keyboard and mouse editing, polled once per frame in view and edit mode. A held key acts
// every frame while it is down; a pressed key acts once per press. The mouse moves the whole
// shape (left button), changes its height (middle button) and level scale (wheel) and opens the
// popup menu (right button).
#pragma once

namespace level {

// Moves, turns, scales and centres the shape; F1 goes to level select, F2 lays a new shape.
void ViewModeInput(int shape);
// The walk along the point chain: every frame point k + 1 is placed at the segment length and
// angle from point k.
void EditModeInput(int shape);
// What both modes share: level scale, height, offset, scaling, the popup menu, the mouse and
// centring.
void CommonInput(int shape);

}  // namespace level
