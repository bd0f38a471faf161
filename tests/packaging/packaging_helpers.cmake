# The files an installation holds, relative to the root it was installed into,
# for a given prefix ("usr" for the package) and the programs this build makes.
# A file that is missing, or one that is there without being listed, is a fault.
function(quillmoor_expected_files out prefix appId withWindow withScan)
  set(files share/doc/quillmoor/copyright share/doc/quillmoor/changelog.gz)
  if(withScan)
    list(APPEND files bin/quillmoor-scan share/man/man1/quillmoor-scan.1.gz)
  endif()
  if(withWindow)
    list(APPEND files
         bin/quillmoor
         share/man/man1/quillmoor.1.gz
         share/applications/${appId}.desktop
         share/metainfo/${appId}.metainfo.xml
         share/icons/hicolor/scalable/apps/${appId}.svg)
    foreach(size IN ITEMS 16 32 48 64 128 256)
      list(APPEND files share/icons/hicolor/${size}x${size}/apps/${appId}.png)
    endforeach()
  endif()
  list(TRANSFORM files PREPEND "${prefix}/")
  list(SORT files)
  set(${out} ${files} PARENT_SCOPE)
endfunction()

# Fails with a list of what is missing and what should not be there.
function(quillmoor_compare_files what expected actual)
  set(missing ${expected})
  set(unexpected ${actual})
  if(actual)
    list(REMOVE_ITEM missing ${actual})
  endif()
  if(expected)
    list(REMOVE_ITEM unexpected ${expected})
  endif()
  if(missing OR unexpected)
    list(JOIN missing "\n  " missingText)
    list(JOIN unexpected "\n  " unexpectedText)
    message(FATAL_ERROR "${what} does not hold the expected files.\n"
                        "Missing:\n  ${missingText}\nNot expected:\n  ${unexpectedText}\n"
                        "(A new file that belongs there goes into "
                        "quillmoor_expected_files in tests/packaging/packaging_helpers.cmake.)")
  endif()
endfunction()

# Runs a command; fails, showing its output, unless it exits with status 0.
function(quillmoor_run out)
  execute_process(COMMAND ${ARGN} OUTPUT_VARIABLE output ERROR_VARIABLE errors
                  RESULT_VARIABLE result)
  if(NOT result STREQUAL "0")
    list(JOIN ARGN " " command)
    message(FATAL_ERROR "'${command}' failed (${result}):\n${output}${errors}")
  endif()
  set(${out} "${output}" PARENT_SCOPE)
endfunction()
