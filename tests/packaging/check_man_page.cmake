# The man page and the program agree: every option `quillmoor-scan --help`
# lists is documented in the page, and the page documents no option the
# program does not have. Also checks that the built page is a gzip-compressed
# man page of section 1.
#   -DSCAN -DMAN_SOURCE -DMAN_PAGE_GZ
include(${CMAKE_CURRENT_LIST_DIR}/packaging_helpers.cmake)

# Options in --help: the first column of the indented lines that start with
# "-", such as "  -o,--output-dir DIR   Write the images ...".
quillmoor_run(help ${SCAN} --help)
string(REPLACE "\n" ";" helpLines "${help}")
set(helpOptions)
foreach(line IN LISTS helpLines)
  if(line MATCHES "^ +(-[^ ]+)")
    string(REPLACE "," ";" names "${CMAKE_MATCH_1}")
    list(APPEND helpOptions ${names})
  endif()
endforeach()
if(NOT helpOptions)
  message(FATAL_ERROR "No options found in quillmoor-scan --help:\n${help}")
endif()

# Options in the page: the bold names on the item lines of its OPTIONS
# section, such as "*-o* _DIR_, *--output-dir* _DIR_".
file(READ ${MAN_SOURCE} page)
if(NOT page MATCHES "\n# OPTIONS\n(.*)\n# [A-Z]")
  message(FATAL_ERROR "${MAN_SOURCE} has no OPTIONS section")
endif()
string(REPLACE "\n" ";" optionLines "${CMAKE_MATCH_1}")
set(pageOptions)
foreach(line IN LISTS optionLines)
  if(line MATCHES "^\\*-")
    string(REGEX MATCHALL "\\*-[-A-Za-z]+\\*" names "${line}")
    list(TRANSFORM names STRIP)
    list(TRANSFORM names REPLACE "\\*" "")
    list(APPEND pageOptions ${names})
  endif()
endforeach()

set(undocumented ${helpOptions})
list(REMOVE_ITEM undocumented ${pageOptions})
set(unknown ${pageOptions})
list(REMOVE_ITEM unknown ${helpOptions})
if(undocumented OR unknown)
  message(FATAL_ERROR "The man page and --help disagree.\n"
                      "In --help only: ${undocumented}\nIn the man page only: ${unknown}")
endif()

quillmoor_run(roff gzip --decompress --stdout ${MAN_PAGE_GZ})
if(NOT roff MATCHES "\n\\.TH \"quillmoor-scan\" \"1\"")
  message(FATAL_ERROR "${MAN_PAGE_GZ} is not the section 1 page of quillmoor-scan")
endif()
