#include <cstdint>

#include "level/level_store.h"
#include "level/number_dialog.h"
#include "resources/tool_dialogs.h"
#include "util/saturating_cast.h"

namespace level {

void EditLevelScale() {
  const int shape = CurrentShape();
  double scale = ShapeByte(kLevelScale, shape);
  RunNumberDialog(resources::ScaleLevelDialog(), scale);
  // Also a level scale of 0 read from a file becomes 1, however the dialog closed.
  if (!(scale >= 1.0)) {
    scale = 1.0;
  } else if (scale > 255.0) {
    scale = 255.0;
  }
  ShapeByte(kLevelScale, shape) = util::SaturatingTrunc<std::uint8_t>(scale);
}

}  // namespace level
