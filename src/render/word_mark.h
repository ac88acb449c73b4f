// The program's name, "Rimforge", written in straight strokes.
#pragma once

#include <cstdint>

namespace render {

// Draws every stroke with its ends (x, y) in word-mark units at frame point
// (cx + trunc((x - 28) * scale), cy + trunc((y - 24) * scale)). The mark spans x 0..56 and
// y 0..12, so it is centred across cx and lies above cy.
void DrawWordMark(std::int32_t cx, std::int32_t cy, double scale, std::uint8_t colour);

}  // namespace render
