# dg_add_program(NAME SOURCES... [FILES FILE...]): a program whose Main dg
# calls, linked with dg::dg; a GUI-subsystem executable on Windows, a web page
# (NAME.html with its .js, .wasm and .data) in the browser build.
#
# What it adds to the program:
# - Texts that dg shows are code page 932 (Shift_JIS). With GCC the program's
#   string literals are compiled to it (-fexec-charset=DG_EXEC_CHARSET, CP932
#   unless set otherwise), so a UTF-8 source can write "こんにちは" and the window
#   shows it. Compilers without that option (clang, and so Emscripten) get
#   sources whose plain literals are rewritten to CP932 first (dg_cp932, below;
#   it needs python3, which Emscripten needs anyway). Set DG_EXEC_CHARSET to an
#   empty value to keep the compiler's own.
# - FILES: files the program reads (bitmaps for dg_loadbmp), given relative to
#   the current source folder. A page finds each in its file system at that
#   same relative path (from its working folder, /); elsewhere the program
#   reads them where it runs, as always.
# - On Windows: an application manifest that declares it DPI-aware, so Windows
#   shows its pixels one to one instead of stretching the window. (dg::dg itself
#   links the C and C++ runtimes in: the executable needs only the system's DLLs.)
# It adds no warning options: those stay the program's own choice.
set(DG_EXEC_CHARSET CP932 CACHE STRING
    "Execution character set of dg programs' string literals (GCC); empty for the compiler's own")

function(dg_add_program name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "FILES")
  add_executable(${name} WIN32 ${arg_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE dg::dg)
  if(DG_EXEC_CHARSET)
    target_compile_options(${name} PRIVATE
      $<$<COMPILE_LANG_AND_ID:C,GNU>:-fexec-charset=${DG_EXEC_CHARSET}>
      $<$<COMPILE_LANG_AND_ID:CXX,GNU>:-fexec-charset=${DG_EXEC_CHARSET}>)
  endif()
  if(WIN32)
    target_link_libraries(${name} PRIVATE dg::manifest)
  endif()
  if(EMSCRIPTEN)
    set_target_properties(${name} PROPERTIES SUFFIX .html)
    foreach(file ${arg_FILES})
      get_filename_component(path "${file}" ABSOLUTE)
      file(RELATIVE_PATH rel "${CMAKE_CURRENT_SOURCE_DIR}" "${path}")
      target_link_options(${name} PRIVATE "SHELL:--preload-file ${path}@/${rel}")
      set_property(TARGET ${name} APPEND PROPERTY LINK_DEPENDS "${path}")
    endforeach()
  endif()
  dg_cp932(${name})

  # dg's own programs (added by dg's project itself) get its strict flags and
  # are recorded for installing.
  get_filename_component(root "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/.." ABSOLUTE)
  if(PROJECT_SOURCE_DIR STREQUAL root AND COMMAND dg_flags)
    dg_flags(${name})
    set_property(GLOBAL APPEND PROPERTY dg_programs ${name})
  endif()
endfunction()

# dg_cp932(TARGET): where the compiler cannot compile string literals to code
# page 932 itself (anything but GCC), the target's C and C++ sources are
# compiled from copies whose plain literals cp932.py rewrote in CP932 (the
# build tree's dg_cp932/TARGET/). The originals' folders stay on the quoted
# include path, so their own headers are found as before.
function(dg_cp932 target)
  if(NOT DG_EXEC_CHARSET STREQUAL "CP932" OR CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    return()
  endif()
  find_package(Python3 COMPONENTS Interpreter REQUIRED)
  set(tool "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/cp932.py")
  get_target_property(sources ${target} SOURCES)
  get_target_property(srcdir ${target} SOURCE_DIR)
  get_target_property(bindir ${target} BINARY_DIR)
  set(converted "")
  set(dirs "")
  foreach(src ${sources})
    get_filename_component(path "${src}" ABSOLUTE BASE_DIR "${srcdir}")
    if(NOT path MATCHES "\\.(c|cc|cpp|cxx)$")
      list(APPEND converted "${src}")
      continue()
    endif()
    get_filename_component(dir "${path}" DIRECTORY)
    get_filename_component(file "${path}" NAME)
    string(MD5 key "${dir}")
    string(SUBSTRING "${key}" 0 8 key)
    set(out "${bindir}/dg_cp932/${target}/${key}/${file}")
    get_filename_component(outdir "${out}" DIRECTORY)
    add_custom_command(OUTPUT "${out}"
                       COMMAND "${CMAKE_COMMAND}" -E make_directory "${outdir}"
                       COMMAND Python3::Interpreter "${tool}" "${path}" "${out}"
                       DEPENDS "${path}" "${tool}" VERBATIM)
    list(APPEND converted "${out}")
    list(APPEND dirs "${dir}")
  endforeach()
  list(REMOVE_DUPLICATES dirs)
  set_property(TARGET ${target} PROPERTY SOURCES ${converted})
  foreach(dir ${dirs})
    target_compile_options(${target} BEFORE PRIVATE "SHELL:-iquote \"${dir}\"")
  endforeach()
endfunction()
