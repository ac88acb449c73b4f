// Binary resources compiled into the program (see cmake/EmbedResource.cmake): each function
// returns the bytes of one file of src/resources/, made by a program in tools/.
#pragma once

#include <cstdint>
#include <span>

namespace resources {

}  // namespace resources
