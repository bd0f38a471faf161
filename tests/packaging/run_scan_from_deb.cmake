# Runs quillmoor-scan as unpacked from the .deb: the stripped, packaged binary
# must start and scan, not just exist.
#   -DROOT -DVERSION -DSCRATCH
include(${CMAKE_CURRENT_LIST_DIR}/packaging_helpers.cmake)

set(scan ${ROOT}/usr/bin/quillmoor-scan)
file(REMOVE_RECURSE ${SCRATCH})
# A few kilobytes of text hold no disk image: the scan runs through and finds none.
string(REPEAT "no disk image here\n" 400 text)
file(WRITE ${SCRATCH}/plain.img "${text}")

# arguments ("|"-separated), then a regular expression for standard output
set(cases
    "--version" "^quillmoor-scan ${VERSION}\n$"
    "--dry-run|${SCRATCH}/plain.img" "Found files: 0\n$")
while(cases)
  list(POP_FRONT cases arguments pattern)
  string(REPLACE "|" " " shown "${arguments}")
  string(REPLACE "|" ";" arguments "${arguments}")
  quillmoor_run(output ${scan} ${arguments})
  if(NOT output MATCHES "${pattern}")
    message(FATAL_ERROR "quillmoor-scan ${shown} printed:\n${output}\nexpected to match: ${pattern}")
  endif()
endwhile()
