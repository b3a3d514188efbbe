# `cmake --build <dir> --target release`: release/zelvane.exe without symbols,
# and release/zelvane-<version>.zip with it and the README, in the build
# directory. The zelvane.exe the tests run stays as it was linked.
find_program(ZELVANE_ZIP zip REQUIRED)
set(release_dir ${CMAKE_BINARY_DIR}/release)
set(release_exe ${release_dir}/zelvane.exe)
set(release_zip ${release_dir}/zelvane-${PROJECT_VERSION}.zip)
add_custom_target(release
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${release_dir}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${release_dir}
  COMMAND ${CMAKE_STRIP} --strip-all -o ${release_exe} $<TARGET_FILE:zelvane>
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/README.md ${release_dir}
  COMMAND ${ZELVANE_ZIP} -q -X -j ${release_zip} ${release_exe} ${release_dir}/README.md
  COMMAND ${CMAKE_COMMAND} -E rm -f ${release_dir}/README.md
  COMMAND ${CMAKE_COMMAND} -E echo "release: ${release_exe} and ${release_zip}"
  DEPENDS zelvane
  VERBATIM)
