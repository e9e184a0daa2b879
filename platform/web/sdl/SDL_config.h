/* SDL's configuration for the pages: Emscripten's own, less what dg does not
   use there: audio, joysticks, sensors, the renderers and OpenGL, YUV,
   run-length encoding, and the blitters of blending and the generated ones
   (BMP files are converted by the others, which every conversion of them
   chose before these). The window is shown through the canvas. */
#ifndef SDL_config_h_
#define SDL_config_h_

#include "SDL_platform.h"
#include "SDL_config_emscripten.h"

#undef SDL_AUDIO_DRIVER_EMSCRIPTEN
#undef SDL_AUDIO_DRIVER_DISK
#undef SDL_AUDIO_DRIVER_DUMMY
#define SDL_AUDIO_DISABLED 1
#undef SDL_JOYSTICK_EMSCRIPTEN
#define SDL_JOYSTICK_DISABLED 1
#undef SDL_SENSOR_DUMMY
#define SDL_SENSOR_DISABLED 1
#undef SDL_VIDEO_RENDER_OGL_ES2
#define SDL_RENDER_DISABLED 1
#define SDL_VIDEO_RENDER_SW 0
#undef SDL_VIDEO_OPENGL_ES2
#undef SDL_VIDEO_OPENGL_EGL
#define SDL_HAVE_BLIT_A 0
#define SDL_HAVE_BLIT_N_RGB565 0
#define SDL_HAVE_BLIT_AUTO 0
#define SDL_HAVE_RLE 0
#define SDL_HAVE_YUV 0

#endif
