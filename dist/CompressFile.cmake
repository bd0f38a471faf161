# Compresses a file as Debian wants man pages and changelogs: gzip -9, without
# the file's name and time in the header, so the package is the same from one
# build to the next. The result is written under a temporary name and renamed
# when complete, so a failed run never leaves a file that make would take as
# up to date.
#   cmake -DINPUT=<file> -DOUTPUT=<file.gz> -P CompressFile.cmake
# or, from another script, include() it and call quillmoor_compress_file().

function(quillmoor_compress_file input output)
  execute_process(COMMAND gzip -9 -n -c "${input}" OUTPUT_FILE "${output}.tmp"
                  RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    file(REMOVE "${output}.tmp")
    message(FATAL_ERROR "gzip could not compress ${input} (${result})")
  endif()
  file(RENAME "${output}.tmp" "${output}")
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  if(NOT DEFINED INPUT OR NOT DEFINED OUTPUT)
    message(FATAL_ERROR "CompressFile.cmake needs -DINPUT=... -DOUTPUT=...")
  endif()
  quillmoor_compress_file("${INPUT}" "${OUTPUT}")
endif()
