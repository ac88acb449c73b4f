#include "resources/arcade_hits_dialog.h"

#include <array>

namespace resources {
namespace {

using platform::ControlKind;

constexpr std::array kControls{
    platform::DialogControl{-1, ControlKind::kGroupBox, 17, 13, 108, 46, "Level Data", 0},
    platform::DialogControl{kOriginalLevelsButton, ControlKind::kRadioButton, 39, 26, 62, 10,
                            "Original Levels", WS_TABSTOP},
    platform::DialogControl{kTempestTubesButton, ControlKind::kRadioButton, 39, 42, 65, 10,
                            "Tempest Tubes", 0},
    platform::DialogControl{kIncludeTextDataBox, ControlKind::kCheckBox, 37, 69, 69, 10,
                            "Include Text Data", WS_TABSTOP},
    platform::DialogControl{kArcadeHitsOkButton, ControlKind::kDefaultPushButton, 18, 89, 46, 14,
                            "OK", WS_TABSTOP},
    platform::DialogControl{kArcadeHitsCancelButton, ControlKind::kPushButton, 80, 89, 46, 14,
                            "Cancel", WS_TABSTOP},
};

constexpr platform::DialogTemplate kArcadeHitsDialog{
    kArcadeHitsDialogId, 144, 116, "Hack 'Atari Arcade Hits'", "MS Sans Serif", 8, kControls};

}  // namespace

const platform::DialogTemplate& ArcadeHitsDialog() {
  return kArcadeHitsDialog;
}

}  // namespace resources
