// The display options that the Display menu and Bend toggle; the views and the edit input read
// them. They keep their values for the whole run.
#pragma once

#include <cstdint>

namespace app {

struct ViewFlags {
  std::int32_t safe_frame = 1;
  std::int32_t bounding_box = 1;
  std::int32_t rom_values = 1;  // 0: accurate values
  std::int32_t claw = 1;
  std::int32_t bend = 1;
  std::int32_t view_2d = 0;
};

extern ViewFlags view_flags;

}  // namespace app
