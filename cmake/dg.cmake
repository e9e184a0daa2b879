# Compiler settings shared by the runtime, its programs and its tests.
function(dg_flags target)
  # Texts in code page 932: GCC compiles them so; for other compilers
  # dg_cp932() converts the sources.
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror
                         $<$<COMPILE_LANG_AND_ID:C,GNU>:-fexec-charset=CP932>
                         $<$<COMPILE_LANG_AND_ID:CXX,GNU>:-fexec-charset=CP932>)
  if(WIN32)
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
  endif()
endfunction()

# dg_add_program(NAME SOURCES...), the same for dg's own programs and for
# projects that take dg in with add_subdirectory or FetchContent.
include(${CMAKE_CURRENT_LIST_DIR}/dg_program.cmake)
