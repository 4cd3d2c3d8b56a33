// Prints which EGL, GL ES driver and driver module a headless context gets on this machine, so
// that a test failure elsewhere can be read against it. Exit status 1 when no context can be had.
#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GLES/gl.h>
#include <link.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

int ListDriverModule(dl_phdr_info* info, size_t, void* out) {
  const char* name = info->dlpi_name;
  if (name && (strstr(name, "_dri.so") || strstr(name, "libgallium"))) {
    std::string& modules = *static_cast<std::string*>(out);
    modules += modules.empty() ? "" : ", ";
    modules += name;
  }
  return 0;
}

const char* Text(const GLubyte* s) { return s ? reinterpret_cast<const char*>(s) : "?"; }

} // namespace

int main() {
  auto getPlatformDisplay = (PFNEGLGETPLATFORMDISPLAYEXTPROC)eglGetProcAddress("eglGetPlatformDisplayEXT");
  EGLDisplay display = getPlatformDisplay
                           ? getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr)
                           : EGL_NO_DISPLAY;
  EGLint major = 0, minor = 0;
  if (display == EGL_NO_DISPLAY || !eglInitialize(display, &major, &minor)) {
    printf("EGL: no surfaceless display (error 0x%x)\n", eglGetError());
    return 1;
  }
  printf("EGL: %s %s\n", eglQueryString(display, EGL_VENDOR), eglQueryString(display, EGL_VERSION));
  const EGLint configAttribs[] = {EGL_RENDERABLE_TYPE, EGL_OPENGL_ES_BIT, EGL_SURFACE_TYPE, EGL_PBUFFER_BIT,
                                  EGL_NONE};
  const EGLint surfaceAttribs[] = {EGL_WIDTH, 16, EGL_HEIGHT, 16, EGL_NONE};
  const EGLint contextAttribs[] = {EGL_CONTEXT_CLIENT_VERSION, 1, EGL_NONE};
  EGLConfig config = nullptr;
  EGLint count = 0;
  EGLSurface surface = EGL_NO_SURFACE;
  EGLContext context = EGL_NO_CONTEXT;
  bool current =
      eglChooseConfig(display, configAttribs, &config, 1, &count) && count == 1 &&
      eglBindAPI(EGL_OPENGL_ES_API) &&
      (surface = eglCreatePbufferSurface(display, config, surfaceAttribs)) != EGL_NO_SURFACE &&
      (context = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttribs)) != EGL_NO_CONTEXT &&
      eglMakeCurrent(display, surface, surface, context);
  if (current)
    printf("GL ES: %s | %s | %s\n", Text(glGetString(GL_VENDOR)), Text(glGetString(GL_RENDERER)),
           Text(glGetString(GL_VERSION)));
  else
    printf("GL ES: no GL ES 1 context (error 0x%x)\n", eglGetError());
  std::string modules;
  dl_iterate_phdr(ListDriverModule, &modules);
  printf("driver module: %s\n", modules.empty() ? "none loaded" : modules.c_str());
  eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  if (context != EGL_NO_CONTEXT) eglDestroyContext(display, context);
  if (surface != EGL_NO_SURFACE) eglDestroySurface(display, surface);
  eglTerminate(display);
  return current ? 0 : 1;
}
