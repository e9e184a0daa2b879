# dg_add_program(NAME SOURCES...): a program whose Main dg calls, linked with
# dg::dg; a GUI-subsystem executable on Windows.
#
# What it adds to the program:
# - Texts that dg shows are code page 932 (Shift_JIS). With GCC the program's
#   string literals are compiled to it (-fexec-charset=DG_EXEC_CHARSET, CP932
#   unless set otherwise), so a UTF-8 source can write "こんにちは" and the window
#   shows it. Set DG_EXEC_CHARSET to an empty value to keep the compiler's own;
#   other compilers keep theirs (clang has only UTF-8).
# - On Windows: an application manifest that declares it DPI-aware, so Windows
#   shows its pixels one to one instead of stretching the window. (dg::dg itself
#   links the C and C++ runtimes in: the executable needs only the system's DLLs.)
# It adds no warning options: those stay the program's own choice.
set(DG_EXEC_CHARSET CP932 CACHE STRING
    "Execution character set of dg programs' string literals (GCC); empty for the compiler's own")

function(dg_add_program name)
  add_executable(${name} WIN32 ${ARGN})
  target_link_libraries(${name} PRIVATE dg::dg)
  if(DG_EXEC_CHARSET)
    target_compile_options(${name} PRIVATE
      $<$<COMPILE_LANG_AND_ID:C,GNU>:-fexec-charset=${DG_EXEC_CHARSET}>
      $<$<COMPILE_LANG_AND_ID:CXX,GNU>:-fexec-charset=${DG_EXEC_CHARSET}>)
  endif()
  if(WIN32)
    target_link_libraries(${name} PRIVATE dg::manifest)
  endif()

  # dg's own programs (added by dg's project itself) get its strict flags and
  # are recorded for installing.
  get_filename_component(root "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/.." ABSOLUTE)
  if(PROJECT_SOURCE_DIR STREQUAL root AND COMMAND dg_flags)
    dg_flags(${name})
    set_property(GLOBAL APPEND PROPERTY dg_programs ${name})
  endif()
endfunction()
