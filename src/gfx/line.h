// Straight lines of one palette index, the only way pictures get into the frame buffer.
#pragma once

#include <cstdint>

namespace gfx {

// Draws from (x1, y1) to (x2, y2), given in frame pixels at zoom 1.0 and scaled by the editor's
// zoom factor, with the symmetric double-step walk (Wu and Rokne). The pixels do not depend on
// which end comes first; those outside the frame are not written. Stretches of a long line that
// cannot reach the frame are stepped over in one go, so a line between far-off points costs no
// more than one across the frame.
void DrawLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
              std::uint8_t colour);

}  // namespace gfx
