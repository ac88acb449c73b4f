// The main window's messages: mouse state, wheel, sizing and zoom, painting, closing.
#include "app/shell.h"
#include "app/window_geometry.h"
#include "resources/command_ids.h"
#include "support/editor_test.h"

namespace {

using testing_support::EditorTest;

class WindowTest : public EditorTest {};

LPARAM At(unsigned x, unsigned y) {
  return MAKELPARAM(x, y);
}

TEST_F(WindowTest, MouseMessagesKeepPositionsButtonsAndTheLoadLatch) {
  host.MoveMouse(10, 20);
  host.HandleMessages();
  EXPECT_TRUE(app::mouse.moved);
  EXPECT_EQ(app::mouse.x, 10u);
  EXPECT_EQ(app::mouse.y, 20u);
  EXPECT_EQ(app::mouse.buttons, 0u);

  host.PressButton(WM_RBUTTONDOWN, 30, 40, MK_RBUTTON | MK_SHIFT);
  host.HandleMessages();
  EXPECT_EQ(app::mouse.previous_x, 10u);
  EXPECT_EQ(app::mouse.previous_y, 20u);
  EXPECT_EQ(app::mouse.x, 30u);
  EXPECT_EQ(app::mouse.buttons, MK_RBUTTON | MK_SHIFT);

  // A button-up moves the position but leaves the buttons to the consumers.
  app::mouse.moved = false;
  host.ReleaseButton(WM_RBUTTONUP, 31, 41);
  host.HandleMessages();
  EXPECT_EQ(app::mouse.buttons, MK_RBUTTON | MK_SHIFT);
  EXPECT_EQ(app::mouse.previous_x, 30u);
  EXPECT_EQ(app::mouse.x, 31u);
  EXPECT_FALSE(app::mouse.moved);

  // Positions are the low and high words, zero-extended.
  app::MainWindowProc(WM_MOUSEMOVE, 0, static_cast<LPARAM>(0xFFFE0003u));
  EXPECT_EQ(app::mouse.x, 3u);
  EXPECT_EQ(app::mouse.y, 0xFFFEu);

  // After a load the click that closed the file dialog is not seen until a button goes up.
  app::mouse.buttons = 0;
  app::mouse.ignore_buttons = true;
  app::MainWindowProc(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  app::MainWindowProc(WM_MOUSEMOVE, MK_LBUTTON, At(6, 6));
  EXPECT_EQ(app::mouse.buttons, 0u);
  EXPECT_EQ(app::mouse.x, 6u);
  app::MainWindowProc(WM_LBUTTONUP, 0, At(6, 6));
  EXPECT_FALSE(app::mouse.ignore_buttons);
  app::MainWindowProc(WM_MBUTTONDOWN, MK_MBUTTON, At(6, 6));
  EXPECT_EQ(app::mouse.buttons, MK_MBUTTON);
}

TEST_F(WindowTest, WheelKeepsTheLastDeltaNotASum) {
  host.TurnWheel(1);
  host.TurnWheel(-2);
  host.HandleMessages();
  EXPECT_EQ(app::mouse.wheel_delta, -240);
  host.TurnWheel(1);
  host.HandleMessages();
  EXPECT_EQ(app::mouse.wheel_delta, 120);
}

TEST_F(WindowTest, SizeMessageSetsTheZoomFromTheClientWidthWithoutCreeping) {
  for (unsigned width = 0; width <= 1200; ++width) {
    app::MainWindowProc(WM_SIZE, 0, At(width, 77));
    const unsigned expected_width = width > 520 ? 520 : width;
    ASSERT_TRUE(host.client_size.has_value());
    ASSERT_EQ(host.client_size->first, static_cast<int>(expected_width)) << "width " << width;
    ASSERT_LE(app::editor.zoom_factor, 1.0);
  }
  app::MainWindowProc(WM_SIZE, 0, At(260, 0));
  EXPECT_DOUBLE_EQ(app::editor.zoom_factor, 0.5);
  EXPECT_EQ(*host.client_size, std::make_pair(260, 325));
  // A minimised window reports width 0: everything collapses onto the top-left pixel.
  app::MainWindowProc(WM_SIZE, 0, At(0, 0));
  EXPECT_EQ(app::editor.zoom_factor, 0.0);
  EXPECT_EQ(*host.client_size, std::make_pair(0, 0));
}

TEST_F(WindowTest, SizingKeepsTheAspectAndTheLimit) {
  const platform::FrameMetrics m = host.frame_metrics;
  const int frame_x = 2 * m.frame_width;
  const int frame_y = 2 * m.frame_height + m.caption_height;

  // Dragging the right side wider than the frame stops at 520 x 650.
  RECT rect{100, 50, 100 + frame_x + 700, 50 + frame_y + 300};
  EXPECT_EQ(app::MainWindowProc(WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&rect)), 1);
  EXPECT_EQ(rect.left, 100);
  EXPECT_EQ(rect.right - rect.left, 520 + frame_x);
  EXPECT_EQ(rect.bottom - rect.top, 650 + frame_y);
  EXPECT_EQ(rect.top, 50);

  // The top edge alone: the height decides and the width follows; the top moves.
  rect = {100, 50, 100 + frame_x + 10, 50 + frame_y + 325};
  app::MainWindowProc(WM_SIZING, WMSZ_TOP, reinterpret_cast<LPARAM>(&rect));
  EXPECT_EQ(rect.right - rect.left, 260 + frame_x);
  EXPECT_EQ(rect.bottom, 50 + frame_y + 325);
  EXPECT_EQ(rect.top, rect.bottom - (325 + frame_y));

  // The top-left corner: the width decides, the left and top edges move.
  rect = {100, 50, 100 + frame_x + 104, 50 + frame_y + 999};
  app::MainWindowProc(WM_SIZING, WMSZ_TOPLEFT, reinterpret_cast<LPARAM>(&rect));
  EXPECT_EQ(rect.right, 100 + frame_x + 104);
  EXPECT_EQ(rect.left, rect.right - (104 + frame_x));
  EXPECT_EQ(rect.bottom - rect.top, 130 + frame_y);

  // An absurd proposal does not overflow.
  rect = {-2000000000, 0, 2000000000, 10};
  app::MainWindowProc(WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&rect));
  EXPECT_EQ(rect.right - rect.left, 520 + frame_x);
}

TEST_F(WindowTest, StartUpGeometry) {
  EXPECT_EQ(app::InitialZoom(730), 1.0);
  EXPECT_EQ(app::InitialZoom(1080), 1.0);
  EXPECT_DOUBLE_EQ(app::InitialZoom(600), 0.8);
  const platform::FrameMetrics metrics{4, 4, 19};
  const app::Size outer = app::OuterSizeForZoom(0.8, metrics);
  EXPECT_EQ(outer.width, 416 + 8);
  EXPECT_EQ(outer.height, 520 + 8 + 19);
  const POINT corner = app::CentredPosition(outer, 1024, 600);
  EXPECT_EQ(corner.x, 512 - 212);
  EXPECT_EQ(corner.y, 300 - 273);
}

TEST_F(WindowTest, SetZoomNeverGoesAboveOne) {
  app::SetZoom(3.0);
  EXPECT_EQ(app::editor.zoom_factor, 1.0);
  EXPECT_EQ(*host.client_size, std::make_pair(520, 650));
  app::SetZoom(0.8);
  EXPECT_EQ(*host.client_size, std::make_pair(416, 520));
}

TEST_F(WindowTest, MovingRepaintsAndPaintingBlits) {
  app::MainWindowProc(WM_MOVE, 0, 0);
  EXPECT_EQ(host.invalidations, 1);
  app::MainWindowProc(WM_PAINT, 0, 0);
  EXPECT_EQ(host.blits, 1);
}

TEST_F(WindowTest, ClosingAsksFirstAndCancelKeepsEverything) {
  host.AnswerMessageBox(IDCANCEL);
  host.Post(WM_CLOSE);
  host.RunFrames();
  ASSERT_EQ(host.message_boxes.size(), 1u);
  EXPECT_EQ(host.message_boxes[0].text, "Exit Rimforge?");
  EXPECT_EQ(host.message_boxes[0].caption, "Rimforge");
  EXPECT_EQ(host.message_boxes[0].type, MB_OKCANCEL | MB_ICONQUESTION);
  EXPECT_FALSE(host.window_destroyed);
  EXPECT_EQ(app::editor.editor_mode, app::kIntroMode);

  // File > Exit asks the same; OK destroys the window, which ends the loop with code 0.
  host.AnswerMessageBox(IDOK);
  host.ChooseMenuItem(resources::kExit);
  host.HandleMessages();
  EXPECT_EQ(host.message_boxes.size(), 2u);
  EXPECT_EQ(host.message_boxes[1].text, "Exit Rimforge?");
  EXPECT_TRUE(host.window_destroyed);
  EXPECT_EQ(host.quit_code, 0);
}

}  // namespace
