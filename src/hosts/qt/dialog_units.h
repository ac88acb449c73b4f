// Dialog templates measure in dialog units: a quarter of the dialog font's average character
// width across, an eighth of its height down.
#pragma once

#include <QFont>
#include <QRect>

namespace hosts::qt {

struct DialogBaseUnits {
  int width;   // average width of the letters A-Z and a-z, in pixels
  int height;  // the font's height, in pixels
};

DialogBaseUnits BaseUnitsOf(const QFont& font);

// Rounded to the nearest pixel.
QRect DialogUnitsToPixels(const DialogBaseUnits& units, int x, int y, int width, int height);

}  // namespace hosts::qt
