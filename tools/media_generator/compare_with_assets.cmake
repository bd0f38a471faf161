# Runs the generator into a scratch folder and compares what it makes with
# the committed assets byte for byte.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
execute_process(COMMAND "${GENERATOR}" "${WORK}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "media_generator failed: ${status}")
endif()
foreach(name splash.png completion.ogg)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${WORK}/${name}" "${ASSETS}/${name}"
                  RESULT_VARIABLE different)
  if(different)
    message(FATAL_ERROR "${name} differs from the committed asset")
  endif()
endforeach()
