// Editing a picked level as a person does: tools, keys and mouse, edit mode, the tool dialogs,
// the popup menu, and copy, paste, undo, open and closed.
#include <cmath>
#include <cstdio>

#include "app/editor_state.h"
#include "level/edit_state.h"
#include "level/level_store.h"
#include "resources/command_ids.h"
#include "resources/tool_dialogs.h"
#include "support/editor_snapshot.h"
#include "support/editor_test.h"

namespace {

using namespace testing_support;
using namespace resources;

// Level 5 uses shape 9, so that a tool working on the level's number instead of its shape shows.
constexpr int kLevel = 5;
constexpr int kShape = 9;

// Sixteen points round (128, 120), each further out than the one before, as bytes.
ShapePoints Spiral() {
  ShapePoints points;
  for (int i = 0; i < level::kPointsPerShape; ++i) {
    const double a = i * 3.14159265358979 / 8.0;
    points[i] = BytePoint{static_cast<std::uint8_t>(128.5 + (40 + 4 * i) * std::cos(a)),
                          static_cast<std::uint8_t>(120.5 + (40 + 4 * i) * std::sin(a))};
  }
  return points;
}

class EditingTest : public EditorTest {
 protected:
  void Open(const ShapePoints& points) {
    LevelRomBuilder rom;
    rom.LevelShape(kLevel, kShape).Points(kShape, points).Points(3, RingPoints());
    rom.ShapeByte(level::kLevelScale, kShape, 20).ShapeByte(level::kHeight, kShape, 100);
    Load(kLoadRom, rom.Get(), "shapes.118");
    PickLevel(kLevel);
    start_ = EditorSnapshot();
  }
  void InDialog(int dialog, std::function<void(FakeDialog&)> person, int command) {
    host.ActInDialog(dialog, std::move(person));
    Choose(command);
  }

  // The shape and the editor's state in one line. Other shapes never change, and every ROM
  // value is its accurate value rounded.
  std::string State() const {
    const EditorSnapshot now;
    for (int i = 0; i < level::kPointCount; ++i)
      EXPECT_TRUE(i / 16 == kShape || now.accurate_x[i] == start_.accurate_x[i]) << i;
    ExpectRomValuesRounded();
    const level::EditState& edit = level::edit_state;
    const auto byte = [](int field) { return level::ShapeByte(field, kShape); };
    char line[600];
    int length = std::snprintf(
        line, sizeof line, "mode %d point %d/%d length %.10g angle %.10g bytes %d %d %d %d %d |",
        app::editor.editor_mode, edit.current_point, edit.drawn_segment_limit, edit.segment_length,
        edit.segment_angle, byte(level::kLevelScale), byte(level::kHeight),
        byte(level::kOffsetHigh), byte(level::kOffsetLow), byte(level::kOpenFlag));
    for (int point = 0; point < level::kPointsPerShape; ++point) {
      length += std::snprintf(line + length, sizeof line - length, " %.10g,%.10g",
                              level::accurate_x[level::PointIndex(kShape, point)],
                              level::accurate_y[level::PointIndex(kShape, point)]);
    }
    return line;
  }

  EditorSnapshot start_;
};

TEST_F(EditingTest, ToolsOfTheMenus) {
  Open(Spiral());
  // Rotations turn about (128, 128), clockwise on screen.
  ExpectScripts(
      "tools.txt",
      {"menu Tools/Rotate/22.5", "menu Tools/Rotate/45", "menu Tools/Rotate/90",
       "menu Tools/Rotate/180", "menu Tools/Rotate/270", "menu Tools/Flip/Vertically",
       "menu Tools/Flip/Horizontally", "menu Tools/Centre", "menu Tools/Centre",
       "menu Tools/Reverse", "menu Tools/Kaleidoscope/1-Axis Rotate",
       "menu Tools/Kaleidoscope/2-Axis Rotate", "menu Tools/Kaleidoscope/1-Axis Mirror",
       "menu Tools/Kaleidoscope/2-Axis Mirror",
       // Of an open shape; in edit mode, which the symmetry tools end and the others keep.
       "menu Edit/Open, menu Tools/Kaleidoscope/1-Axis Mirror",
       "menu Edit/Edit Level, hold RIGHT, menu Tools/Flip/Horizontally, frames 1",
       "menu Tools/Kaleidoscope/1-Axis Rotate", "scale 200", "scale 50", "scale 50 -100",
       "angle 7.25, menu Tools/Rotate/22.5"},
      [this] { return State(); });
}

TEST_F(EditingTest, KeysAndMouseInViewMode) {
  Open(Spiral());
  Act("move 100 100");
  ExpectScripts(
      "view_input.txt",
      {"hold RIGHT 3", "hold UP+LEFT 2", "hold DOWN", "hold Z 3", "hold X", "angle -90, hold Z",
       "hold NUMPAD4", "hold NUMPAD6", "angle 0, hold Z", "hold INSERT 2", "hold DELETE",
       "hold HOME", "hold W 3", "hold S", "hold Q 3", "hold A 3", "down ADD, hold SUBTRACT 2",
       "frames 25, up ADD", "wheel -3, frames 1", "wheel 1 -1",
       // A left drag moves the shape, a middle drag sets its height, kept to 255.
       "press L 100 100", "move 110 95 L", "move 130 95 L, move 133 99 L", "move 65534 65535 L",
       "move 133 99 L", "move 140 99", "press M 140 99", "move 140 109 M", "move 140 500 M",
       "move 150 490 LM", "behind, hold RIGHT, hold Z, hold F1, front", "hold F2", "hold F1",
       "menu Edit/End Edit, hold F1"},
      [this] { return State(); });
}

TEST_F(EditingTest, EditModeLaysThePointsOneByOne) {
  Open(Walk({60, 80}, {{6, 8}}));
  ExpectScripts(
      "edit_walk.txt",
      {"menu Edit/New Level, frames 1", "hold SPACE 3", "tap SPACE 4", "tap LEFT", "tap BACK",
       "tap RIGHT", "tap BACK",
       // Page Down and Page Up set the segment's length, Z and X turn it a step.
       "tap NEXT 12", "tap PRIOR", "tap Z", "tap X", "menu Tools/Bend, tap X",
       "menu Tools/Bend, tap UP 2, tap Z", "tap DOWN", "menu Edit/New Level, tap BACK",
       "menu Edit/End Edit, menu Edit/Edit Level", "tap RIGHT 3", "tap SPACE 11", "tap SPACE",
       "tap SPACE", "menu Edit/Open, menu Edit/Edit Level, tap SPACE 14", "tap SPACE"},
      [this] { return State(); });
  EXPECT_EQ(MainItem(kEditLevel).text, "&Edit Level");
}

TEST_F(EditingTest, ToolDialogsTakeNumbersAndRefuseWhatIsNone) {
  Open(Spiral());
  // The angle step is the number at the start of the text, of its first 31 characters; the
  // level scale takes digits only, kept to 1..255; what is no number is refused.
  std::size_t boxes = 0;
  const auto state = [&] {
    std::string line = "angle " + std::to_string(app::editor.angle_step) + " scale " +
                       std::to_string(level::ShapeByte(level::kLevelScale, kShape)) + " shown [" +
                       shown_in_dialog + "] x3 " +
                       std::to_string(level::accurate_x[level::PointIndex(kShape, 3)]) + " |";
    for (; boxes < host.message_boxes.size(); ++boxes)
      line += " " + host.message_boxes[boxes].text + "/" +
              std::to_string(host.message_boxes[boxes].type);
    return line;
  };
  ExpectScripts("tool_dialogs.txt",
                {"angle   -22.5 degrees", "angle " + std::string(28, ' ') + "7.25", "angle    ",
                 "angle abc", "angle -", "angle .", "angle inf", "angle nan", "angle 1e999",
                 "level 0", "level 300", "level 99999999999999999999", "level -42", "level ",
                 "scale ", "scale big", "scale inf", "scale 150 ?", "scale 150 -50"},
                state);
  // Cancel and the close box keep what is set.
  const EditorSnapshot before;
  InDialog(
      kScaleLevelDialogId,
      [](FakeDialog& dialog) {
        dialog.Type(kToolNumberEdit, "7");
        dialog.Click(kToolCancel);
      },
      kScaleLevel);
  const auto close_box = [](FakeDialog& dialog) { dialog.Close(); };
  InDialog(kAngleStepDialogId, close_box, kSetAngleStep);
  InDialog(kScalePointsDialogId, close_box, kScalePoints);
  InDialog(
      kAboutDialogId, [](FakeDialog& dialog) { dialog.Click(kToolOk); }, kAbout);
  ExpectUnchanged(before);

  // "Scale equally" enables the Y scale; a Y scale typed, then "Scale equally" again: it no
  // longer counts.
  const double y = level::accurate_y[level::PointIndex(kShape, 3)];
  InDialog(
      kScalePointsDialogId,
      [](FakeDialog& dialog) {
        EXPECT_TRUE(dialog.IsChecked(kScaleEquallyCheck));
        EXPECT_FALSE(dialog.Control(kScaleYEdit).enabled || dialog.Control(kScaleYLabel).enabled);
        dialog.Click(kScaleEquallyCheck);
        EXPECT_TRUE(dialog.Control(kScaleYEdit).enabled && dialog.Control(kScaleYLabel).enabled);
        dialog.Type(kScaleYEdit, "-100");
        dialog.Click(kScaleEquallyCheck);
        dialog.Type(kToolNumberEdit, "200");
        dialog.Click(kToolOk);
      },
      kScalePoints);
  EXPECT_DOUBLE_EQ(level::accurate_y[level::PointIndex(kShape, 3)] - 128, (y - 128) * 2);
}

TEST_F(EditingTest, PopupMenuOpensAtTheMouseAndStaleClicksDoNothing) {
  Open(RingPoints());
  host.AnswerPopupMenu(kFlipHorizontally);
  Act("press R 30 40, frames 1, release R 30 40");
  EXPECT_EQ(level::accurate_x[level::PointIndex(kShape, 1)], 255.0 - 20);  // the chosen command
  host.AnswerPopupMenu(std::nullopt);
  Act("menu Edit/Edit Level, hold APPS");  // where the mouse last was, in edit mode too
  // Edit Level, New Level and Select Level leave no button down: a click still pending when the
  // command came does not act in the next frame. The real state counts with the next message.
  for (const std::string item :
       {"End Edit", "Edit Level", "New Level", "End Edit", "New Level", "Select Level"}) {
    if (item != "End Edit") host.Post(WM_RBUTTONDOWN, MK_RBUTTON | MK_LBUTTON, MAKELPARAM(30, 40));
    Act("menu Edit/" + item + ", frames 2");
  }
  EXPECT_EQ(app::editor.editor_mode, app::kLevelSelectMode);
  PickLevel(kLevel);
  Act("press R 30 40");
  ASSERT_EQ(host.popup_points.size(), 3u);
  for (const POINT& point : host.popup_points)
    EXPECT_TRUE(point.x == 230 && point.y == 140) << point.x << ", " << point.y;
}

TEST_F(EditingTest, CopyPasteUndoOpenAndClosedActOnTheShapeOfTheLevel) {
  // Level 3 holds the open ring, levels 2 and 6 share shape 9.
  LevelRomBuilder rom;
  rom.Points(2, RingPoints()).Open(2).Points(9, Spiral()).LevelShape(1, 9).LevelShape(5, 9);
  rom.ShapeByte(level::kLevelScale, 9, 20);
  for (int point = 0; point < level::kPointsPerShape; ++point)
    rom.TableByte(level::kSegmentDirections + level::PointIndex(2, point), 3);
  Load(kLoadRom, rom.Get(), "shapes.118");
  const auto shape_state = [](int shape) {
    std::vector<double> state;
    for (int p = 0; p < level::kPointsPerShape; ++p) {
      state.push_back(level::accurate_x[level::PointIndex(shape, p)]);
      state.push_back(level::accurate_y[level::PointIndex(shape, p)]);
      state.push_back(level::XByte(shape, p) + 256 * level::SegmentDirection(shape, p));
    }
    for (const int field :
         {level::kLevelScale, level::kHeight, level::kOffsetLow, level::kOffsetHigh,
          level::kOpenFlag, level::kLengthFactorLow, level::kLengthFactorHigh})
      state.push_back(level::ShapeByte(field, shape));
    return state;
  };
  PickLevel(2);
  const auto ring = shape_state(2);
  Act("menu Edit/Copy, menu Edit/Select Level");
  PickLevel(5);
  const auto picked = shape_state(9);
  Act("menu Edit/Paste");
  EXPECT_EQ(shape_state(9), ring);
  EXPECT_EQ(level::ShapeOfLevel(5), 9);  // the map is not part of a shape
  Act("menu Edit/Closed");
  EXPECT_EQ(level::ShapeByte(level::kOpenFlag, 9), 0);

  // Undo asks, and brings back the shape as it was picked, staying in view mode.
  const auto edited = shape_state(9);
  host.AnswerMessageBox(IDNO);
  Act("menu Edit/Undo");
  ASSERT_EQ(host.message_boxes.size(), 1u);
  EXPECT_EQ(host.message_boxes[0].text, "Undo all changes?");
  EXPECT_EQ(host.message_boxes[0].type, MB_YESNO | MB_ICONQUESTION);
  EXPECT_EQ(shape_state(9), edited);
  host.AnswerMessageBox(IDYES);
  Act("popup Undo, frames 1");
  EXPECT_EQ(shape_state(9), picked);
  EXPECT_EQ(app::editor.editor_mode, app::kViewMode);

  // Level 2 shares the shape: Open there shows on level 6 too.
  Act("menu Edit/Open, menu Edit/Select Level");
  PickLevel(1);
  EXPECT_TRUE(MainItem(kOpen).checked);
  EXPECT_EQ(level::ShapeByte(level::kOpenFlag, 9), level::kOpenFlagSet);
}

}  // namespace
