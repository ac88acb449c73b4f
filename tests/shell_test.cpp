// The editor's shell as a person meets it: menus, the main window, paced frames, the intro and
// level select.
#include <cstring>
#include <map>
#include <set>
#include <sstream>

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
#include "resources/text_messages_dialog.h"
#include "resources/tool_dialogs.h"
#include "support/editor_snapshot.h"
#include "support/editor_test.h"
#include "support/golden.h"

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

// The parts written one after the other, as a line of a transcript.
template <typename... Parts>
std::string Line(const Parts&... parts) {
  std::ostringstream line;
  (line << ... << parts);
  return line.str();
}

// A menu as a person sees it: '-' greyed, 'v' checked, 'o' a radio bullet, '.' plain; submenus
// in brackets.
std::string Marks(const app::Menu& menu) {
  std::string marks;
  for (const app::MenuItem& item : menu.items) {
    if (item.kind == MenuTemplateItem::kSeparator) continue;
    marks += item.grayed ? '-' : item.checked ? (item.radio ? 'o' : 'v') : '.';
    if (item.submenu) marks += "(" + Marks(*item.submenu) + ")";
  }
  return marks;
}

class ShellTest : public EditorTest {
 protected:
  static Bytes Levels() {
    LevelRomBuilder rom;
    rom.Points(1, RingPoints()).Points(2, RingPoints()).Open(2);
    return rom.Points(7, Walk({30, 40}, {{10, 0}, {0, 20}, {-5, 3}})).LevelShape(8, 0x13).Get();
  }
  void LoadLevels() { Load(kLoadRom, Levels(), "levels.118"); }
};

TEST_F(ShellTest, MenusFollowTheEditor) {
  host.AnswerFileDialog(temp.Write("levels.118", Levels()));
  ExpectScripts(
      "menus.txt",
      {"frames 0", "menu File/Load ROM ...", "pick 2", "menu Edit/Copy", "menu Edit/Edit Level",
       "menu Edit/Select Level", "pick 6", "menu Display/Safe Frame", "menu Display/Claw",
       "menu Display/Bounding Box", "menu Display/2D View", "menu Display/Accurate Values",
       "menu Display/3D View", "menu Display/ROM Values", "popup Bend", "menu Edit/Open",
       "menu Edit/Select Level, pick 2", "menu Edit/Closed"},
      [] {
        const app::ViewFlags& f = app::view_flags;
        return Line(Marks(app::MainMenu()), " | ", Marks(app::PopupMenu()), " | ",
                    app::FindMenuItem(app::PopupMenu(), kEditLevel)->text, " | ", f.safe_frame,
                    f.bounding_box, f.rom_values, f.claw, f.bend, f.view_2d);
      });
}

TEST_F(ShellTest, EveryCommandReachesAHandlerThatDoesSomethingAndOthersAreIgnored) {
  std::vector<const app::MenuItem*> items, popup_items;
  CommandItems(app::MainMenu(), items);
  CommandItems(app::PopupMenu(), popup_items);
  for (const app::MenuItem* item : popup_items)
    EXPECT_NE(app::FindMenuItem(app::MainMenu(), item->id), nullptr) << item->text;
  const std::map<int, int> dialogs{{kSetAngleStep, kAngleStepDialogId},
                                   {kScalePoints, kScalePointsDialogId},
                                   {kScaleLevel, kScaleLevelDialogId},
                                   {kAbout, kAboutDialogId}};
  const std::set<int> file_commands{kLoadRom,        kLoadTld,     kSaveRom, kSaveTld,
                                    kHackArcadeHits, kEditColours, kEditText};
  const auto records = [this] {
    return std::make_tuple(host.message_boxes.size(), host.file_dialogs.size(),
                           host.dialogs_run.size(), host.readme_opens);
  };
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
    if (file_commands.contains(id)) host.AnswerFileDialog(std::nullopt);
    const EditorSnapshot before;
    const auto records_before = records();
    const level::EditState edit = level::edit_state;
    const app::ViewFlags flags = app::view_flags;
    app::MainWindowProc(WM_COMMAND, MAKEWPARAM(id, 1), 0);  // the high word is not looked at
    EXPECT_TRUE(EditorSnapshot() != before || records() != records_before ||
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

TEST_F(ShellTest, WindowMessages) {
  host.AnswerFileDialog(temp.Write("levels.118", Levels()));
  host.AnswerMessageBox(IDCANCEL);
  host.AnswerMessageBox(IDOK);
  ExpectScripts(
      "window.txt",
      {"move 10 20", "press RS 30 40", "release R 31 41", "move 3 65534", "wheel 1 -2",
       // After a load the click that closed the file dialog is not seen until a button is up.
       "press L 5 5, menu File/Load ROM ...", "move 6 6 L", "release L 6 6", "press M 6 6",
       "size 1200 77", "size 519 77", "size 260 0", "size 0 0", "send move", "send paint",
       "send close", "menu File/Exit"},
      [this] {
        const app::MouseState& m = app::mouse;
        std::string boxes;
        for (const ShownMessageBox& box : host.message_boxes)
          boxes += Line(box.text, "/", box.caption, "/", box.type, " ");
        const auto client = host.client_size.value_or(std::pair(-1, -1));
        return Line(m.x, ",", m.y, " from ", m.previous_x, ",", m.previous_y, " buttons ",
                    m.buttons, " moved ", m.moved, " wheel ", m.wheel_delta, " latch ",
                    m.ignore_buttons, " | zoom ", std::to_string(app::editor.zoom_factor),
                    " client ", client.first, "x", client.second, " | ", host.invalidations,
                    " repaints ", host.blits, " blits | ", boxes, "| destroyed ",
                    host.window_destroyed, " quit ", host.quit_code.value_or(-1));
      });

  // Rectangles proposed while an edge is dragged, and where they end (frame 8 by 27 pixels);
  // at start, the zoom that fits the screen and the window round the client area, centred.
  std::string sizes;
  for (auto [edge, rect] : std::initializer_list<std::pair<WPARAM, RECT>>{
           {WMSZ_RIGHT, {100, 50, 808, 377}},
           {WMSZ_TOP, {100, 50, 118, 402}},
           {WMSZ_TOPLEFT, {100, 50, 212, 1076}},
           {WMSZ_BOTTOMRIGHT, {-2000000000, 0, 2000000000, 10}}}) {
    const LRESULT result = app::MainWindowProc(WM_SIZING, edge, reinterpret_cast<LPARAM>(&rect));
    sizes += Line("edge ", edge, ": ", rect.left, " ", rect.top, " ", rect.right, " ", rect.bottom,
                  " returns ", result, "\n");
  }
  const app::Size outer = app::OuterSizeForZoom(0.8, host.frame_metrics);
  const POINT corner = app::CentredPosition(outer, 1024, 600);
  ExpectGoldenText("sizing.txt",
                   sizes + Line("zoom ", app::InitialZoom(1080), " on 1080 rows, ",
                                app::InitialZoom(600), " on 600; at 0.8 ", outer.width, "x",
                                outer.height, " at ", corner.x, " ", corner.y, "\n"));
}

TEST_F(ShellTest, FramesShowThePreviousPictureAtTheirPaceAndTheIntroAtItsOwn) {
  host.RunFrames();
  gfx::DrawLine(10, 10, 20, 10, 63);
  host.RunFrames();
  EXPECT_EQ(host.screen.at(10 * 520 + 15), 63);
  EXPECT_EQ(gfx::FrameBuffer()[10 * 520 + 15], 0);  // cleared after the blit
  // The intro waits its own 16 ms a tunnel frame and 33 a word mark frame, then the loop's; it
  // runs on behind another window, starts again after 769 frames and while Space is held.
  host.foreground = false;
  for (int frame = 3; frame <= 769; ++frame) {
    const std::size_t before = host.waits.size();
    host.RunFrames();
    ASSERT_EQ(host.waits.size(), before + 2);
    ASSERT_EQ(host.waits[before].second, frame < 42 ? 16u : 33u) << frame;
  }
  EXPECT_EQ(std::tie(render::intro.phase, render::intro.frame_counter),
            std::make_tuple(render::kTunnelPhase, 0));
  host.RunFrames(60);
  host.HoldKey(VK_SPACE);
  host.RunFrames(3);
  EXPECT_EQ(std::tie(render::intro.phase, render::intro.count, render::intro.frame_counter),
            std::make_tuple(render::kTunnelPhase, 16, 0));

  // Level select adds no waits of its own: frames 16 ms apart by the clock, across its wrap.
  LoadLevels();
  host.now = 5000;
  host.RunFrames(4);
  EXPECT_EQ(app::editor.last_frame_time, 5000u + 3 * 16);
  host.now += 40;  // a frame that took longer does not wait
  host.RunFrames();
  EXPECT_EQ(app::editor.last_frame_time, 5088u);
  app::editor.last_frame_time = 0xFFFFFFF8u;  // 4 ms before the clock wraps
  host.now = 0xFFFFFFFCu;
  host.RunFrames(2);
  EXPECT_EQ(app::editor.last_frame_time, 24u);
}

TEST_F(ShellTest, LevelSelectUnderTheMouse) {
  LoadLevels();
  const auto at = [](int level_index, int corner = 0) {
    return Line(Cell(level_index).x + corner, " ", Cell(level_index).y + corner);
  };
  // Each cell in turn, from one corner to the other within it: cells from (4, 64), 128 wide.
  std::vector<std::string> scripts{"release L 300 620"};
  for (int level_index = 0; level_index < level::kLevelCount; ++level_index) {
    for (const int corner : {-63, 63})
      scripts.push_back("move " + at(level_index, corner));
  }
  const auto click = [&](const char* button, int level_index) {
    return Line("move ", at(level_index), ", press ", button, " ", at(level_index), ", release ",
                button, " ", at(level_index));
  };
  scripts.insert(scripts.end(),
                 {"move 0 0", "move 519 649", "move 2 300", "move 517 63", "move 65535 65535",
                  "size 260 325", "move 226 192", "size 520 650",
                  // A right click marks a level, and one on another level swaps their shapes.
                  click("R", 2), click("R", 8), click("R", 5), click("R", 5),
                  // A right click acts once per press: neither a shaking hand nor a drag to
                  // another level clicks again.
                  Line("move ", at(2), ", press R ", at(2), ", move ", at(2, 5), " R"),
                  Line("move ", at(6), " R, release R ", at(6)), click("R", 2), "behind",
                  click("L", 9), click("R", 9), "front", click("R", 3), click("L", 8),
                  "menu Edit/Select Level", "size 0 0", "move 400 500", "press L 400 500"});
  ExpectScripts("level_select.txt", scripts, [this] {
    std::string map;
    for (int level_index = 0; level_index < level::kLevelCount; ++level_index)
      map += std::to_string(level::ShapeByte(level::kLevelToShapeMap, level_index)) + ",";
    return Line("mode ", app::editor.editor_mode, " level ", app::editor.current_level, " marked ",
                render::marked_level, " buttons ", app::mouse.buttons, " | ", host.titles.back(),
                " | ", host.click_sounds, " clicks | ", map, " | ", MainItem(kOpen).text,
                MainItem(kOpen).checked ? " checked" : "", " | undo ",
                std::to_string(level::undo_snapshot.accurate_x[6]));
  });
}

TEST_F(ShellTest, DialogsHoldTheirControlsInside) {
  for (const platform::DialogTemplate* dialog :
       {&AngleStepDialog(), &ScalePointsDialog(), &ScaleLevelDialog(), &AboutDialog(),
        &TextMessagesDialog(), &ArcadeHitsDialog(), &ColoursDialog(), &ColourPickerDialog()}) {
    for (const platform::DialogControl& control : dialog->controls) {
      EXPECT_TRUE(control.x >= 0 && control.y >= 0 && control.x + control.width <= dialog->width &&
                  control.y + control.height <= dialog->height)
          << dialog->caption << ": " << control.text;
    }
  }
}

}  // namespace
