// The title animation the editor starts in: a tunnel of coloured rectangles zooming inward,
// then the word mark growing out of the centre with a trail of coloured copies, held until the
// cycle starts again after 768 frames (or at once while Space is held).
#pragma once

#include <cstdint>

namespace render {

constexpr std::uint8_t kTunnelPhase = 1;
constexpr std::uint8_t kWordMarkPhase = 0;

struct IntroState {
  std::uint8_t phase = kTunnelPhase;
  // Tunnel: the innermost rectangle is drawn at 1.1 x size. Word mark: the largest copy at
  // size / 1.05.
  double size = 1.0;
  std::int32_t count = 16;         // rectangles or word-mark copies drawn
  std::int32_t frame_counter = 0;  // frames since the tunnel last started
};

extern IntroState intro;

// One frame of the animation, paced to 16 ms (tunnel) or 33 ms (word mark) from its start.
void DrawIntro();

// The rectangle (260 - trunc(260 s), 325 - trunc(325 s)) to (260 - trunc(-260 s),
// 325 - trunc(-325 s)); scale 1 is the frame's border.
void DrawZoomRect(double scale, std::uint8_t colour);

void ResetIntro();

}  // namespace render
