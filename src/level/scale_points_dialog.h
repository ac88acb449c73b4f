// The Scale Points dialog: X and Y scale in percent about (128, 128), both from the X edit
// while "Scale equally" is checked.
#pragma once

namespace level {

// The Scale Points command: runs the dialog, which scales the current shape on OK.
void ScalePoints();

// "Scale equally" again, as at start.
void ResetScalePointsDialog();

}  // namespace level
