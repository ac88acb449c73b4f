# Writes OUTPUT, a C++ source whose function resources::NAME() returns the bytes of INPUT.
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){16})" "\\1\n    " bytes "${bytes}")
file(WRITE ${OUTPUT}
"// Made from ${INPUT} at build time.
#include <cstdint>
#include <span>

namespace resources {

std::span<const std::uint8_t> ${NAME}() {
  static const std::uint8_t bytes[${size}] = {
    ${bytes}
  };
  return bytes;
}

}  // namespace resources
")
