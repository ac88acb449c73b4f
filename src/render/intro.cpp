#include "render/intro.h"

#include <algorithm>
#include <cmath>

#include "gfx/line.h"
#include "platform/host.h"
#include "render/word_mark.h"
#include "util/saturating_cast.h"

namespace render {

IntroState intro;

namespace {

constexpr std::int32_t kMaxCount = 16;
constexpr std::int32_t kCycleFrames = 768;

// The tunnel moves inward by 1 / 1.1 a frame until its size is 0.1, then loses its outermost
// rectangle each frame.
constexpr double kTunnelStep = 1.1;
constexpr double kTunnelShrink = 0.9090909090909091;  // 1 / 1.1
constexpr double kTunnelEndSize = 0.1;
constexpr std::uint32_t kTunnelMilliseconds = 16;

// The word mark starts at size 0.5 and grows by 5 % a frame to this, then its trail shrinks.
constexpr double kWordMarkStartSize = 0.5;
constexpr double kWordMarkGrowth = 1.05;
constexpr double kWordMarkShrink = 0.9523809523809523;  // 1 / 1.05
constexpr double kWordMarkFullSize = 8.571428571428571;
constexpr std::uint32_t kWordMarkMilliseconds = 33;
constexpr std::int32_t kWordMarkX = 260;
constexpr std::int32_t kWordMarkY = 320;
constexpr std::uint8_t kWordMarkColour = 127;  // grey, intensity 15

// Ramps 1..7 at intensity 10, each held for `frames` frames of the cycle.
std::uint8_t CycleColour(std::int32_t position, std::int32_t frames) {
  const std::int32_t m = position % (7 * frames);
  return static_cast<std::uint8_t>(16 * (m / frames) + 26);
}

std::int32_t Trunc(double value) {
  return util::SaturatingTrunc<std::int32_t>(value);
}

void RunTunnelFrame() {
  platform::Host& host = platform::CurrentHost();
  const std::uint32_t t0 = host.TimeGetTime();
  const std::int32_t c = intro.count;
  double s = intro.size;
  for (std::int32_t k = 0; k < c; ++k)
    s *= kTunnelStep;
  for (std::int32_t k = 0; k < c; ++k) {
    DrawZoomRect(s, CycleColour(intro.frame_counter + k, 3));
    s *= kTunnelShrink;
  }
  if (intro.size > kTunnelEndSize) {
    intro.size *= kTunnelShrink;
  } else {
    --intro.count;
  }
  ++intro.frame_counter;
  host.WaitUntilElapsed(t0, kTunnelMilliseconds);
}

// The copies run from the smallest to the largest, which is drawn in white.
void RunWordMarkFrame() {
  platform::Host& host = platform::CurrentHost();
  const std::uint32_t t0 = host.TimeGetTime();
  const std::int32_t c = intro.count;
  double s = intro.size;
  for (std::int32_t k = 0; k < c; ++k)
    s *= kWordMarkShrink;
  for (std::int32_t k = 0; k < c; ++k) {
    const std::uint8_t colour =
        k == c - 1 ? kWordMarkColour : CycleColour(intro.frame_counter + k, 4);
    DrawWordMark(kWordMarkX, kWordMarkY, s, colour);
    s *= kWordMarkGrowth;
  }
  if (intro.size < kWordMarkFullSize) {
    intro.size *= kWordMarkGrowth;
    intro.count = std::min(intro.count + 1, kMaxCount);
  } else {
    intro.count = std::max(intro.count - 1, 1);
  }
  ++intro.frame_counter;
  host.WaitUntilElapsed(t0, kWordMarkMilliseconds);
}

}  // namespace

void DrawIntro() {
  if (intro.phase == kTunnelPhase) {
    RunTunnelFrame();
    if (intro.count <= 0) {
      intro.size = kWordMarkStartSize;
      intro.phase = kWordMarkPhase;
    }
  } else {
    RunWordMarkFrame();
  }
  if (intro.frame_counter > kCycleFrames ||
      platform::CurrentHost().GetAsyncKeyState(VK_SPACE) < 0) {
    ResetIntro();
  }
}

void DrawZoomRect(double scale, std::uint8_t colour) {
  const std::int32_t left = Trunc(260.0 - std::trunc(scale * 260.0));
  const std::int32_t right = Trunc(260.0 - std::trunc(scale * -260.0));
  const std::int32_t top = Trunc(325.0 - std::trunc(scale * 325.0));
  const std::int32_t bottom = Trunc(325.0 - std::trunc(scale * -325.0));
  gfx::DrawLine(left, top, right, top, colour);
  gfx::DrawLine(right, top, right, bottom, colour);
  gfx::DrawLine(right, bottom, left, bottom, colour);
  gfx::DrawLine(left, bottom, left, top, colour);
}

void ResetIntro() {
  intro = IntroState{};
}

}  // namespace render
