# Compiler settings shared by the runtime, its programs and its tests.
function(dg_flags target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror -fexec-charset=CP932)
  if(WIN32)
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
  endif()
endfunction()

# dg_add_program(NAME SOURCES...), the same for dg's own programs and for
# projects that take dg in with add_subdirectory or FetchContent.
include(${CMAKE_CURRENT_LIST_DIR}/dg_program.cmake)
