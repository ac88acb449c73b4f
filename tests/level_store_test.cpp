#include "level/level_store.h"

#include <cmath>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "app/editor_state.h"
#include "app/menu_model.h"
#include "app/modes.h"
#include "resources/command_ids.h"
#include "support/editor_test.h"
#include "support/level_rom_builder.h"

namespace {

using testing_support::AllAt;
using testing_support::LevelRomBuilder;
using testing_support::ShapePoints;

constexpr int kPerShapeFields[] = {
    level::kLevelScale, level::kHeight,          level::kOffsetLow,       level::kOffsetHigh,
    level::kOpenFlag,   level::kLengthFactorLow, level::kLengthFactorHigh};

ShapePoints Diagonal(std::uint8_t start) {
  ShapePoints points;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const auto v = static_cast<std::uint8_t>(start + 3 * i);
    points[i] = {v, static_cast<std::uint8_t>(255 - v)};
  }
  return points;
}

// Shape 3: open, its own points and bytes; shape 7: closed, others. Levels 2 and 5 share
// shape 4.
LevelRomBuilder StoreRom() {
  LevelRomBuilder rom;
  rom.Points(3, Diagonal(10)).Points(7, Diagonal(100)).Points(4, AllAt(44, 45));
  rom.Open(3).LevelShape(5, 4).LevelShape(2, 4);
  for (int field : kPerShapeFields) {
    if (field == level::kOpenFlag) continue;
    rom.ShapeByte(field, 3, static_cast<std::uint8_t>(field & 0x7F))
        .ShapeByte(field, 7, static_cast<std::uint8_t>(0x80 | (field >> 4)));
  }
  for (int point = 0; point < level::kPointsPerShape; ++point) {
    rom.TableByte(level::kSegmentDirections + level::PointIndex(3, point),
                  static_cast<std::uint8_t>(point));
  }
  return rom;
}

const app::MenuItem& MainItem(int id) {
  return *app::FindMenuItem(app::MainMenu(), id);
}
const app::MenuItem& PopupItem(int id) {
  return *app::FindMenuItem(app::PopupMenu(), id);
}

// One shape as the store holds it: accurate points, ROM values, directions and shape bytes.
struct ShapeState {
  std::vector<double> accurate;
  std::vector<int> bytes;
  bool operator==(const ShapeState&) const = default;
};

ShapeState StateOf(int shape) {
  ShapeState state;
  for (int point = 0; point < level::kPointsPerShape; ++point) {
    const int i = level::PointIndex(shape, point);
    state.accurate.push_back(level::accurate_x[i]);
    state.accurate.push_back(level::accurate_y[i]);
    state.bytes.push_back(level::XByte(shape, point));
    state.bytes.push_back(level::YByte(shape, point));
    state.bytes.push_back(level::SegmentDirection(shape, point));
  }
  for (int field : kPerShapeFields) {
    state.bytes.push_back(level::ShapeByte(field, shape));
  }
  return state;
}

class LevelStoreTest : public testing_support::EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    testing_support::LoadLevelRomFile(host, StoreRom().WriteTo(temp, "store.118"));
  }

  // What picking a level in level select does to the store.
  void PickLevel(int level_index) {
    app::editor.current_level = level_index;
    app::EnterViewMode();
    level::StoreSnapshot(level::undo_snapshot);
  }

  void Choose(int id) {
    host.ChooseMenuItem(id);
    host.HandleMessages();
  }

  // An edit of the current shape as the tools make one: new accurate points, then ROM values.
  void MoveCurrentShape(double dx) {
    const int shape = level::CurrentShape();
    for (int point = 0; point < level::kPointsPerShape; ++point) {
      level::accurate_x[level::PointIndex(shape, point)] += dx;
    }
    level::StoreRomValues();
  }
};

TEST_F(LevelStoreTest, RomValuesRoundHalfUpAndClampWhileAccurateValuesStay) {
  const double inf = std::numeric_limits<double>::infinity();
  const std::vector<std::pair<double, int>> cases{
      {254.49, 254}, {254.5, 255},      {-0.5, 0},  {-3.0, 0}, {300.0, 255}, {255.6, 255},
      {0.49, 0},     {std::nan(""), 0}, {inf, 255}, {-inf, 0}, {127.5, 128}};
  for (std::size_t i = 0; i < cases.size(); ++i) {
    level::accurate_x[i] = cases[i].first;
    level::accurate_y[255 - i] = cases[i].first;
  }

  level::StoreRomValues();

  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(cases[i].first);
    const int x_index = static_cast<int>(i);
    const int y_index = 255 - x_index;
    EXPECT_EQ(level::XByte(x_index / 16, x_index % 16), cases[i].second);
    EXPECT_EQ(level::YByte(y_index / 16, y_index % 16), cases[i].second);
  }
  EXPECT_EQ(level::accurate_x[5], 255.6);
  // Points not touched keep the bytes they were loaded with.
  EXPECT_EQ(level::XByte(7, 2), 106);
  EXPECT_EQ(level::YByte(4, 9), 45);
}

TEST_F(LevelStoreTest, CopyOnOneLevelPastesIntoAnother) {
  EXPECT_TRUE(MainItem(resources::kPaste).grayed);
  EXPECT_TRUE(PopupItem(resources::kPaste).grayed);
  PickLevel(3);
  EXPECT_TRUE(MainItem(resources::kPaste).grayed);
  level::accurate_x[level::PointIndex(3, 0)] = 10.7;

  Choose(resources::kCopy);
  EXPECT_FALSE(MainItem(resources::kPaste).grayed);
  EXPECT_FALSE(PopupItem(resources::kPaste).grayed);

  // Picking another level keeps Paste available; the copy buffer outlives a change of level.
  PickLevel(7);
  Choose(resources::kClosed);
  EXPECT_FALSE(MainItem(resources::kPaste).grayed);
  ShapeState copied = StateOf(3);
  Choose(resources::kPaste);

  EXPECT_EQ(app::editor.editor_mode, app::kViewMode);
  ShapeState pasted = StateOf(7);
  EXPECT_EQ(pasted.accurate, copied.accurate);
  // The ROM values are derived again from the pasted accurate points.
  EXPECT_EQ(level::XByte(7, 0), 11);
  copied.bytes[0] = 11;
  EXPECT_EQ(pasted.bytes, copied.bytes);
  EXPECT_TRUE(MainItem(resources::kOpen).radio);
  EXPECT_FALSE(MainItem(resources::kClosed).checked);
}

TEST_F(LevelStoreTest, UndoAsksFirstAndRestoresTheShapeAsItWasPicked) {
  PickLevel(3);
  const ShapeState picked = StateOf(3);
  MoveCurrentShape(5.25);
  Choose(resources::kClosed);
  const ShapeState edited = StateOf(3);
  ASSERT_NE(edited, picked);

  host.AnswerMessageBox(IDNO);
  Choose(resources::kUndo);
  ASSERT_EQ(host.message_boxes.size(), 1u);
  EXPECT_EQ(host.message_boxes[0].text, "Undo all changes?");
  EXPECT_EQ(host.message_boxes[0].caption, "Rimforge");
  EXPECT_EQ(host.message_boxes[0].type, MB_YESNO | MB_ICONQUESTION);
  EXPECT_EQ(StateOf(3), edited);

  host.AnswerMessageBox(IDYES);
  Choose(resources::kUndo);
  EXPECT_EQ(StateOf(3), picked);
  EXPECT_EQ(app::editor.editor_mode, app::kViewMode);
  EXPECT_TRUE(MainItem(resources::kOpen).radio);

  // Undo while editing restores and ends the edit; it can be applied again and again.
  MoveCurrentShape(-2.0);
  Choose(resources::kEditLevel);
  ASSERT_EQ(app::editor.editor_mode, app::kEditMode);
  host.AnswerMessageBox(IDYES);
  Choose(resources::kUndo);
  EXPECT_EQ(StateOf(3), picked);
  EXPECT_EQ(app::editor.editor_mode, app::kViewMode);
  EXPECT_EQ(MainItem(resources::kEditLevel).text, "&Edit Level");
}

TEST_F(LevelStoreTest, OpenAndClosedSetTheFlagAndTheRadioPairForEveryLevelOfTheShape) {
  PickLevel(2);
  ASSERT_EQ(level::CurrentShape(), 4);

  Choose(resources::kOpen);
  EXPECT_EQ(level::ShapeByte(level::kOpenFlag, 4), 255);
  EXPECT_TRUE(MainItem(resources::kOpen).radio);
  EXPECT_FALSE(MainItem(resources::kClosed).checked);

  // Level 5 uses the same shape, so it sees the change, and its Undo restores shape 4 from
  // the snapshot of the last pick.
  PickLevel(5);
  EXPECT_TRUE(level::IsOpen(level::ShapeOfLevel(5)));
  Choose(resources::kClosed);
  EXPECT_EQ(level::ShapeByte(level::kOpenFlag, 4), 0);
  EXPECT_TRUE(MainItem(resources::kClosed).radio);
  EXPECT_FALSE(MainItem(resources::kOpen).checked);
  EXPECT_FALSE(level::IsOpen(level::ShapeOfLevel(2)));

  MoveCurrentShape(1.0);
  EXPECT_EQ(level::XByte(4, 0), 45);
  host.AnswerMessageBox(IDYES);
  Choose(resources::kUndo);
  EXPECT_EQ(level::XByte(4, 0), 44);
  EXPECT_TRUE(level::IsOpen(4));
  EXPECT_EQ(level::ShapeByte(level::kOpenFlag, 7), 0);
}

}  // namespace
