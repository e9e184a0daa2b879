# dg_add_program(NAME SOURCES... [SOURCE_CHARSET CP932|UTF-8] [FOLDER DIR] [FILES FILE...]):
# a program whose Main dg calls, linked with dg::dg; a GUI-subsystem executable
# on Windows, a web page (NAME.html with its .js, .wasm and .data) in the
# browser build.
#
# What it adds to the program:
# - Texts that dg shows are code page 932 (Shift_JIS). With GCC the program's
#   string literals are compiled to it (-fexec-charset=DG_EXEC_CHARSET, CP932
#   unless set otherwise), so a UTF-8 source can write "こんにちは" and the window
#   shows it. Compilers without that option (clang, and so Emscripten) get
#   sources whose plain literals are rewritten to CP932 first (dg_cp932, below;
#   it needs python3, which Emscripten needs anyway). Set DG_EXEC_CHARSET to an
#   empty value to keep the compiler's own.
# - Sources saved in code page 932 (as editors on Japanese Windows save them):
#   each C and C++ source that is not valid UTF-8 is read as CP932, with the
#   headers it includes (GCC: -finput-charset=CP932 on that source, its
#   literals keeping their bytes; other compilers: the rewritten copy, decoded
#   from CP932 first, beside copies of the CP932 headers of its folder).
#   SOURCE_CHARSET says it for every source of the program instead of the
#   guess. Line ends may be CRLF.
# - FILES: files the program reads (bitmaps for dg_loadbmp), given relative to
#   the current source folder, or to FOLDER, the folder the program runs in. A
#   page finds each in its file system at that same relative path (from its
#   working folder, /); elsewhere the program reads them where it runs, as
#   always.
# - In the browser: the Mincho face, in pieces a page fetches as its text
#   needs them, from the folder mincho/ of the site (dg_web_face, below).
# - On Windows: an application manifest that declares it DPI-aware, so Windows
#   shows its pixels one to one instead of stretching the window. (dg::dg itself
#   links the C and C++ runtimes in: the executable needs only the system's DLLs.)
# It adds no warning options: those stay the program's own choice.
set(DG_EXEC_CHARSET CP932 CACHE STRING
    "Execution character set of dg programs' string literals (GCC); empty for the compiler's own")

# dg_source_charset(PATH OUT): CP932 when the file is not valid UTF-8, else
# UTF-8. A file is read as two-digit bytes, each valid UTF-8 sequence of two
# to four bytes is taken out, and a byte of 0x80 or more left over tells.
function(dg_source_charset path out)
  file(READ "${path}" hex HEX)
  string(REGEX REPLACE "(..)" "\\1 " hex "${hex}")
  set(charset UTF-8)
  if(hex MATCHES "(^| )[89a-f]")
    set(cont "[89ab][0-9a-f] ")
    string(REGEX REPLACE "(c[2-9a-f]|d[0-9a-f]) ${cont}|e[0-9a-f] ${cont}${cont}|f[0-4] ${cont}${cont}${cont}"
           "" hex "${hex}")
    if(hex MATCHES "(^| )[89a-f]")
      set(charset CP932)
    endif()
  endif()
  set(${out} ${charset} PARENT_SCOPE)
endfunction()

# dg_web_face(TARGET): the page TARGET finds the Mincho face's pieces in
# DG_WEB_SITE/mincho/, the one folder all pages of the build share (so the
# browser fetches a piece once for them all): DG_WEB_SITE is the top of the
# build tree unless set otherwise. The face is copied there once from dg's
# (dg_web_face_dir); the page is told the way from its own folder (the
# target's RUNTIME_OUTPUT_DIRECTORY, else the current binary folder) and
# looks for mincho/ beside itself when the face is not found there.
set(DG_WEB_SITE "${CMAKE_BINARY_DIR}" CACHE PATH "The folder whose mincho/ the build's pages share")
function(dg_web_face target)
  set(site "${DG_WEB_SITE}/mincho")
  if(NOT TARGET dg_web_face AND NOT site STREQUAL dg_web_face_dir)
    add_custom_command(OUTPUT "${site}/single.ttf"
      COMMAND ${CMAKE_COMMAND} -E copy_directory "${dg_web_face_dir}" "${site}"
      DEPENDS "${dg_web_face_dir}/single.ttf"
      COMMENT "The Mincho face for the pages, in ${site}" VERBATIM)
    add_custom_target(dg_web_face DEPENDS "${site}/single.ttf")
    if(TARGET dg_web_mincho)
      add_dependencies(dg_web_face dg_web_mincho)
    endif()
  endif()
  if(TARGET dg_web_face)
    add_dependencies(${target} dg_web_face)
  endif()
  get_target_property(dir ${target} RUNTIME_OUTPUT_DIRECTORY)
  if(NOT dir)
    set(dir "${CMAKE_CURRENT_BINARY_DIR}")
  endif()
  file(RELATIVE_PATH url "${dir}" "${site}")
  set(js "${CMAKE_CURRENT_BINARY_DIR}/${target}.face.js")
  file(CONFIGURE OUTPUT "${js}" CONTENT "Module['dgFace'] = '${url}/';\n")
  target_link_options(${target} PRIVATE "SHELL:--pre-js \"${js}\"")
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS "${js}")
endfunction()

function(dg_add_program name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "SOURCE_CHARSET;FOLDER" "FILES")
  if(arg_SOURCE_CHARSET AND NOT arg_SOURCE_CHARSET MATCHES "^(CP932|UTF-8)$")
    message(FATAL_ERROR "dg_add_program(${name}): SOURCE_CHARSET is CP932 or UTF-8, not ${arg_SOURCE_CHARSET}")
  endif()
  add_executable(${name} WIN32 ${arg_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE dg::dg)
  if(DG_EXEC_CHARSET)
    target_compile_options(${name} PRIVATE
      $<$<COMPILE_LANG_AND_ID:C,GNU>:-fexec-charset=${DG_EXEC_CHARSET}>
      $<$<COMPILE_LANG_AND_ID:CXX,GNU>:-fexec-charset=${DG_EXEC_CHARSET}>)
  endif()
  # Each source's character set: said, or guessed from its bytes. A change of
  # a source asks for a new guess at the next build.
  foreach(src ${arg_UNPARSED_ARGUMENTS})
    get_filename_component(path "${src}" ABSOLUTE)
    if(NOT path MATCHES "\\.([cC]|[cC][cC]|[cC][pP][pP]|[cC][xX][xX])$")
      continue()
    endif()
    if(arg_SOURCE_CHARSET)
      set(charset ${arg_SOURCE_CHARSET})
    else()
      dg_source_charset("${path}" charset)
      set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${path}")
    endif()
    set_property(SOURCE "${path}" PROPERTY DG_SOURCE_CHARSET ${charset})
    if(charset STREQUAL "CP932" AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
      set_property(SOURCE "${path}" APPEND PROPERTY COMPILE_OPTIONS
                   -finput-charset=CP932 -fexec-charset=CP932)
    endif()
  endforeach()
  if(WIN32)
    target_link_libraries(${name} PRIVATE dg::manifest)
  endif()
  if(EMSCRIPTEN)
    set_target_properties(${name} PROPERTIES SUFFIX .html)
    dg_web_face(${name})
    set(base "${CMAKE_CURRENT_SOURCE_DIR}")
    if(arg_FOLDER)
      get_filename_component(base "${arg_FOLDER}" ABSOLUTE)
    endif()
    foreach(file ${arg_FILES})
      get_filename_component(path "${file}" ABSOLUTE BASE_DIR "${base}")
      file(RELATIVE_PATH rel "${base}" "${path}")
      target_link_options(${name} PRIVATE "SHELL:--preload-file \"${path}@/${rel}\"")
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

# dg_check_program(PROGRAM): PROGRAM-check, the program of dg_add_program
# PROGRAM built again with the check entry (dg::check) in place of the
# window's: it runs a check script headless (tools/check/runner.cpp). Only
# where the checks run: natively on Linux.
function(dg_check_program program)
  if(TARGET ${program}-check OR WIN32 OR EMSCRIPTEN OR NOT TARGET dg::check)
    return()
  endif()
  get_target_property(dir ${program} SOURCE_DIR)
  get_target_property(sources ${program} SOURCES)
  set(paths "")
  foreach(src ${sources})
    get_filename_component(path "${src}" ABSOLUTE BASE_DIR "${dir}")
    list(APPEND paths "${path}")
  endforeach()
  add_executable(${program}-check ${paths})
  target_link_libraries(${program}-check PRIVATE dg::check)
  foreach(property COMPILE_OPTIONS COMPILE_DEFINITIONS INCLUDE_DIRECTORIES COMPILE_FEATURES
                   C_STANDARD CXX_STANDARD)
    get_target_property(value ${program} ${property})
    if(value)
      set_property(TARGET ${program}-check PROPERTY ${property} "${value}")
    endif()
  endforeach()
  target_link_libraries(${program}-check PRIVATE $<$<NOT:$<LINK_LANGUAGE:CXX>>:stdc++;m>)
endfunction()

# dg_add_check(NAME SCRIPT FILE [PROGRAM TARGET] [WORKING_DIRECTORY DIR]): a
# test NAME that runs the check script FILE against the program TARGET
# (dg_add_program; NAME when not given) in DIR (default: the program's source
# folder), comparing its frames with the goldens in golden/ beside FILE; what
# differs is written to the build folder's check/. Natively on Linux;
# elsewhere none.
function(dg_add_check name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "SCRIPT;PROGRAM;WORKING_DIRECTORY" "")
  if(NOT arg_SCRIPT)
    message(FATAL_ERROR "dg_add_check(${name}): SCRIPT FILE is needed")
  endif()
  set(program ${name})
  if(arg_PROGRAM)
    set(program ${arg_PROGRAM})
  endif()
  if(WIN32 OR EMSCRIPTEN OR NOT TARGET dg::check)
    return()
  endif()
  dg_check_program(${program})
  get_filename_component(script "${arg_SCRIPT}" ABSOLUTE)
  get_target_property(dir ${program} SOURCE_DIR)
  if(arg_WORKING_DIRECTORY)
    set(dir "${arg_WORKING_DIRECTORY}")
  endif()
  add_test(NAME ${name} COMMAND ${program}-check --out "${CMAKE_CURRENT_BINARY_DIR}/check" "${script}"
           WORKING_DIRECTORY "${dir}")
  set_tests_properties(${name} PROPERTIES TIMEOUT 300)
endfunction()

# dg_cp932(TARGET): where the compiler cannot compile string literals to code
# page 932 itself (anything but GCC), the target's C and C++ sources are
# compiled from copies whose plain literals cp932.py rewrote in CP932 (the
# build tree's dg_cp932/TARGET/). A source in CP932 is decoded first. When
# there are such sources, the copies keep their places below the folder that
# holds them all, beside copies of the CP932 headers there, so that includes
# (also "../x.h") find the copies first; the originals' folders stay on the
# quoted include path, so their other headers are found as before.
function(dg_cp932 target)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    return()
  endif()
  find_package(Python3 COMPONENTS Interpreter REQUIRED)
  set(tool "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/cp932.py")
  get_target_property(sources ${target} SOURCES)
  get_target_property(srcdir ${target} SOURCE_DIR)
  get_target_property(bindir ${target} BINARY_DIR)
  set(work "${bindir}/dg_cp932/${target}")

  # The folder that holds every CP932 source (none when only / does), and
  # its CP932 headers.
  set(base "")
  set(nobase OFF)
  foreach(src ${sources})
    get_filename_component(path "${src}" ABSOLUTE BASE_DIR "${srcdir}")
    get_source_file_property(charset "${path}" DG_SOURCE_CHARSET)
    if(charset STREQUAL "CP932" AND NOT nobase)
      get_filename_component(dir "${path}" DIRECTORY)
      if(NOT base)
        set(base "${dir}")
      endif()
      string(FIND "${dir}/" "${base}/" at)
      while(NOT at EQUAL 0)
        get_filename_component(parent "${base}" DIRECTORY)
        if(parent STREQUAL base)
          set(base "")
          set(nobase ON)
          break()
        endif()
        set(base "${parent}")
        string(FIND "${dir}/" "${base}/" at)
      endwhile()
    endif()
  endforeach()
  set(headers "")
  if(base)
    file(GLOB_RECURSE found CONFIGURE_DEPENDS "${base}/*.h" "${base}/*.H" "${base}/*.hh" "${base}/*.hpp"
         "${base}/*.hxx" "${base}/*.inc")
    foreach(header ${found})
      # Build output (this build's, and dg run's dg-build/) is not the program's.
      string(FIND "${header}" "${CMAKE_BINARY_DIR}/" inbuild)
      if(inbuild EQUAL 0 OR header MATCHES "/(dg-build|CMakeFiles)/")
        continue()
      endif()
      dg_source_charset("${header}" charset)
      if(charset STREQUAL "CP932")
        file(RELATIVE_PATH rel "${base}" "${header}")
        set(out "${work}/tree/${rel}")
        get_filename_component(outdir "${out}" DIRECTORY)
        add_custom_command(OUTPUT "${out}"
                           COMMAND "${CMAKE_COMMAND}" -E make_directory "${outdir}"
                           COMMAND Python3::Interpreter "${tool}" --from-cp932 "${header}" "${out}"
                           DEPENDS "${header}" "${tool}" VERBATIM)
        list(APPEND headers "${out}")
      endif()
    endforeach()
  endif()

  set(converted "")
  set(dirs "")
  foreach(src ${sources})
    get_filename_component(path "${src}" ABSOLUTE BASE_DIR "${srcdir}")
    get_source_file_property(charset "${path}" DG_SOURCE_CHARSET)
    if(NOT path MATCHES "\\.([cC]|[cC][cC]|[cC][pP][pP]|[cC][xX][xX])$"
       OR (NOT charset STREQUAL "CP932" AND NOT DG_EXEC_CHARSET STREQUAL "CP932"))
      list(APPEND converted "${src}")
      continue()
    endif()
    set(from "")
    if(charset STREQUAL "CP932")
      set(from --from-cp932)
    endif()
    get_filename_component(dir "${path}" DIRECTORY)
    set(at -1)
    if(base)
      string(FIND "${dir}/" "${base}/" at)
    endif()
    if(at EQUAL 0)
      file(RELATIVE_PATH rel "${base}" "${path}")
      set(out "${work}/tree/${rel}")
    else()
      get_filename_component(file "${path}" NAME)
      string(MD5 key "${dir}")
      string(SUBSTRING "${key}" 0 8 key)
      set(out "${work}/${key}/${file}")
    endif()
    get_filename_component(outdir "${out}" DIRECTORY)
    add_custom_command(OUTPUT "${out}"
                       COMMAND "${CMAKE_COMMAND}" -E make_directory "${outdir}"
                       COMMAND Python3::Interpreter "${tool}" ${from} "${path}" "${out}"
                       DEPENDS "${path}" "${tool}" ${headers} VERBATIM)
    get_source_file_property(language "${path}" LANGUAGE)
    if(language)
      set_source_files_properties("${out}" PROPERTIES LANGUAGE ${language})
    endif()
    list(APPEND converted "${out}")
    list(APPEND dirs "${dir}")
  endforeach()
  if(NOT dirs)
    return()
  endif()
  list(REMOVE_DUPLICATES dirs)
  set_property(TARGET ${target} PROPERTY SOURCES ${converted})
  foreach(dir ${dirs})
    target_compile_options(${target} BEFORE PRIVATE "SHELL:-iquote \"${dir}\"")
  endforeach()
endfunction()
