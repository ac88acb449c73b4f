// Keyboard and mouse editing frame by frame: the edit walk, the keys of view mode and of both
// modes, held against pressed keys, the popup menu, drags and the wheel, and what a stale click
// does after a mode change.
#include <array>
#include <cmath>
#include <cstdint>
#include <initializer_list>

#include "app/editor_state.h"
#include "app/menu_model.h"
#include "level/edit_state.h"
#include "level/level_store.h"
#include "resources/command_ids.h"
#include "resources/tool_dialogs.h"
#include "support/editor_test.h"
#include "support/level_pick.h"
#include "support/level_rom_builder.h"

namespace {

using testing_support::BytePoint;
using testing_support::LevelRomBuilder;
using testing_support::ShapePoints;
using namespace resources;

constexpr int kLevel = 5;
constexpr int kShape = 9;
constexpr int kKeyA = 'A';
constexpr int kKeyQ = 'Q';
constexpr int kKeyS = 'S';
constexpr int kKeyW = 'W';
constexpr int kKeyX = 'X';
constexpr int kKeyZ = 'Z';
constexpr double kStep = 15.0 * 0.017453292519944444;

struct Point {
  double x;
  double y;
};
using Shape = std::array<Point, level::kPointsPerShape>;

Shape Accurate() {
  Shape shape;
  for (int i = 0; i < level::kPointsPerShape; ++i) {
    shape[i] = {level::accurate_x[level::PointIndex(kShape, i)],
                level::accurate_y[level::PointIndex(kShape, i)]};
  }
  return shape;
}

// p turned by `angle` (clockwise on screen) about `pivot`.
Point Turned(Point p, Point pivot, double angle) {
  const double dx = p.x - pivot.x;
  const double dy = p.y - pivot.y;
  return {std::cos(angle) * dx + std::sin(angle) * dy + pivot.x,
          std::cos(angle) * dy - std::sin(angle) * dx + pivot.y};
}

void ExpectNear(Point actual, Point expected, const char* what, int i) {
  EXPECT_NEAR(actual.x, expected.x, 1e-9) << what << " " << i;
  EXPECT_NEAR(actual.y, expected.y, 1e-9) << what << " " << i;
}

void ExpectPointsMoved(const Shape& before, const Shape& after, double dx, double dy) {
  for (int i = 0; i < level::kPointsPerShape; ++i)
    ExpectNear(after[i], {before[i].x + dx, before[i].y + dy}, "point", i);
}

ShapePoints Ring() {
  ShapePoints points;
  for (int i = 0; i < level::kPointsPerShape; ++i) {
    const double a = i * 3.14159265358979323846 / 8.0;
    points[i] = {static_cast<std::uint8_t>(std::lround(128 + 60 * std::cos(a))),
                 static_cast<std::uint8_t>(std::lround(128 - 60 * std::sin(a)))};
  }
  return points;
}

// Points 0 and 1 ten units apart in the direction (0.6, 0.8); the rest stay on point 1.
ShapePoints Start() {
  return testing_support::Walk({60, 80}, {{6, 8}});
}

int Offset() {
  return level::ShapeByte(level::kOffsetHigh, kShape) * 256 +
         level::ShapeByte(level::kOffsetLow, kShape);
}
int Scale() {
  return level::ShapeByte(level::kLevelScale, kShape);
}
int Height() {
  return level::ShapeByte(level::kHeight, kShape);
}

class InteractiveInputTest : public testing_support::EditorTest {
 protected:
  LevelRomBuilder Rom(const ShapePoints& points) {
    LevelRomBuilder rom;
    rom.LevelShape(kLevel, kShape).Points(kShape, points).Points(3, Ring());
    rom.ShapeByte(level::kLevelScale, kShape, 20).ShapeByte(level::kHeight, kShape, 100);
    return rom;
  }

  void Open(const LevelRomBuilder& rom, int level_index = kLevel) {
    testing_support::LoadLevelRomFile(host, rom.WriteTo(temp, "input.118"));
    testing_support::PickLevel(host, level_index);
  }

  void Choose(int id) {
    host.ChooseMenuItem(id);
    host.HandleMessages();
  }

  // The key goes down, stays down for `frames` frames and comes up again.
  void Key(int virtual_key, int frames = 1) {
    host.HoldKey(virtual_key);
    host.RunFrames(frames);
    host.ReleaseKey(virtual_key);
  }

  void Presses(int virtual_key, int count) {
    for (int i = 0; i < count; ++i)
      Key(virtual_key);
  }

  void SetAngleStep(const char* text) {
    host.ActInDialog(kAngleStepDialogId, [text](testing_support::FakeDialog& dialog) {
      dialog.Type(kToolNumberEdit, text);
      dialog.Click(kToolOk);
    });
    Choose(kSetAngleStep);
  }
};

TEST_F(InteractiveInputTest, NewLevelLaysStraightEqualSegmentsAndBackspaceTakesTheLastBack) {
  Open(Rom(Start()));
  Choose(kNewLevel);
  host.RunFrames(1);
  EXPECT_EQ(level::edit_state.drawn_segment_limit, 1);

  Key(VK_SPACE, 3);  // held for three frames: one press
  EXPECT_EQ(level::edit_state.current_point, 1);
  Presses(VK_SPACE, 4);
  EXPECT_EQ(level::edit_state.current_point, 5);
  EXPECT_EQ(level::edit_state.drawn_segment_limit, 6);
  for (int i = 0; i <= 6; ++i)
    ExpectNear(Accurate()[i], {60.0 + 6.0 * i, 80.0 + 8.0 * i}, "point", i);
  EXPECT_EQ(level::XByte(kShape, 6), 96);
  EXPECT_EQ(level::YByte(kShape, 6), 128);
  const Point seventh = Accurate()[7];

  // Backspace acts only at the last drawn segment.
  Key(VK_LEFT);
  EXPECT_EQ(level::edit_state.current_point, 4);
  Key(VK_BACK);
  EXPECT_EQ(level::edit_state.current_point, 4);
  EXPECT_EQ(level::edit_state.drawn_segment_limit, 6);
  Key(VK_RIGHT);
  Key(VK_BACK);
  EXPECT_EQ(level::edit_state.current_point, 4);
  EXPECT_EQ(level::edit_state.drawn_segment_limit, 5);
  EXPECT_NEAR(level::edit_state.segment_length, 10.0, 1e-9);
  ExpectNear(Accurate()[6], {96.0, 128.0}, "point", 6);  // the taken-back point stays put
  ExpectNear(Accurate()[7], seventh, "point", 7);

  // At one segment Backspace keeps it.
  Choose(kNewLevel);
  Key(VK_BACK);
  EXPECT_EQ(level::edit_state.current_point, 0);
  EXPECT_EQ(level::edit_state.drawn_segment_limit, 1);
  EXPECT_EQ(app::editor.editor_mode, app::kEditMode);
}

TEST_F(InteractiveInputTest, EditingTheExistingShapeWalksToTheEndAndBackToViewMode) {
  Open(Rom(Ring()));
  const Shape ring = Accurate();
  Choose(kEditLevel);
  EXPECT_EQ(level::edit_state.drawn_segment_limit, 15);
  Presses(VK_RIGHT, 3);
  EXPECT_EQ(level::edit_state.current_point, 3);
  for (int i = 0; i < level::kPointsPerShape; ++i)
    ExpectNear(Accurate()[i], ring[i], "unmoved point", i);

  // Space continues segment 3 -> 4 straight on from point 4.
  Key(VK_SPACE);
  EXPECT_EQ(level::edit_state.current_point, 4);
  ExpectNear(Accurate()[5], {2 * ring[4].x - ring[3].x, 2 * ring[4].y - ring[3].y}, "point", 5);

  Presses(VK_SPACE, 10);
  EXPECT_EQ(level::edit_state.current_point, 14);
  EXPECT_EQ(level::edit_state.drawn_segment_limit, 15);
  // The closing segment is drawn next, and its placing moves point 0.
  Key(VK_SPACE);
  EXPECT_EQ(level::edit_state.current_point, 15);
  EXPECT_EQ(level::edit_state.drawn_segment_limit, 16);
  const Shape walked = Accurate();
  ExpectNear(walked[0], {2 * walked[15].x - walked[14].x, 2 * walked[15].y - walked[14].y}, "point",
             0);
  Key(VK_SPACE);
  EXPECT_EQ(app::editor.editor_mode, app::kViewMode);
  EXPECT_EQ(level::edit_state.current_point, 0);
  EXPECT_EQ(level::edit_state.drawn_segment_limit, 16);
  EXPECT_EQ(app::FindMenuItem(app::MainMenu(), kEditLevel)->text, "&Edit Level");

  // An open shape ends one segment sooner.
  Open(Rom(Ring()).Open(kShape));
  Choose(kEditLevel);
  Presses(VK_SPACE, 14);
  EXPECT_EQ(app::editor.editor_mode, app::kEditMode);
  Key(VK_SPACE);
  EXPECT_EQ(app::editor.editor_mode, app::kViewMode);
}

TEST_F(InteractiveInputTest, PageKeysChangeTheLengthUntilThePointLiesBehind) {
  Open(Rom(Start()));
  Choose(kNewLevel);
  Key(VK_NEXT, 3);
  EXPECT_NEAR(level::edit_state.segment_length, 9.0, 1e-12);
  Presses(VK_NEXT, 11);
  EXPECT_NEAR(level::edit_state.segment_length, -2.0, 1e-12);
  ExpectNear(Accurate()[1], {60.0 - 1.2, 80.0 - 1.6}, "point", 1);
  Key(VK_PRIOR);
  ExpectNear(Accurate()[1], {60.0 - 0.6, 80.0 - 0.8}, "point", 1);
  EXPECT_EQ(level::XByte(kShape, 1), 59);
}

TEST_F(InteractiveInputTest, ZAndXTurnTheSegmentAndWithBendTheTailBehindIt) {
  Open(Rom(Ring()));
  const Shape ring = Accurate();
  Choose(kEditLevel);
  Presses(VK_RIGHT, 2);

  Key(kKeyZ, 2);
  Shape after = Accurate();
  for (int i = 0; i < level::kPointsPerShape; ++i) {
    const Point expected = i <= 2 ? ring[i] : Turned(ring[i], ring[2], kStep);
    ExpectNear(after[i], expected, "bent point", i);
  }
  Key(kKeyX);
  for (int i = 0; i < level::kPointsPerShape; ++i)
    ExpectNear(Accurate()[i], ring[i], "point turned back", i);

  // Without Bend only the segment's end moves.
  Choose(kBend);
  Key(kKeyX);
  after = Accurate();
  for (int i = 0; i < level::kPointsPerShape; ++i) {
    const Point expected = i == 3 ? Turned(ring[3], ring[2], -kStep) : ring[i];
    ExpectNear(after[i], expected, "point", i);
  }
  Key(kKeyZ);
  Choose(kBend);

  // At points 14 and 15 there is no tail to bend: only the segment's end moves.
  Presses(VK_RIGHT, 12);
  ASSERT_EQ(level::edit_state.current_point, 14);
  Key(kKeyZ);
  after = Accurate();
  for (int i = 0; i < level::kPointsPerShape; ++i) {
    const Point expected = i == 15 ? Turned(ring[15], ring[14], kStep) : ring[i];
    ExpectNear(after[i], expected, "point", i);
  }
  Key(VK_SPACE);
  ASSERT_EQ(level::edit_state.current_point, 15);
  const Shape at_fifteen = Accurate();
  Key(kKeyZ);
  after = Accurate();
  for (int i = 0; i < level::kPointsPerShape; ++i) {
    const Point expected = i == 0 ? Turned(at_fifteen[0], at_fifteen[15], kStep) : at_fifteen[i];
    ExpectNear(after[i], expected, "point", i);
  }
}

TEST_F(InteractiveInputTest, ShapeBytesClampOrWrapAsTheKeysChangeThem) {
  LevelRomBuilder rom = Rom(Ring());
  rom.ShapeByte(level::kOffsetHigh, kShape, 0xFF).ShapeByte(level::kOffsetLow, kShape, 0xFF);
  rom.LevelShape(1, 2).ShapeByte(level::kLevelScale, 2, 255).ShapeByte(level::kHeight, 2, 0);
  Open(rom);

  Key(kKeyQ);
  EXPECT_EQ(Offset(), 0x0001);
  Key(kKeyQ, 3);  // held: every frame
  EXPECT_EQ(Offset(), 0x0007);

  host.HoldKey(VK_ADD);
  host.HoldKey(VK_SUBTRACT);
  host.RunFrames(2);
  EXPECT_EQ(Scale(), 20);
  host.ReleaseKey(VK_SUBTRACT);
  host.RunFrames(25);
  EXPECT_EQ(Scale(), 1);
  host.ReleaseKey(VK_ADD);
  host.TurnWheel(1);
  host.RunFrames(1);
  EXPECT_EQ(Scale(), 1);

  Key(kKeyW, 3);
  EXPECT_EQ(Height(), 103);
  Key(kKeyS);
  EXPECT_EQ(Height(), 102);

  // Level 1 uses shape 2: offset 0, level scale 255, height 0. F1 goes back to level select.
  Key(VK_F1);
  EXPECT_EQ(app::editor.editor_mode, app::kLevelSelectMode);
  testing_support::PickLevel(host, 1);
  Key(kKeyA);
  Key(VK_SUBTRACT);
  Key(kKeyS);
  EXPECT_EQ(level::ShapeByte(level::kOffsetHigh, 2), 0xFF);
  EXPECT_EQ(level::ShapeByte(level::kOffsetLow, 2), 0xFE);
  EXPECT_EQ(level::ShapeByte(level::kLevelScale, 2), 255);
  EXPECT_EQ(level::ShapeByte(level::kHeight, 2), 0);
  EXPECT_EQ(Offset(), 0x0007);  // the other shape keeps its bytes
}

TEST_F(InteractiveInputTest, ViewKeysMoveTurnScaleAndCentreTheShape) {
  Open(Rom(Ring()));
  Shape before = Accurate();
  Key(VK_RIGHT, 3);
  host.HoldKey(VK_UP);
  host.HoldKey(VK_LEFT);
  host.RunFrames(2);
  host.ReleaseKey(VK_UP);
  host.ReleaseKey(VK_LEFT);
  ExpectPointsMoved(before, Accurate(), 1.0, 2.0);

  before = Accurate();
  Key(kKeyZ, 3);  // pressed: once for all three frames
  for (int i = 0; i < level::kPointsPerShape; ++i)
    ExpectNear(Accurate()[i], Turned(before[i], {128, 128}, kStep), "turned", i);
  Key(kKeyX);
  for (int i = 0; i < level::kPointsPerShape; ++i)
    ExpectNear(Accurate()[i], before[i], "turned back", i);

  // The step of the dialog: a negative one turns the other way, zero not at all.
  SetAngleStep("-90");
  Key(kKeyZ);
  for (int i = 0; i < level::kPointsPerShape; ++i)
    ExpectNear(Accurate()[i], Turned(before[i], {128, 128}, -90 * 0.017453292519944444), "-90", i);
  Key(kKeyX);
  SetAngleStep("0");
  before = Accurate();
  Key(kKeyZ);
  for (int i = 0; i < level::kPointsPerShape; ++i)
    ExpectNear(Accurate()[i], before[i], "step 0", i);

  Key(VK_INSERT, 2);
  for (int i = 0; i < level::kPointsPerShape; ++i) {
    const Point expected{(((before[i].x - 128) * 1.01 + 128) - 128) * 1.01 + 128,
                         (((before[i].y - 128) * 1.01 + 128) - 128) * 1.01 + 128};
    ExpectNear(Accurate()[i], expected, "scaled", i);
  }
  Key(VK_DELETE);
  EXPECT_NEAR(Accurate()[0].x - 128, (before[0].x - 128) * 1.01 * 1.01 * 0.99, 1e-9);

  Key(VK_HOME);
  double min_x = 1e9, max_x = -1e9, min_y = 1e9, max_y = -1e9;
  for (const Point& p : Accurate()) {
    min_x = std::min(min_x, p.x);
    max_x = std::max(max_x, p.x);
    min_y = std::min(min_y, p.y);
    max_y = std::max(max_y, p.y);
  }
  EXPECT_NEAR(min_x + max_x, 255.0, 1e-9);
  EXPECT_NEAR(min_y + max_y, 255.0, 1e-9);

  // Not in the foreground, the editor does not listen.
  before = Accurate();
  host.foreground = false;
  Key(VK_RIGHT);
  Key(kKeyZ);
  Key(VK_F1);
  ExpectPointsMoved(before, Accurate(), 0.0, 0.0);
  EXPECT_EQ(app::editor.editor_mode, app::kViewMode);
}

TEST_F(InteractiveInputTest, KeypadFourAndSixTurnTheQuarterAndMirrorItAgain) {
  Open(Rom(testing_support::Walk({128, 210}, {{30, -10}, {30, -20}, {15, -30}, {5, -30}})));
  for (int key : {VK_NUMPAD4, VK_NUMPAD6}) {
    SCOPED_TRACE(key);
    Key(key);
    const Shape after = Accurate();
    for (int i = 0; i <= 3; ++i) {
      EXPECT_EQ(after[8 - i].x, after[i].x) << i;
      EXPECT_NEAR(after[8 - i].y + after[i].y, after[0].y + after[8].y, 1e-9) << i;
    }
    for (int i = 1; i <= 7; ++i) {
      EXPECT_EQ(after[16 - i].y, after[i].y) << i;
      EXPECT_NEAR(after[16 - i].x + after[i].x, after[4].x + after[12].x, 1e-9) << i;
    }
    EXPECT_EQ(app::editor.editor_mode, app::kViewMode);
  }
}

TEST_F(InteractiveInputTest, RightClickAndApplicationsKeyOpenThePopupAtTheMouse) {
  Open(Rom(Ring()));
  const Shape ring = Accurate();
  host.popup_points.clear();
  host.MoveMouse(30, 40);
  host.PressButton(WM_RBUTTONDOWN, 30, 40, MK_RBUTTON);
  host.AnswerPopupMenu(kFlipHorizontally);
  host.RunFrames(2);
  ASSERT_EQ(host.popup_points.size(), 1u);
  EXPECT_EQ(host.popup_points[0].x, 230);
  EXPECT_EQ(host.popup_points[0].y, 140);
  EXPECT_EQ(Accurate()[1].x, 255.0 - ring[1].x);  // the chosen item arrived as a command
  EXPECT_EQ(app::mouse.buttons, 0u);
  host.ReleaseButton(WM_RBUTTONUP, 30, 40);
  host.MoveMouse(50, 60);
  host.RunFrames(1);
  EXPECT_EQ(host.popup_points.size(), 1u);

  // The Applications key opens it where the mouse last was, also in edit mode.
  Choose(kEditLevel);
  host.AnswerPopupMenu(std::nullopt);
  Key(VK_APPS);
  ASSERT_EQ(host.popup_points.size(), 2u);
  EXPECT_EQ(host.popup_points[1].x, 250);
  EXPECT_EQ(host.popup_points[1].y, 160);
  EXPECT_EQ(app::FindMenuItem(app::PopupMenu(), kEditLevel)->text, "&End Edit");
  host.PressButton(WM_RBUTTONDOWN, 70, 80, MK_RBUTTON);
  host.AnswerPopupMenu(kEditLevel);
  host.RunFrames(2);
  ASSERT_EQ(host.popup_points.size(), 3u);
  EXPECT_EQ(host.popup_points[2].x, 270);
  EXPECT_EQ(app::editor.editor_mode, app::kViewMode);
}

TEST_F(InteractiveInputTest, DragsMoveTheShapeOrChangeTheHeightAndTheWheelTheScale) {
  Open(Rom(Ring()));
  host.MoveMouse(100, 100);
  host.RunFrames(1);
  Shape before = Accurate();
  host.PressButton(WM_LBUTTONDOWN, 100, 100, MK_LBUTTON);
  host.MoveMouse(110, 95, MK_LBUTTON);
  host.RunFrames(1);
  ExpectPointsMoved(before, Accurate(), 10.0, 5.0);  // up on screen is up in the shape
  // Of several moves between two frames only the last step counts.
  host.MoveMouse(130, 95, MK_LBUTTON);
  host.MoveMouse(133, 99, MK_LBUTTON);
  host.RunFrames(2);
  ExpectPointsMoved(before, Accurate(), 13.0, 1.0);
  // Past the window's top-left corner the positions are negative words, not far off ones.
  host.MoveMouse(-2, -1, MK_LBUTTON);
  host.RunFrames(1);
  ExpectPointsMoved(before, Accurate(), -122.0, 101.0);
  host.MoveMouse(133, 99, MK_LBUTTON);
  host.RunFrames(1);
  ExpectPointsMoved(before, Accurate(), 13.0, 1.0);
  host.ReleaseButton(WM_LBUTTONUP, 133, 99);
  host.MoveMouse(140, 99);
  host.RunFrames(1);
  ExpectPointsMoved(before, Accurate(), 13.0, 1.0);

  host.PressButton(WM_MBUTTONDOWN, 140, 99, MK_MBUTTON);
  host.MoveMouse(140, 109, MK_MBUTTON);
  host.RunFrames(1);
  EXPECT_EQ(Height(), 110);
  host.MoveMouse(140, 500, MK_MBUTTON);
  host.RunFrames(1);
  EXPECT_EQ(Height(), 255);
  // With both buttons down only the shape moves.
  host.MoveMouse(150, 490, MK_MBUTTON | MK_LBUTTON);
  host.RunFrames(1);
  EXPECT_EQ(Height(), 255);
  ExpectPointsMoved(before, Accurate(), 23.0, 11.0);

  host.TurnWheel(1);
  host.RunFrames(1);
  EXPECT_EQ(Scale(), 19);
  host.TurnWheel(-3);
  host.RunFrames(2);  // one step per pending turn, whatever its size
  EXPECT_EQ(Scale(), 20);
  host.TurnWheel(-1);
  host.TurnWheel(2);
  host.RunFrames(1);
  EXPECT_EQ(Scale(), 19);
}

TEST_F(InteractiveInputTest, FunctionKeysSwitchToLevelSelectOrToLayingANewShape) {
  Open(Rom(Start()));
  Key(VK_F2);
  EXPECT_EQ(app::editor.editor_mode, app::kEditMode);
  EXPECT_EQ(level::edit_state.drawn_segment_limit, 1);
  EXPECT_EQ(app::FindMenuItem(app::MainMenu(), kEditLevel)->text, "&End Edit");
  Key(VK_F1);  // F1 and F2 belong to view mode
  EXPECT_EQ(app::editor.editor_mode, app::kEditMode);

  Choose(kEditLevel);
  Key(VK_F1);
  EXPECT_EQ(app::editor.editor_mode, app::kLevelSelectMode);
  EXPECT_TRUE(app::FindMenuItem(app::MainMenu(), kCentre)->grayed);

  testing_support::PickLevel(host, kLevel);
  host.HoldKey(VK_F1);
  host.HoldKey(VK_F2);
  host.RunFrames(1);
  EXPECT_EQ(app::editor.editor_mode, app::kEditMode);
}

// Edit Level, New Level and Select Level leave no button down: a click that was still pending
// when the command came must not act in the next frame.
TEST_F(InteractiveInputTest, AStaleClickDoesNothingAfterAModeChange) {
  Open(Rom(Ring()));
  host.popup_points.clear();
  const auto stale_click_then = [&](int id) {
    host.PressButton(WM_RBUTTONDOWN, 30, 40, MK_RBUTTON | MK_LBUTTON);
    Choose(id);
    EXPECT_EQ(app::mouse.buttons, 0u);
    EXPECT_EQ(app::editor.editor_mode, app::kEditMode);
    host.RunFrames(2);
    EXPECT_TRUE(host.popup_points.empty());
  };
  stale_click_then(kEditLevel);  // from view mode
  stale_click_then(kNewLevel);   // while editing
  Choose(kEditLevel);
  host.RunFrames(1);
  stale_click_then(kNewLevel);  // from view mode

  host.PressButton(WM_LBUTTONDOWN, 30, 40, MK_LBUTTON);
  Choose(kSelectLevel);
  EXPECT_EQ(app::mouse.buttons, 0u);
  host.RunFrames(2);
  EXPECT_EQ(app::editor.editor_mode, app::kLevelSelectMode);

  // The real state counts again with the next mouse message.
  testing_support::PickLevel(host, kLevel);
  Choose(kEditLevel);
  host.PressButton(WM_RBUTTONDOWN, 30, 40, MK_RBUTTON);
  host.RunFrames(1);
  EXPECT_EQ(host.popup_points.size(), 1u);
}

}  // namespace
