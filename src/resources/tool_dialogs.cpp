#include "resources/tool_dialogs.h"

namespace resources {
namespace {

using platform::ControlKind;
using platform::DialogControl;
using platform::DialogTemplate;

constexpr std::string_view kFont = "MS Sans Serif";
constexpr int kFontSize = 8;

constexpr UINT kEditStyle = ES_AUTOHSCROLL | WS_TABSTOP;

// Label, edit and the two buttons of a Number dialog.
constexpr DialogControl kAngleStepControls[] = {
    {-1, ControlKind::kLabel, 7, 9, 44, 8, "Angle Step:", 0},
    {kToolNumberEdit, ControlKind::kEdit, 54, 7, 89, 12, "", kEditStyle},
    {kToolOk, ControlKind::kDefaultPushButton, 38, 28, 50, 14, "OK", WS_TABSTOP},
    {kToolCancel, ControlKind::kPushButton, 93, 28, 50, 14, "Cancel", WS_TABSTOP},
};

constexpr DialogControl kScaleLevelControls[] = {
    {-1, ControlKind::kLabel, 7, 9, 44, 8, "Level Scale:", 0},
    {kToolNumberEdit, ControlKind::kEdit, 54, 7, 89, 12, "", kEditStyle | ES_NUMBER},
    {kToolOk, ControlKind::kDefaultPushButton, 38, 28, 50, 14, "OK", WS_TABSTOP},
    {kToolCancel, ControlKind::kPushButton, 93, 28, 50, 14, "Cancel", WS_TABSTOP},
};

// The Y edit and its label wait disabled until "Scale equally" is cleared.
constexpr DialogControl kScalePointsControls[] = {
    {-1, ControlKind::kLabel, 7, 9, 34, 8, "X Scale:", 0},
    {kToolNumberEdit, ControlKind::kEdit, 44, 7, 50, 12, "", kEditStyle},
    {kScaleYLabel, ControlKind::kLabel, 7, 27, 34, 8, "Y Scale:", WS_DISABLED},
    {kScaleYEdit, ControlKind::kEdit, 44, 25, 50, 12, "", kEditStyle | WS_DISABLED},
    {kScaleEquallyCheck, ControlKind::kCheckBox, 103, 8, 60, 10, "Scale equally", WS_TABSTOP},
    {kToolOk, ControlKind::kDefaultPushButton, 58, 47, 50, 14, "OK", WS_TABSTOP},
    {kToolCancel, ControlKind::kPushButton, 113, 47, 50, 14, "Cancel", WS_TABSTOP},
};

// The logo is 120 x 32 pixels, about 80 x 20 dialog units in the dialog font.
constexpr DialogControl kAboutControls[] = {
    {-1, ControlKind::kIcon, 7, 7, 21, 20, "", 0, kProgramIconResource},
    {-1, ControlKind::kBitmap, 36, 7, 80, 20, "", 0, kLogoBitmapResource},
    {-1, ControlKind::kLabel, 36, 32, 80, 8, "V 0.6", 0},
    {kToolOk, ControlKind::kDefaultPushButton, 37, 48, 50, 14, "OK", WS_TABSTOP},
};

constexpr DialogTemplate kAngleStep{.id = kAngleStepDialogId,
                                    .width = 150,
                                    .height = 49,
                                    .caption = "Angle Step",
                                    .font_name = kFont,
                                    .font_size = kFontSize,
                                    .controls = kAngleStepControls};
constexpr DialogTemplate kScaleLevel{.id = kScaleLevelDialogId,
                                     .width = 150,
                                     .height = 49,
                                     .caption = "Scale Level",
                                     .font_name = kFont,
                                     .font_size = kFontSize,
                                     .controls = kScaleLevelControls};
constexpr DialogTemplate kScalePoints{.id = kScalePointsDialogId,
                                      .width = 170,
                                      .height = 68,
                                      .caption = "Scale Points",
                                      .font_name = kFont,
                                      .font_size = kFontSize,
                                      .controls = kScalePointsControls};
constexpr DialogTemplate kAbout{.id = kAboutDialogId,
                                .width = 124,
                                .height = 69,
                                .caption = "About Rimforge",
                                .font_name = kFont,
                                .font_size = kFontSize,
                                .controls = kAboutControls};

}  // namespace

const DialogTemplate& AngleStepDialog() {
  return kAngleStep;
}
const DialogTemplate& ScalePointsDialog() {
  return kScalePoints;
}
const DialogTemplate& ScaleLevelDialog() {
  return kScaleLevel;
}
const DialogTemplate& AboutDialog() {
  return kAbout;
}

}  // namespace resources
