# Web build: Debian's Emscripten with a config of its own (setup-emsdk.sh): a
# writable cache, the SDL2 and FreeType ports seeded where there is no network.
# The config is remembered in the build tree and passed to every emcc/em++ call
# (--em-config), so building later needs no environment at all.
#   cmake -S . -B build/web -DCMAKE_TOOLCHAIN_FILE=<this file> [-DDG_EMSDK=DIR]
# DG_EMSDK is where the config and the cache live (default ~/.cache/dg-emsdk);
# it is made on first use. DG_EM_CONFIG (or EM_CONFIG) names a config made
# before instead.
if(NOT DG_EM_CONFIG AND DEFINED ENV{EM_CONFIG})
  set(DG_EM_CONFIG "$ENV{EM_CONFIG}")
endif()
if(NOT DG_EM_CONFIG)
  if(NOT DG_EMSDK)
    if(DEFINED ENV{DG_EMSDK})
      set(DG_EMSDK "$ENV{DG_EMSDK}")
    else()
      set(DG_EMSDK "$ENV{HOME}/.cache/dg-emsdk")
    endif()
  endif()
  set(DG_EM_CONFIG "${DG_EMSDK}/emscripten.config")
endif()
# A DG_EMSDK of our own is set up again whenever it lacks the config or a
# port (made where there were no port archives and no network, say): the
# script seeds the ports from DG_PORTS or ../shared/ports once they are
# there, so no build asks the network for them. Once per configure.
get_property(dg_emsdk_checked GLOBAL PROPERTY DG_EMSDK_CHECKED)
if(DG_EMSDK AND DG_EM_CONFIG STREQUAL "${DG_EMSDK}/emscripten.config" AND NOT dg_emsdk_checked)
  set_property(GLOBAL PROPERTY DG_EMSDK_CHECKED TRUE)
  set(dg_setup_why "")
  if(NOT EXISTS "${DG_EM_CONFIG}")
    set(dg_setup_why "Setting up Emscripten in ${DG_EMSDK}")
  else()
    foreach(port sdl2 freetype)
      if(NOT EXISTS "${DG_EMSDK}/emcache/ports/${port}/.emscripten_url")
        set(dg_setup_why "Emscripten in ${DG_EMSDK} lacks the ${port} port: seeding it where it can")
      endif()
    endforeach()
  endif()
  if(dg_setup_why)
    message(STATUS "${dg_setup_why}")
    execute_process(COMMAND "${CMAKE_CURRENT_LIST_DIR}/setup-emsdk.sh" "${DG_EMSDK}"
                    OUTPUT_QUIET RESULT_VARIABLE dg_setup)
    if(NOT dg_setup EQUAL 0)
      message(FATAL_ERROR "setup-emsdk.sh ${DG_EMSDK} failed")
    endif()
  endif()
endif()
if(NOT EXISTS "${DG_EM_CONFIG}")
  message(FATAL_ERROR "no Emscripten config at ${DG_EM_CONFIG} (setup-emsdk.sh makes one)")
endif()
set(DG_EM_CONFIG "${DG_EM_CONFIG}" CACHE FILEPATH "Emscripten config (setup-emsdk.sh)")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES DG_EM_CONFIG)
# Debian's toolchain file asks `em-config CACHE` for the sysroot.
set(ENV{EM_CONFIG} "${DG_EM_CONFIG}")

find_program(DG_EM_CONFIG_TOOL em-config REQUIRED)
execute_process(COMMAND "${DG_EM_CONFIG_TOOL}" EMSCRIPTEN_ROOT
                OUTPUT_VARIABLE dg_em_root OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
include("${dg_em_root}/cmake/Modules/Platform/Emscripten.cmake")
# Packages (dg's own among them) are found where the project says, not only in
# Emscripten's sysroot.
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

# (CMake reads a toolchain file more than once: add the flag once; emcc takes
# only one --em-config and would read a second one's file as a source.)
foreach(lang C CXX)
  if(NOT CMAKE_${lang}_FLAGS_INIT MATCHES "--em-config")
    string(APPEND CMAKE_${lang}_FLAGS_INIT " --em-config ${DG_EM_CONFIG}")
  endif()
endforeach()
