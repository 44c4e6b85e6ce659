# Writes OUTPUT, a C++ source holding each JPEG file of PICTURE_DIR as a byte array, with the
# spans that assets/pictures.h declares. Run with cmake -P.
set(pictures
    header headerPicture
    selection_panel selectionPanelPicture
    result_panel resultPanelPicture
    links_panel linksPanelPicture
    query_button queryButtonPicture)

set(source "// Generated from the JPEG files in src/assets/pictures; do not edit.\n")
string(APPEND source "#include \"assets/pictures.h\"\n\nnamespace {\n\n")
set(spans "")
list(LENGTH pictures count)
math(EXPR last "${count} - 1")
foreach(index RANGE 0 ${last} 2)
  math(EXPR nameIndex "${index} + 1")
  list(GET pictures ${index} file)
  list(GET pictures ${nameIndex} name)
  file(READ "${PICTURE_DIR}/${file}.jpg" hex HEX)
  string(LENGTH "${hex}" hexLength)
  if(hexLength EQUAL 0)
    message(FATAL_ERROR "${PICTURE_DIR}/${file}.jpg is empty")
  endif()
  # Twenty bytes to a line, each written as 0xNN.
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REPEAT "0x[0-9a-f][0-9a-f]," 20 line)
  string(REGEX REPLACE "(${line})" "\\1\n    " bytes "${bytes}")
  string(STRIP "${bytes}" bytes)
  string(APPEND source "constexpr std::uint8_t ${name}Bytes[] = {\n    ${bytes}\n};\n\n")
  string(APPEND spans "constinit const std::span<const std::uint8_t> ${name}{${name}Bytes};\n")
endforeach()
string(APPEND source "}  // namespace\n\n${spans}")

file(WRITE "${OUTPUT}" "${source}")
