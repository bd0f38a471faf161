# Turns an scdoc source into a gzip-compressed man page:
#   cmake -DSCDOC=<scdoc> -DSOURCE=<page.scd> -DPAGE=<page.1> -DDATE=<YYYY-MM-DD>
#         -P BuildManPage.cmake
# writes <page.1> and <page.1>.gz, dated DATE (the release date) rather than
# the day of the build, so the package is the same from one build to the next.
# Each is written under a temporary name and renamed when complete, so a failed
# run never leaves a page that make would take as up to date.
include(${CMAKE_CURRENT_LIST_DIR}/CompressFile.cmake)

foreach(required IN ITEMS SCDOC SOURCE PAGE DATE)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "BuildManPage.cmake needs -D${required}=...")
  endif()
endforeach()

# scdoc takes its date from SOURCE_DATE_EPOCH.
execute_process(COMMAND date --utc --date "${DATE}" +%s OUTPUT_VARIABLE epoch
                OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "'${DATE}' is not a date")
endif()
set(ENV{SOURCE_DATE_EPOCH} "${epoch}")

execute_process(COMMAND "${SCDOC}" INPUT_FILE "${SOURCE}" OUTPUT_FILE "${PAGE}.tmp"
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  file(REMOVE "${PAGE}.tmp")
  message(FATAL_ERROR "scdoc could not build ${PAGE} from ${SOURCE} (${result})")
endif()
file(RENAME "${PAGE}.tmp" "${PAGE}")
quillmoor_compress_file("${PAGE}" "${PAGE}.gz")
