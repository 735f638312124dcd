# Writes one data file as a C++ byte array: cmake -DNAME= -DINPUT= -DOUTPUT= -P
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_len)
math(EXPR size "${hex_len} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){32})" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp"
"// Generated from ${INPUT}; do not edit.
#include <cstddef>
namespace aw::platform::embedded {
extern const unsigned char res_${NAME}_data[];
extern const std::size_t res_${NAME}_size;
// One extra zero byte keeps the array valid for an empty file.
const unsigned char res_${NAME}_data[] = {
${bytes}0};
const std::size_t res_${NAME}_size = ${size};
}
")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
