// State of the level-select screen that the mode switches reset.
#pragma once

#include <cstdint>

namespace render {

constexpr std::int32_t kNoMarkedLevel = -1;

// The level picked by the first of two right clicks, or kNoMarkedLevel.
extern std::int32_t marked_level;

}  // namespace render
