# `cmake --install` with a prefix other than /usr, into a scratch DESTDIR:
# every file must land under the prefix in the GNU layout (a destination
# written as an absolute path would land elsewhere), nothing else may be
# installed, and the programs must be executable.
#   -DBUILD_DIR -DSCRATCH -DAPP_ID -DWITH_WINDOW -DWITH_SCAN
include(${CMAKE_CURRENT_LIST_DIR}/packaging_helpers.cmake)

set(prefix opt/quillmoor)
file(REMOVE_RECURSE ${SCRATCH})
set(ENV{DESTDIR} ${SCRATCH})
quillmoor_run(output ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /${prefix})

file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE ${SCRATCH} ${SCRATCH}/*)
list(SORT installed)
quillmoor_expected_files(expected ${prefix} ${APP_ID} ${WITH_WINDOW} ${WITH_SCAN})
quillmoor_compare_files("The installation into ${SCRATCH}" "${expected}" "${installed}")

foreach(file IN LISTS installed)
  execute_process(COMMAND test -x ${SCRATCH}/${file} RESULT_VARIABLE notExecutable)
  if(file MATCHES "/bin/" AND notExecutable)
    message(FATAL_ERROR "${file} is installed without execute permission")
  elseif(NOT file MATCHES "/bin/" AND NOT notExecutable)
    message(FATAL_ERROR "${file} is installed executable, but it is data")
  endif()
endforeach()
