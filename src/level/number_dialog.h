// The Number dialog: one procedure behind Angle Step and Scale Level, editing a double of the
// caller's. Also the reading of numbers that the Scale Points dialog shares with it.
#pragma once

#include <string_view>

#include "platform/host.h"

namespace level {

enum class NumberText {
  kNumber,      // a number was read (anything behind it ignored)
  kBlank,       // empty, or blanks only
  kNotANumber,  // text that does not start with a finite number
};

// Reads at most the first 31 characters of the control's text with "%lf", leading blanks
// skipped; `value` changes only when a number was read. Infinities and NaN are refused: turned
// or scaled by one, every point of a shape would be lost.
NumberText ReadNumberText(const platform::Dialog& dialog, int id, double& value);

// "Please enter a number" and its like, in the editor's message box for bad input.
void ReportBadNumber(std::string_view text);

// Shows `value` with "%g" in the dialog of `dialog_template` (Angle Step or Scale Level); OK
// stores a number read from it, a blank field keeps the value, Cancel and the close box
// change nothing.
void RunNumberDialog(const platform::DialogTemplate& dialog_template, double& value);

// The Set Angle Step command: the Number dialog on the angle step.
void EditAngleStep();

}  // namespace level
