# Writes a C++ source that holds the bytes of a compiled .res image.
# cmake -DINPUT=<file.res> -DOUTPUT=<file.cpp> -P EmbedResImage.cmake
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){16})" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp" "// Generated from the compiled resource script at build time. Do not edit.
#include \"Resources.h\"

namespace tarvix::res {

namespace {
alignas(8) const std::uint8_t kImage[${size}] = {
${bytes}
};
}  // namespace

std::span<const std::uint8_t> EmbeddedResImage() { return kImage; }

}  // namespace tarvix::res
")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
