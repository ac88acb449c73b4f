// The intro the editor starts in, run on the fake clock: the tunnel shrinks, loses its
// rectangles one a frame, the word mark grows with its trail and stands, and the cycle starts
// again after 768 frames or while Space is held; each frame waits from its own start.
#include "render/intro.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "gfx/frame_buffer.h"
#include "render/word_mark.h"
#include "support/editor_test.h"

namespace {

using Frame = std::vector<std::uint8_t>;

std::uint8_t At(const Frame& frame, int x, int y) {
  return frame[static_cast<std::size_t>(y) * gfx::kFrameWidth + static_cast<std::size_t>(x)];
}

// Each tunnel rectangle has its left side somewhere left of the middle: on the middle row, the
// number of lit pixels there is the number of rectangles on screen.
int RectanglesOnScreen(const Frame& frame) {
  int count = 0;
  for (int x = 0; x < 260; ++x)
    count += At(frame, x, 325) != 0 ? 1 : 0;
  return count;
}

struct Box {
  int left = gfx::kFrameWidth;
  int top = gfx::kFrameHeight;
  int right = -1;
  int bottom = -1;
  bool operator==(const Box&) const = default;
};

Box LitBox(std::span<const std::uint8_t> frame) {
  Box box;
  for (int y = 0; y < gfx::kFrameHeight; ++y) {
    for (int x = 0; x < gfx::kFrameWidth; ++x) {
      if (frame[static_cast<std::size_t>(y) * gfx::kFrameWidth + x] == 0) continue;
      box.left = std::min(box.left, x);
      box.right = std::max(box.right, x);
      box.top = std::min(box.top, y);
      box.bottom = std::max(box.bottom, y);
    }
  }
  return box;
}

// What one frame of the intro did.
struct IntroFrame {
  std::uint8_t phase_drawn;  // the phase the frame ran in
  std::int32_t count_drawn;  // rectangles or copies it drew
  std::uint32_t started;     // the clock when it started
  std::pair<std::uint32_t, std::uint32_t> own_wait;
  Frame picture;
};

class IntroTest : public testing_support::EditorTest {
 protected:
  IntroFrame RunIntroFrame() {
    IntroFrame frame{render::intro.phase, render::intro.count, host.now, {}, {}};
    const std::size_t waits = host.waits.size();
    host.RunFrames();
    EXPECT_EQ(host.waits.size(), waits + 2) << "the intro's wait, then the frame's";
    frame.own_wait = host.waits[waits];
    const auto drawn = gfx::FrameBufferView();
    frame.picture.assign(drawn.begin(), drawn.end());
    return frame;
  }
};

TEST_F(IntroTest, OneWholeCycle) {
  // Frames 1..41: the tunnel. It shrinks by 1 / 1.1 for 25 frames; then one rectangle goes each
  // frame. Rectangles larger than the frame do not show, so frame f shows f - 1 of them until
  // all 16 are inside.
  for (int f = 1; f <= 41; ++f) {
    SCOPED_TRACE(f);
    const IntroFrame frame = RunIntroFrame();
    EXPECT_EQ(frame.phase_drawn, render::kTunnelPhase);
    const int drawn = f <= 26 ? 16 : 42 - f;
    EXPECT_EQ(frame.count_drawn, drawn);
    EXPECT_EQ(RectanglesOnScreen(frame.picture), std::min(f - 1, drawn));
    EXPECT_EQ(frame.own_wait, std::make_pair(frame.started, 16u));
    if (f <= 25) {
      EXPECT_NEAR(render::intro.size, std::pow(1.1, -f), 1e-12);
    }
    EXPECT_EQ(render::intro.frame_counter, f);
  }
  EXPECT_EQ(render::intro.phase, render::kWordMarkPhase);
  EXPECT_EQ(render::intro.size, 0.5);

  // Frames 42..769: the word mark. Its first frame draws nothing; the trail then grows by one
  // copy a frame to 16 while the mark grows by 5 % a frame, for 59 frames; then the trail
  // shrinks to the single mark, which stands. The clock runs on while another window is in
  // front.
  host.foreground = false;
  for (int f = 42; f <= 769; ++f) {
    SCOPED_TRACE(f);
    const IntroFrame frame = RunIntroFrame();
    EXPECT_EQ(frame.phase_drawn, render::kWordMarkPhase);
    int drawn = std::min(f - 42, 16);
    if (f > 100) drawn = std::max(117 - f, 1);
    EXPECT_EQ(frame.count_drawn, drawn);
    EXPECT_EQ(frame.own_wait, std::make_pair(frame.started, 33u));
    if (f == 42) {
      EXPECT_EQ(LitBox(frame.picture), Box{});
    }
    if (f == 200) {
      // The mark alone, in white, at about 8.47 times its size around (260, 320).
      EXPECT_EQ(LitBox(frame.picture), (Box{23, 117, 497, 219}));
      EXPECT_EQ(std::count(frame.picture.begin(), frame.picture.end(), 0) +
                    std::count(frame.picture.begin(), frame.picture.end(), 127),
                static_cast<long>(frame.picture.size()));
    }
    if (f == 80) {
      // The copies of the trail are coloured; the largest is white.
      EXPECT_GT(std::count(frame.picture.begin(), frame.picture.end(), 127), 0);
      EXPECT_GT(std::count_if(frame.picture.begin(), frame.picture.end(),
                              [](std::uint8_t pixel) { return pixel != 0 && pixel != 127; }),
                0);
    }
  }
  // The 769th frame started the tunnel again.
  EXPECT_EQ(render::intro.phase, render::kTunnelPhase);
  EXPECT_EQ(render::intro.count, 16);
  EXPECT_EQ(render::intro.size, 1.0);
  EXPECT_EQ(render::intro.frame_counter, 0);
  const IntroFrame next = RunIntroFrame();
  EXPECT_EQ(next.phase_drawn, render::kTunnelPhase);
  EXPECT_EQ(next.own_wait.second, 16u);
}

TEST_F(IntroTest, HoldingSpaceKeepsRestartingTheTunnel) {
  host.RunFrames(60);
  ASSERT_EQ(render::intro.phase, render::kWordMarkPhase);

  host.HoldKey(VK_SPACE);
  const IntroFrame held = RunIntroFrame();
  EXPECT_EQ(held.phase_drawn, render::kWordMarkPhase);
  EXPECT_EQ(render::intro.phase, render::kTunnelPhase);
  EXPECT_EQ(render::intro.frame_counter, 0);
  const IntroFrame first = RunIntroFrame();
  const IntroFrame again = RunIntroFrame();
  EXPECT_EQ(again.picture, first.picture);
  EXPECT_EQ(render::intro.count, 16);
  EXPECT_EQ(render::intro.size, 1.0);
  EXPECT_EQ(render::intro.frame_counter, 0);

  host.ReleaseKey(VK_SPACE);
  const IntroFrame released = RunIntroFrame();
  EXPECT_EQ(released.picture, first.picture);
  EXPECT_EQ(render::intro.frame_counter, 1);
  EXPECT_NEAR(render::intro.size, 1 / 1.1, 1e-12);
}

TEST_F(IntroTest, ZoomRectangleAndWordMarkPlaces) {
  gfx::ClearFrameBuffer();
  // Scale 1 is the frame's border; its right and bottom sides lie just outside.
  render::DrawZoomRect(1.0, 26);
  EXPECT_EQ(LitBox(gfx::FrameBufferView()), (Box{0, 0, 519, 649}));
  EXPECT_EQ(gfx::FrameBufferView()[519], 26);
  EXPECT_EQ(gfx::FrameBufferView()[649 * 520], 26);
  EXPECT_EQ(gfx::FrameBufferView()[649 * 520 + 519], 0);

  gfx::ClearFrameBuffer();
  render::DrawZoomRect(0.5, 42);
  EXPECT_EQ(LitBox(gfx::FrameBufferView()), (Box{130, 163, 390, 487}));

  // At scale 1 with the anchor on (28, 24) the mark lies on its own units: x 0..56, y 0..12.
  gfx::ClearFrameBuffer();
  render::DrawWordMark(28, 24, 1.0, 127);
  EXPECT_EQ(LitBox(gfx::FrameBufferView()), (Box{0, 0, 56, 12}));
  gfx::ClearFrameBuffer();
  render::DrawWordMark(100, 100, 2.0, 127);
  EXPECT_EQ(LitBox(gfx::FrameBufferView()), (Box{44, 52, 156, 76}));
}

}  // namespace
