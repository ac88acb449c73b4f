// The frame: what is shown is the picture drawn in the previous frame, the buffer is cleared
// before drawing, and frames are at least 16 ms apart by the clock.
#include "app/shell.h"
#include "gfx/frame_buffer.h"
#include "gfx/line.h"
#include "support/editor_test.h"

namespace {

using testing_support::EditorTest;

class FrameLoopTest : public EditorTest {};

TEST_F(FrameLoopTest, ShowsThePreviousPictureThenClears) {
  host.RunFrames();
  gfx::DrawLine(10, 10, 20, 10, 63);
  host.RunFrames();
  ASSERT_EQ(host.screen.size(), gfx::kFrameSize);
  EXPECT_EQ(host.screen[10 * 520 + 15], 63);
  // The buffer was cleared after the blit, so the next frame shows no trace of the line.
  EXPECT_EQ(gfx::FrameBuffer()[10 * 520 + 15], 0);
  host.RunFrames();
  EXPECT_EQ(host.screen[10 * 520 + 15], 0);
  EXPECT_EQ(host.blits, 3);
}

// Level select adds no waits of its own (the intro does), so these frames show the loop's pacing.
TEST_F(FrameLoopTest, FramesAreAtLeastSixteenMillisecondsApart) {
  app::EnterLevelSelect();
  host.now = 5000;
  host.RunFrames();
  const std::uint32_t first = app::editor.last_frame_time;
  EXPECT_EQ(first, 5000u);  // the first frame does not wait: the clock is far past 0
  host.RunFrames(3);
  EXPECT_EQ(app::editor.last_frame_time, first + 3 * 16);
  for (const auto& [since, milliseconds] : host.waits)
    EXPECT_EQ(milliseconds, 16u);

  // A frame that took longer than 16 ms does not wait at all.
  host.now += 40;
  const std::uint32_t late = host.now;
  host.RunFrames();
  EXPECT_EQ(app::editor.last_frame_time, late);
}

TEST_F(FrameLoopTest, TheClockWrappingAroundDoesNotStallTheFrames) {
  app::EnterLevelSelect();
  app::editor.last_frame_time = 0xFFFFFFF8u;
  host.now = 0xFFFFFFFCu;
  host.RunFrames();
  // 4 ms had passed; 12 more reach 16 across the wrap.
  EXPECT_EQ(app::editor.last_frame_time, 8u);
  host.RunFrames();
  EXPECT_EQ(app::editor.last_frame_time, 24u);
}

}  // namespace
