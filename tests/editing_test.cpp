// Editing a picked level as a person does: the tools of the menus, keys and mouse in view mode,
// the point-by-point walk of edit mode, the tool dialogs, the popup menu, and copy, paste, undo,
// open and closed. The shapes each step leaves are kept as transcripts in tests/golden/; the
// rules a person relies on are checked by name.
#include <cmath>
#include <cstdio>
#include <functional>

#include "app/editor_state.h"
#include "level/edit_state.h"
#include "level/level_store.h"
#include "resources/command_ids.h"
#include "resources/tool_dialogs.h"
#include "support/editor_snapshot.h"
#include "support/editor_test.h"
#include "support/golden.h"

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

// One step of a transcript: what the person does, and the doing.
struct Step {
  const char* what;
  std::function<void()> act;
};

class EditingTest : public EditorTest {
 protected:
  void Open(const ShapePoints& points) {
    LevelRomBuilder rom;
    rom.LevelShape(kLevel, kShape).Points(kShape, points).Points(3, RingPoints());
    rom.ShapeByte(level::kLevelScale, kShape, 20).ShapeByte(level::kHeight, kShape, 100);
    Load(kLoadRom, rom.Get(), "shapes.118");
    PickLevel(kLevel);
  }
  // The key goes down, stays down for `frames` frames and comes up again.
  void Key(int virtual_key, int frames = 1) {
    host.HoldKey(virtual_key);
    host.RunFrames(frames);
    host.ReleaseKey(virtual_key);
  }
  void InDialog(int dialog, std::function<void(FakeDialog&)> person, int command) {
    host.ActInDialog(dialog, std::move(person));
    Choose(command);
  }
  void TypeInDialog(int dialog, const char* text, int command) {
    InDialog(
        dialog,
        [text](FakeDialog& d) {
          d.Type(kToolNumberEdit, text);
          d.Click(kToolOk);
        },
        command);
  }

  // The shape and the editor's state in one line.
  static std::string State() {
    const level::EditState& edit = level::edit_state;
    char head[200];
    std::snprintf(
        head, sizeof head,
        "mode %d point %d/%d length %.10g angle %.10g scale %d height %d offset %d open %d |",
        app::editor.editor_mode, edit.current_point, edit.drawn_segment_limit, edit.segment_length,
        edit.segment_angle, level::ShapeByte(level::kLevelScale, kShape),
        level::ShapeByte(level::kHeight, kShape),
        level::ShapeByte(level::kOffsetHigh, kShape) * 256 +
            level::ShapeByte(level::kOffsetLow, kShape),
        level::ShapeByte(level::kOpenFlag, kShape));
    std::string line = head;
    for (int point = 0; point < level::kPointsPerShape; ++point) {
      char xy[64];
      std::snprintf(xy, sizeof xy, " %.10g,%.10g",
                    level::accurate_x[level::PointIndex(kShape, point)],
                    level::accurate_y[level::PointIndex(kShape, point)]);
      line += xy;
    }
    return line;
  }

  // Runs the steps, and compares the state after each with the transcript kept as `name`. The
  // other shapes never change, and every ROM value is its rounded accurate value.
  void ExpectTranscript(const std::string& name, const std::vector<Step>& steps) {
    const EditorSnapshot start;
    std::string transcript;
    for (const Step& step : steps) {
      step.act();
      transcript += std::string(step.what) + ": " + State() + "\n";
      const EditorSnapshot now;
      for (int i = 0; i < level::kPointCount; ++i) {
        if (i / 16 != kShape) {
          ASSERT_EQ(now.accurate_x[i], start.accurate_x[i]) << step.what;
        }
        const double x = level::accurate_x[i] + 0.5;
        const int rounded = x >= 255 ? 255 : x > 0 ? static_cast<int>(x) : 0;
        ASSERT_EQ(level::XByte(i / 16, i % 16), rounded) << step.what;
      }
    }
    ExpectGoldenText(name, transcript);
  }
};

TEST_F(EditingTest, ToolsOfTheMenus) {
  Open(Spiral());
  // Rotation about (128, 128), clockwise on screen; the byte point (200, 128) goes to (128, 56).
  Open(AllAt(200, 128));
  Choose(kRotate90);
  EXPECT_NEAR(level::accurate_x[level::PointIndex(kShape, 0)], 128.0, 1e-9);
  EXPECT_NEAR(level::accurate_y[level::PointIndex(kShape, 0)], 56.0, 1e-9);
  Open(Spiral());
  const auto menu = [this](int id) { return Step{"", [this, id] { Choose(id); }}; };
  std::vector<Step> steps;
  for (const int id : {kRotate22_5, kRotate45, kRotate90, kRotate180, kRotate270, kFlipVertically,
                       kFlipHorizontally, kCentre, kCentre, kReverse, kOneAxisRotate,
                       kTwoAxisRotate, kOneAxisMirror, kTwoAxisMirror}) {
    steps.push_back(menu(id));
    steps.back().what = MainItem(id).text.c_str();
  }
  // The symmetry tools of an open shape, and in edit mode, which they end while the plain
  // tools keep the walk going.
  steps.push_back({"open, one-axis mirror", [this] {
                     Choose(kOpen);
                     Choose(kOneAxisMirror);
                   }});
  steps.push_back({"edit, flip", [this] {
                     Choose(kEditLevel);
                     Key(VK_RIGHT);
                     Choose(kFlipHorizontally);
                     host.RunFrames();
                   }});
  steps.push_back({"edit, one-axis rotate", [this] { Choose(kOneAxisRotate); }});
  steps.push_back(
      {"scale points 200 %", [this] { TypeInDialog(kScalePointsDialogId, "200", kScalePoints); }});
  steps.push_back({"scale points 50 % back",
                   [this] { TypeInDialog(kScalePointsDialogId, "50", kScalePoints); }});
  steps.push_back({"scale points 50 % by -100 %", [this] {
                     InDialog(
                         kScalePointsDialogId,
                         [](FakeDialog& dialog) {
                           dialog.Click(kScaleEquallyCheck);
                           dialog.Type(kToolNumberEdit, "50");
                           dialog.Type(kScaleYEdit, "-100");
                           dialog.Click(kToolOk);
                         },
                         kScalePoints);
                   }});
  steps.push_back({"scale points 200 %, a Y scale typed and given up", [this] {
                     InDialog(
                         kScalePointsDialogId,
                         [](FakeDialog& dialog) {
                           dialog.Click(kScaleEquallyCheck);
                           dialog.Type(kScaleYEdit, "-100");
                           dialog.Click(kScaleEquallyCheck);
                           dialog.Type(kToolNumberEdit, "200");
                           dialog.Click(kToolOk);
                         },
                         kScalePoints);
                   }});
  steps.push_back({"angle step 7.25, rotate 22.5", [this] {
                     TypeInDialog(kAngleStepDialogId, "7.25", kSetAngleStep);
                     Choose(kRotate22_5);
                   }});
  ExpectTranscript("tools.txt", steps);
}

TEST_F(EditingTest, KeysAndMouseInViewMode) {
  Open(Spiral());
  host.MoveMouse(100, 100);
  host.RunFrames();
  const auto key = [this](const char* what, int vk, int frames = 1) {
    return Step{what, [=, this] { Key(vk, frames); }};
  };
  const auto mouse = [this](const char* what, UINT message, int x, int y, UINT buttons) {
    return Step{what, [=, this] {
                  host.Post(message, buttons, MAKELPARAM(x, y));
                  host.RunFrames();
                }};
  };
  ExpectTranscript("view_input.txt",
                   {
                       key("right held 3 frames", VK_RIGHT, 3),
                       {"up and left held 2 frames",
                        [this] {
                          host.HoldKey(VK_UP);
                          host.HoldKey(VK_LEFT);
                          host.RunFrames(2);
                          host.ReleaseKey(VK_UP);
                          host.ReleaseKey(VK_LEFT);
                        }},
                       key("down", VK_DOWN),
                       key("Z held 3 frames: one turn", 'Z', 3),
                       key("X", 'X'),
                       {"angle step -90, Z",
                        [this] {
                          TypeInDialog(kAngleStepDialogId, "-90", kSetAngleStep);
                          Key('Z');
                        }},
                       key("keypad 4", VK_NUMPAD4),
                       key("keypad 6", VK_NUMPAD6),
                       {"angle step 0, Z",
                        [this] {
                          TypeInDialog(kAngleStepDialogId, "0", kSetAngleStep);
                          Key('Z');
                        }},
                       key("insert held 2 frames", VK_INSERT, 2),
                       key("delete", VK_DELETE),
                       key("home", VK_HOME),
                       key("W held 3 frames", 'W', 3),
                       key("S", 'S'),
                       key("Q held 3 frames", 'Q', 3),
                       key("A held 3 frames: the offset wraps", 'A', 3),
                       {"keypad + and - together",
                        [this] {
                          host.HoldKey(VK_ADD);
                          host.HoldKey(VK_SUBTRACT);
                          host.RunFrames(2);
                          host.ReleaseKey(VK_SUBTRACT);
                        }},
                       {"keypad + held 25 frames",
                        [this] {
                          host.RunFrames(25);
                          host.ReleaseKey(VK_ADD);
                        }},
                       {"wheel down 3 notches, 2 frames",
                        [this] {
                          host.TurnWheel(-3);
                          host.RunFrames(2);
                        }},
                       {"wheel up then down",
                        [this] {
                          host.TurnWheel(1);
                          host.TurnWheel(-1);
                          host.RunFrames();
                        }},
                       mouse("left drag", WM_LBUTTONDOWN, 100, 100, MK_LBUTTON),
                       mouse("to (110, 95)", WM_MOUSEMOVE, 110, 95, MK_LBUTTON),
                       {"two moves in one frame",
                        [this] {
                          host.MoveMouse(130, 95, MK_LBUTTON);
                          host.MoveMouse(133, 99, MK_LBUTTON);
                          host.RunFrames(2);
                        }},
                       mouse("past the top-left corner", WM_MOUSEMOVE, 0xFFFE, 0xFFFF, MK_LBUTTON),
                       mouse("back", WM_MOUSEMOVE, 133, 99, MK_LBUTTON),
                       mouse("released, moved", WM_MOUSEMOVE, 140, 99, 0),
                       mouse("middle drag", WM_MBUTTONDOWN, 140, 99, MK_MBUTTON),
                       mouse("down 10", WM_MOUSEMOVE, 140, 109, MK_MBUTTON),
                       mouse("far down", WM_MOUSEMOVE, 140, 500, MK_MBUTTON),
                       mouse("both buttons", WM_MOUSEMOVE, 150, 490, MK_MBUTTON | MK_LBUTTON),
                       {"not in the foreground: right, Z, F1",
                        [this] {
                          host.foreground = false;
                          Key(VK_RIGHT);
                          Key('Z');
                          Key(VK_F1);
                          host.foreground = true;
                        }},
                       key("F2", VK_F2),
                       key("F1 in edit mode", VK_F1),
                       {"end edit, F1",
                        [this] {
                          Choose(kEditLevel);
                          Key(VK_F1);
                        }},
                   });
}

TEST_F(EditingTest, EditModeLaysThePointsOneByOne) {
  Open(Walk({60, 80}, {{6, 8}}));
  const auto key = [this](const char* what, int vk, int times = 1) {
    return Step{what, [=, this] {
                  for (int i = 0; i < times; ++i)
                    Key(vk);
                }};
  };
  ExpectTranscript("edit_walk.txt",
                   {
                       {"new level",
                        [this] {
                          Choose(kNewLevel);
                          host.RunFrames();
                        }},
                       {"space held 3 frames: one press", [this] { Key(VK_SPACE, 3); }},
                       key("space 4 times", VK_SPACE, 4),
                       key("left", VK_LEFT),
                       key("backspace away from the end", VK_BACK),
                       key("right, backspace", VK_RIGHT),
                       key("backspace", VK_BACK),
                       key("page down 12 times", VK_NEXT, 12),
                       key("page up", VK_PRIOR),
                       key("Z: the tail bends", 'Z'),
                       key("X", 'X'),
                       {"bend off, X",
                        [this] {
                          Choose(kBend);
                          Key('X');
                        }},
                       {"bend on, up twice, Z",
                        [this] {
                          Choose(kBend);
                          Key(VK_UP);
                          Key(VK_UP);
                          Key('Z');
                        }},
                       key("down", VK_DOWN),
                       {"new level, backspace at one segment",
                        [this] {
                          Choose(kNewLevel);
                          Key(VK_BACK);
                        }},
                       {"edit level",
                        [this] {
                          Choose(kEditLevel);
                          Choose(kEditLevel);
                        }},
                       key("right 3 times", VK_RIGHT, 3),
                       key("space 11 times", VK_SPACE, 11),
                       key("space: the closing segment", VK_SPACE),
                       key("space: back to view mode", VK_SPACE),
                       {"open, edit level, space 14 times",
                        [this] {
                          Choose(kOpen);
                          Choose(kEditLevel);
                          for (int i = 0; i < 14; ++i)
                            Key(VK_SPACE);
                        }},
                       key("space: an open shape ends sooner", VK_SPACE),
                   });
  EXPECT_EQ(app::editor.editor_mode, app::kViewMode);
  EXPECT_EQ(MainItem(kEditLevel).text, "&Edit Level");
}

TEST_F(EditingTest, ToolDialogsTakeNumbersAndRefuseWhatIsNone) {
  Open(Spiral());
  // The angle step: the number at the start of the text, of its first 31 characters.
  std::string shown;
  for (const auto& [typed, step] : std::initializer_list<std::pair<std::string, double>>{
           {"  -22.5 degrees", -22.5}, {std::string(28, ' ') + "7.25", 7.2}, {"   ", 7.2}}) {
    InDialog(
        kAngleStepDialogId,
        [&](FakeDialog& dialog) {
          shown = dialog.GetItemText(kToolNumberEdit);
          dialog.Type(kToolNumberEdit, typed);
          dialog.Click(kToolOk);
        },
        kSetAngleStep);
    EXPECT_EQ(app::editor.angle_step, step) << typed;
  }
  EXPECT_EQ(shown, "7.2");
  // The level scale: digits only, kept to 1..255; Cancel and the close box keep it.
  for (const auto& [typed, scale] : std::initializer_list<std::pair<const char*, int>>{
           {"0", 1}, {"300", 255}, {"99999999999999999999", 255}, {"-42", 42}, {"", 42}}) {
    TypeInDialog(kScaleLevelDialogId, typed, kScaleLevel);
    EXPECT_EQ(level::ShapeByte(level::kLevelScale, kShape), scale) << typed;
  }
  InDialog(
      kScaleLevelDialogId,
      [](FakeDialog& dialog) {
        EXPECT_EQ(dialog.GetItemText(kToolNumberEdit), "42");
        dialog.Type(kToolNumberEdit, "7");
        dialog.Click(kToolCancel);
      },
      kScaleLevel);
  InDialog(
      kAngleStepDialogId,
      [](FakeDialog& dialog) {
        dialog.Type(kToolNumberEdit, "7");
        dialog.Close();
      },
      kSetAngleStep);
  InDialog(
      kAboutDialogId, [](FakeDialog& dialog) { dialog.Click(kToolOk); }, kAbout);
  EXPECT_TRUE(host.message_boxes.empty());

  // Bad numbers are refused with a message, and the dialog stays open.
  const EditorSnapshot before;
  InDialog(
      kAngleStepDialogId,
      [](FakeDialog& dialog) {
        for (const char* text : {"abc", "-", ".", "inf", "nan", "1e999"}) {
          dialog.Type(kToolNumberEdit, text);
          dialog.Click(kToolOk);
          EXPECT_FALSE(dialog.HasEnded()) << text;
        }
        dialog.Click(kToolCancel);
      },
      kSetAngleStep);
  InDialog(
      kScalePointsDialogId,
      [](FakeDialog& dialog) {
        EXPECT_EQ(dialog.GetItemText(kToolNumberEdit), "100");
        EXPECT_TRUE(dialog.IsChecked(kScaleEquallyCheck));
        EXPECT_FALSE(dialog.Control(kScaleYEdit).enabled || dialog.Control(kScaleYLabel).enabled);
        for (const char* x_text : {"", "big", "inf"}) {
          dialog.Type(kToolNumberEdit, x_text);
          dialog.Click(kToolOk);
        }
        dialog.Click(kScaleEquallyCheck);
        EXPECT_TRUE(dialog.Control(kScaleYEdit).enabled && dialog.Control(kScaleYLabel).enabled);
        dialog.Type(kToolNumberEdit, "150");
        dialog.Type(kScaleYEdit, "?");
        dialog.Click(kToolOk);
        EXPECT_FALSE(dialog.HasEnded());
        // A Y scale typed, then "Scale equally" again: it no longer counts.
        dialog.Click(kScaleEquallyCheck);
        EXPECT_FALSE(dialog.Control(kScaleYEdit).enabled);
        dialog.Close();
      },
      kScalePoints);
  ASSERT_EQ(host.message_boxes.size(), 10u);
  for (std::size_t i = 0; i < host.message_boxes.size(); ++i) {
    EXPECT_EQ(host.message_boxes[i].text, i < 6 ? "Please enter a number" : "Please enter numbers");
    EXPECT_EQ(host.message_boxes[i].type, MB_OK | MB_ICONEXCLAMATION);
  }
  EXPECT_EQ(app::editor.angle_step, 7.2);
  ExpectUnchanged(before);
}

TEST_F(EditingTest, PopupMenuOpensAtTheMouseAndStaleClicksDoNothing) {
  Open(RingPoints());
  host.popup_points.clear();
  host.MoveMouse(30, 40);
  host.PressButton(WM_RBUTTONDOWN, 30, 40, MK_RBUTTON);
  host.AnswerPopupMenu(kFlipHorizontally);
  host.RunFrames(2);
  EXPECT_EQ(level::accurate_x[level::PointIndex(kShape, 1)], 255.0 - 20);  // the chosen command
  EXPECT_EQ(app::mouse.buttons, 0u);
  host.ReleaseButton(WM_RBUTTONUP, 30, 40);
  Choose(kEditLevel);
  host.AnswerPopupMenu(std::nullopt);
  Key(VK_APPS);  // where the mouse last was, in edit mode too
  EXPECT_EQ(app::FindMenuItem(app::PopupMenu(), kEditLevel)->text, "&End Edit");
  ASSERT_EQ(host.popup_points.size(), 2u);
  for (const POINT& point : host.popup_points)
    EXPECT_TRUE(point.x == 230 && point.y == 140) << point.x << ", " << point.y;

  // Edit Level, New Level and Select Level leave no button down: a click still pending when the
  // command came does not act in the next frame. The real state counts again with the next
  // mouse message.
  Choose(kEditLevel);
  for (const int id : {int{kEditLevel}, int{kNewLevel}, 0, int{kNewLevel}, int{kSelectLevel}}) {
    if (id == 0) {  // from view mode again
      Choose(kEditLevel);
      continue;
    }
    host.PressButton(WM_RBUTTONDOWN, 30, 40, MK_RBUTTON | MK_LBUTTON);
    Choose(id);
    EXPECT_EQ(app::mouse.buttons, 0u);
    host.RunFrames(2);
  }
  EXPECT_EQ(host.popup_points.size(), 2u);
  EXPECT_EQ(app::editor.editor_mode, app::kLevelSelectMode);
  PickLevel(kLevel);
  host.PressButton(WM_RBUTTONDOWN, 30, 40, MK_RBUTTON);
  host.RunFrames();
  EXPECT_EQ(host.popup_points.size(), 3u);
}

TEST_F(EditingTest, CopyPasteUndoOpenAndClosedActOnTheShapeOfTheLevel) {
  // Level 3 holds the open ring, levels 2 and 6 share shape 9.
  LevelRomBuilder rom;
  rom.Points(2, RingPoints()).Open(2).Points(9, Spiral()).LevelShape(1, 9).LevelShape(5, 9);
  for (int point = 0; point < level::kPointsPerShape; ++point)
    rom.TableByte(level::kSegmentDirections + level::PointIndex(2, point),
                  static_cast<std::uint8_t>(point));
  rom.ShapeByte(level::kLevelScale, 9, 20);
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
  EXPECT_TRUE(MainItem(kOpen).checked && MainItem(kOpen).radio && !MainItem(kClosed).checked);
  EXPECT_TRUE(Grayed(kPaste));
  const std::vector<double> ring = shape_state(2);
  Choose(kCopy);
  EXPECT_FALSE(Grayed(kPaste));
  Choose(kSelectLevel);
  PickLevel(5);
  const std::vector<double> picked = shape_state(9);
  EXPECT_TRUE(MainItem(kClosed).checked && !MainItem(kOpen).checked);
  Choose(kPaste);
  EXPECT_EQ(shape_state(9), ring);
  EXPECT_TRUE(MainItem(kOpen).checked);
  EXPECT_EQ(level::ShapeOfLevel(5), 9);  // the map is not part of a shape
  Choose(kClosed);
  EXPECT_EQ(level::ShapeByte(level::kOpenFlag, 9), 0);
  EXPECT_TRUE(MainItem(kClosed).checked && MainItem(kClosed).radio && !MainItem(kOpen).checked);

  // Undo asks, and brings back the shape as it was picked, staying in view mode.
  const std::vector<double> edited = shape_state(9);
  host.AnswerMessageBox(IDNO);
  Choose(kUndo);
  ASSERT_EQ(host.message_boxes.size(), 1u);
  EXPECT_EQ(host.message_boxes[0].text, "Undo all changes?");
  EXPECT_EQ(host.message_boxes[0].type, MB_YESNO | MB_ICONQUESTION);
  EXPECT_EQ(shape_state(9), edited);
  host.AnswerMessageBox(IDYES);
  host.ChoosePopupItem(kUndo);
  host.RunFrames();
  EXPECT_EQ(shape_state(9), picked);
  EXPECT_EQ(app::editor.editor_mode, app::kViewMode);

  // Level 2 shares the shape: Open there shows on level 6 too.
  Choose(kOpen);
  Choose(kSelectLevel);
  PickLevel(1);
  EXPECT_TRUE(MainItem(kOpen).checked);
  EXPECT_EQ(level::ShapeByte(level::kOpenFlag, 9), level::kOpenFlagSet);
}

}  // namespace
