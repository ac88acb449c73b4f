// The symmetry tools: each keeps one part of the current shape and rebuilds the rest from it,
// then centres the shape and leaves edit mode.
#pragma once

namespace level {

// Two-fold point symmetry: points 9..15 are points 1..7 turned half round the middle of P0 P8.
void OneAxisRotate();
// Four-fold symmetry: points 0..3 are the source; each further quarter is the one before it
// turned a quarter counter-clockwise about the pivot that carries P0 onto P4.
void TwoAxisRotate();
// Mirror symmetry. A closed shape is turned so that P8 lies below P0 and mirrored onto points
// 9..15; an open one is turned so that P7 P8 is horizontal and mirrored onto points 8..15.
void OneAxisMirror();
// Mirror symmetry about both centre lines, from P0 (top of the vertical axis) to P4 (on the
// horizontal axis).
void TwoAxisMirror();

}  // namespace level
