# Makes the release zip as a release is made (CPack), checks that it holds the program just built
# and its read-me and nothing else, checks the read-me's bytes, and unpacks the zip into
# WORK_DIR/unpacked for release_program_test.
#   cmake -DCPACK_COMMAND=... -DCPACK_CONFIG=.../CPackConfig.cmake -DWORK_DIR=...
#         -DBUILT_PROGRAM=.../formation-finder.exe -DVERSION=1.0.0 -DSITE_HOST=... -P unpack_release.cmake
cmake_minimum_required(VERSION 3.25)

function(fail)
  string(JOIN "" message ${ARGN})
  message(FATAL_ERROR "${message}")
endfunction()

file(REMOVE_RECURSE "${WORK_DIR}")
execute_process(COMMAND "${CPACK_COMMAND}" --config "${CPACK_CONFIG}" -B "${WORK_DIR}"
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(result)
  fail("cpack failed:\n" "${output}")
endif()

file(GLOB zips "${WORK_DIR}/*.zip")
list(LENGTH zips count)
if(NOT count EQUAL 1)
  fail("expected one zip in ${WORK_DIR}, found: ${zips}")
endif()
set(expectedZip "${WORK_DIR}/formation-finder-${VERSION}-win64.zip")
if(NOT zips STREQUAL expectedZip)
  fail("the zip is ${zips}, expected ${expectedZip}")
endif()
file(SHA256 "${expectedZip}" zipHash)
file(READ "${expectedZip}.sha256" checksumLine)
if(NOT checksumLine MATCHES "^${zipHash}  formation-finder-${VERSION}-win64.zip")
  fail("the checksum file does not match the zip: ${checksumLine}")
endif()

execute_process(COMMAND "${CMAKE_COMMAND}" -E tar tf "${expectedZip}"
                RESULT_VARIABLE result OUTPUT_VARIABLE listing)
string(REPLACE "\n" ";" entries "${listing}")
list(REMOVE_ITEM entries "")
list(SORT entries)
if(result OR NOT entries STREQUAL "README.txt;formation-finder.exe")
  fail("the zip should hold README.txt and formation-finder.exe at its top, and holds: ${entries}")
endif()

set(unpacked "${WORK_DIR}/unpacked")
file(MAKE_DIRECTORY "${unpacked}")
execute_process(COMMAND "${CMAKE_COMMAND}" -E tar xf "${expectedZip}"
                WORKING_DIRECTORY "${unpacked}" RESULT_VARIABLE result)
if(result)
  fail("the zip does not unpack")
endif()

file(SHA256 "${unpacked}/formation-finder.exe" packedHash)
file(SHA256 "${BUILT_PROGRAM}" builtHash)
if(NOT packedHash STREQUAL builtHash)
  fail("the zipped formation-finder.exe is not the one just built")
endif()

# Notepad needs the byte order mark to take the read-me as UTF-8 on a Windows in any language,
# and the Notepad of Windows 7 needs CR LF to break lines.
file(READ "${unpacked}/README.txt" start LIMIT 3 HEX)
if(NOT start STREQUAL "efbbbf")
  fail("README.txt does not start with the UTF-8 byte order mark")
endif()
# file(READ) as text drops the CRs, so the line ends are counted byte by byte.
file(READ "${unpacked}/README.txt" bytes HEX)
string(REGEX REPLACE "(..)" "\\1 " bytes "${bytes}")
string(REGEX MATCHALL "0a " lineFeeds "${bytes}")
string(REGEX MATCHALL "0d 0a " lineEnds "${bytes}")
list(LENGTH lineFeeds lineFeedCount)
list(LENGTH lineEnds lineEndCount)
if(lineEndCount EQUAL 0 OR NOT lineFeedCount EQUAL lineEndCount)
  fail("README.txt has ${lineFeedCount} line feeds, only ${lineEndCount} of them after a CR")
endif()
file(READ "${unpacked}/README.txt" readme)
foreach(expected "雁丘城邦打野布阵查询 ${VERSION}" "Formation finder ${VERSION}" "formation-finder.exe"
                 "${SITE_HOST}")
  string(FIND "${readme}" "${expected}" at)
  if(at LESS 0)
    fail("README.txt does not mention \"${expected}\"")
  endif()
endforeach()
if(readme MATCHES "@[A-Z_]+@")
  fail("README.txt keeps a placeholder: ${CMAKE_MATCH_0}")
endif()
