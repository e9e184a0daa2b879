# SDL2 for the pages (web.cmake): the sources of Emscripten's own SDL2 port,
# the same version, built with its configuration less what dg leaves unused
# in a page (platform/web/sdl/SDL_config.h) and for size. dg's own sources
# still compile against the port's headers (-sUSE_SDL=2); only the library
# linked is this one.
#   dg_sdl2   the library
set(dg_sdl_src "${dg_em_cache}/ports/sdl2/SDL-release-2.0.20")
dg_port_sources(sdl2 SDL-release-2.0.20 src/SDL.c)
# The headers with that configuration in place of SDL's own (their quoted
# includes find SDL_config.h beside them first).
set(dg_sdl_include ${PROJECT_BINARY_DIR}/web/sdl-include)
file(COPY ${dg_sdl_src}/include/ DESTINATION ${dg_sdl_include})
configure_file(${dg_web_dir}/sdl/SDL_config.h ${dg_sdl_include}/SDL_config.h COPYONLY)

# The port's list, less audio, joysticks, haptics, sensors, the renderers
# and YUV conversion.
set(dg_sdl_sources
  SDL.c SDL_assert.c SDL_dataqueue.c SDL_error.c SDL_hints.c SDL_log.c atomic/SDL_atomic.c
  atomic/SDL_spinlock.c cpuinfo/SDL_cpuinfo.c dynapi/SDL_dynapi.c events/SDL_clipboardevents.c
  events/SDL_displayevents.c events/SDL_dropevents.c events/SDL_events.c events/SDL_gesture.c
  events/SDL_keyboard.c events/SDL_mouse.c events/SDL_quit.c events/SDL_touch.c
  events/SDL_windowevents.c file/SDL_rwops.c power/SDL_power.c render/SDL_render.c
  stdlib/SDL_crc32.c stdlib/SDL_getenv.c stdlib/SDL_iconv.c stdlib/SDL_malloc.c stdlib/SDL_qsort.c
  stdlib/SDL_stdlib.c stdlib/SDL_string.c stdlib/SDL_strtokr.c thread/SDL_thread.c
  timer/SDL_timer.c video/SDL_RLEaccel.c video/SDL_blit.c video/SDL_blit_0.c video/SDL_blit_1.c
  video/SDL_blit_A.c video/SDL_blit_N.c video/SDL_blit_auto.c video/SDL_blit_copy.c
  video/SDL_blit_slow.c video/SDL_bmp.c video/SDL_clipboard.c video/SDL_egl.c video/SDL_fillrect.c
  video/SDL_pixels.c video/SDL_rect.c video/SDL_shape.c video/SDL_stretch.c video/SDL_surface.c
  video/SDL_video.c video/SDL_yuv.c video/emscripten/SDL_emscriptenevents.c
  video/emscripten/SDL_emscriptenframebuffer.c video/emscripten/SDL_emscriptenmouse.c
  video/emscripten/SDL_emscriptenopengles.c video/emscripten/SDL_emscriptenvideo.c
  video/dummy/SDL_nullevents.c video/dummy/SDL_nullframebuffer.c video/dummy/SDL_nullvideo.c
  loadso/dlopen/SDL_sysloadso.c power/emscripten/SDL_syspower.c
  filesystem/emscripten/SDL_sysfilesystem.c timer/unix/SDL_systimer.c main/dummy/SDL_dummy_main.c
  locale/SDL_locale.c locale/emscripten/SDL_syslocale.c misc/SDL_url.c misc/dummy/SDL_sysurl.c
  thread/generic/SDL_syscond.c thread/generic/SDL_sysmutex.c thread/generic/SDL_syssem.c
  thread/generic/SDL_systhread.c thread/generic/SDL_systls.c
)
list(TRANSFORM dg_sdl_sources PREPEND "${dg_sdl_src}/src/")
add_library(dg_sdl2 STATIC ${dg_sdl_sources})
set_target_properties(dg_sdl2 PROPERTIES EXPORT_NAME sdl2)
target_include_directories(dg_sdl2 SYSTEM BEFORE PRIVATE ${dg_sdl_include})
# Its warnings are SDL's (the port too builds it with -w).
target_compile_options(dg_sdl2 PRIVATE -w -Oz)
