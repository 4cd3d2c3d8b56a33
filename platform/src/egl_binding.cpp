// EGL for the two backends: Mesa's surfaceless platform with a pbuffer (headless) or X11 with the
// SDL window's native handle (desktop); the screenshots taken before a frame is presented, and how
// far a headless run's frames may run ahead of the driver.
#include "internal.h"

#include <EGL/eglext.h>
#include <GLES/gl.h>

#include <cstring>

namespace standin {
using namespace detail;

namespace {

EGLint Attrib(EGLDisplay display, EGLConfig config, EGLint name) {
  EGLint v = 0;
  eglGetConfigAttrib(display, config, name, &v);
  return v;
}

bool HasBits(EGLint value, EGLint bits) { return (value & bits) == bits; }

} // namespace

EGLDisplay GetEglDisplay() {
  auto getPlatformDisplay = (PFNEGLGETPLATFORMDISPLAYEXTPROC)eglGetProcAddress("eglGetPlatformDisplayEXT");
  if (!getPlatformDisplay) return EGL_NO_DISPLAY;
  EGLenum platform =
      S().config.backend == Backend::Headless ? EGL_PLATFORM_SURFACELESS_MESA : EGL_PLATFORM_X11_KHR;
  return getPlatformDisplay(platform, EGL_DEFAULT_DISPLAY, nullptr);
}

bool FindEglConfig(EGLDisplay display, int red, int green, int blue, int alpha, EGLint surfaceType,
                   EGLConfig* config) {
  EGLint count = 0;
  if (!eglGetConfigs(display, nullptr, 0, &count) || count <= 0) return false;
  std::vector<EGLConfig> all((size_t)count);
  if (!eglGetConfigs(display, all.data(), count, &count)) return false;
  for (EGLConfig c : all) {
    if (!HasBits(Attrib(display, c, EGL_RENDERABLE_TYPE), EGL_OPENGL_ES_BIT)) continue;
    if (!HasBits(Attrib(display, c, EGL_SURFACE_TYPE), surfaceType)) continue;
    if (Attrib(display, c, EGL_RED_SIZE) == red && Attrib(display, c, EGL_GREEN_SIZE) == green &&
        Attrib(display, c, EGL_BLUE_SIZE) == blue && Attrib(display, c, EGL_ALPHA_SIZE) == alpha) {
      *config = c;
      return true;
    }
  }
  return false;
}

bool ChooseEglConfig(EGLDisplay display, EGLConfig* config) {
  // Headless renders into an exact 5-6-5 pbuffer like the tablet's screen; Mesa lists deeper
  // configurations first, so it is searched for. The desktop window has the screen's default
  // 24-bit visual, which only an 8-8-8 configuration matches.
  if (S().config.backend == Backend::Headless)
    return FindEglConfig(display, 5, 6, 5, 0, EGL_PBUFFER_BIT, config);
  return FindEglConfig(display, 8, 8, 8, 0, EGL_WINDOW_BIT, config);
}

EGLSurface CreateEglSurface(EGLDisplay display, EGLConfig config, screen_window_t window) {
  if (!window) return EGL_NO_SURFACE;
  if (S().config.backend == Backend::Headless) {
    const EGLint attribs[] = {EGL_WIDTH, window->bufferSize[0], EGL_HEIGHT, window->bufferSize[1], EGL_NONE};
    return eglCreatePbufferSurface(display, config, attribs);
  }
  return eglCreateWindowSurface(display, config, (EGLNativeWindowType)desktop::NativeWindow(window), nullptr);
}

void BeforeSwap() {
  State& s = S();
  for (const Shot& shot : s.config.shots) {
    if (shot.frame != s.frame) continue;
    EGLDisplay display = eglGetCurrentDisplay();
    EGLSurface surface = eglGetCurrentSurface(EGL_DRAW);
    EGLint w = 0, h = 0;
    if (surface == EGL_NO_SURFACE || !eglQuerySurface(display, surface, EGL_WIDTH, &w) ||
        !eglQuerySurface(display, surface, EGL_HEIGHT, &h) || w <= 0 || h <= 0) {
      SetFailure("screenshot " + shot.path + ": no GL surface to read");
      continue;
    }
    std::vector<unsigned char> rgba((size_t)w * (size_t)h * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    // GL rows run bottom-up; the picture's first row is the top one.
    std::vector<unsigned char> rgb((size_t)w * (size_t)h * 3);
    for (int y = 0; y < h; ++y) {
      const unsigned char* src = &rgba[(size_t)(h - 1 - y) * (size_t)w * 4];
      unsigned char* dst = &rgb[(size_t)y * (size_t)w * 3];
      for (int x = 0; x < w; ++x)
        memcpy(dst + x * 3, src + x * 4, 3);
    }
    std::string error;
    if (!WritePng(shot.path, w, h, rgb, &error)) SetFailure(error);
  }
}

namespace {

// A pbuffer's swap neither shows nor flushes anything, so the frames between two flushes build one
// scene in the driver, and each frame's opaque background drops what the frames before it drew
// there: only the last frame of a group is rasterised in full. Until it is drawn, a group holds
// about a megabyte a frame of 1024 x 600 in the driver: 32 frames, and fewer on larger displays.
const int kFramesPerGroup = 32;
const double kGroupPixels = kFramesPerGroup * 1024.0 * 600;

struct FrameGroups {
  EGLDisplay display = EGL_NO_DISPLAY;
  EGLContext context = EGL_NO_CONTEXT;
  EGLSyncKHR pending = EGL_NO_SYNC_KHR; // the fence that ended the group before
  int framesLeft = 0;
};

} // namespace

void detail::EndHeadlessFrame() {
  static FrameGroups groups;
  static auto create = (PFNEGLCREATESYNCKHRPROC)eglGetProcAddress("eglCreateSyncKHR");
  static auto wait = (PFNEGLCLIENTWAITSYNCKHRPROC)eglGetProcAddress("eglClientWaitSyncKHR");
  static auto destroy = (PFNEGLDESTROYSYNCKHRPROC)eglGetProcAddress("eglDestroySyncKHR");
  EGLDisplay display = eglGetCurrentDisplay();
  EGLContext context = eglGetCurrentContext();
  if (display == EGL_NO_DISPLAY || context == EGL_NO_CONTEXT) return;
  // A fence of a context since gone is never waited on; it is let go while its display is current.
  if (context != groups.context) {
    if (groups.pending != EGL_NO_SYNC_KHR && groups.display == display && destroy)
      destroy(display, groups.pending);
    groups = FrameGroups{display, context, EGL_NO_SYNC_KHR, 0};
  }
  if (--groups.framesLeft > 0) return;
  EGLSurface surface = eglGetCurrentSurface(EGL_DRAW);
  EGLint w = 0, h = 0;
  eglQuerySurface(display, surface, EGL_WIDTH, &w);
  eglQuerySurface(display, surface, EGL_HEIGHT, &h);
  const double frames = w > 0 && h > 0 ? kGroupPixels / ((double)w * h) : 1;
  groups.framesLeft = frames >= kFramesPerGroup ? kFramesPerGroup : frames > 1 ? (int)frames : 1;
  // The fence and a flush send this group to the rasteriser, which draws it while the game builds the next;
  // then the group before is waited for, so that no more than two are ever queued. A driver
  // without fences finishes every group.
  EGLSyncKHR fence =
      create && wait && destroy ? create(display, EGL_SYNC_FENCE_KHR, nullptr) : EGL_NO_SYNC_KHR;
  if (fence == EGL_NO_SYNC_KHR) {
    glFinish();
    return;
  }
  glFlush(); // a fence that never reaches the driver would be waited for forever
  if (groups.pending != EGL_NO_SYNC_KHR) {
    wait(display, groups.pending, EGL_SYNC_FLUSH_COMMANDS_BIT_KHR, EGL_FOREVER_KHR);
    destroy(display, groups.pending);
  }
  groups.pending = fence;
}

} // namespace standin
