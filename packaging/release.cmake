# The release: one zip that holds formation-finder.exe and its read-me, nothing else.
#   cmake --build --preset windows --target package    (or: cpack --config build/windows/CPackConfig.cmake)
# Included from the top-level CMakeLists.txt, where CPack has to be set up.
if(NOT TARGET formation-finder)
  return()
endif()

# UTF-8 with a byte order mark and CRLF line ends: Notepad shows both languages right on a Windows
# of any language, the old Notepad of Windows 7 included.
configure_file(${CMAKE_CURRENT_LIST_DIR}/README.txt.in ${CMAKE_BINARY_DIR}/packaging/README.txt
               @ONLY NEWLINE_STYLE CRLF)
install(TARGETS formation-finder RUNTIME DESTINATION .)
install(FILES ${CMAKE_BINARY_DIR}/packaging/README.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME formation-finder)
set(CPACK_PACKAGE_VENDOR "${SITE_HOST}")
set(CPACK_PACKAGE_FILE_NAME formation-finder-${PROJECT_VERSION}-win64)
# The two files at the top of the zip: "Extract all" then gives one folder, not a folder in a folder.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PACKAGE_CHECKSUM SHA256)
include(CPack)
