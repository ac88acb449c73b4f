// The menus as the user sees them: texts, identifiers, the start state, the view flags with
// their check marks and radio bullets, and the commands that reach their handlers.
#include <string>
#include <utility>
#include <vector>

#include "app/menu_model.h"
#include "app/modes.h"
#include "app/view_flags.h"
#include "level/edit_state.h"
#include "resources/command_ids.h"
#include "support/editor_test.h"

namespace {

using testing_support::EditorTest;
using namespace resources;

class MenusTest : public EditorTest {
 protected:
  const app::MenuItem& Main(int id) { return *app::FindMenuItem(app::MainMenu(), id); }
  const app::MenuItem& Popup(int id) { return *app::FindMenuItem(app::PopupMenu(), id); }

  // Every item of the Edit, Tools and Display menus, as the user reaches them.
  std::vector<const app::MenuItem*> EditToolsDisplayItems() {
    std::vector<const app::MenuItem*> items;
    for (int p = 1; p <= 3; ++p) {
      for (const app::MenuItem& item : app::GetSubMenu(app::MainMenu(), p)->items) {
        items.push_back(&item);
      }
    }
    return items;
  }
};

// Texts, with their access keys, of every item reached from each top-level menu, depth first.
std::vector<std::pair<int, std::string>> Flatten(const app::Menu& menu) {
  std::vector<std::pair<int, std::string>> out;
  for (const app::MenuItem& item : menu.items) {
    if (item.kind == MenuTemplateItem::kSeparator) continue;
    out.emplace_back(item.id, item.text);
    if (item.submenu) {
      for (auto& inner : Flatten(*item.submenu))
        out.push_back(inner);
    }
  }
  return out;
}

TEST_F(MenusTest, MainMenuHasEveryTextAndIdentifier) {
  const std::vector<std::pair<int, std::string>> expected = {
      {0, "&File"},
      {kLoadRom, "&Load ROM ..."},
      {kLoadTld, "Load &TLD File ..."},
      {kSaveRom, "&Save ROM ..."},
      {kSaveTld, "Sa&ve TLD File ..."},
      {kHackArcadeHits, "Hack '&Atari Arcade Hits'..."},
      {kEditColours, "Edit &Colours..."},
      {kEditText, "&Edit Text..."},
      {kExit, "E&xit"},
      {0, "&Edit"},
      {kSelectLevel, "&Select Level"},
      {kUndo, "&Undo"},
      {kCopy, "&Copy"},
      {kPaste, "&Paste"},
      {kEditLevel, "&Edit Level"},
      {kNewLevel, "&New Level"},
      {kOpen, "&Open"},
      {kClosed, "C&losed"},
      {0, "&Tools"},
      {0, "&Flip"},
      {kFlipVertically, "&Vertically"},
      {kFlipHorizontally, "&Horizontally"},
      {kCentre, "&Centre"},
      {0, "&Rotate"},
      {kRotate22_5, "&22.5"},
      {kRotate45, "&45"},
      {kRotate90, "&90"},
      {kRotate180, "&180"},
      {kRotate270, "2&70"},
      {0, "&Scale"},
      {kScalePoints, "Scale &Points..."},
      {kScaleLevel, "Scale &Level..."},
      {kReverse, "Re&verse"},
      {0, "&Kaleidoscope"},
      {kOneAxisRotate, "&1-Axis Rotate"},
      {kTwoAxisRotate, "&2-Axis Rotate"},
      {kOneAxisMirror, "1-Axis &Mirror"},
      {kTwoAxisMirror, "2-A&xis Mirror"},
      {kSetAngleStep, "Set &Angle Step..."},
      {kBend, "&Bend"},
      {0, "&Display"},
      {kView3D, "&3D View"},
      {kView2D, "&2D View"},
      {kRomValues, "&ROM Values"},
      {kAccurateValues, "&Accurate Values"},
      {kSafeFrame, "Safe &Frame"},
      {kBoundingBox, "&Bounding Box"},
      {kClaw, "&Claw"},
      {0, "&Help"},
      {kReadMe, "ReadMe"},
      {kAbout, "&About Rimforge"},
  };
  EXPECT_EQ(Flatten(app::MainMenu()), expected);
}

TEST_F(MenusTest, PopupMenuHasEveryTextAndIdentifier) {
  const std::vector<std::pair<int, std::string>> expected = {
      {0, "PopUp!"},
      {kUndo, "&Undo"},
      {kCopy, "&Copy"},
      {kPaste, "&Paste"},
      {kEditLevel, "&Edit Level"},
      {0, "&Flip"},
      {kFlipVertically, "&Vertically"},
      {kFlipHorizontally, "&Horizontally"},
      {kCentre, "Ce&ntre"},
      {0, "&Rotate"},
      {kRotate22_5, "&22.5"},
      {kRotate45, "&45"},
      {kRotate90, "&90"},
      {kRotate180, "&180"},
      {kRotate270, "2&70"},
      {0, "&Scale"},
      {kScalePoints, "Scale &Points..."},
      {kScaleLevel, "Scale &Level..."},
      {kReverse, "Re&verse"},
      {0, "&Kaleidoscope"},
      {kOneAxisRotate, "&1-Axis Rotate"},
      {kTwoAxisRotate, "&2-Axis Rotate"},
      {kOneAxisMirror, "1-Axis &Mirror"},
      {kTwoAxisMirror, "2-A&xis Mirror"},
      {kSetAngleStep, "Set &Angle Step..."},
      {kBend, "&Bend"},
  };
  EXPECT_EQ(Flatten(app::PopupMenu()), expected);
}

TEST_F(MenusTest, StartState) {
  for (const app::MenuItem* item : EditToolsDisplayItems()) {
    EXPECT_TRUE(item->grayed) << item->text;
  }
  // Nested submenus are greyed as items of Tools; their own items are left alone.
  EXPECT_FALSE(Main(kFlipVertically).grayed);

  EXPECT_TRUE(Main(kSaveRom).grayed);
  EXPECT_TRUE(Main(kSaveTld).grayed);
  EXPECT_TRUE(Main(kHackArcadeHits).grayed);
  for (int id : {kLoadRom, kLoadTld, kEditColours, kEditText, kExit, kReadMe, kAbout}) {
    EXPECT_FALSE(Main(id).grayed) << id;
  }

  EXPECT_TRUE(Main(kView3D).checked && Main(kView3D).radio);
  EXPECT_FALSE(Main(kView2D).checked);
  EXPECT_TRUE(Main(kRomValues).checked && Main(kRomValues).radio);
  EXPECT_FALSE(Main(kAccurateValues).checked);
  for (int id : {kSafeFrame, kBoundingBox, kClaw, kBend}) {
    EXPECT_TRUE(Main(id).checked) << id;
    EXPECT_FALSE(Main(id).radio) << id;
  }
  // Neither Open nor Closed carries a bullet until a level is picked.
  EXPECT_FALSE(Main(kOpen).checked || Main(kClosed).checked);

  // The popup menu is never greyed as a whole; only Paste waits for the first Copy.
  EXPECT_TRUE(Popup(kPaste).grayed);
  EXPECT_FALSE(Popup(kUndo).grayed);
  EXPECT_TRUE(Popup(kBend).checked);

  EXPECT_EQ(app::editor.editor_mode, app::kIntroMode);
  EXPECT_EQ(app::editor.current_level, app::kNoLevel);
  EXPECT_EQ(app::editor.angle_step, 15.0);
}

TEST_F(MenusTest, ViewFlagsToggleWithTheirMarks) {
  app::EnterViewMode();
  const app::ViewFlags before = app::view_flags;

  host.ChooseMenuItem(kSafeFrame);
  host.ChooseMenuItem(kClaw);
  host.ChooseMenuItem(kClaw);
  host.ChooseMenuItem(kBoundingBox);
  host.ChooseMenuItem(kView2D);
  host.ChooseMenuItem(kAccurateValues);
  host.HandleMessages();
  EXPECT_EQ(app::view_flags.safe_frame, 0);
  EXPECT_FALSE(Main(kSafeFrame).checked);
  EXPECT_EQ(app::view_flags.claw, 1);
  EXPECT_TRUE(Main(kClaw).checked);
  EXPECT_EQ(app::view_flags.bounding_box, 0);
  EXPECT_EQ(app::view_flags.view_2d, 1);
  EXPECT_TRUE(Main(kView2D).checked && Main(kView2D).radio);
  EXPECT_FALSE(Main(kView3D).checked);
  EXPECT_EQ(app::view_flags.rom_values, 0);
  EXPECT_TRUE(Main(kAccurateValues).checked && !Main(kRomValues).checked);

  host.ChooseMenuItem(kView3D);
  host.ChooseMenuItem(kRomValues);
  host.ChooseMenuItem(kSafeFrame);
  host.ChooseMenuItem(kBoundingBox);
  host.HandleMessages();
  EXPECT_EQ(app::view_flags.view_2d, before.view_2d);
  EXPECT_EQ(app::view_flags.rom_values, before.rom_values);
  EXPECT_EQ(app::view_flags.safe_frame, before.safe_frame);
  EXPECT_EQ(app::view_flags.bounding_box, before.bounding_box);
  EXPECT_TRUE(Main(kView3D).checked && Main(kRomValues).checked && Main(kSafeFrame).checked);

  // The flags survive mode changes.
  host.ChooseMenuItem(kClaw);
  host.HandleMessages();
  app::EnterLevelSelect();
  app::EnterViewMode();
  EXPECT_EQ(app::view_flags.claw, 0);
}

TEST_F(MenusTest, BendFromEitherMenuMarksBoth) {
  app::EnterViewMode();
  host.ChoosePopupItem(kBend);
  host.HandleMessages();
  EXPECT_EQ(app::view_flags.bend, 0);
  EXPECT_FALSE(Main(kBend).checked);
  EXPECT_FALSE(Popup(kBend).checked);
  host.ChooseMenuItem(kBend);
  host.HandleMessages();
  EXPECT_EQ(app::view_flags.bend, 1);
  EXPECT_TRUE(Main(kBend).checked);
  EXPECT_TRUE(Popup(kBend).checked);
}

TEST_F(MenusTest, EditLevelSwitchesBetweenViewAndEditWithItsText) {
  app::editor.current_level = 0;
  app::EnterViewMode();
  host.ChooseMenuItem(kEditLevel);
  host.HandleMessages();
  EXPECT_EQ(app::editor.editor_mode, app::kEditMode);
  EXPECT_EQ(level::edit_state.drawn_segment_limit, 15);
  EXPECT_EQ(level::edit_state.current_point, 0);
  EXPECT_EQ(Main(kEditLevel).text, "&End Edit");
  EXPECT_EQ(Popup(kEditLevel).text, "&End Edit");

  // New Level while editing restarts the walk with one segment drawn.
  host.ChooseMenuItem(kNewLevel);
  host.HandleMessages();
  EXPECT_EQ(app::editor.editor_mode, app::kEditMode);
  EXPECT_EQ(level::edit_state.drawn_segment_limit, 1);

  host.ChooseMenuItem(kEditLevel);
  host.HandleMessages();
  EXPECT_EQ(app::editor.editor_mode, app::kViewMode);
  EXPECT_EQ(level::edit_state.drawn_segment_limit, 16);
  EXPECT_EQ(Main(kEditLevel).text, "&Edit Level");
  EXPECT_EQ(Popup(kEditLevel).text, "&Edit Level");

  // Select Level while editing leaves the item reading End Edit, greyed, until a pick.
  host.ChooseMenuItem(kNewLevel);
  host.ChooseMenuItem(kSelectLevel);
  host.HandleMessages();
  EXPECT_EQ(app::editor.editor_mode, app::kLevelSelectMode);
  EXPECT_EQ(Main(kEditLevel).text, "&End Edit");
  EXPECT_TRUE(Main(kEditLevel).grayed);
  for (const app::MenuItem* item : EditToolsDisplayItems())
    EXPECT_TRUE(item->grayed);
}

TEST_F(MenusTest, EnteringViewModeEnablesEverythingButAnEmptyPaste) {
  app::EnterViewMode();
  for (const app::MenuItem* item : EditToolsDisplayItems()) {
    if (item->id == kPaste) {
      EXPECT_TRUE(item->grayed);
    } else {
      EXPECT_FALSE(item->grayed) << item->text;
    }
  }
}

TEST_F(MenusTest, OtherCommandIdentifiersAreIgnored) {
  app::EnterViewMode();
  const int changes = host.menu_changes;
  const app::ViewFlags flags = app::view_flags;
  for (unsigned id : {0u, 40000u, 40004u, 40019u, 40033u, 40044u, 40053u, 40058u, 40063u}) {
    app::MainWindowProc(WM_COMMAND, id, 0);
  }
  EXPECT_EQ(host.menu_changes, changes);
  EXPECT_EQ(app::editor.editor_mode, app::kViewMode);
  EXPECT_EQ(app::view_flags.claw, flags.claw);
  EXPECT_TRUE(host.message_boxes.empty());
  EXPECT_TRUE(host.file_dialogs.empty());

  // The notification code in the high word is not looked at.
  app::MainWindowProc(WM_COMMAND, MAKEWPARAM(kClaw, 1), 0);
  EXPECT_EQ(app::view_flags.claw, 0);
}

TEST_F(MenusTest, ReadMeAsksTheHostToShowIt) {
  host.ChooseMenuItem(kReadMe);
  host.HandleMessages();
  EXPECT_EQ(host.readme_opens, 1);
}

}  // namespace
