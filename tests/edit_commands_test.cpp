// The Edit menu's commands on a level picked in level select, driven end to end as a person
// would: load a ROM through the menu, point at a cell and click, then Copy, Paste, Undo, Open
// and Closed, with the menu greying that goes with each step.
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "app/editor_state.h"
#include "app/menu_model.h"
#include "level/level_store.h"
#include "resources/command_ids.h"
#include "support/editor_test.h"
#include "support/level_rom_builder.h"

namespace {

using testing_support::BytePoint;
using testing_support::LevelRomBuilder;
using testing_support::ShapePoints;
using namespace resources;

using Frame = std::vector<std::uint8_t>;

ShapePoints Zigzag(std::uint8_t low, std::uint8_t high) {
  ShapePoints points;
  for (std::size_t i = 0; i < points.size(); ++i) {
    points[i] = {static_cast<std::uint8_t>(20 + 14 * i), i % 2 == 0 ? low : high};
  }
  return points;
}

constexpr int kPerShapeFields[] = {
    level::kLevelScale, level::kHeight,          level::kOffsetLow,       level::kOffsetHigh,
    level::kOpenFlag,   level::kLengthFactorLow, level::kLengthFactorHigh};

// Level 3 (index 2) uses shape 2: an open zigzag with its own view bytes and directions.
// Level 7 (index 6) uses shape 6: closed, another zigzag and other bytes. Levels 2 and 5
// (indexes 1 and 4) share shape 9, the closed ring.
LevelRomBuilder EditRom() {
  LevelRomBuilder rom;
  rom.Points(2, Zigzag(60, 190)).Open(2);
  rom.ShapeByte(level::kLevelScale, 2, 14).ShapeByte(level::kHeight, 2, 120);
  rom.ShapeByte(level::kOffsetLow, 2, 0x40).ShapeByte(level::kOffsetHigh, 2, 0x01);
  rom.ShapeByte(level::kLengthFactorLow, 2, 77).ShapeByte(level::kLengthFactorHigh, 2, 3);
  for (int segment = 0; segment < level::kPointsPerShape; ++segment) {
    rom.TableByte(level::kSegmentDirections + level::PointIndex(2, segment),
                  static_cast<std::uint8_t>(15 - segment));
  }
  rom.Points(6, Zigzag(100, 140));
  rom.ShapeByte(level::kLevelScale, 6, 30).ShapeByte(level::kHeight, 6, 200);
  rom.Points(9, testing_support::RingPoints())
      .ShapeByte(level::kLevelScale, 9, 10)
      .ShapeByte(level::kHeight, 9, 128);
  rom.LevelShape(1, 9).LevelShape(4, 9);
  return rom;
}

// One shape as the store and the game see it: points in both forms, directions, view bytes.
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
  for (int field : kPerShapeFields)
    state.bytes.push_back(level::ShapeByte(field, shape));
  return state;
}

const app::MenuItem& Main(int id) {
  return *app::FindMenuItem(app::MainMenu(), id);
}
const app::MenuItem& Popup(int id) {
  return *app::FindMenuItem(app::PopupMenu(), id);
}

class EditCommandsTest : public testing_support::EditorTest {
 protected:
  void Load() {
    testing_support::LoadLevelRomFile(host, EditRom().WriteTo(temp, "edit.118"));
    host.ReleaseButton(WM_LBUTTONUP, 0, 0);  // the click that closed the file dialog
    host.RunFrames();
  }

  // Points at the level's cell and clicks it.
  void Pick(int level_index) {
    const int x = 68 + 128 * (level_index % 4);
    const int y = 128 + 128 * (level_index / 4);
    host.MoveMouse(x, y);
    host.RunFrames();
    host.PressButton(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
    host.ReleaseButton(WM_LBUTTONUP, x, y);
    host.RunFrames();
    ASSERT_EQ(app::editor.editor_mode, app::kViewMode);
    ASSERT_EQ(app::editor.current_level, level_index);
  }

  void Choose(int id) {
    host.ChooseMenuItem(id);
    host.RunFrames();
  }

  // The next frame as the user sees it.
  Frame NextFrame() {
    host.RunFrames(2);
    return host.screen;
  }

  // Every item of the Edit, Tools and Display menus.
  std::vector<const app::MenuItem*> EditToolsDisplayItems() {
    std::vector<const app::MenuItem*> items;
    for (int p = 1; p <= 3; ++p) {
      for (const app::MenuItem& item : app::GetSubMenu(app::MainMenu(), p)->items)
        items.push_back(&item);
    }
    return items;
  }

  void ExpectEditMenus(bool enabled, bool paste_enabled) {
    for (const app::MenuItem* item : EditToolsDisplayItems()) {
      if (item->kind == MenuTemplateItem::kSeparator) continue;
      const bool expected = item->id == kPaste ? paste_enabled : enabled;
      EXPECT_EQ(!item->grayed, expected) << item->text;
    }
  }
};

TEST_F(EditCommandsTest, MenuGreyingFollowsLoadPickAndCopy) {
  host.RunFrames();
  ExpectEditMenus(false, false);
  for (int id : {kSaveRom, kSaveTld, kHackArcadeHits})
    EXPECT_TRUE(Main(id).grayed) << id;

  Load();
  EXPECT_EQ(app::editor.editor_mode, app::kLevelSelectMode);
  ExpectEditMenus(false, false);
  for (int id : {kSaveRom, kSaveTld, kHackArcadeHits})
    EXPECT_FALSE(Main(id).grayed) << id;

  Pick(2);
  ExpectEditMenus(true, false);
  EXPECT_TRUE(Popup(kPaste).grayed);
  EXPECT_FALSE(Popup(kCopy).grayed);

  Choose(kCopy);
  ExpectEditMenus(true, true);
  EXPECT_FALSE(Popup(kPaste).grayed);

  Choose(kSelectLevel);
  ExpectEditMenus(false, false);
  EXPECT_FALSE(Popup(kPaste).grayed);
  Pick(6);
  ExpectEditMenus(true, true);
  for (int id : {kSaveRom, kSaveTld, kHackArcadeHits})
    EXPECT_FALSE(Main(id).grayed) << id;
}

TEST_F(EditCommandsTest, CopyOnLevel3PasteOnLevel7) {
  Load();
  Pick(2);
  EXPECT_TRUE(Main(kOpen).checked && Main(kOpen).radio);
  const ShapeState copied = StateOf(2);
  const Frame level_3_picture = NextFrame();
  Choose(kCopy);

  Choose(kSelectLevel);
  Pick(6);
  EXPECT_TRUE(Main(kClosed).checked && Main(kClosed).radio);
  EXPECT_FALSE(Main(kOpen).checked);
  ASSERT_NE(StateOf(6), copied);
  ASSERT_NE(NextFrame(), level_3_picture);

  Choose(kPaste);
  EXPECT_EQ(app::editor.editor_mode, app::kViewMode);
  // The copy holds no X and Y bytes: shape 6's are derived again from the pasted points.
  EXPECT_EQ(StateOf(6), copied);
  EXPECT_EQ(StateOf(2), copied);
  EXPECT_TRUE(Main(kOpen).checked && Main(kOpen).radio);
  EXPECT_FALSE(Main(kClosed).checked);
  EXPECT_EQ(NextFrame(), level_3_picture);
  // The map is not part of a shape: level 7 still uses shape 6.
  EXPECT_EQ(level::ShapeOfLevel(6), 6);
}

TEST_F(EditCommandsTest, ShapeSharedByTwoLevelsChangesForBoth) {
  Load();
  Pick(2);
  Choose(kCopy);
  Choose(kSelectLevel);

  // Level 2 and level 5 both use the closed ring.
  Pick(1);
  EXPECT_TRUE(Main(kClosed).checked);
  Choose(kOpen);
  EXPECT_EQ(level::ShapeByte(level::kOpenFlag, 9), level::kOpenFlagSet);
  EXPECT_TRUE(Main(kOpen).checked && Main(kOpen).radio);

  // Back in level select, level 5's thumbnail has lost its closing segment (51 pixels below
  // the cell's middle, along byte row 20) just like level 2's.
  Choose(kSelectLevel);
  Frame frame = NextFrame();
  EXPECT_EQ(frame[static_cast<std::size_t>(256 + 51) * 520 + 68], 0);
  EXPECT_EQ(frame[static_cast<std::size_t>(128 + 51) * 520 + 196], 0);

  Pick(4);
  EXPECT_TRUE(Main(kOpen).checked && Main(kOpen).radio);
  Choose(kClosed);
  EXPECT_EQ(level::ShapeByte(level::kOpenFlag, 9), 0);
  Choose(kPaste);
  const Frame level_5_picture = NextFrame();

  Choose(kSelectLevel);
  Pick(1);
  EXPECT_EQ(NextFrame(), level_5_picture);
  EXPECT_TRUE(Main(kOpen).checked) << "the pasted open flag";
}

TEST_F(EditCommandsTest, UndoAsksAndBringsBackTheShapeAsPickedStayingInViewMode) {
  Load();
  Pick(2);
  Choose(kCopy);
  Choose(kSelectLevel);
  Pick(6);
  const ShapeState picked = StateOf(6);
  const Frame picked_picture = NextFrame();
  Choose(kPaste);
  Choose(kOpen);
  const ShapeState edited = StateOf(6);
  ASSERT_NE(edited, picked);

  host.AnswerMessageBox(IDNO);
  Choose(kUndo);
  ASSERT_EQ(host.message_boxes.size(), 1u);
  EXPECT_EQ(host.message_boxes[0].text, "Undo all changes?");
  EXPECT_EQ(host.message_boxes[0].caption, "Rimforge");
  EXPECT_EQ(host.message_boxes[0].type, MB_YESNO | MB_ICONQUESTION);
  EXPECT_EQ(StateOf(6), edited);

  host.AnswerMessageBox(IDYES);
  Choose(kUndo);
  EXPECT_EQ(StateOf(6), picked);
  EXPECT_EQ(app::editor.editor_mode, app::kViewMode);
  EXPECT_TRUE(Main(kClosed).checked && Main(kClosed).radio);
  EXPECT_EQ(NextFrame(), picked_picture);

  // Undo can be chosen again, from the popup menu too, and gives the same shape.
  host.AnswerMessageBox(IDYES);
  host.ChoosePopupItem(kUndo);
  host.RunFrames();
  EXPECT_EQ(StateOf(6), picked);
  EXPECT_EQ(app::editor.editor_mode, app::kViewMode);
}

}  // namespace
