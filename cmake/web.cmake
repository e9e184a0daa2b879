# The browser build (Emscripten, cmake/emscripten.cmake): platform/ over
# Emscripten's SDL2 and FreeType ports, every program a page.
#
#   dg_web_port_flags   compile options of the files that include SDL
#                       (without -sUSE_SDL=2 <SDL.h> is Emscripten's SDL 1.2)
#   dg_freetype         FreeType, from the port's sources (web_freetype.cmake)
#   dg_sdl2             SDL2, from the port's sources (web_sdl.cmake)
#   dg_web_link(TARGET [SCOPE])
#                       what every program links (INTERFACE for dg::dg): the ports, Asyncify, the page
#                       around the canvas (platform/web/shell.html), the waits and
#                       dialogs of platform/web/web.js (the Mincho face comes
#                       from the site's folder: dg_web_face, dg_program.cmake)
#   dg_web_mincho       the Mincho face: IPA Mincho cut to code page 932 in
#                       pieces (platform/web/mincho.py), in the build tree's
#                       mincho/ (dg_web_face_dir) with the IPA Font License

set(dg_web_port_flags -sUSE_SDL=2)
# dg's pixel loops compile to WebAssembly's SIMD, its fills and copies to
# memory.fill and memory.copy, and a conversion of a double to an integer (a
# circle's every vertex) to one saturating instruction instead of a range
# check around a trapping one (every browser of the last few years has all
# three): dg_core (CMakeLists.txt) and everything made after this.
set(dg_web_code_flags -msimd128 -mbulk-memory -mnontrapping-fptoint)
add_compile_options(${dg_web_code_flags})
# The functions of web.js that wait (Asyncify).
set(dg_web_waits dg_wait_input,dg_yield,dg_ask_dialog,dg_fetch_faces)
set(dg_web_dir ${PROJECT_SOURCE_DIR}/platform/web)
set(dg_web_sharedir ${CMAKE_INSTALL_DATADIR}/dg)
include(${CMAKE_CURRENT_LIST_DIR}/web_freetype.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/web_sdl.cmake)

# IPA Mincho from Debian's fonts-ipafont-mincho, cut by fontTools
# (python3-fonttools): a Python that has it, Debian's own first.
find_file(DG_MINCHO_SOURCE ipam.ttf NO_CMAKE_FIND_ROOT_PATH
          PATHS /usr/share/fonts/opentype/ipafont-mincho /usr/share/fonts/truetype/ipafont-mincho)
if(NOT DG_MINCHO_SOURCE)
  message(FATAL_ERROR "IPA Mincho (ipam.ttf, Debian's fonts-ipafont-mincho) is needed for the pages")
endif()
set(dg_font_python "")
foreach(candidate /usr/bin/python3 python3)
  execute_process(COMMAND ${candidate} -c "import fontTools" RESULT_VARIABLE bad
                  OUTPUT_QUIET ERROR_QUIET)
  if(bad EQUAL 0)
    set(dg_font_python ${candidate})
    break()
  endif()
endforeach()
if(NOT dg_font_python)
  message(FATAL_ERROR "a python3 with fontTools (Debian's python3-fonttools) is needed for the pages")
endif()
find_file(DG_MINCHO_LICENSE copyright NO_CMAKE_FIND_ROOT_PATH
          PATHS /usr/share/doc/fonts-ipafont-mincho NO_DEFAULT_PATH)
# The face's pieces (single.ttf and one file for each block of double-byte
# codes), with the licence among them: the folder every page of a site shares.
set(dg_web_face_dir ${PROJECT_BINARY_DIR}/mincho CACHE INTERNAL "")
add_custom_command(
  OUTPUT ${dg_web_face_dir}/single.ttf ${dg_web_face_dir}/IPA_Font_License.txt
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${dg_web_face_dir}
  COMMAND ${dg_font_python} ${dg_web_dir}/mincho.py ${DG_MINCHO_SOURCE} ${dg_web_face_dir}
  COMMAND ${CMAKE_COMMAND} -E copy ${DG_MINCHO_LICENSE} ${dg_web_face_dir}/IPA_Font_License.txt
  DEPENDS ${dg_web_dir}/mincho.py ${DG_MINCHO_SOURCE}
  COMMENT "The pages' Mincho face: IPA Mincho cut to code page 932, in pieces" VERBATIM)
add_custom_target(dg_web_mincho DEPENDS ${dg_web_face_dir}/single.ttf)

function(dg_web_link target)
  set(scope INTERFACE)
  if(ARGC GREATER 1)
    set(scope ${ARGV1})
  endif()
  # Every program links dg_core: made after the face, a program's link finds it.
  add_dependencies(dg_core dg_web_mincho)
  set(js $<BUILD_INTERFACE:${dg_web_dir}/web.js>$<INSTALL_INTERFACE:$<INSTALL_PREFIX>/${dg_web_sharedir}/web.js>)
  set(shell $<BUILD_INTERFACE:${dg_web_dir}/shell.html>$<INSTALL_INTERFACE:$<INSTALL_PREFIX>/${dg_web_sharedir}/shell.html>)
  set(add $<BUILD_INTERFACE:${dg_web_dir}/asyncify-add.txt>$<INSTALL_INTERFACE:$<INSTALL_PREFIX>/${dg_web_sharedir}/asyncify-add.txt>)
  set(remove $<BUILD_INTERFACE:${dg_web_dir}/asyncify-remove.txt>$<INSTALL_INTERFACE:$<INSTALL_PREFIX>/${dg_web_sharedir}/asyncify-remove.txt>)
  target_link_options(${target} ${scope}
    # The runtime's loops (getch, wait, message boxes) wait through Asyncify;
    # deep call chains wait too (a test's), hence the larger stack for it.
    # Only the functions that can reach a wait by direct calls are made ready
    # to be suspended, and those of asyncify-add.txt, which reach one
    # through a function pointer (the window procedure); those of
    # asyncify-remove.txt never wait here (SDL's, with its Asyncify hint off).
    -sASYNCIFY -sASYNCIFY_STACK_SIZE=65536
    "-sASYNCIFY_IMPORTS=[${dg_web_waits}]"
    -sASYNCIFY_IGNORE_INDIRECT=1 -mbulk-memory
    "-sASYNCIFY_ADD=@${add}"
    "-sASYNCIFY_REMOVE=@${remove}"
    -sALLOW_MEMORY_GROWTH=1
    # The exit code reaches the page (Module.onExit) only with the runtime ended.
    -sEXIT_RUNTIME=1
    # Debian's Emscripten has no HTML minifier.
    -sMINIFY_HTML=0
    "SHELL:--js-library ${js}"
    "SHELL:--shell-file ${shell}")
  if(scope STREQUAL "INTERFACE")
    set_property(TARGET ${target} APPEND PROPERTY INTERFACE_LINK_DEPENDS
      $<BUILD_INTERFACE:${dg_web_dir}/web.js> $<BUILD_INTERFACE:${dg_web_dir}/shell.html>
      $<BUILD_INTERFACE:${dg_web_dir}/asyncify-add.txt> $<BUILD_INTERFACE:${dg_web_dir}/asyncify-remove.txt>)
  else()
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS
      ${dg_web_dir}/web.js ${dg_web_dir}/shell.html
      ${dg_web_dir}/asyncify-add.txt ${dg_web_dir}/asyncify-remove.txt)
  endif()
endfunction()
