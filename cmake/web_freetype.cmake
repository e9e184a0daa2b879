# FreeType for the pages (web.cmake): the sources of Emscripten's own FreeType
# port, the same version and options, built with only the modules a TrueType
# face needs (platform/web/freetype/config/ftmodule.h) and for size.
#   dg_freetype   the library; its headers for dg's own sources only
# The port's sources are where Emscripten keeps its ports (its cache); when
# they are missing, embuilder fetches them (or takes them from DG_PORTS /
# ../shared/ports through setup-emsdk.sh, see emscripten.cmake).
find_program(DG_EMBUILDER embuilder REQUIRED)
execute_process(COMMAND "${DG_EM_CONFIG_TOOL}" CACHE OUTPUT_VARIABLE dg_em_cache
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
# dg_port_sources(PORT DIR FILE): the port's sources in DIR of the cache,
# fetched by embuilder unless FILE is there already.
function(dg_port_sources port dir file)
  if(NOT EXISTS "${dg_em_cache}/ports/${port}/${dir}/${file}")
    message(STATUS "Fetching Emscripten's ${port} port")
    execute_process(COMMAND "${DG_EMBUILDER}" build ${port} OUTPUT_QUIET RESULT_VARIABLE bad)
    if(bad OR NOT EXISTS "${dg_em_cache}/ports/${port}/${dir}/${file}")
      message(FATAL_ERROR "no ${port} port sources in ${dg_em_cache}/ports/${port}/${dir} (embuilder build ${port})")
    endif()
  endif()
endfunction()
set(dg_ft_src "${dg_em_cache}/ports/freetype/FreeType-version_1")
dg_port_sources(freetype FreeType-version_1 src/base/ftinit.c)

# The port's own list, less the drivers of other font formats (bdf, cff, cid,
# pcf, pfr, type1, type42, winfonts), what only they use (psaux, pshinter,
# bzip2, lzw) and the cache subsystem nothing here calls.
set(dg_ft_sources autofit/autofit.c gzip/ftgzip.c psnames/psmodule.c raster/raster.c
    sfnt/sfnt.c smooth/smooth.c truetype/truetype.c)
foreach(base ftadvanc ftbbox ftbdf ftbitmap ftcalc ftcid ftdbgmem ftdebug ftfntfmt ftfstype
             ftgasp ftgloadr ftglyph ftgxval ftinit ftlcdfil ftmm ftobjs ftotval ftoutln ftpatent
             ftpfr ftrfork ftsnames ftstream ftstroke ftsynth ftsystem fttrigon fttype1 ftutil
             ftwinfnt)
  list(APPEND dg_ft_sources base/${base}.c)
endforeach()
list(TRANSFORM dg_ft_sources PREPEND "${dg_ft_src}/src/")
add_library(dg_freetype STATIC ${dg_ft_sources})
set_target_properties(dg_freetype PROPERTIES EXPORT_NAME freetype)
target_compile_definitions(dg_freetype PRIVATE FT2_BUILD_LIBRARY)
# Its warnings are FreeType's (the port too builds it with -w); the glyphs
# need no speed, only the bytes count.
target_compile_options(dg_freetype PRIVATE -w -Oz)
target_include_directories(dg_freetype SYSTEM BEFORE PUBLIC
  $<BUILD_INTERFACE:${dg_web_dir}/freetype> $<BUILD_INTERFACE:${dg_ft_src}/include>)
