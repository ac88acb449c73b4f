// The program's icon, a PNG made by tools/make_icon.cpp and compiled into the Qt host.
#pragma once

#include <cstdint>
#include <span>

namespace resources {

std::span<const std::uint8_t> ProgramIconPng();

}  // namespace resources
