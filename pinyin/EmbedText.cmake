# Turns a text file into a C++ source that returns it from a function:
#   cmake -DINPUT=file -DOUTPUT=file.cpp -DFUNCTION=name -DHEADER=unit.h -P EmbedText.cmake
# The function is std::string_view FUNCTION() in namespace bushou.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hexLength)
math(EXPR size "${hexLength} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){24})" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}.new"
"// Generated from ${INPUT} by EmbedText.cmake; do not edit.
#include \"${HEADER}\"

namespace bushou {
namespace {

const unsigned char kText[${size} + 1] = {
${bytes}0};

}  // namespace

std::string_view ${FUNCTION}() {
  return std::string_view(reinterpret_cast<const char*>(kText), ${size});
}

}  // namespace bushou
")
# Only a changed text touches the output, so an unchanged one rebuilds nothing.
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
