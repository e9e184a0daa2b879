# Compiler settings shared by the runtime, its programs and its tests.
function(dg_flags target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror -fexec-charset=CP932)
  if(WIN32)
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
  endif()
endfunction()

# dg_add_program(NAME SOURCES...): a hosted program, whose Main the runtime
# calls. A GUI-subsystem executable on Windows.
function(dg_add_program name)
  add_executable(${name} WIN32 ${ARGN})
  target_link_libraries(${name} PRIVATE dg::dg)
  dg_flags(${name})
endfunction()
