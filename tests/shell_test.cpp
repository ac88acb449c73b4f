// The editor's shell as a person meets it: the menus and what each command reaches, the main
// window's messages, sizing and zoom, the paced frame loop, the intro's timing, level select
// under the mouse, and the dialogs and pictures compiled into the program.
#include <algorithm>
#include <cstring>
#include <map>
#include <span>

#include "app/editor_state.h"
#include "app/view_flags.h"
#include "app/window_geometry.h"
#include "gfx/frame_buffer.h"
#include "gfx/line.h"
#include "level/edit_state.h"
#include "level/level_store.h"
#include "render/intro.h"
#include "render/level_select_state.h"
#include "resources/arcade_hits_dialog.h"
#include "resources/colour_dialogs.h"
#include "resources/command_ids.h"
#include "resources/embedded.h"
#include "resources/text_messages_dialog.h"
#include "resources/tool_dialogs.h"
#include "support/editor_snapshot.h"
#include "support/editor_test.h"

namespace {

using namespace testing_support;
using namespace resources;

// Every command item reached from a menu, depth first.
void CommandItems(const app::Menu& menu, std::vector<const app::MenuItem*>& items) {
  for (const app::MenuItem& item : menu.items) {
    if (item.kind == MenuTemplateItem::kCommand) items.push_back(&item);
    if (item.submenu) CommandItems(*item.submenu, items);
  }
}

// Every item of the Edit, Tools and Display menus.
std::vector<const app::MenuItem*> EditToolsDisplayItems() {
  std::vector<const app::MenuItem*> items;
  for (int menu = 1; menu <= 3; ++menu) {
    for (const app::MenuItem& item : app::GetSubMenu(app::MainMenu(), menu)->items)
      items.push_back(&item);
  }
  return items;
}

const app::MenuItem& PopupItem(int id) {
  return *app::FindMenuItem(app::PopupMenu(), id);
}

class ShellTest : public EditorTest {
 protected:
  void LoadLevels() {
    LevelRomBuilder rom;
    rom.Points(1, RingPoints())
        .Points(2, RingPoints())
        .Open(2)
        .Points(7, Walk({30, 40}, {{10, 0}, {0, 20}, {-5, 3}}));
    rom.LevelShape(8, 0x13);
    Load(kLoadRom, rom.Get(), "levels.118");
  }
  void ClickCell(int level_index, UINT down, UINT up, UINT button) {
    const POINT cell = Cell(level_index);
    host.MoveMouse(cell.x, cell.y);
    host.PressButton(down, cell.x, cell.y, button);
    host.ReleaseButton(up, cell.x, cell.y);
    host.RunFrames();
  }
};

TEST_F(ShellTest, MenusStartGreyedAndFollowLoadPickAndCopy) {
  const auto expect_edit_menus = [](bool enabled, bool paste) {
    for (const app::MenuItem* item : EditToolsDisplayItems()) {
      if (item->kind != MenuTemplateItem::kSeparator) {
        EXPECT_EQ(!item->grayed, item->id == kPaste ? paste : enabled) << item->text;
      }
    }
  };
  expect_edit_menus(false, false);
  EXPECT_FALSE(MainItem(kFlipVertically).grayed);  // submenus are greyed as items of Tools
  EXPECT_TRUE(Grayed(kSaveRom) && Grayed(kSaveTld) && Grayed(kHackArcadeHits));
  for (const int id : {kLoadRom, kLoadTld, kEditColours, kEditText, kExit, kReadMe, kAbout})
    EXPECT_FALSE(Grayed(id)) << id;
  for (const int id : {kView3D, kRomValues, kSafeFrame, kBoundingBox, kClaw, kBend})
    EXPECT_TRUE(MainItem(id).checked && MainItem(id).radio == (id == kView3D || id == kRomValues))
        << id;
  EXPECT_FALSE(MainItem(kView2D).checked || MainItem(kAccurateValues).checked ||
               MainItem(kOpen).checked || MainItem(kClosed).checked);
  // The popup menu is never greyed as a whole; only Paste waits for the first Copy.
  EXPECT_TRUE(PopupItem(kPaste).grayed && !PopupItem(kUndo).grayed && PopupItem(kBend).checked);
  EXPECT_EQ(app::editor.editor_mode, app::kIntroMode);
  EXPECT_EQ(app::editor.current_level, app::kNoLevel);
  EXPECT_EQ(app::editor.angle_step, 15.0);

  LoadLevels();
  expect_edit_menus(false, false);
  PickLevel(2);
  expect_edit_menus(true, false);
  Choose(kCopy);
  expect_edit_menus(true, true);
  EXPECT_FALSE(PopupItem(kPaste).grayed);
  // Select Level while editing leaves the item reading End Edit, greyed, until a pick.
  Choose(kEditLevel);
  EXPECT_EQ(MainItem(kEditLevel).text, "&End Edit");
  EXPECT_EQ(PopupItem(kEditLevel).text, "&End Edit");
  Choose(kSelectLevel);
  expect_edit_menus(false, false);
  EXPECT_EQ(MainItem(kEditLevel).text, "&End Edit");
  PickLevel(6);
  expect_edit_menus(true, true);
  EXPECT_EQ(PopupItem(kEditLevel).text, "&Edit Level");
}

TEST_F(ShellTest, EveryCommandReachesAHandlerThatDoesSomethingAndOthersAreIgnored) {
  std::vector<const app::MenuItem*> items, popup_items;
  CommandItems(app::MainMenu(), items);
  CommandItems(app::PopupMenu(), popup_items);
  for (const app::MenuItem* item : popup_items)
    EXPECT_NE(app::FindMenuItem(app::MainMenu(), item->id), nullptr) << item->text;
  const std::map<int, int> dialogs{
      {kSetAngleStep, 101}, {kScalePoints, 102}, {kScaleLevel, 103}, {kAbout, 104}};
  for (const app::MenuItem* item : items) {
    SCOPED_TRACE(item->text);
    const int id = item->id;
    LoadLevels();
    PickLevel(7);
    // Commands that set what is already set are first given something to change.
    if (id == kPaste) Choose(kFlipVertically);
    if (id == kView3D) Choose(kView2D);
    if (id == kRomValues) Choose(kAccurateValues);
    if (id == kClosed) Choose(kOpen);
    if (dialogs.contains(id))
      host.ActInDialog(dialogs.at(id), [](FakeDialog& dialog) { dialog.Close(); });
    if (id == kExit || id == kUndo) host.AnswerMessageBox(id == kExit ? IDCANCEL : IDNO);
    for (const int file_command :
         {kLoadRom, kLoadTld, kSaveRom, kSaveTld, kHackArcadeHits, kEditColours, kEditText}) {
      if (id == file_command) host.AnswerFileDialog(std::nullopt);
    }
    const EditorSnapshot before;
    const auto records = std::make_tuple(host.message_boxes.size(), host.file_dialogs.size(),
                                         host.dialogs_run.size(), host.readme_opens);
    const level::EditState edit = level::edit_state;
    const app::ViewFlags flags = app::view_flags;
    app::MainWindowProc(WM_COMMAND, MAKEWPARAM(id, 1), 0);  // the high word is not looked at
    EXPECT_TRUE(!(EditorSnapshot() == before) ||
                records != std::make_tuple(host.message_boxes.size(), host.file_dialogs.size(),
                                           host.dialogs_run.size(), host.readme_opens) ||
                std::memcmp(&edit, &level::edit_state, sizeof edit) != 0 ||
                std::memcmp(&flags, &app::view_flags, sizeof flags) != 0);
    if (app::editor.editor_mode == app::kEditMode) Choose(kEditLevel);
  }
  const EditorSnapshot before;
  for (unsigned id : {0u, 40000u, 40004u, 40019u, 40033u, 40044u, 40053u, 40058u, 40063u})
    app::MainWindowProc(WM_COMMAND, id, 0);
  ExpectUnchanged(before);
  EXPECT_EQ(host.message_boxes.size(), 2u);
}

TEST_F(ShellTest, ViewFlagsToggleWithTheirMarksInBothMenus) {
  LoadLevels();
  PickLevel(1);
  for (const int id : {kSafeFrame, kClaw, kClaw, kBoundingBox, kView2D, kAccurateValues})
    Choose(id);
  EXPECT_EQ(std::tie(app::view_flags.safe_frame, app::view_flags.claw, app::view_flags.bounding_box,
                     app::view_flags.view_2d, app::view_flags.rom_values),
            std::make_tuple(0, 1, 0, 1, 0));
  EXPECT_FALSE(MainItem(kSafeFrame).checked || MainItem(kBoundingBox).checked ||
               MainItem(kView3D).checked || MainItem(kRomValues).checked);
  EXPECT_TRUE(MainItem(kView2D).checked && MainItem(kView2D).radio &&
              MainItem(kAccurateValues).checked && MainItem(kClaw).checked);
  for (const int id : {kView3D, kRomValues, kSafeFrame, kBoundingBox})
    Choose(id);
  EXPECT_TRUE(MainItem(kView3D).checked && MainItem(kRomValues).checked &&
              MainItem(kSafeFrame).checked && MainItem(kBoundingBox).checked);
  EXPECT_EQ(app::view_flags.view_2d + app::view_flags.rom_values + app::view_flags.safe_frame, 2);
  // Bend from either menu marks both; the flags survive level select.
  host.ChoosePopupItem(kBend);
  host.HandleMessages();
  EXPECT_FALSE(app::view_flags.bend || MainItem(kBend).checked || PopupItem(kBend).checked);
  Choose(kBend);
  EXPECT_TRUE(app::view_flags.bend && MainItem(kBend).checked && PopupItem(kBend).checked);
  Choose(kSelectLevel);
  PickLevel(1);
  EXPECT_EQ(app::view_flags.bounding_box, 1);
  Choose(kReadMe);
  EXPECT_EQ(host.readme_opens, 1);
}

TEST_F(ShellTest, MouseMessagesKeepPositionsButtonsWheelAndTheLoadLatch) {
  host.MoveMouse(10, 20);
  host.PressButton(WM_RBUTTONDOWN, 30, 40, MK_RBUTTON | MK_SHIFT);
  host.HandleMessages();
  EXPECT_EQ(std::tie(app::mouse.previous_x, app::mouse.previous_y, app::mouse.x, app::mouse.y,
                     app::mouse.buttons),
            std::make_tuple(10u, 20u, 30u, 40u, static_cast<std::uint32_t>(MK_RBUTTON | MK_SHIFT)));
  EXPECT_TRUE(app::mouse.moved);
  // A button-up moves the position but leaves the buttons and the moved mark to the frames.
  app::mouse.moved = false;
  host.ReleaseButton(WM_RBUTTONUP, 31, 41);
  host.HandleMessages();
  EXPECT_EQ(std::tie(app::mouse.previous_x, app::mouse.x, app::mouse.buttons),
            std::make_tuple(30u, 31u, static_cast<std::uint32_t>(MK_RBUTTON | MK_SHIFT)));
  EXPECT_FALSE(app::mouse.moved);
  // Positions are the low and high words, zero-extended; the wheel keeps the last delta.
  app::MainWindowProc(WM_MOUSEMOVE, 0, static_cast<LPARAM>(0xFFFE0003u));
  EXPECT_EQ(std::tie(app::mouse.x, app::mouse.y), std::make_tuple(3u, 0xFFFEu));
  host.TurnWheel(1);
  host.TurnWheel(-2);
  host.HandleMessages();
  EXPECT_EQ(app::mouse.wheel_delta, -240);
  // After a load the click that closed the file dialog is not seen until a button goes up.
  app::mouse.buttons = 0;
  app::mouse.ignore_buttons = true;
  app::MainWindowProc(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  app::MainWindowProc(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(6, 6));
  EXPECT_EQ(app::mouse.buttons, 0u);
  EXPECT_EQ(app::mouse.x, 6u);
  app::MainWindowProc(WM_LBUTTONUP, 0, MAKELPARAM(6, 6));
  EXPECT_FALSE(app::mouse.ignore_buttons);
  app::MainWindowProc(WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(6, 6));
  EXPECT_EQ(app::mouse.buttons, MK_MBUTTON);
}

TEST_F(ShellTest, WindowSizeSetsTheZoomAndSizingKeepsTheAspect) {
  for (unsigned width = 0; width <= 1200; ++width) {
    app::MainWindowProc(WM_SIZE, 0, MAKELPARAM(width, 77));
    ASSERT_EQ(host.client_size->first, static_cast<int>(std::min(width, 520u))) << width;
    ASSERT_LE(app::editor.zoom_factor, 1.0);
  }
  app::MainWindowProc(WM_SIZE, 0, MAKELPARAM(260, 0));
  EXPECT_EQ(app::editor.zoom_factor, 0.5);
  EXPECT_EQ(*host.client_size, std::make_pair(260, 325));
  app::MainWindowProc(WM_SIZE, 0, MAKELPARAM(0, 0));  // minimised: everything on one pixel
  EXPECT_EQ(app::editor.zoom_factor, 0.0);
  app::SetZoom(3.0);
  EXPECT_EQ(*host.client_size, std::make_pair(520, 650));
  app::SetZoom(0.8);
  EXPECT_EQ(*host.client_size, std::make_pair(416, 520));

  // Proposed rectangles while an edge is dragged, and where they end (frame 8 by 27).
  const struct {
    WPARAM edge;
    RECT proposed, adjusted;
  } cases[] = {
      {WMSZ_RIGHT, {100, 50, 808, 377}, {100, 50, 628, 727}},       // stops at 520 x 650
      {WMSZ_TOP, {100, 50, 118, 402}, {100, 50, 368, 402}},         // the height decides
      {WMSZ_TOPLEFT, {100, 50, 212, 1076}, {100, 919, 212, 1076}},  // the width decides
      {WMSZ_BOTTOMRIGHT, {-2000000000, 0, 2000000000, 10}, {-2000000000, 0, -1999999472, 677}},
  };
  for (const auto& [edge, proposed, adjusted] : cases) {
    RECT rect = proposed;
    EXPECT_EQ(app::MainWindowProc(WM_SIZING, edge, reinterpret_cast<LPARAM>(&rect)), 1);
    EXPECT_EQ(std::tie(rect.left, rect.top, rect.right, rect.bottom),
              std::tie(adjusted.left, adjusted.top, adjusted.right, adjusted.bottom))
        << edge;
  }
  EXPECT_EQ(app::InitialZoom(1080), 1.0);
  EXPECT_DOUBLE_EQ(app::InitialZoom(600), 0.8);
  const app::Size outer = app::OuterSizeForZoom(0.8, host.frame_metrics);
  EXPECT_EQ(std::tie(outer.width, outer.height), std::make_tuple(424, 547));
  const POINT corner = app::CentredPosition(outer, 1024, 600);
  EXPECT_EQ(std::tie(corner.x, corner.y), std::make_tuple(300L, 27L));
  app::MainWindowProc(WM_MOVE, 0, 0);
  app::MainWindowProc(WM_PAINT, 0, 0);
  EXPECT_EQ(std::tie(host.invalidations, host.blits), std::make_tuple(1, 1));
}

TEST_F(ShellTest, ClosingAsksFirstAndOkEndsTheLoop) {
  host.AnswerMessageBox(IDCANCEL);
  host.Post(WM_CLOSE);
  host.RunFrames();
  ASSERT_EQ(host.message_boxes.size(), 1u);
  EXPECT_EQ(host.message_boxes[0].text, "Exit Rimforge?");
  EXPECT_EQ(host.message_boxes[0].type, MB_OKCANCEL | MB_ICONQUESTION);
  EXPECT_FALSE(host.window_destroyed);
  host.AnswerMessageBox(IDOK);
  Choose(kExit);
  EXPECT_EQ(host.message_boxes.at(1).text, "Exit Rimforge?");
  EXPECT_TRUE(host.window_destroyed);
  EXPECT_EQ(host.quit_code, 0);
}

TEST_F(ShellTest, FramesShowThePreviousPictureAndAreSixteenMillisecondsApart) {
  host.RunFrames();
  gfx::DrawLine(10, 10, 20, 10, 63);
  host.RunFrames();
  EXPECT_EQ(host.screen.at(10 * 520 + 15), 63);
  EXPECT_EQ(gfx::FrameBuffer()[10 * 520 + 15], 0);  // cleared after the blit
  host.RunFrames();
  EXPECT_EQ(host.screen.at(10 * 520 + 15), 0);

  // Level select adds no waits of its own, so its frames show the loop's pacing.
  LoadLevels();
  host.now = 5000;
  host.RunFrames();
  EXPECT_EQ(app::editor.last_frame_time, 5000u);
  host.RunFrames(3);
  EXPECT_EQ(app::editor.last_frame_time, 5000u + 3 * 16);
  host.now += 40;  // a frame that took longer does not wait
  host.RunFrames();
  EXPECT_EQ(app::editor.last_frame_time, 5088u);
  app::editor.last_frame_time = 0xFFFFFFF8u;  // 4 ms before the clock wraps
  host.now = 0xFFFFFFFCu;
  host.RunFrames(2);
  EXPECT_EQ(app::editor.last_frame_time, 24u);
}

TEST_F(ShellTest, IntroWaitsItsOwnTimeAndStartsAgainAfterACycleOrWithSpace) {
  const auto own_waits = [this](int frames) {
    std::vector<std::uint32_t> waits;
    for (int f = 0; f < frames; ++f) {
      const std::size_t before = host.waits.size();
      host.RunFrames();
      EXPECT_EQ(host.waits.size(), before + 2) << "the intro's wait, then the frame's";
      waits.push_back(host.waits[before].second);
    }
    return waits;
  };
  EXPECT_EQ(own_waits(41), std::vector<std::uint32_t>(41, 16));
  EXPECT_EQ(render::intro.phase, render::kWordMarkPhase);
  host.foreground = false;  // the clock runs on behind another window
  EXPECT_EQ(own_waits(728), std::vector<std::uint32_t>(728, 33));
  EXPECT_EQ(render::intro.phase, render::kTunnelPhase);
  EXPECT_EQ(render::intro.frame_counter, 0);
  host.RunFrames(60);
  host.HoldKey(VK_SPACE);
  host.RunFrames(3);
  EXPECT_EQ(std::tie(render::intro.phase, render::intro.count, render::intro.frame_counter),
            std::make_tuple(render::kTunnelPhase, 16, 0));
}

TEST_F(ShellTest, LevelSelectFollowsTheMouseAndSwapsShapesWithTwoRightClicks) {
  LoadLevels();
  host.ReleaseButton(WM_LBUTTONUP, 300, 620);  // below the grid: level 15 lights at once
  host.RunFrames();
  EXPECT_EQ(host.titles.back(), "Rimforge : Level 15");
  const int sounds = host.click_sounds;
  for (int level_index = 0; level_index < level::kLevelCount; ++level_index) {
    host.MoveMouse(Cell(level_index).x - 50, Cell(level_index).y - 50);
    host.RunFrames();
    host.MoveMouse(Cell(level_index).x + 50, Cell(level_index).y + 50);  // inside the same cell
    host.RunFrames(2);
    EXPECT_EQ(app::editor.current_level, level_index);
    EXPECT_EQ(host.titles.back(), "Rimforge : Level " + std::to_string(level_index + 1));
    EXPECT_EQ(host.click_sounds, sounds + level_index + 1);
  }
  // Cells start at (4, 64) and are 128 wide; outside the grid the nearest edge cell lights.
  const struct {
    int x, y, level_index;
  } places[] = {{260, 192, 6}, {259, 191, 1}, {0, 0, 0},    {519, 649, 15},
                {2, 300, 4},   {517, 63, 3},  {0, 600, 12}, {65535, 65535, 15}};
  for (const auto& place : places) {
    host.MoveMouse(place.x, place.y);
    host.RunFrames();
    EXPECT_EQ(app::editor.current_level, place.level_index) << place.x << ", " << place.y;
  }
  // At half size the cells are 64 client pixels wide from (2, 32).
  host.Post(WM_SIZE, 0, MAKELPARAM(260, 325));
  host.MoveMouse(34 + 64 * 3, 64 + 64 * 2);
  host.RunFrames();
  EXPECT_EQ(app::editor.current_level, 11);
  host.Post(WM_SIZE, 0, MAKELPARAM(520, 650));

  // Two right clicks swap the map entries of two levels as stored; one level twice swaps nothing.
  ClickCell(2, WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON);
  EXPECT_EQ(render::marked_level, 2);
  EXPECT_EQ(app::mouse.buttons, 0u);
  ClickCell(8, WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON);
  EXPECT_EQ(render::marked_level, render::kNoMarkedLevel);
  EXPECT_EQ(std::make_pair(level::ShapeByte(level::kLevelToShapeMap, 2),
                           level::ShapeByte(level::kLevelToShapeMap, 8)),
            std::make_pair(std::uint8_t{0x13}, std::uint8_t{2}));
  ClickCell(5, WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON);
  ClickCell(5, WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON);
  EXPECT_EQ(render::marked_level, render::kNoMarkedLevel);
  EXPECT_EQ(level::ShapeByte(level::kLevelToShapeMap, 5), 5);

  // Behind another window nothing answers the mouse.
  host.foreground = false;
  ClickCell(9, WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON);
  ClickCell(9, WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON);
  EXPECT_EQ(app::editor.current_level, 5);
  EXPECT_EQ(render::marked_level, render::kNoMarkedLevel);
  host.foreground = true;

  // A left click opens the level, keeping the mark until level select returns; the Open and
  // Closed bullets and the undo snapshot follow the level's shape.
  ClickCell(3, WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON);
  ClickCell(8, WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON);
  EXPECT_EQ(std::tie(app::editor.editor_mode, app::editor.current_level),
            std::make_tuple(app::kViewMode, 8));
  EXPECT_EQ(render::marked_level, 3);
  EXPECT_TRUE(MainItem(kOpen).checked && MainItem(kOpen).radio && !MainItem(kClosed).checked);
  EXPECT_EQ(level::undo_snapshot.accurate_x[6], 60.0);
  Choose(kSelectLevel);
  EXPECT_EQ(render::marked_level, render::kNoMarkedLevel);
  // Minimised, the position means nothing and the lit cell stays; a click still opens it.
  host.Post(WM_SIZE, 0, MAKELPARAM(0, 0));
  host.MoveMouse(400, 500);
  host.RunFrames(2);
  host.PressButton(WM_LBUTTONDOWN, 400, 500, MK_LBUTTON);
  host.RunFrames();
  EXPECT_EQ(std::tie(app::editor.editor_mode, app::editor.current_level),
            std::make_tuple(app::kViewMode, 8));
  EXPECT_TRUE(MainItem(kOpen).checked);
}

TEST_F(ShellTest, DialogsHoldTheirControlsInsideAndTheResourcesAreWhole) {
  for (const platform::DialogTemplate* dialog :
       {&AngleStepDialog(), &ScalePointsDialog(), &ScaleLevelDialog(), &AboutDialog(),
        &TextMessagesDialog(), &ArcadeHitsDialog(), &ColoursDialog(), &ColourPickerDialog()}) {
    for (const platform::DialogControl& control : dialog->controls) {
      EXPECT_TRUE(control.x >= 0 && control.y >= 0 && control.x + control.width <= dialog->width &&
                  control.y + control.height <= dialog->height)
          << dialog->caption << ": " << control.text;
    }
  }
  const auto le = [](std::span<const std::uint8_t> bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
      value = value << 8 | bytes[at + static_cast<std::size_t>(i)];
    return value;
  };
  // The About logo: a 120 x 32 bitmap in sixteen colours; the click: 8-bit mono PCM at 44100.
  const std::span<const std::uint8_t> logo = LogoBitmap();
  EXPECT_EQ(std::tie(logo[0], logo[1]), std::make_tuple('B', 'M'));
  EXPECT_EQ(std::make_tuple(le(logo, 2, 4), le(logo, 18, 4), le(logo, 28, 2)),
            std::make_tuple(static_cast<std::uint32_t>(logo.size()), 120u, 4u));
  const std::span<const std::uint8_t> wave = ClickSoundWave();
  EXPECT_EQ(std::string(wave.begin() + 8, wave.begin() + 12), "WAVE");
  EXPECT_EQ(std::make_tuple(le(wave, 22, 2), le(wave, 24, 4), le(wave, 34, 2)),
            std::make_tuple(1u, 44100u, 8u));
}

}  // namespace
