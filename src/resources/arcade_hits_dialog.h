// Dialog 106, "Hack 'Atari Arcade Hits'": which level set of the program file to replace, and
// whether to replace its text data too.
#pragma once

#include "platform/dialog_template.h"

namespace resources {

constexpr int kArcadeHitsDialogId = 106;

enum ArcadeHitsControl : int {
  kArcadeHitsOkButton = 1001,
  kArcadeHitsCancelButton = 1003,
  kIncludeTextDataBox = 1007,
  kOriginalLevelsButton = 1025,
  kTempestTubesButton = 1026,
};

const platform::DialogTemplate& ArcadeHitsDialog();

}  // namespace resources
