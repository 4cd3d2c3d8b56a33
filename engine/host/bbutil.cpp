// The EGL and window layer: the window in the navigator's orientation, the GL ES 1 context and
// surface, surface rotation, the frame swap and tear-down.
#include "platform_services.h"

#include <standin/standin.h>

#include <cstdio>
#include <cstdlib>

screen_context_t screen_ctx = nullptr;
screen_window_t screen_win = nullptr;
screen_display_t screen_disp = nullptr;
EGLDisplay egl_disp = EGL_NO_DISPLAY;
EGLConfig egl_conf = nullptr;
EGLContext egl_ctx = EGL_NO_CONTEXT;
EGLSurface egl_surf = EGL_NO_SURFACE;
int initialized = 0;

void bbutil_egl_perror(const char* msg) {
  static const char* errors[] = {
      "function succeeded",
      "EGL is not initialized, or could not be initialized, for the specified display",
      "cannot access a requested resource",
      "failed to allocate resources for the requested operation",
      "an unrecognized attribute or attribute value was passed in an attribute list",
      "an EGLConfig argument does not name a valid EGLConfig",
      "an EGLContext argument does not name a valid EGLContext",
      "the current surface of the calling thread is no longer valid",
      "an EGLDisplay argument does not name a valid EGLDisplay",
      "arguments are inconsistent",
      "an EGLNativePixmapType argument does not refer to a valid native pixmap",
      "an EGLNativeWindowType argument does not refer to a valid native window",
      "one or more argument values are invalid",
      "an EGLSurface argument does not name a valid surface configured for rendering",
      "a power management event has occurred",
      "unknown error code",
  };
  unsigned index = (unsigned)(eglGetError() - 0x3000);
  if (index > 15) index = 15;
  fprintf(stderr, "%s: %s\n", msg, errors[index]);
}

namespace {

int EglFail(const char* call) {
  bbutil_egl_perror(call);
  bbutil_terminate();
  return 1;
}

int ScreenFail(const char* call) {
  perror(call);
  bbutil_terminate();
  return 1;
}

// Rebuilds the window surface for the window's current buffer size; the context survives.
bool RecreateSurface() {
  egl_surf = standin::CreateEglSurface(egl_disp, egl_conf, screen_win);
  if (egl_surf == EGL_NO_SURFACE) {
    bbutil_egl_perror("eglCreateWindowSurface");
    return false;
  }
  if (eglMakeCurrent(egl_disp, egl_surf, egl_surf, egl_ctx) != EGL_TRUE) {
    bbutil_egl_perror("eglMakeCurrent");
    return false;
  }
  // The display's vertical sync paces the frames; where there is none, the stand-in's sleeping
  // cap does (AfterSwap).
  eglSwapInterval(egl_disp, 1);
  return true;
}

} // namespace

int bbutil_init_egl(screen_context_t ctx) {
  int usage = SCREEN_USAGE_OPENGL_ES1 | SCREEN_USAGE_ROTATION;
  int format = SCREEN_FORMAT_RGBX8888;
  screen_ctx = ctx;

  // The stand-in names the EGL platform of its backend (surfaceless or X11).
  egl_disp = standin::GetEglDisplay();
  if (egl_disp == EGL_NO_DISPLAY) return EglFail("eglGetDisplay");
  if (eglInitialize(egl_disp, nullptr, nullptr) != EGL_TRUE) return EglFail("eglInitialize");
  if (eglBindAPI(EGL_OPENGL_ES_API) != EGL_TRUE) return EglFail("eglBindApi");
  if (!standin::ChooseEglConfig(egl_disp, &egl_conf)) {
    bbutil_terminate();
    return 1;
  }
  egl_ctx = eglCreateContext(egl_disp, egl_conf, EGL_NO_CONTEXT, nullptr);
  if (egl_ctx == EGL_NO_CONTEXT) return EglFail("eglCreateContext");

  if (screen_create_window(&screen_win, screen_ctx) != 0) {
    screen_win = nullptr;
    return ScreenFail("screen_create_window");
  }
  if (screen_create_window_group(screen_win, g_window_group_name) != 0)
    return ScreenFail("screen_create_window_group");
  if (screen_set_window_property_iv(screen_win, SCREEN_PROPERTY_FORMAT, &format) != 0)
    return ScreenFail("screen_set_window_property_iv(SCREEN_PROPERTY_FORMAT)");
  if (screen_set_window_property_iv(screen_win, SCREEN_PROPERTY_USAGE, &usage) != 0)
    return ScreenFail("screen_set_window_property_iv(SCREEN_PROPERTY_USAGE)");
  if (screen_get_window_property_pv(screen_win, SCREEN_PROPERTY_DISPLAY, (void**)&screen_disp) != 0)
    return ScreenFail("screen_get_window_property_pv");
  if (screen_get_display_property_iv(screen_disp, SCREEN_PROPERTY_SIZE, g_screen_resolution) != 0)
    return ScreenFail("screen_get_display_property_iv");
  screen_display_mode_t mode = {};
  void* modeOut = &mode;
  if (screen_get_display_property_pv(screen_disp, SCREEN_PROPERTY_MODE, &modeOut) != 0)
    return ScreenFail("screen_get_display_property_pv");

  int size[2];
  if (screen_get_window_property_iv(screen_win, SCREEN_PROPERTY_BUFFER_SIZE, size) != 0)
    return ScreenFail("screen_get_window_property_iv");
  int buffer[2] = {size[0], size[1]};
  // A missing variable reads as 0, as atoi would give for an empty text.
  const char* env = getenv("ORIENTATION");
  int angle = env ? atoi(env) : 0;
  bool swap;
  if (angle == 0 || angle == 180)
    swap = (mode.width > mode.height && size[0] < size[1]) || (mode.width < mode.height && size[0] > size[1]);
  else if (angle == 90 || angle == 270)
    swap = (mode.width > mode.height && size[0] > size[1]) || (mode.width < mode.height && size[0] < size[1]);
  else {
    fprintf(stderr, "Navigator returned an unexpected orientation angle.\n");
    bbutil_terminate();
    return 1;
  }
  if (swap) {
    buffer[0] = size[1];
    buffer[1] = size[0];
  }
  if (screen_set_window_property_iv(screen_win, SCREEN_PROPERTY_BUFFER_SIZE, buffer) != 0)
    return ScreenFail("screen_set_window_property_iv");
  if (screen_set_window_property_iv(screen_win, SCREEN_PROPERTY_ROTATION, &angle) != 0)
    return ScreenFail("screen_set_window_property_iv");
  if (screen_create_window_buffers(screen_win, 2) != 0) return ScreenFail("screen_create_window_buffers");

  if (!RecreateSurface()) {
    bbutil_terminate();
    return 1;
  }
  initialized = 1;
  return 0;
}

void bbutil_terminate() {
  if (egl_disp != EGL_NO_DISPLAY) {
    eglMakeCurrent(egl_disp, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (egl_surf != EGL_NO_SURFACE) {
      eglDestroySurface(egl_disp, egl_surf);
      egl_surf = EGL_NO_SURFACE;
    }
    if (egl_ctx != EGL_NO_CONTEXT) {
      eglDestroyContext(egl_disp, egl_ctx);
      egl_ctx = EGL_NO_CONTEXT;
    }
    if (screen_win) {
      screen_destroy_window(screen_win);
      screen_win = nullptr;
    }
    eglTerminate(egl_disp);
    egl_disp = EGL_NO_DISPLAY;
  }
  eglReleaseThread();
  initialized = 0;
}

int bbutil_rotate_screen_surface(int angle) {
  if (angle != 0 && angle != 90 && angle != 180 && angle != 270) {
    fprintf(stderr, "Invalid angle\n");
    return 1;
  }
  int rotation = 0, size[2];
  if (screen_get_window_property_iv(screen_win, SCREEN_PROPERTY_ROTATION, &rotation) != 0 ||
      screen_get_window_property_iv(screen_win, SCREEN_PROPERTY_BUFFER_SIZE, size) != 0) {
    perror("screen_get_window_property_iv");
    return 1;
  }
  int delta = angle - rotation;
  if (delta == 90 || delta == -90 || delta == 270 || delta == -270) {
    if (eglMakeCurrent(egl_disp, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT) != EGL_TRUE) {
      bbutil_egl_perror("eglMakeCurrent");
      return 1;
    }
    if (eglDestroySurface(egl_disp, egl_surf) != EGL_TRUE) {
      bbutil_egl_perror("eglDestroySurface");
      return 1;
    }
    egl_surf = EGL_NO_SURFACE;
    int swapped[2] = {size[1], size[0]};
    if (screen_set_window_property_iv(screen_win, SCREEN_PROPERTY_SOURCE_SIZE, swapped) != 0 ||
        screen_set_window_property_iv(screen_win, SCREEN_PROPERTY_BUFFER_SIZE, swapped) != 0) {
      perror("screen_set_window_property_iv");
      return 1;
    }
    if (!RecreateSurface()) return 1;
  }
  if (screen_set_window_property_iv(screen_win, SCREEN_PROPERTY_ROTATION, &angle) != 0) {
    perror("screen_set_window_property_iv");
    return 1;
  }
  return 0;
}

bool bbutil_get_screen_rotation_angle(int& angle) {
  int rotation = 0;
  if (screen_get_window_property_iv(screen_win, SCREEN_PROPERTY_ROTATION, &rotation) != 0) {
    perror("screen_get_window_property_iv");
    return false;
  }
  angle = rotation;
  return true;
}

void bbutil_swap() {
  standin::BeforeSwap();
  if (eglSwapBuffers(egl_disp, egl_surf) != EGL_TRUE) bbutil_egl_perror("eglSwapBuffers");
  standin::AfterSwap();
}
