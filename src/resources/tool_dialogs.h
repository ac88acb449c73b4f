// The dialogs of the Tools and Help menus: Angle Step (101), Scale Points (102), Scale Level
// (103) and About (104).
#pragma once

#include "platform/dialog_template.h"

namespace resources {

constexpr int kAngleStepDialogId = 101;
constexpr int kScalePointsDialogId = 102;
constexpr int kScaleLevelDialogId = 103;
constexpr int kAboutDialogId = 104;

// The pictures the About box names: the program's icon and the logo bitmap.
constexpr int kProgramIconResource = 102;
constexpr int kLogoBitmapResource = 104;

// Controls. The two Number dialogs (Angle Step and Scale Level) have the edit, OK and Cancel;
// Scale Points has them too, the edit holding the X scale.
constexpr int kToolNumberEdit = 1000;
constexpr int kToolOk = 1001;
constexpr int kToolCancel = 1003;
constexpr int kScaleYEdit = 1004;
constexpr int kScaleEquallyCheck = 1007;
constexpr int kScaleYLabel = 1008;

const platform::DialogTemplate& AngleStepDialog();
const platform::DialogTemplate& ScalePointsDialog();
const platform::DialogTemplate& ScaleLevelDialog();
const platform::DialogTemplate& AboutDialog();

}  // namespace resources
