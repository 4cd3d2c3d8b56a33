// The GL state cache and the vertex batcher.
#include "gl_renderer.h"

#include <EGL/egl.h>

#include <cstring>

#include "dib_bitmap.h"
#include "gl_calls.h"
#include "texture_data.h"

GLfixed g_GLES_Coords[GLES_MAX_VERTICES * 3];
GLfixed g_GLES_TexCoords[GLES_MAX_VERTICES * 2];
GLubyte g_GLES_Colors[GLES_MAX_VERTICES * 4];
GLushort g_GLES_Indexes[GLES_MAX_INDEXES];
u32 g_GLES_NumVertexUsed = 0;
u32 g_GLES_NumIndexesUsed = 0;

int g_GLES_BlendModeEnabled = 0;
GLenum g_GLES_BlendSourceFactor = 0;
GLenum g_GLES_BlendDestFactor = 0;
GLint g_GLES_TextEnvironmentMode = GL_MODULATE;
u32 g_TextEnvironmentColorARGB = 0;
GLuint g_Current_texName = 0;
int g_GLES_ColorBufferUsed = 0;
GLint g_prefer_GL_LINEAR = GL_LINEAR;
GLint g_prefer_GL_NEAREST = GL_NEAREST;

int g_bRenderingMode2D = 0;
int g_bViewportSetUp = 0;
int g_bUpdate = 0;

GLES_CallCounts g_GLES_CallCounts;
GLES_FillCounts g_GLES_FillCounts;

void (*g_pfnGLES_SwapBuffers)() = nullptr;

namespace {

// A quad adds 6 indices and a triangle 3: flushing at these counts keeps every array within
// its 1000 entries.
const u32 kQuadFlushAt = GLES_MAX_INDEXES - 5;
const u32 kTriangleFlushAt = GLES_MAX_INDEXES - 2;

// What GL was last sent for blending and the texture environment. The setters below only record
// what the next triangles need; the first triangle appended after a change draws the batch under
// the old state and sends the new one. A state switched and back between two appends (as each
// coloured text does) then splits no batch and reaches GL not at all.
struct SentState {
  bool known;
  int blend;
  GLenum src, dst;
  GLint envMode;
  u32 envKey;
};
SentState s_sent = {};
GLfixed s_envColour[4] = {0, 0, 0, 0};

bool StatePending() {
  return !s_sent.known || s_sent.blend != g_GLES_BlendModeEnabled ||
         (g_GLES_BlendModeEnabled &&
          (s_sent.src != g_GLES_BlendSourceFactor || s_sent.dst != g_GLES_BlendDestFactor)) ||
         s_sent.envMode != g_GLES_TextEnvironmentMode || s_sent.envKey != g_TextEnvironmentColorARGB;
}

void SendState() {
  GLES_FlushBuffer();
  const bool all = !s_sent.known;
  if (all || s_sent.blend != g_GLES_BlendModeEnabled) GLC_SetBlending(g_GLES_BlendModeEnabled != 0);
  if (g_GLES_BlendModeEnabled &&
      (all || s_sent.src != g_GLES_BlendSourceFactor || s_sent.dst != g_GLES_BlendDestFactor)) {
    GLC_BlendFunc(g_GLES_BlendSourceFactor, g_GLES_BlendDestFactor);
    s_sent.src = g_GLES_BlendSourceFactor;
    s_sent.dst = g_GLES_BlendDestFactor;
  }
  if (all || s_sent.envMode != g_GLES_TextEnvironmentMode) GLC_TexEnvMode(g_GLES_TextEnvironmentMode);
  if (all || s_sent.envKey != g_TextEnvironmentColorARGB) GLC_TexEnvColor(s_envColour);
  s_sent.known = true;
  s_sent.blend = g_GLES_BlendModeEnabled;
  s_sent.envMode = g_GLES_TextEnvironmentMode;
  s_sent.envKey = g_TextEnvironmentColorARGB;
}

// The screen the fill is counted against; 0 while nothing is counted.
double s_fillW = 0, s_fillH = 0;

// Twice the signed area of a polygon, in the y-down pixels of the 2D projection: positive for a
// clockwise one, the winding that is drawn.
double TwiceArea(const double* x, const double* y, int n) {
  double a = 0;
  for (int i = 0; i < n; ++i) {
    int j = (i + 1) % n;
    a += x[i] * y[j] - x[j] * y[i];
  }
  return a;
}

// Keeps the part of the polygon where along(x, y) >= 0 (one side of the screen), in place.
template <typename F> int ClipSide(double* x, double* y, int n, F along) {
  double ox[9], oy[9];
  int m = 0;
  for (int i = 0; i < n; ++i) {
    int j = (i + 1) % n;
    double di = along(x[i], y[i]), dj = along(x[j], y[j]);
    if (di >= 0) {
      ox[m] = x[i];
      oy[m++] = y[i];
    }
    if ((di >= 0) != (dj >= 0)) {
      double t = di / (di - dj);
      ox[m] = x[i] + (x[j] - x[i]) * t;
      oy[m++] = y[i] + (y[j] - y[i]) * t;
    }
  }
  for (int i = 0; i < m; ++i) {
    x[i] = ox[i];
    y[i] = oy[i];
  }
  return m;
}

void CountBatchFill() {
  double sum = 0;
  const double W = s_fillW, H = s_fillH;
  for (u32 i = 0; i + 2 < g_GLES_NumIndexesUsed; i += 3) {
    double x[9], y[9];
    for (int k = 0; k < 3; ++k) {
      const GLfixed* c = &g_GLES_Coords[g_GLES_Indexes[i + k] * 3];
      x[k] = c[0] / 256.0;
      y[k] = c[1] / 256.0;
    }
    if (!(TwiceArea(x, y, 3) > 0)) continue; // culled
    int n = ClipSide(x, y, 3, [](double px, double) { return px; });
    n = ClipSide(x, y, n, [W](double px, double) { return W - px; });
    n = ClipSide(x, y, n, [](double, double py) { return py; });
    n = ClipSide(x, y, n, [H](double, double py) { return H - py; });
    if (n >= 3) sum += TwiceArea(x, y, n) / 2;
  }
  (s_sent.blend ? g_GLES_FillCounts.blended : g_GLES_FillCounts.opaque) += sum / (W * H);
}

void PrepareAppend(u32 flushAt) {
  if (StatePending()) SendState();
  if (g_GLES_NumIndexesUsed >= flushAt) GLES_FlushBuffer();
  if (g_GLES_ColorBufferUsed != 1) {
    GLES_FlushBuffer();
    g_GLES_ColorBufferUsed = 1;
  }
}

void PutColors(u32 first, int count, const unsigned char* rgba) {
  if (rgba)
    memcpy(&g_GLES_Colors[first * 4], rgba, (size_t)count * 4);
  else
    memset(&g_GLES_Colors[first * 4], 255, (size_t)count * 4);
}

} // namespace

void GLES_RenderQUAD(const int* xy, const int* uv, const unsigned char* rgba) {
  PrepareAppend(kQuadFlushAt);
  u32 v = g_GLES_NumVertexUsed;
  for (int i = 0; i < 4; ++i) {
    g_GLES_Coords[(v + i) * 3] = xy[i * 2];
    g_GLES_Coords[(v + i) * 3 + 1] = xy[i * 2 + 1];
    g_GLES_Coords[(v + i) * 3 + 2] = 0;
    g_GLES_TexCoords[(v + i) * 2] = uv[i * 2];
    g_GLES_TexCoords[(v + i) * 2 + 1] = uv[i * 2 + 1];
  }
  PutColors(v, 4, rgba);
  GLushort* idx = &g_GLES_Indexes[g_GLES_NumIndexesUsed];
  idx[0] = (GLushort)v;
  idx[1] = (GLushort)(v + 1);
  idx[2] = (GLushort)(v + 2);
  idx[3] = (GLushort)v;
  idx[4] = (GLushort)(v + 2);
  idx[5] = (GLushort)(v + 3);
  g_GLES_NumVertexUsed += 4;
  g_GLES_NumIndexesUsed += 6;
}

int GLES_RenderTRIANGLE_3D(const int* xyz, const int* uv, const unsigned char* rgba) {
  PrepareAppend(kTriangleFlushAt);
  u32 v = g_GLES_NumVertexUsed;
  memcpy(&g_GLES_Coords[v * 3], xyz, sizeof(GLfixed) * 9);
  memcpy(&g_GLES_TexCoords[v * 2], uv, sizeof(GLfixed) * 6);
  PutColors(v, 3, rgba);
  GLushort* idx = &g_GLES_Indexes[g_GLES_NumIndexesUsed];
  idx[0] = (GLushort)v;
  idx[1] = (GLushort)(v + 1);
  idx[2] = (GLushort)(v + 2);
  g_GLES_NumVertexUsed += 3;
  g_GLES_NumIndexesUsed += 3;
  return (int)g_GLES_NumIndexesUsed;
}

void GLES_FlushBuffer() {
  if (g_GLES_NumIndexesUsed && s_fillW > 0 && g_bRenderingMode2D) CountBatchFill();
  if (g_GLES_NumIndexesUsed)
    GLC_DrawElements(GL_TRIANGLES, (GLsizei)g_GLES_NumIndexesUsed, GL_UNSIGNED_SHORT, g_GLES_Indexes);
  g_GLES_NumIndexesUsed = 0;
  g_GLES_NumVertexUsed = 0;
}

void GLES_RenderFilledQuad(int x0, int y0, int x1, int y1, int r, int g, int b, int a) {
  GLES_SelectTexture(0, g_prefer_GL_NEAREST);
  const int xy[8] = {x0 * 256, y0 * 256, x1 * 256, y0 * 256, x1 * 256, y1 * 256, x0 * 256, y1 * 256};
  const int uv[8] = {};
  const unsigned char c[4] = {(unsigned char)r, (unsigned char)g, (unsigned char)b, (unsigned char)a};
  unsigned char rgba[16];
  for (int i = 0; i < 4; ++i)
    memcpy(rgba + i * 4, c, 4);
  GLES_RenderQUAD(xy, uv, rgba);
}

void GLES_CountFill(int w, int h) {
  s_fillW = w > 0 && h > 0 ? w : 0;
  s_fillH = w > 0 && h > 0 ? h : 0;
}

void GLES_AddFill(double w, double h, bool blended) {
  if (s_fillW > 0 && w > 0 && h > 0)
    (blended ? g_GLES_FillCounts.blended : g_GLES_FillCounts.opaque) += w * h / (s_fillW * s_fillH);
}

void GLES_BlendMode(int enable, GLenum src, GLenum dst) {
  if (enable) {
    g_GLES_BlendModeEnabled = 1;
    g_GLES_BlendSourceFactor = src;
    g_GLES_BlendDestFactor = dst;
  } else {
    g_GLES_BlendModeEnabled = 0;
  }
}

void GLES_SetTextEnvironmentMode(GLint mode) { g_GLES_TextEnvironmentMode = mode; }

void GLES_SetTextEnvironmentColor(GLfixed r, GLfixed g, GLfixed b, GLfixed a) {
  u32 key = (u32)g | ((u32)r >> 8) | ((u32)b << 8) | ((u32)a << 16);
  if (key == g_TextEnvironmentColorARGB) return;
  g_TextEnvironmentColorARGB = key;
  s_envColour[0] = r;
  s_envColour[1] = g;
  s_envColour[2] = b;
  s_envColour[3] = a;
}

void GLES_SelectTexture(GLuint name, GLint /*filter*/) {
  if (name) {
    if (!g_Current_texName) {
      GLES_FlushBuffer();
      GLC_SetTexturing(true);
      GLC_BindTexture(name);
    } else if (g_Current_texName != name) {
      GLES_FlushBuffer();
      GLC_BindTexture(name);
    }
  } else if (g_Current_texName) {
    GLES_FlushBuffer();
    GLC_SetTexturing(false);
  }
  g_Current_texName = name;
}

void Renderer_SetBlendMode(Renderer_BlendMode mode, IDibBitmap* /*bitmap*/) {
  switch (mode) {
  case RENDERER_BLEND_NORMAL:
    GLES_BlendMode(1, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    break;
  case RENDERER_BLEND_ADDITIVE:
    GLES_BlendMode(1, GL_SRC_ALPHA, GL_ONE);
    break;
  case RENDERER_BLEND_TINTED:
    GLES_BlendMode(1, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    GLES_SetTextEnvironmentMode(GL_BLEND);
    return; // the environment colour comes from the vertices of the next blit
  case RENDERER_BLEND_OPAQUE:
    GLES_BlendMode(0, GL_ONE, GL_ZERO);
    break;
  case RENDERER_BLEND_PREMULTIPLIED:
    GLES_BlendMode(1, GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    break;
  default:
    return;
  }
  GLES_SetTextEnvironmentMode(GL_MODULATE);
  GLES_SetTextEnvironmentColor(0, 0, 0, 0);
}

void Renderer_SetTextureMapMode(Renderer_TextureMapMode s, Renderer_TextureMapMode t, IDibBitmap* bitmap) {
  QuellarTextureData* td = bitmap ? bitmap->GetHWResource() : nullptr;
  if (!td || td->m_nTileCount != 1) return;
  GLES_SelectTexture(td->m_pTiles[0].name, g_prefer_GL_NEAREST);
  glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S,
                  s == RENDERER_TEXTURE_REPEAT ? GL_REPEAT : GL_CLAMP_TO_EDGE);
  glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T,
                  t == RENDERER_TEXTURE_REPEAT ? GL_REPEAT : GL_CLAMP_TO_EDGE);
}

void GLES_SetupXY_UV_Pointers() {
  glVertexPointer(3, GL_FIXED, 0, g_GLES_Coords);
  glTexCoordPointer(2, GL_FIXED, 0, g_GLES_TexCoords);
  glEnableClientState(GL_COLOR_ARRAY);
  glColorPointer(4, GL_UNSIGNED_BYTE, 0, g_GLES_Colors);
}

void GLES_RestoreCachingSupport() {
  GLES_SetTextEnvironmentColor(0, 0, 0, 0);
  GLES_SetTextEnvironmentMode(GL_MODULATE);
  GLES_BlendMode(1, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  // GL was driven directly: everything is sent again, now.
  s_sent.known = false;
  SendState();
  g_Current_texName = 1;
  GLES_SelectTexture(0, g_prefer_GL_NEAREST);
  GLES_SetupXY_UV_Pointers();
}

void GLES_ResetStateCache() {
  s_sent = SentState{};
  g_GLES_NumVertexUsed = 0;
  g_GLES_NumIndexesUsed = 0;
  g_GLES_BlendModeEnabled = 0;
  g_GLES_BlendSourceFactor = 0;
  g_GLES_BlendDestFactor = 0;
  g_GLES_TextEnvironmentMode = GL_MODULATE;
  g_TextEnvironmentColorARGB = 0;
  g_Current_texName = 0;
  g_GLES_ColorBufferUsed = 0;
  g_bRenderingMode2D = 0;
  g_bViewportSetUp = 0;
  g_bUpdate = 0;
  g_nHasPVRTC = -1;
}

void GLES_RenderToScreenOrSwapBuffers() {
  if (g_pfnGLES_SwapBuffers) {
    g_pfnGLES_SwapBuffers();
    return;
  }
  EGLDisplay display = eglGetCurrentDisplay();
  EGLSurface surface = eglGetCurrentSurface(EGL_DRAW);
  if (display != EGL_NO_DISPLAY && surface != EGL_NO_SURFACE) eglSwapBuffers(display, surface);
}
