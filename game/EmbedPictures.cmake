# Writes OUTPUT, a C++ source that holds the start screen's generated pictures as byte arrays,
# one function per picture. Run as a script: cmake -DDATA_DIR=... -DOUTPUT=... -P EmbedPictures.cmake
set(pictures "StartLogoPicture=start/logo.bmp" "StartEmblemPicture=start/emblem.bmp"
             "StartBackgroundPicture=start/back.bmp")
set(source "// Made at build time from the generated start-screen pictures.\n#include \"StartScreenPictures.h\"\n\nnamespace {\n")
set(functions "")
foreach(entry IN LISTS pictures)
  string(REPLACE "=" ";" parts "${entry}")
  list(GET parts 0 function)
  list(GET parts 1 file)
  file(READ "${DATA_DIR}/${file}" hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
  string(APPEND source "const std::uint8_t ${function}Bytes[] = {\n${bytes}};\n")
  string(APPEND functions "std::span<const std::uint8_t> ${function}() { return ${function}Bytes; }\n")
endforeach()
string(APPEND source "}  // namespace\n\n${functions}")
file(WRITE "${OUTPUT}.new" "${source}")
file(RENAME "${OUTPUT}.new" "${OUTPUT}")
