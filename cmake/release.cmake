# `cmake --build <dir> --target release`: zelvane.exe without symbols, and
# zelvane-<version>.zip with it and the README, both in the build directory.
find_program(ZELVANE_ZIP zip)
set(release_zip ${CMAKE_BINARY_DIR}/zelvane-${PROJECT_VERSION}.zip)
set(release_stage ${CMAKE_BINARY_DIR}/release)
add_custom_target(release
  COMMAND ${CMAKE_STRIP} --strip-all $<TARGET_FILE:zelvane>
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${release_stage} ${release_zip}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${release_stage}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:zelvane> ${PROJECT_SOURCE_DIR}/README.md ${release_stage}
  COMMAND ${ZELVANE_ZIP} -q -X -j ${release_zip} ${release_stage}/zelvane.exe ${release_stage}/README.md
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${release_stage}
  COMMAND ${CMAKE_COMMAND} -E echo "release: ${release_zip}"
  DEPENDS zelvane
  VERBATIM)
