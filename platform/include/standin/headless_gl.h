// A headless GL ES 1.1 context for tests, tools and benchmarks: Mesa's surfaceless EGL platform, a
// pbuffer with the exact RGB565 configuration the game uses, and read-back of the picture.
#pragma once

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GLES/gl.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "standin/standin.h"

class HeadlessGL {
public:
  struct Pixel {
    int r, g, b, a;
  };

  HeadlessGL() = default;
  HeadlessGL(const HeadlessGL&) = delete;
  HeadlessGL& operator=(const HeadlessGL&) = delete;
  ~HeadlessGL() { Close(); }

  // Makes a w x h pbuffer current; false when no such context can be had (Why says where).
  bool Open(int w, int h) {
    Close();
    // The software rasteriser: the same pixels on every machine, with or without a GPU.
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
    auto getPlatformDisplay = (PFNEGLGETPLATFORMDISPLAYEXTPROC)eglGetProcAddress("eglGetPlatformDisplayEXT");
    if (!getPlatformDisplay) return Failed("eglGetProcAddress(eglGetPlatformDisplayEXT)");
    m_display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (m_display == EGL_NO_DISPLAY) return Failed("eglGetPlatformDisplayEXT(surfaceless)");
    EGLint major = 0, minor = 0;
    if (!eglInitialize(m_display, &major, &minor)) return Failed("eglInitialize");
    EGLConfig config = nullptr;
    if (!Choose565(&config)) return Failed("choosing an RGB565 pbuffer configuration");
    eglBindAPI(EGL_OPENGL_ES_API);
    const EGLint surfaceAttribs[] = {EGL_WIDTH, w, EGL_HEIGHT, h, EGL_NONE};
    m_surface = eglCreatePbufferSurface(m_display, config, surfaceAttribs);
    if (m_surface == EGL_NO_SURFACE) return Failed("eglCreatePbufferSurface");
    const EGLint contextAttribs[] = {EGL_CONTEXT_CLIENT_VERSION, 1, EGL_NONE};
    m_context = eglCreateContext(m_display, config, EGL_NO_CONTEXT, contextAttribs);
    if (m_context == EGL_NO_CONTEXT) return Failed("eglCreateContext (GL ES 1.1)");
    if (!eglMakeCurrent(m_display, m_surface, m_surface, m_context)) return Failed("eglMakeCurrent");
    m_width = w;
    m_height = h;
    m_open = true;
    return true;
  }

  // Whether the last Open made its context current, and if not, the step that failed.
  bool IsOpen() const { return m_open; }
  const std::string& Why() const { return m_why; }

  void Close() {
    m_open = false;
    m_why.clear();
    if (m_display == EGL_NO_DISPLAY) return;
    eglMakeCurrent(m_display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (m_context != EGL_NO_CONTEXT) eglDestroyContext(m_display, m_context);
    if (m_surface != EGL_NO_SURFACE) eglDestroySurface(m_display, m_surface);
    m_context = EGL_NO_CONTEXT;
    m_surface = EGL_NO_SURFACE;
    m_display = EGL_NO_DISPLAY;
  }

  int Width() const { return m_width; }
  int Height() const { return m_height; }

  // The whole picture as RGBA, rows from the top (GL delivers them from the bottom).
  std::vector<uint8_t> ReadRGBA() const {
    glFinish();
    std::vector<uint8_t> bottomUp((size_t)m_width * m_height * 4), rows(bottomUp.size());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, m_width, m_height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    size_t stride = (size_t)m_width * 4;
    for (int y = 0; y < m_height; ++y)
      std::copy(bottomUp.begin() + (ptrdiff_t)((m_height - 1 - y) * stride),
                bottomUp.begin() + (ptrdiff_t)((m_height - y) * stride),
                rows.begin() + (ptrdiff_t)(y * stride));
    return rows;
  }

  // One pixel, (0, 0) at the top left.
  Pixel At(int x, int y) const {
    glFinish();
    uint8_t p[4] = {};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, m_height - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
    return {p[0], p[1], p[2], p[3]};
  }

private:
  bool Failed(const char* step) {
    char code[16];
    snprintf(code, sizeof code, "0x%04x", (unsigned)eglGetError());
    m_why = std::string(step) + " failed (EGL error " + code + ")";
    return false;
  }
  bool Choose565(EGLConfig* out) {
    return standin::FindEglConfig(m_display, 5, 6, 5, 0, EGL_PBUFFER_BIT, out);
  }

  EGLDisplay m_display = EGL_NO_DISPLAY;
  EGLSurface m_surface = EGL_NO_SURFACE;
  EGLContext m_context = EGL_NO_CONTEXT;
  int m_width = 0;
  int m_height = 0;
  bool m_open = false;
  std::string m_why;
};
