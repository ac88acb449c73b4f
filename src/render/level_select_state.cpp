#include "render/level_select_state.h"

namespace render {

std::int32_t marked_level = kNoMarkedLevel;

}  // namespace render
