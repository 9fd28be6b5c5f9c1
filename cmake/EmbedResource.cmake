# Writes a C++ source that registers the bytes of a file as a named resource
# when the program starts. Run as a script:
#   cmake -DINPUT=<file> -DOUTPUT=<source.cpp> -DNAME=<resource name> -P EmbedResource.cmake
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" length)
math(EXPR bytes "${length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," array "${hex}")
# Twenty bytes a line keeps the source readable in an editor.
string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){20})" "\\1\n  " array "${array}")
file(WRITE "${OUTPUT}.tmp"
"// Generated from ${INPUT}; do not edit.
#include \"host/platform/Resources.h\"

namespace {

const unsigned char Data[${bytes} + 1] = {
  ${array}0};
const bool Registered =
    (Glossmith::RegisterResource(\"${NAME}\",
                                 std::string_view(reinterpret_cast<const char*>(Data), ${bytes})),
     true);

}  // namespace
")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
