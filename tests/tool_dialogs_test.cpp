// The dialogs of the Tools and Help menus as a person fills them in: Set Angle Step, Scale
// Level, Scale Points and About, with their templates, their refusals of bad numbers, and the
// About logo.
#include <cstdint>
#include <set>
#include <span>
#include <string>

#include "app/editor_state.h"
#include "level/level_store.h"
#include "resources/command_ids.h"
#include "resources/embedded.h"
#include "resources/tool_dialogs.h"
#include "support/editor_snapshot.h"
#include "support/editor_test.h"
#include "support/level_pick.h"
#include "support/level_rom_builder.h"

namespace {

using platform::ControlKind;
using testing_support::EditorSnapshot;
using testing_support::ExpectUnchanged;
using testing_support::FakeDialog;
using testing_support::LevelRomBuilder;
using namespace resources;

constexpr int kLevel = 2;
constexpr int kShape = 6;

const platform::DialogControl* FindControl(const platform::DialogTemplate& dialog, int id,
                                           ControlKind kind, std::string_view text = {}) {
  for (const platform::DialogControl& control : dialog.controls) {
    if (control.kind == kind && control.id == id && (text.empty() || control.text == text)) {
      return &control;
    }
  }
  return nullptr;
}

class ToolDialogsTest : public testing_support::EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    LevelRomBuilder rom;
    // Points (100 + 10 i, 60 + 5 i): offsets from (128, 128) of every size and sign.
    testing_support::ShapePoints points;
    for (int i = 0; i < level::kPointsPerShape; ++i) {
      points[i] = {static_cast<std::uint8_t>(100 + 10 * i), static_cast<std::uint8_t>(60 + 5 * i)};
    }
    rom.LevelShape(kLevel, kShape).Points(kShape, points).ShapeByte(level::kLevelScale, kShape, 20);
    testing_support::LoadLevelRomFile(host, rom.WriteTo(temp, "dialogs.118"));
    testing_support::PickLevel(host, kLevel);
  }

  void Choose(int id) {
    host.ChooseMenuItem(id);
    host.HandleMessages();
  }

  int LevelScale() const { return level::ShapeByte(level::kLevelScale, kShape); }
  double X(int point) const { return level::accurate_x[level::PointIndex(kShape, point)]; }
  double Y(int point) const { return level::accurate_y[level::PointIndex(kShape, point)]; }

  // The message boxes shown since `before`, which must all be the bad-number box.
  void ExpectBadNumberBoxes(std::size_t before, std::size_t count, const std::string& text) {
    ASSERT_EQ(host.message_boxes.size(), before + count);
    for (std::size_t i = before; i < host.message_boxes.size(); ++i) {
      EXPECT_EQ(host.message_boxes[i].text, text);
      EXPECT_EQ(host.message_boxes[i].caption, "Rimforge");
      EXPECT_EQ(host.message_boxes[i].type, MB_OK | MB_ICONEXCLAMATION);
    }
  }
};

TEST_F(ToolDialogsTest, TemplatesHoldTheirControlsInsideTheDialog) {
  struct Expected {
    const platform::DialogTemplate& dialog;
    int id;
    std::string_view caption;
  };
  for (const Expected& expected : {Expected{AngleStepDialog(), 101, "Angle Step"},
                                   Expected{ScalePointsDialog(), 102, "Scale Points"},
                                   Expected{ScaleLevelDialog(), 103, "Scale Level"},
                                   Expected{AboutDialog(), 104, "About Rimforge"}}) {
    const platform::DialogTemplate& dialog = expected.dialog;
    SCOPED_TRACE(dialog.id);
    EXPECT_EQ(dialog.id, expected.id);
    EXPECT_EQ(dialog.caption, expected.caption);
    EXPECT_EQ(dialog.font_name, "MS Sans Serif");
    EXPECT_EQ(dialog.font_size, 8);
    EXPECT_NE(FindControl(dialog, kToolOk, ControlKind::kDefaultPushButton, "OK"), nullptr);
    // Every control lies inside the dialog, and no two overlap.
    for (const platform::DialogControl& a : dialog.controls) {
      EXPECT_GE(a.x, 0);
      EXPECT_GE(a.y, 0);
      EXPECT_LE(a.x + a.width, dialog.width);
      EXPECT_LE(a.y + a.height, dialog.height);
      for (const platform::DialogControl& b : dialog.controls) {
        if (&a == &b) continue;
        const bool apart = a.x + a.width <= b.x || b.x + b.width <= a.x || a.y + a.height <= b.y ||
                           b.y + b.height <= a.y;
        EXPECT_TRUE(apart) << a.text << " overlaps " << b.text;
      }
    }
  }

  const platform::DialogControl* angle = FindControl(AngleStepDialog(), 1000, ControlKind::kEdit);
  ASSERT_NE(angle, nullptr);
  EXPECT_EQ(angle->style & ES_NUMBER, 0u);  // a step may be negative or have a fraction
  EXPECT_NE(FindControl(AngleStepDialog(), -1, ControlKind::kLabel, "Angle Step:"), nullptr);
  EXPECT_NE(FindControl(AngleStepDialog(), 1003, ControlKind::kPushButton, "Cancel"), nullptr);

  const platform::DialogControl* scale = FindControl(ScaleLevelDialog(), 1000, ControlKind::kEdit);
  ASSERT_NE(scale, nullptr);
  EXPECT_NE(scale->style & ES_NUMBER, 0u);
  EXPECT_NE(FindControl(ScaleLevelDialog(), -1, ControlKind::kLabel, "Level Scale:"), nullptr);
  EXPECT_NE(FindControl(ScaleLevelDialog(), 1003, ControlKind::kPushButton, "Cancel"), nullptr);

  const platform::DialogTemplate& points = ScalePointsDialog();
  EXPECT_NE(FindControl(points, -1, ControlKind::kLabel, "X Scale:"), nullptr);
  const platform::DialogControl* x_edit = FindControl(points, 1000, ControlKind::kEdit);
  const platform::DialogControl* y_edit = FindControl(points, 1004, ControlKind::kEdit);
  const platform::DialogControl* y_label =
      FindControl(points, 1008, ControlKind::kLabel, "Y Scale:");
  ASSERT_TRUE(x_edit && y_edit && y_label);
  EXPECT_EQ(x_edit->style & WS_DISABLED, 0u);
  EXPECT_NE(y_edit->style & WS_DISABLED, 0u);
  EXPECT_NE(y_label->style & WS_DISABLED, 0u);
  EXPECT_NE(FindControl(points, 1007, ControlKind::kCheckBox, "Scale equally"), nullptr);
  EXPECT_NE(FindControl(points, 1003, ControlKind::kPushButton, "Cancel"), nullptr);

  const platform::DialogControl* icon = FindControl(AboutDialog(), -1, ControlKind::kIcon);
  const platform::DialogControl* logo = FindControl(AboutDialog(), -1, ControlKind::kBitmap);
  ASSERT_TRUE(icon && logo);
  EXPECT_EQ(icon->image, 102);
  EXPECT_EQ(logo->image, 104);
  EXPECT_NE(FindControl(AboutDialog(), -1, ControlKind::kLabel, "V 0.6"), nullptr);
}

TEST_F(ToolDialogsTest, AngleStepTakesTheNumberAtTheStartOfTheText) {
  std::string shown;
  host.ActInDialog(kAngleStepDialogId, [&](FakeDialog& dialog) {
    shown = dialog.GetItemText(kToolNumberEdit);
    dialog.Type(kToolNumberEdit, "  -22.5 degrees");
    dialog.Click(kToolOk);
  });
  Choose(kSetAngleStep);
  EXPECT_EQ(shown, "15");
  EXPECT_EQ(app::editor.angle_step, -22.5);

  // The next opening shows the new step; only the first 31 characters are read.
  host.ActInDialog(kAngleStepDialogId, [&](FakeDialog& dialog) {
    shown = dialog.GetItemText(kToolNumberEdit);
    dialog.Type(kToolNumberEdit, std::string(28, ' ') + "7.25");
    dialog.Click(kToolOk);
  });
  Choose(kSetAngleStep);
  EXPECT_EQ(shown, "-22.5");
  EXPECT_EQ(app::editor.angle_step, 7.2);

  // A blank field, Cancel and the close box keep the step.
  host.ActInDialog(kAngleStepDialogId, [](FakeDialog& dialog) {
    dialog.Type(kToolNumberEdit, "   ");
    dialog.Click(kToolOk);
  });
  host.ActInDialog(kAngleStepDialogId, [](FakeDialog& dialog) {
    dialog.Type(kToolNumberEdit, "90");
    dialog.Click(kToolCancel);
  });
  host.ActInDialog(kAngleStepDialogId, [](FakeDialog& dialog) {
    dialog.Type(kToolNumberEdit, "90");
    dialog.Close();
  });
  for (int i = 0; i < 3; ++i)
    Choose(kSetAngleStep);
  EXPECT_EQ(app::editor.angle_step, 7.2);
  EXPECT_TRUE(host.message_boxes.size() == 0u);
}

TEST_F(ToolDialogsTest, AngleStepRefusesWhatIsNotANumberAndStaysOpen) {
  const EditorSnapshot before;
  const std::size_t boxes = host.message_boxes.size();
  host.ActInDialog(kAngleStepDialogId, [&](FakeDialog& dialog) {
    for (const char* text : {"abc", "-", ".", "inf", "nan", "1e999"}) {
      dialog.Type(kToolNumberEdit, text);
      dialog.Click(kToolOk);
      EXPECT_FALSE(dialog.HasEnded()) << text;
    }
    dialog.Click(kToolCancel);
  });
  Choose(kSetAngleStep);
  ExpectBadNumberBoxes(boxes, 6, "Please enter a number");
  EXPECT_EQ(app::editor.angle_step, 15.0);
  ExpectUnchanged(before);
}

TEST_F(ToolDialogsTest, ScaleLevelKeepsOneToTwoHundredFiftyFive) {
  std::string shown;
  const auto answer = [&](const char* text) {
    host.ActInDialog(kScaleLevelDialogId, [&shown, text](FakeDialog& dialog) {
      shown = dialog.GetItemText(kToolNumberEdit);
      dialog.Type(kToolNumberEdit, text);
      dialog.Click(kToolOk);
    });
    Choose(kScaleLevel);
  };
  const int other_scale = level::ShapeByte(level::kLevelScale, 3);

  answer("0");
  EXPECT_EQ(shown, "20");
  EXPECT_EQ(LevelScale(), 1);
  answer("300");
  EXPECT_EQ(shown, "1");
  EXPECT_EQ(LevelScale(), 255);
  answer("99999999999999999999999999999");
  EXPECT_EQ(LevelScale(), 255);
  answer("-42");  // the edit takes digits only
  EXPECT_EQ(LevelScale(), 42);
  answer("");
  EXPECT_EQ(LevelScale(), 42);

  host.ActInDialog(kScaleLevelDialogId, [](FakeDialog& dialog) {
    dialog.Type(kToolNumberEdit, "7");
    dialog.Click(kToolCancel);
  });
  Choose(kScaleLevel);
  host.ActInDialog(kScaleLevelDialogId, [](FakeDialog& dialog) {
    dialog.Type(kToolNumberEdit, "7");
    dialog.Close();
  });
  Choose(kScaleLevel);
  EXPECT_EQ(LevelScale(), 42);
  EXPECT_EQ(level::ShapeByte(level::kLevelScale, 3), other_scale);
  EXPECT_TRUE(host.message_boxes.empty());
}

TEST_F(ToolDialogsTest, ScalePointsScalesBothAxesByXWhileScaleEquallyIsChecked) {
  host.ActInDialog(kScalePointsDialogId, [](FakeDialog& dialog) {
    EXPECT_EQ(dialog.GetItemText(kToolNumberEdit), "100");
    EXPECT_EQ(dialog.GetItemText(kScaleYEdit), "100");
    EXPECT_TRUE(dialog.IsChecked(kScaleEquallyCheck));
    EXPECT_FALSE(dialog.Control(kScaleYEdit).enabled);
    EXPECT_FALSE(dialog.Control(kScaleYLabel).enabled);
    // A Y scale typed while it was in use, then "Scale equally" again: it no longer counts.
    dialog.Click(kScaleEquallyCheck);
    EXPECT_TRUE(dialog.Control(kScaleYEdit).enabled);
    EXPECT_TRUE(dialog.Control(kScaleYLabel).enabled);
    dialog.Type(kScaleYEdit, "x");
    dialog.Click(kScaleEquallyCheck);
    EXPECT_FALSE(dialog.Control(kScaleYEdit).enabled);
    EXPECT_FALSE(dialog.Control(kScaleYLabel).enabled);
    dialog.Type(kToolNumberEdit, "200");
    dialog.Click(kToolOk);
  });
  Choose(kScalePoints);
  // (100 + 10 i, 60 + 5 i) doubled about (128, 128).
  for (int i = 0; i < level::kPointsPerShape; ++i) {
    EXPECT_EQ(X(i), 128.0 + (100 + 10 * i - 128) * 2.0) << i;
    EXPECT_EQ(Y(i), 128.0 + (60 + 5 * i - 128) * 2.0) << i;
  }
  EXPECT_EQ(level::XByte(kShape, 3), 132);
}

TEST_F(ToolDialogsTest, ScalePointsTakesSeparateScalesAndOpensWithScaleEquallyAgain) {
  host.ActInDialog(kScalePointsDialogId, [](FakeDialog& dialog) {
    dialog.Click(kScaleEquallyCheck);
    dialog.Type(kToolNumberEdit, "50");
    dialog.Type(kScaleYEdit, "-100");
    dialog.Click(kToolOk);
  });
  Choose(kScalePoints);
  EXPECT_EQ(X(2), 128.0 + (120 - 128) * 0.5);
  EXPECT_EQ(Y(2), 128.0 - (70 - 128));  // a negative scale mirrors across y = 128

  host.ActInDialog(kScalePointsDialogId, [](FakeDialog& dialog) {
    EXPECT_TRUE(dialog.IsChecked(kScaleEquallyCheck));
    EXPECT_FALSE(dialog.Control(kScaleYEdit).enabled);
    dialog.Click(kToolCancel);
  });
  Choose(kScalePoints);
  EXPECT_EQ(X(2), 124.0);
}

TEST_F(ToolDialogsTest, ScalePointsRefusesMissingNumbersAndStaysOpen) {
  const EditorSnapshot before;
  const std::size_t boxes = host.message_boxes.size();
  host.ActInDialog(kScalePointsDialogId, [](FakeDialog& dialog) {
    for (const char* x_text : {"", "   ", "big", "inf"}) {
      dialog.Type(kToolNumberEdit, x_text);
      dialog.Click(kToolOk);
      EXPECT_FALSE(dialog.HasEnded()) << '"' << x_text << '"';
    }
    dialog.Click(kScaleEquallyCheck);
    dialog.Type(kToolNumberEdit, "150");
    for (const char* y_text : {"", "?"}) {
      dialog.Type(kScaleYEdit, y_text);
      dialog.Click(kToolOk);
      EXPECT_FALSE(dialog.HasEnded()) << '"' << y_text << '"';
    }
    dialog.Close();
  });
  Choose(kScalePoints);
  ExpectBadNumberBoxes(boxes, 6, "Please enter numbers");
  ExpectUnchanged(before);
}

TEST_F(ToolDialogsTest, AboutShowsAndClosesWithoutChangingAnything) {
  const EditorSnapshot before;
  host.ActInDialog(kAboutDialogId, [](FakeDialog& dialog) { dialog.Click(kToolOk); });
  host.ActInDialog(kAboutDialogId, [](FakeDialog& dialog) { dialog.Close(); });
  Choose(kAbout);
  Choose(kAbout);
  EXPECT_EQ(host.dialogs_run, (std::vector<int>{kAboutDialogId, kAboutDialogId}));
  ExpectUnchanged(before);
}

std::uint32_t Le(std::span<const std::uint8_t> bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i)
    value = value << 8 | bytes[at + static_cast<std::size_t>(i)];
  return value;
}

TEST(AboutLogoTest, IsA120By32BitmapInSixteenColours) {
  const std::span<const std::uint8_t> bmp = resources::LogoBitmap();
  ASSERT_GE(bmp.size(), 54u);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  EXPECT_EQ(Le(bmp, 2, 4), bmp.size());
  EXPECT_EQ(Le(bmp, 14, 4), 40u);   // BITMAPINFOHEADER
  EXPECT_EQ(Le(bmp, 18, 4), 120u);  // width
  const auto height = static_cast<std::int32_t>(Le(bmp, 22, 4));
  EXPECT_EQ(height < 0 ? -height : height, 32);
  EXPECT_EQ(Le(bmp, 26, 2), 1u);  // planes
  EXPECT_EQ(Le(bmp, 28, 2), 4u);  // bits per pixel
  EXPECT_EQ(Le(bmp, 30, 4), 0u);  // uncompressed
  const std::uint32_t colours = Le(bmp, 46, 4);
  EXPECT_TRUE(colours == 0 || colours == 16);
  const std::uint32_t pixels = Le(bmp, 10, 4);
  EXPECT_EQ(pixels, 14u + 40u + 16u * 4u);
  const std::size_t row_bytes = 60;  // 120 pixels of 4 bits, already a multiple of 4
  ASSERT_EQ(bmp.size(), pixels + row_bytes * 32);

  // A picture, not a blank: several colours, each of them in the palette.
  std::set<int> used;
  for (std::size_t i = pixels; i < bmp.size(); ++i) {
    used.insert(bmp[i] >> 4);
    used.insert(bmp[i] & 15);
  }
  EXPECT_GE(used.size(), 4u);
}

}  // namespace
