# What `cmake --install` puts under the prefix, and the package CPack makes of it:
#   include/dg.h, include/dgwin.h
#   lib/  the static libraries (and on Windows the manifest object dg_add_program links)
#   lib/cmake/dg/  the CMake package: find_package(dg) gives dg::dg and dg_add_program()
#   lib/pkgconfig/dg.pc
#   bin/  the demo and the examples (in the web build, pages: NAME.html, .js, .wasm, .data)
#   share/dg/  in the web build, what every page is made with: the page around the
#         canvas, the page's waits and dialogs, the Mincho face's pieces and their
#         licence (mincho/; the installed pages have a copy in bin/mincho/)
#   bin/dg, share/dg/source/  natively, the dg command (tools/dg: run, web and exe
#         of a folder) and dg's sources, from which it builds dg for Windows and
#         the browser
include(CMakePackageConfigHelpers)

set(dg_cmakedir ${CMAKE_INSTALL_LIBDIR}/cmake/dg)

install(FILES include/dg.h include/dgwin.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(TARGETS ${dg_targets} EXPORT dgTargets ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(EXPORT dgTargets NAMESPACE dg:: DESTINATION ${dg_cmakedir})
if(WIN32)
  install(FILES $<TARGET_OBJECTS:dg_manifest> DESTINATION ${CMAKE_INSTALL_LIBDIR}
          RENAME dg_manifest.o)
endif()

if(EMSCRIPTEN)
  install(FILES platform/web/web.js platform/web/shell.html platform/web/asyncify-add.txt
                platform/web/asyncify-remove.txt
          DESTINATION ${CMAKE_INSTALL_DATADIR}/dg)
  install(DIRECTORY ${dg_web_face_dir} DESTINATION ${CMAKE_INSTALL_DATADIR}/dg)
  # The toolchain a project builds its pages with, the same as dg's.
  install(FILES cmake/emscripten.cmake DESTINATION ${dg_cmakedir})
  install(PROGRAMS cmake/setup-emsdk.sh DESTINATION ${dg_cmakedir})
endif()

if(NOT WIN32 AND NOT EMSCRIPTEN)
  install(PROGRAMS tools/dg DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(DIRECTORY cmake host graphics include input platform seam tools
          DESTINATION ${CMAKE_INSTALL_DATADIR}/dg/source)
  install(FILES CMakeLists.txt CMakePresets.json dg.pc.in README.md CHANGELOG.md
          DESTINATION ${CMAKE_INSTALL_DATADIR}/dg/source)
endif()

set(DG_WINDOWS ${WIN32})
set(DG_WEB ${EMSCRIPTEN})
set(DG_X11 ${X11_FOUND})
configure_package_config_file(cmake/dgConfig.cmake.in ${PROJECT_BINARY_DIR}/dgConfig.cmake
                              INSTALL_DESTINATION ${dg_cmakedir}
                              PATH_VARS CMAKE_INSTALL_LIBDIR)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/dgConfigVersion.cmake
                                 COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/dgConfig.cmake ${PROJECT_BINARY_DIR}/dgConfigVersion.cmake
              cmake/dg_program.cmake cmake/cp932.py
        DESTINATION ${dg_cmakedir})

# pkg-config: the prefix is found from where dg.pc lies, so the tree can move.
file(RELATIVE_PATH DG_PC_PREFIX /p/${CMAKE_INSTALL_LIBDIR}/pkgconfig /p)
string(REGEX REPLACE "/$" "" DG_PC_PREFIX "${DG_PC_PREFIX}")
if(WIN32)
  set(DG_PC_REQUIRES "")
  set(DG_PC_LIBS "\${libdir}/dg_manifest.o -ldg_core -luser32 -lgdi32 -lmsimg32 -lkernel32 -lstdc++ -Wl,-u,WinMain -mwindows -static")
elseif(EMSCRIPTEN)
  set(DG_PC_REQUIRES "")
  set(DG_PC_LIBS "-ldg_entry -ldg_core -ldg_freetype -ldg_sdl2")
else()
  set(DG_PC_REQUIRES "sdl2 freetype2 fontconfig cgif")
  if(X11_FOUND)
    string(APPEND DG_PC_REQUIRES " x11")
    if(X11_Xi_FOUND)
      string(APPEND DG_PC_REQUIRES " xi")
    endif()
  endif()
  # The entry library's main comes first: it calls WinMain in dg_core, which calls Main.
  set(DG_PC_LIBS "-ldg_entry -ldg_core -lstdc++ -lm")
endif()
configure_file(dg.pc.in ${PROJECT_BINARY_DIR}/dg.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/dg.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

# dg's own programs (the demo, the examples); the test suite's come later and stay out.
get_property(dg_programs GLOBAL PROPERTY dg_programs)
if(dg_programs)
  install(TARGETS ${dg_programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  if(EMSCRIPTEN)
    # A page is its .html with the files beside it (.data only with FILES),
    # and the face's folder beside them all.
    foreach(program ${dg_programs})
      foreach(ext js wasm)
        install(FILES $<TARGET_FILE_DIR:${program}>/${program}.${ext} DESTINATION ${CMAKE_INSTALL_BINDIR})
      endforeach()
      install(FILES $<TARGET_FILE_DIR:${program}>/${program}.data DESTINATION ${CMAKE_INSTALL_BINDIR} OPTIONAL)
    endforeach()
    install(DIRECTORY ${dg_web_face_dir} DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endif()
if(WIN32)
  set(dg_docdir .)
else()
  set(dg_docdir ${CMAKE_INSTALL_DOCDIR})
endif()
install(FILES README.md CHANGELOG.md DESTINATION ${dg_docdir})

set(CPACK_PACKAGE_NAME dg)
set(CPACK_PACKAGE_VENDOR dg)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
if(WIN32)
  set(CPACK_GENERATOR ZIP)
else()
  set(CPACK_GENERATOR TGZ)
endif()
set(CPACK_SOURCE_GENERATOR "")
include(CPack)
