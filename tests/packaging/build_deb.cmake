# Builds the .deb from the finished build into OUT_DIR and unpacks it into
# OUT_DIR/root, for the tests that look at the package.
#   -DCPACK -DBUILD_DIR -DOUT_DIR -DVERSION
include(${CMAKE_CURRENT_LIST_DIR}/packaging_helpers.cmake)

file(REMOVE_RECURSE ${OUT_DIR})
quillmoor_run(output ${CPACK} -G DEB --config ${BUILD_DIR}/CPackConfig.cmake -B ${OUT_DIR})

quillmoor_run(arch dpkg --print-architecture)
string(STRIP "${arch}" arch)
set(deb ${OUT_DIR}/quillmoor_${VERSION}_${arch}.deb)
if(NOT EXISTS ${deb})
  file(GLOB made ${OUT_DIR}/*.deb)
  message(FATAL_ERROR "cpack did not make ${deb}; it made: ${made}\n${output}")
endif()
quillmoor_run(output dpkg-deb -x ${deb} ${OUT_DIR}/root)
