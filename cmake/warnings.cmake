# Warnings for the project's own targets (not for GoogleTest's).
function(zelvane_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
    -Wsign-conversion -Wnon-virtual-dtor -Woverloaded-virtual -Wno-unknown-pragmas)
  if(ZELVANE_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
