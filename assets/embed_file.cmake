# Turns one binary file into a C++ source that defines a function returning its bytes.
# Run as a script: cmake -DINPUT=<file> -DOUTPUT=<file.cpp> -DFUNCTION=<name> -P embed_file.cmake
# Pure CMake, so it works the same for native and cross builds.

foreach(var INPUT OUTPUT FUNCTION)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "embed_file.cmake needs -D${var}=...")
  endif()
endforeach()

file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
if(hex_length EQUAL 0)
  message(FATAL_ERROR "embed_file.cmake: ${INPUT} is empty")
endif()
# Sixteen bytes (32 hex digits) per line; CMake's regular expressions have no {n} repeat.
string(REPEAT "[0-9a-f]" 32 line_of_hex)
string(REGEX REPLACE "(${line_of_hex})" "\\1\n    " hex "${hex}")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1, " bytes "${hex}")
string(REGEX REPLACE " \n" "\n" bytes "${bytes}")
string(REGEX REPLACE " $" "" bytes "${bytes}")
get_filename_component(name "${INPUT}" NAME)

file(WRITE "${OUTPUT}"
"// Generated at build time from assets/${name}; edit the asset, not this file.
#include <cstdint>
#include <span>

namespace assets::embedded {
namespace {
constexpr std::uint8_t kBytes[] = {
    ${bytes}
};
}  // namespace

std::span<const std::uint8_t> ${FUNCTION}() { return kBytes; }

}  // namespace assets::embedded
")
