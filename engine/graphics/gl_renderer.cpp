// The GL state cache and the vertex batcher.
#include "gl_renderer.h"

#include <EGL/egl.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

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
// No blend factor: the next blended draw sends its own.
const GLenum kNoBlendFactor = ~(GLenum)0;
GLfixed s_envColour[4] = {0, 0, 0, 0};

bool StatePending() {
  return !s_sent.known || s_sent.blend != g_GLES_BlendModeEnabled ||
         (g_GLES_BlendModeEnabled &&
          (s_sent.src != g_GLES_BlendSourceFactor || s_sent.dst != g_GLES_BlendDestFactor)) ||
         s_sent.envMode != g_GLES_TextEnvironmentMode || s_sent.envKey != g_TextEnvironmentColorARGB;
}

// The screen the fill is counted against; 0 while nothing is counted.
double s_fillW = 0, s_fillH = 0;

// A corner of a polygon being clipped; one that carries more lerps it along as well.
struct Point {
  double x, y;
};
Point Lerp(const Point& a, const Point& b, double t) {
  return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

// Twice the signed area of a polygon, in the y-down pixels of the 2D projection: positive for a
// clockwise one, the winding that is drawn.
template <typename V> double TwiceArea(const V* p, int n) {
  double a = 0;
  for (int i = 0; i < n; ++i) {
    int j = (i + 1) % n;
    a += p[i].x * p[j].y - p[j].x * p[i].y;
  }
  return a;
}

// Keeps the part of the polygon (of at most 8 corners after the clip) where along(x, y) >= 0, in
// place. A side is cut from its kept end to the other, whichever way round the polygon runs: two
// triangles that share it are cut at exactly the same corner, and drawn without a seam.
template <typename V, typename F> int ClipSide(V* p, int n, F along) {
  double d[8];
  bool cut = false;
  for (int i = 0; i < n; ++i) {
    d[i] = along(p[i].x, p[i].y);
    cut = cut || d[i] < 0;
  }
  if (!cut) return n; // all of it is kept
  V o[9];
  int m = 0;
  for (int i = 0; i < n; ++i) {
    int j = (i + 1) % n;
    double di = d[i], dj = d[j];
    if (di >= 0) o[m++] = p[i];
    if ((di >= 0) != (dj >= 0))
      o[m++] = di >= 0 ? Lerp(p[i], p[j], di / (di - dj)) : Lerp(p[j], p[i], dj / (dj - di));
  }
  for (int i = 0; i < m; ++i)
    p[i] = o[i];
  return m;
}

// Keeps the part of the polygon inside the rectangle x0 <= x <= x1, y0 <= y <= y1.
template <typename V> int ClipToBox(V* p, int n, double x0, double y0, double x1, double y1) {
  n = ClipSide(p, n, [x0](double px, double) { return px - x0; });
  n = ClipSide(p, n, [x1](double px, double) { return x1 - px; });
  n = ClipSide(p, n, [y0](double, double py) { return py - y0; });
  return ClipSide(p, n, [y1](double, double py) { return y1 - py; });
}

void CountBatchFill(const GLfixed* coords, const GLushort* indexes, u32 count, bool blended) {
  double sum = 0;
  const double W = s_fillW, H = s_fillH;
  for (u32 i = 0; i + 2 < count; i += 3) {
    Point p[9];
    for (int k = 0; k < 3; ++k) {
      const GLfixed* c = &coords[indexes[i + k] * 3];
      p[k] = {c[0] / 256.0, c[1] / 256.0};
    }
    if (!(TwiceArea(p, 3) > 0)) continue; // culled
    const int n = ClipToBox(p, 3, 0, 0, W, H);
    if (n >= 3) sum += TwiceArea(p, n) / 2;
  }
  (blended ? g_GLES_FillCounts.blended : g_GLES_FillCounts.opaque) += sum / (W * H);
}

// --- deferring: what the batcher sends to GL, held back in order and hashed ---

enum class Op : u8 { Draw, Blending, BlendFunc, EnvMode, EnvColour, Bind, Texturing };

struct Deferred : GLES_HeldDrawing {
  bool on = false;
  // Drawn just before the held calls, should they be sent as they are.
  const GLES_ScreenCopy* first = nullptr;
  // Whether the texture the held calls draw with is settled: chosen by them, or hashed as the one
  // they started with at their first draw.
  bool textureSettled = false;
};
Deferred s_deferred;
u32 s_generation = 0;

void Mix(const void* data, size_t n) {
  const unsigned char* p = (const unsigned char*)data;
  uint64_t h = s_deferred.hash;
  for (size_t i = 0; i < n; ++i)
    h = (h ^ p[i]) * 1099511628211ull;
  s_deferred.hash = h;
}

// Set while held calls are kept that the hash stands for otherwise.
bool s_unhashed = false;

void Keep(Op op, u32 a, u32 b = 0, u32 c = 0) {
  s_deferred.ops.push_back({(u8)op, a, b, c, s_sent.blend != 0});
  if (s_unhashed) return;
  Mix(&op, sizeof op);
  Mix(&a, sizeof a);
  Mix(&b, sizeof b);
}

void EmitBlending(bool on) {
  if (s_deferred.on)
    Keep(Op::Blending, on);
  else
    GLC_SetBlending(on);
}
void EmitBlendFunc(GLenum src, GLenum dst) {
  if (s_deferred.on)
    Keep(Op::BlendFunc, src, dst);
  else
    GLC_BlendFunc(src, dst);
}
void EmitEnvMode(GLint mode) {
  if (s_deferred.on)
    Keep(Op::EnvMode, (u32)mode);
  else
    GLC_TexEnvMode(mode);
}
void EmitEnvColour(const GLfixed* rgba) {
  if (!s_deferred.on) {
    GLC_TexEnvColor(rgba);
    return;
  }
  const u32 at = (u32)s_deferred.envColours.size();
  s_deferred.envColours.insert(s_deferred.envColours.end(), rgba, rgba + 4);
  Keep(Op::EnvColour, 0, 0, at);
  Mix(rgba, sizeof(GLfixed) * 4);
}
void EmitBind(GLuint name) {
  if (s_deferred.on)
    Keep(Op::Bind, name);
  else
    GLC_BindTexture(name);
}
void EmitTexturing(bool on) {
  if (s_deferred.on)
    Keep(Op::Texturing, on);
  else
    GLC_SetTexturing(on);
}

// Draws the batch, or keeps it while deferring.
void FlushBatch() {
  const u32 n = g_GLES_NumIndexesUsed, v = g_GLES_NumVertexUsed;
  if (n && s_deferred.on) {
    Deferred& d = s_deferred;
    const u32 v0 = (u32)d.coords.size() / 3, i0 = (u32)d.indexes.size();
    d.coords.insert(d.coords.end(), g_GLES_Coords, g_GLES_Coords + v * 3);
    d.texCoords.insert(d.texCoords.end(), g_GLES_TexCoords, g_GLES_TexCoords + v * 2);
    d.colours.insert(d.colours.end(), g_GLES_Colors, g_GLES_Colors + v * 4);
    d.indexes.insert(d.indexes.end(), g_GLES_Indexes, g_GLES_Indexes + n);
    // Drawn with the texture that was bound before the held calls began: what they draw depends on it.
    if (!d.textureSettled) {
      Mix(&d.startTexture, sizeof d.startTexture);
      d.textureSettled = true;
    }
    Keep(Op::Draw, v0, i0, n);
    Mix(g_GLES_Coords, sizeof(GLfixed) * v * 3);
    Mix(g_GLES_TexCoords, sizeof(GLfixed) * v * 2);
    Mix(g_GLES_Colors, (size_t)v * 4);
    Mix(g_GLES_Indexes, sizeof(GLushort) * n);
  } else if (n) {
    if (s_fillW > 0 && g_bRenderingMode2D)
      CountBatchFill(g_GLES_Coords, g_GLES_Indexes, n, s_sent.blend != 0);
    GLC_DrawElements(GL_TRIANGLES, (GLsizei)n, GL_UNSIGNED_SHORT, g_GLES_Indexes);
  }
  g_GLES_NumIndexesUsed = 0;
  g_GLES_NumVertexUsed = 0;
}

void ClearDeferred() {
  Deferred& d = s_deferred;
  d.on = false;
  d.first = nullptr;
  d.ops.clear();
  d.coords.clear();
  d.texCoords.clear();
  d.envColours.clear();
  d.colours.clear();
  d.indexes.clear();
}

void SendState() {
  FlushBatch();
  const bool all = !s_sent.known;
  if (all || s_sent.blend != g_GLES_BlendModeEnabled) EmitBlending(g_GLES_BlendModeEnabled != 0);
  if (g_GLES_BlendModeEnabled &&
      (all || s_sent.src != g_GLES_BlendSourceFactor || s_sent.dst != g_GLES_BlendDestFactor)) {
    EmitBlendFunc(g_GLES_BlendSourceFactor, g_GLES_BlendDestFactor);
    s_sent.src = g_GLES_BlendSourceFactor;
    s_sent.dst = g_GLES_BlendDestFactor;
  }
  if (all || s_sent.envMode != g_GLES_TextEnvironmentMode) EmitEnvMode(g_GLES_TextEnvironmentMode);
  if (all || s_sent.envKey != g_TextEnvironmentColorARGB) EmitEnvColour(s_envColour);
  s_sent.known = true;
  s_sent.blend = g_GLES_BlendModeEnabled;
  s_sent.envMode = g_GLES_TextEnvironmentMode;
  s_sent.envKey = g_TextEnvironmentColorARGB;
}

void PrepareAppend(u32 flushAt) {
  if (StatePending()) SendState();
  if (g_GLES_NumIndexesUsed >= flushAt) FlushBatch();
  if (g_GLES_ColorBufferUsed != 1) {
    FlushBatch();
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
  FlushBatch();
  // Whoever flushes is about to drive GL itself: what was held back goes first.
  if (s_deferred.on) GLES_SendDeferred();
}

void GLES_BeginDeferring(uint64_t key) {
  GLES_FlushBuffer();
  ClearDeferred();
  // Room for a whole screen's batches from the start: layers held back only now and then would
  // otherwise grow the store in the middle of a screen, a few frames at a time.
  Deferred& d = s_deferred;
  if (d.coords.capacity() == 0) {
    const size_t batches = 16, vertices = batches * GLES_MAX_VERTICES;
    d.ops.reserve(batches * 16);
    d.coords.reserve(vertices * 3);
    d.texCoords.reserve(vertices * 2);
    d.envColours.reserve(batches * 16);
    d.colours.reserve(vertices * 4);
    d.indexes.reserve(batches * GLES_MAX_INDEXES);
  }
  // The held calls start by sending the whole state, the blend function with the first blended
  // draw and the texture with the first one chosen: the same drawing makes the same calls whatever
  // was drawn before it, and whether the frame before drew it or showed a copy in its place (which
  // leaves the state unknown).
  s_sent.known = false;
  s_sent.src = s_sent.dst = kNoBlendFactor;
  s_deferred.on = true;
  s_deferred.startTexture = g_Current_texName;
  s_deferred.textureSettled = false;
  s_deferred.hash = 14695981039346656037ull;
  Mix(&key, sizeof key);
  Mix(&s_generation, sizeof s_generation);
}

bool GLES_Deferring() { return s_deferred.on; }

void GLES_DrawFirstIfSent(const GLES_ScreenCopy* copy) {
  if (s_deferred.on) s_deferred.first = copy;
}

uint64_t GLES_DeferredHash() {
  FlushBatch();
  return s_deferred.hash;
}

namespace {

void BackToTheCache();
void BindStartTexture(const GLES_HeldDrawing& d);

// A draw of a held stretch: its arrays, its fill counted.
void SendHeldDraw(const GLES_HeldDrawing& d, const GLES_HeldOp& o, bool blended) {
  glVertexPointer(3, GL_FIXED, 0, &d.coords[(size_t)o.a * 3]);
  glTexCoordPointer(2, GL_FIXED, 0, &d.texCoords[(size_t)o.a * 2]);
  glColorPointer(4, GL_UNSIGNED_BYTE, 0, &d.colours[(size_t)o.a * 4]);
  if (s_fillW > 0 && g_bRenderingMode2D)
    CountBatchFill(&d.coords[(size_t)o.a * 3], &d.indexes[o.b], o.c, blended);
  GLC_DrawElements(GL_TRIANGLES, (GLsizei)o.c, GL_UNSIGNED_SHORT, &d.indexes[o.b]);
}

// Sends one of a held stretch's calls that set GL's state.
void SendState(const GLES_HeldDrawing& d, const GLES_HeldOp& o) {
  switch ((Op)o.op) {
  case Op::Blending:
    GLC_SetBlending(o.a != 0);
    break;
  case Op::BlendFunc:
    GLC_BlendFunc(o.a, o.b);
    break;
  case Op::EnvMode:
    GLC_TexEnvMode((GLint)o.a);
    break;
  case Op::EnvColour:
    GLC_TexEnvColor(&d.envColours[o.c]);
    break;
  case Op::Bind:
    GLC_BindTexture(o.a);
    break;
  case Op::Texturing:
    GLC_SetTexturing(o.a != 0);
    break;
  case Op::Draw:
    break;
  }
}

// Sends a held stretch to GL in order.
void SendOps(const GLES_HeldDrawing& d) {
  for (const GLES_HeldOp& o : d.ops) {
    if ((Op)o.op == Op::Draw)
      SendHeldDraw(d, o, o.blend);
    else
      SendState(d, o);
  }
}

} // namespace

void GLES_SendDeferred() {
  if (!s_deferred.on) return;
  FlushBatch();
  s_deferred.on = false;
  if (const GLES_ScreenCopy* first = s_deferred.first) {
    s_deferred.first = nullptr;
    GLES_DrawScreenCopy(*first);
    BindStartTexture(s_deferred);
  }
  SendOps(s_deferred);
  GLES_SetupXY_UV_Pointers();
  ClearDeferred();
}

void GLES_KeepDeferred(GLES_HeldDrawing& into) {
  if (!s_deferred.on) {
    into.hash = 0;
    into.ops.clear();
    return;
  }
  FlushBatch();
  Deferred& d = s_deferred;
  // Swapped, not copied: both stores keep the room they grew to.
  into.hash = d.hash;
  into.startTexture = d.startTexture;
  into.ops.swap(d.ops);
  into.coords.swap(d.coords);
  into.texCoords.swap(d.texCoords);
  into.envColours.swap(d.envColours);
  into.colours.swap(d.colours);
  into.indexes.swap(d.indexes);
  ClearDeferred();
  // Nothing reached GL: the cache is put back to what GL has.
  BackToTheCache();
}

namespace {

// A kept stretch starts with the texture that was bound when it was held.
void BindStartTexture(const GLES_HeldDrawing& d) {
  GLC_SetTexturing(d.startTexture != 0);
  if (d.startTexture) GLC_BindTexture(d.startTexture);
}

} // namespace

void GLES_SendHeld(const GLES_HeldDrawing& held) {
  if (held.ops.empty()) return;
  GLES_FlushBuffer();
  BindStartTexture(held);
  SendOps(held);
  GLES_SetupXY_UV_Pointers();
  BackToTheCache();
}

void GLES_DropDeferred() {
  g_GLES_NumIndexesUsed = 0;
  g_GLES_NumVertexUsed = 0;
  const bool held = s_deferred.on;
  ClearDeferred();
  // The cache already stands as if the held calls had been sent.
  if (held) BackToTheCache();
}

u32 GLES_ContextGeneration() { return s_generation; }

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

namespace {

int PowerOfTwoAtLeast(int v) {
  int p = 1;
  while (p < v && p < (1 << 14))
    p <<= 1;
  return p;
}

// After GL was driven around the cache: the bound texture as the cache has it, and the rest sent
// again with the next triangle.
void BackToTheCache() {
  if (g_Current_texName) {
    glEnable(GL_TEXTURE_2D);
    GLC_BindTexture(g_Current_texName);
  } else {
    glDisable(GL_TEXTURE_2D);
  }
  s_sent.known = false;
}

} // namespace

namespace {

// Binds a copy's texture, made for the viewport in the given format when it has none in this
// context or one too small for the viewport (a larger one still holds it); false when no texture
// could be had.
bool BindCopyTexture(GLES_ScreenCopy& copy, const GLint* v, GLenum format, GLenum type) {
  if (copy.generation != s_generation) copy.name = 0; // gone with its context
  if (copy.name && (copy.texW < v[2] || copy.texH < v[3])) GLES_ReleaseScreenCopy(copy);
  if (copy.name) {
    glBindTexture(GL_TEXTURE_2D, copy.name);
    return true;
  }
  copy.name = GLC_GenTexture();
  if (!copy.name) return false;
  const int w = PowerOfTwoAtLeast(v[2]), h = PowerOfTwoAtLeast(v[3]);
  glBindTexture(GL_TEXTURE_2D, copy.name);
  glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  GLC_TexImage2D(0, format, w, h, type, nullptr);
  copy.texW = w;
  copy.texH = h;
  copy.generation = s_generation;
  return true;
}

// Drawing in the viewport's own pixels, y up as the colour buffer's rows run, from a texture of
// the renderer's own (counted like any other) replacing the colour; then GL back as the cache says.
void PushViewportPixels(const GLint* v) {
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrthox(0, v[2] << 16, 0, v[3] << 16, -65536, 65536);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glDisable(GL_CULL_FACE);
}

void BeginViewportPixels(const GLint* v, GLuint texture) {
  PushViewportPixels(v);
  glEnable(GL_TEXTURE_2D);
  GLC_BindTexture(texture);
  glTexEnvx(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
  glDisableClientState(GL_COLOR_ARRAY);
}

void EndViewportPixels() {
  glEnable(GL_CULL_FACE);
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
  GLES_SetupXY_UV_Pointers();
  BackToTheCache();
}

} // namespace

bool GLES_ScreenCopyFits(const GLES_ScreenCopy& copy) {
  GLint v[4] = {0, 0, 0, 0};
  glGetIntegerv(GL_VIEWPORT, v);
  return copy.name && copy.generation == s_generation && memcmp(v, copy.view, sizeof v) == 0;
}

bool GLES_CopyScreen(GLES_ScreenCopy& copy) {
  GLES_FlushBuffer();
  GLint v[4] = {0, 0, 0, 0};
  glGetIntegerv(GL_VIEWPORT, v);
  if (v[2] < 1 || v[3] < 1) return false;
  if (!BindCopyTexture(copy, v, GL_RGB, GL_UNSIGNED_SHORT_5_6_5)) return false;
  glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, v[0], v[1], v[2], v[3]);
  memcpy(copy.view, v, sizeof v);
  BackToTheCache();
  return glGetError() == GL_NO_ERROR;
}

void GLES_DrawScreenCopy(const GLES_ScreenCopy& copy) {
  if (!GLES_ScreenCopyFits(copy)) return;
  GLES_FlushBuffer();
  const GLint* v = copy.view;
  BeginViewportPixels(v, copy.name);
  const GLfixed W = v[2] << 16, H = v[3] << 16;
  const GLfixed U = (GLfixed)(((int64_t)v[2] << 16) / copy.texW),
                V = (GLfixed)(((int64_t)v[3] << 16) / copy.texH);
  const GLfixed xy[8] = {0, 0, W, 0, W, H, 0, H};
  const GLfixed uv[8] = {0, 0, U, 0, U, V, 0, V};
  glDisable(GL_BLEND);
  glVertexPointer(2, GL_FIXED, 0, xy);
  glTexCoordPointer(2, GL_FIXED, 0, uv);
  ++g_GLES_CallCounts.drawCalls;
  glDrawArrays(GL_TRIANGLE_FAN, 0, 4);
  if (s_fillW > 0) g_GLES_FillCounts.opaque += 1.0; // the viewport is the whole screen
  EndViewportPixels();
}

void GLES_ReleaseScreenCopy(GLES_ScreenCopy& copy) {
  if (copy.name && copy.generation == s_generation) {
    GLES_FlushBuffer();
    GLC_DeleteTexture(copy.name);
  }
  copy = GLES_ScreenCopy{};
}

namespace {

// The viewport's pixels as RGBA bytes, rows bottom-up as a texture's.
void ReadViewport(const GLint* v, std::vector<GLubyte>& into) {
  into.resize((size_t)v[2] * (size_t)v[3] * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(v[0], v[1], v[2], v[3], GL_RGBA, GL_UNSIGNED_BYTE, into.data());
}

// The viewport cleared to one grey, the rest of the surface left alone.
void ClearViewport(const GLint* v, float grey) {
  glEnable(GL_SCISSOR_TEST);
  glScissor(v[0], v[1], v[2], v[3]);
  glClearColor(grey, grey, grey, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glDisable(GL_SCISSOR_TEST);
}

// Whether every draw of the stretch adds its colour times its alpha to what is below (the additive
// mode), the vertex colour alone or modulating its texture: the one glow a cover can take.
bool AddsModulated(const GLES_HeldDrawing& d) {
  bool blend = false, textured = d.startTexture != 0, drawn = false;
  GLenum src = 0, dst = 0;
  GLint env = 0;
  for (const GLES_HeldOp& o : d.ops) {
    switch ((Op)o.op) {
    case Op::Draw:
      if (!blend || src != GL_SRC_ALPHA || dst != GL_ONE || (textured && env != GL_MODULATE)) return false;
      drawn = true;
      break;
    case Op::Blending:
      blend = o.a != 0;
      break;
    case Op::BlendFunc:
      src = o.a;
      dst = o.b;
      break;
    case Op::EnvMode:
      env = (GLint)o.a;
      break;
    case Op::Texturing:
      textured = o.a != 0;
      break;
    default:
      break;
    }
  }
  return drawn;
}

// Asked of GL once a context.
bool TwoTextureUnits() {
  static GLint units = 0;
  static u32 askedIn = ~0u;
  if (askedIn != s_generation) {
    units = 0;
    glGetIntegerv(GL_MAX_TEXTURE_UNITS, &units);
    askedIn = s_generation;
  }
  return units >= 2;
}

} // namespace

namespace {

// Made once for a screen that stands still, so kept for the next one.
std::vector<GLubyte> s_grey, s_black;

// Draws the held layers over black and over grey into s_black (RGBA rows, bottom-up) and s_grey,
// whose first bytes then hold, one a pixel, how much of what lies below the layers shows through
// them. The viewport is drawn over.
void ReadLayers(const GLES_HeldDrawing& front, const GLint* v) {
  GLfloat clear[4] = {0, 0, 0, 0};
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  // Each blend the layers use turns what lies below into a + b x below, channel by channel: over
  // black they show a, over grey g a + b x g, so b is how much of what lies below shows through.
  // (Over white, a layer brighter than it is opaque would be cut off at white.)
  ClearViewport(v, 0.5f);
  GLubyte g[4] = {0, 0, 0, 0};
  glReadPixels(v[0], v[1], 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, g); // the grey as the screen holds it
  BindStartTexture(front);
  SendOps(front);
  ReadViewport(v, s_grey);
  ClearViewport(v, 0);
  BindStartTexture(front);
  SendOps(front);
  ReadViewport(v, s_black);
  glClearColor(clear[0], clear[1], clear[2], clear[3]);
  // Green has the most bits in a 5-6-5 screen.
  const size_t pixels = (size_t)v[2] * (size_t)v[3];
  const int over = g[1] > 0 ? g[1] : 1;
  for (size_t i = 0; i < pixels; ++i) {
    const int through = ((int)s_grey[i * 4 + 1] - (int)s_black[i * 4 + 1]) * 255 / over;
    s_grey[i] = (GLubyte)(through < 0 ? 0 : through > 255 ? 255 : through);
  }
}

// Fills a copy's texture (made or remade as needed) with the viewport's pixels in the given format.
bool FillCopy(GLES_ScreenCopy& copy, const GLint* v, GLenum format, const GLubyte* pixels) {
  if (!BindCopyTexture(copy, v, format, GL_UNSIGNED_BYTE)) return false;
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  ++g_GLES_CallCounts.textureUploads;
  glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, v[2], v[3], format, GL_UNSIGNED_BYTE, pixels);
  memcpy(copy.view, v, sizeof v[0] * 4);
  return true;
}

} // namespace

namespace {

// The side of the squares pictures of layers are cut into: each is drawn in one way.
const int kLayerBlock = 16;

// What the layers are over a block: clear, opaque, something of each, or see-through in one colour
// all over (kBlockFlat with the colour's premultiplied bytes from bit 8 up).
enum BlockKind : uint64_t { kBlockClear = 0, kBlockOpaque = 1, kBlockMixed = 2, kBlockFlat = 3 };

// A run of blocks of one kind, and whether the row above took it on.
struct Run {
  int x0, x1, y0, y1;
  uint64_t kind;
  bool takenOn;
};
std::vector<Run> s_runs, s_nextRuns; // kept, as the pictures are
std::vector<uint64_t> s_rowKinds;

// The blocks across the viewport and the blocks in all.
int BlocksAcross(const GLint* v) { return (v[2] + kLayerBlock - 1) / kLayerBlock; }
size_t Blocks(const GLint* v) {
  return (size_t)BlocksAcross(v) * (size_t)((v[3] + kLayerBlock - 1) / kLayerBlock);
}

// The viewport cut into blocks, bottom row first, of the kinds kindOf(x0, y0) gives, handed to
// piece(kind, x0, y0, x1, y1) as rectangles of viewport pixels: runs of one kind along a row, each
// taken on over the rows above for as long as a run of that kind lies just as wide there.
template <typename KindOf, typename Piece> void BlockRuns(const GLint* v, KindOf kindOf, Piece piece) {
  std::vector<Run>&open = s_runs, &next = s_nextRuns;
  std::vector<uint64_t>& row = s_rowKinds;
  open.clear();
  const int across = BlocksAcross(v);
  for (int y = 0; y < v[3]; y += kLayerBlock) {
    row.clear();
    for (int b = 0; b < across; ++b)
      row.push_back(kindOf(b * kLayerBlock, y));
    next.clear();
    for (int b = 0; b < across;) {
      int e = b + 1;
      while (e < across && row[e] == row[b])
        ++e;
      Run run{b * kLayerBlock,
              std::min(e * kLayerBlock, (int)v[2]),
              y,
              std::min(y + kLayerBlock, (int)v[3]),
              row[b],
              false};
      for (Run& o : open)
        if (!o.takenOn && o.x0 == run.x0 && o.x1 == run.x1 && o.kind == run.kind && o.y1 == y) {
          run.y0 = o.y0;
          o.takenOn = true;
        }
      next.push_back(run);
      b = e;
    }
    for (const Run& o : open)
      if (!o.takenOn) piece(o.kind, o.x0, o.y0, o.x1, o.y1);
    open.swap(next);
  }
  for (const Run& o : open)
    piece(o.kind, o.x0, o.y0, o.x1, o.y1);
}

struct GlowVertex {
  GLfloat x, y, u, v;
  GLubyte c[4];
};

// The glow's triangles cut to the cover's rectangles, made again every frame into kept stores.
std::vector<GlowVertex> s_glowClear, s_glowMixed;

// Over a block, how much of what lies below the layers shows through them (s_grey after
// ReadLayers): not at all, all of it, or something between.
uint64_t KindOfCoverBlock(const GLint* v, int x0, int y0) {
  bool opaque = true, clear = true;
  for (int y = y0; y < y0 + kLayerBlock && y < v[3]; ++y)
    for (int x = x0; x < x0 + kLayerBlock && x < v[2]; ++x) {
      const GLubyte through = s_grey[(size_t)y * v[2] + x];
      if (through != 0) opaque = false;
      if (through != 255) clear = false;
      if (!opaque && !clear) return kBlockMixed;
    }
  return opaque ? kBlockOpaque : kBlockClear;
}

} // namespace

namespace {

// Room for making a cover or a picture of layers over the viewport: the screen's pixels read back
// and the rows of blocks.
void ReserveMaking(const GLint* v) {
  const size_t pixels = (size_t)v[2] * (size_t)v[3];
  s_grey.reserve(pixels * 4);
  s_black.reserve(pixels * 4);
  s_runs.reserve((size_t)BlocksAcross(v));
  s_nextRuns.reserve((size_t)BlocksAcross(v));
  s_rowKinds.reserve((size_t)BlocksAcross(v));
}

} // namespace

void GLES_ReserveCover(GLES_Cover& cover) {
  GLint v[4] = {0, 0, 0, 0};
  glGetIntegerv(GL_VIEWPORT, v);
  ReserveMaking(v);
  cover.clear.reserve(Blocks(v) * 4);
  cover.mixed.reserve(Blocks(v) * 4);
}

bool GLES_CaptureCover(const GLES_HeldDrawing& front, const GLES_ScreenCopy& below, GLES_Cover& cover) {
  GLES_ReserveCover(cover);
  if (!GLES_ScreenCopyFits(below)) return false;
  GLES_FlushBuffer();
  GLint v[4] = {0, 0, 0, 0};
  glGetIntegerv(GL_VIEWPORT, v);
  // The whole: the layers over the copy below, as a frame without the glow shows them.
  GLES_DrawScreenCopy(below);
  BindStartTexture(front);
  SendOps(front);
  if (!GLES_CopyScreen(cover.whole)) return false;
  ReadLayers(front, v);
  const bool made = FillCopy(cover.through, v, GL_ALPHA, s_grey.data());
  // Where the glow is to be added in full, and where only in part; under opaque layers, nowhere.
  cover.clear.clear();
  cover.mixed.clear();
  BlockRuns(
      v, [v](int x, int y) { return KindOfCoverBlock(v, x, y); },
      [&cover](uint64_t kind, int x0, int y0, int x1, int y1) {
        if (kind == kBlockOpaque) return;
        std::vector<GLint>& to = kind == kBlockClear ? cover.clear : cover.mixed;
        to.insert(to.end(), {x0, y0, x1, y1});
      });
  // Room for a quad's two triangles cut to each rectangle (up to five triangles each) from the
  // start, so that drawing the glow grows nothing, and for another cover with twice the rectangles.
  s_glowClear.reserve(cover.clear.size() / 4 * 2 * 15 * 2);
  s_glowMixed.reserve(cover.mixed.size() / 4 * 2 * 15 * 2);
  GLES_SetupXY_UV_Pointers();
  BackToTheCache();
  return made && glGetError() == GL_NO_ERROR;
}

namespace {

// Over a block, what the layers' picture (s_black premultiplied, s_grey how much shows through)
// is, one colour all over taken for a see-through block only.
uint64_t KindOfLayersBlock(const GLint* v, int x0, int y0) {
  bool opaque = true, clear = true, flat = true;
  const size_t first = (size_t)y0 * v[2] + x0;
  const GLubyte* c0 = &s_black[first * 4];
  for (int y = y0; y < y0 + kLayerBlock && y < v[3]; ++y)
    for (int x = x0; x < x0 + kLayerBlock && x < v[2]; ++x) {
      const size_t i = (size_t)y * v[2] + x;
      const GLubyte* c = &s_black[i * 4];
      if (s_grey[i] != 0) opaque = false;
      if (s_grey[i] != 255 || c[0] || c[1] || c[2]) clear = false;
      if (memcmp(c, c0, 4) != 0) flat = false;
      if (!opaque && !clear && !flat) return kBlockMixed;
    }
  if (opaque) return kBlockOpaque;
  if (clear) return kBlockClear;
  return kBlockFlat | (uint64_t)c0[0] << 8 | (uint64_t)c0[1] << 16 | (uint64_t)c0[2] << 24 |
         (uint64_t)c0[3] << 32;
}

// A rectangle of viewport pixels as two triangles of (x, y, u, v).
void AddPiece(std::vector<GLfloat>& to, const GLES_ScreenCopy& c, int x0, int y0, int x1, int y1) {
  const GLfloat u0 = (GLfloat)x0 / c.texW, u1 = (GLfloat)x1 / c.texW, v0 = (GLfloat)y0 / c.texH,
                v1 = (GLfloat)y1 / c.texH;
  const GLfloat quad[6][4] = {{(GLfloat)x0, (GLfloat)y0, u0, v0}, {(GLfloat)x1, (GLfloat)y0, u1, v0},
                              {(GLfloat)x1, (GLfloat)y1, u1, v1}, {(GLfloat)x0, (GLfloat)y0, u0, v0},
                              {(GLfloat)x1, (GLfloat)y1, u1, v1}, {(GLfloat)x0, (GLfloat)y1, u0, v1}};
  to.insert(to.end(), &quad[0][0], &quad[0][0] + 24);
}

// The area of pieces of (x, y, ...) triangles, stride floats a corner, in viewport pixels.
double PiecesArea(const std::vector<GLfloat>& pieces, size_t stride) {
  double area = 0;
  for (size_t i = 0; i + 6 * stride - 1 < pieces.size(); i += 6 * stride)
    area += (pieces[i + stride] - pieces[i]) * (pieces[i + 2 * stride + 1] - pieces[i + 1]);
  return area;
}

} // namespace

void GLES_ReserveLayers(GLES_Layers& layers) {
  GLint v[4] = {0, 0, 0, 0};
  glGetIntegerv(GL_VIEWPORT, v);
  ReserveMaking(v);
  // Each block a piece of its own at most: six corners.
  const size_t corners = Blocks(v) * 6;
  layers.opaque.reserve(corners * 4);
  layers.mixed.reserve(corners * 4);
  layers.flat.reserve(corners * 2);
  layers.flatColours.reserve(corners * 4);
}

bool GLES_CaptureLayers(const GLES_HeldDrawing& front, GLES_Layers& layers) {
  GLES_FlushBuffer();
  GLint v[4] = {0, 0, 0, 0};
  glGetIntegerv(GL_VIEWPORT, v);
  if (v[2] < 1 || v[3] < 1) return false;
  ReadLayers(front, v);
  // Premultiplied: the colour over black, covering all that does not show through.
  const size_t pixels = (size_t)v[2] * (size_t)v[3];
  for (size_t i = 0; i < pixels; ++i)
    s_black[i * 4 + 3] = (GLubyte)(255 - s_grey[i]);
  const bool made = FillCopy(layers.picture, v, GL_RGBA, s_black.data());
  layers.opaque.clear();
  layers.mixed.clear();
  layers.flat.clear();
  layers.flatColours.clear();
  BlockRuns(
      v, [v](int x, int y) { return KindOfLayersBlock(v, x, y); },
      [&layers](uint64_t kind, int x0, int y0, int x1, int y1) {
        if (kind == kBlockOpaque || kind == kBlockMixed) {
          AddPiece(kind == kBlockOpaque ? layers.opaque : layers.mixed, layers.picture, x0, y0, x1, y1);
        } else if ((kind & 0xFF) == kBlockFlat) {
          const GLfloat quad[12] = {(GLfloat)x0, (GLfloat)y0, (GLfloat)x1, (GLfloat)y0,
                                    (GLfloat)x1, (GLfloat)y1, (GLfloat)x0, (GLfloat)y0,
                                    (GLfloat)x1, (GLfloat)y1, (GLfloat)x0, (GLfloat)y1};
          layers.flat.insert(layers.flat.end(), quad, quad + 12);
          for (int k = 0; k < 6; ++k)
            for (int c = 0; c < 4; ++c)
              layers.flatColours.push_back((GLubyte)(kind >> (8 + 8 * c)));
        }
      });
  GLES_SetupXY_UV_Pointers();
  BackToTheCache();
  return made && glGetError() == GL_NO_ERROR;
}

bool GLES_DrawLayers(const GLES_Layers& layers) {
  const GLES_ScreenCopy& c = layers.picture;
  if (!GLES_ScreenCopyFits(c)) return false;
  GLES_FlushBuffer();
  const GLint* v = c.view;
  BeginViewportPixels(v, c.name);
  const double screen = (double)v[2] * v[3];
  for (int pass = 0; pass < 2; ++pass) {
    const std::vector<GLfloat>& pieces = pass == 0 ? layers.opaque : layers.mixed;
    if (pieces.empty()) continue;
    if (pass == 0) {
      glDisable(GL_BLEND);
    } else {
      glEnable(GL_BLEND);
      glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    }
    glVertexPointer(2, GL_FLOAT, 4 * sizeof(GLfloat), &pieces[0]);
    glTexCoordPointer(2, GL_FLOAT, 4 * sizeof(GLfloat), &pieces[2]);
    ++g_GLES_CallCounts.drawCalls;
    glDrawArrays(GL_TRIANGLES, 0, (GLsizei)(pieces.size() / 4));
    if (s_fillW > 0)
      (pass == 0 ? g_GLES_FillCounts.opaque : g_GLES_FillCounts.blended) += PiecesArea(pieces, 4) / screen;
  }
  // The blocks of one colour all over (a darkening) need no texture: their colour is given.
  if (!layers.flat.empty()) {
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(2, GL_FLOAT, 0, &layers.flat[0]);
    glColorPointer(4, GL_UNSIGNED_BYTE, 0, &layers.flatColours[0]);
    ++g_GLES_CallCounts.drawCalls;
    glDrawArrays(GL_TRIANGLES, 0, (GLsizei)(layers.flat.size() / 2));
    if (s_fillW > 0) g_GLES_FillCounts.blended += PiecesArea(layers.flat, 2) / screen;
  }
  EndViewportPixels();
  return true;
}

void GLES_ReleaseLayers(GLES_Layers& layers) {
  GLES_ReleaseScreenCopy(layers.picture);
  layers.opaque.clear();
  layers.mixed.clear();
  layers.flat.clear();
  layers.flatColours.clear();
}

namespace {

// A corner of a glow's triangle in viewport pixels, with its texture place and colour.
struct GlowCorner {
  double x, y, u, v, c[4];
};
GlowCorner Lerp(const GlowCorner& a, const GlowCorner& b, double t) {
  GlowCorner m;
  m.x = a.x + (b.x - a.x) * t;
  m.y = a.y + (b.y - a.y) * t;
  m.u = a.u + (b.u - a.u) * t;
  m.v = a.v + (b.v - a.v) * t;
  for (int k = 0; k < 4; ++k)
    m.c[k] = a.c[k] + (b.c[k] - a.c[k]) * t;
  return m;
}

// Adds the parts of the triangle that lie in each of the rectangles (x0, y0, x1, y1), as triangles;
// returns their area in pixels.
double AddClipped(std::vector<GlowVertex>& to, const GlowCorner* t, const std::vector<GLint>& boxes) {
  const double left = std::min({t[0].x, t[1].x, t[2].x}), right = std::max({t[0].x, t[1].x, t[2].x}),
               bottom = std::min({t[0].y, t[1].y, t[2].y}), top = std::max({t[0].y, t[1].y, t[2].y});
  double area = 0;
  for (size_t r = 0; r + 3 < boxes.size(); r += 4) {
    if (boxes[r] >= right || boxes[r + 2] <= left || boxes[r + 1] >= top || boxes[r + 3] <= bottom) continue;
    GlowCorner p[9];
    p[0] = t[0];
    p[1] = t[1];
    p[2] = t[2];
    const int n = ClipToBox(p, 3, boxes[r], boxes[r + 1], boxes[r + 2], boxes[r + 3]);
    if (n < 3) continue;
    area += std::fabs(TwiceArea(p, n)) / 2;
    for (int k = 1; k + 1 < n; ++k)
      for (int j : {0, k, k + 1}) {
        GlowVertex g{(GLfloat)p[j].x, (GLfloat)p[j].y, (GLfloat)p[j].u, (GLfloat)p[j].v, {0, 0, 0, 0}};
        for (int c = 0; c < 4; ++c)
          g.c[c] = (GLubyte)std::min(255.0, std::max(0.0, p[j].c[c] + 0.5));
        to.push_back(g);
      }
  }
  return area;
}

// Draws the glow's pieces. Under layers that let only part of it through, unit 1 reads the share
// of the cover where each piece lands: the modulated colour times its alpha is what blending
// would add, and the share is the alpha it is added with.
void DrawGlowPieces(const std::vector<GlowVertex>& pieces, const GLES_ScreenCopy* through) {
  if (pieces.empty()) return;
  glVertexPointer(2, GL_FLOAT, sizeof(GlowVertex), &pieces[0].x);
  glTexCoordPointer(2, GL_FLOAT, sizeof(GlowVertex), &pieces[0].u);
  glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(GlowVertex), pieces[0].c);
  if (through) {
    glActiveTexture(GL_TEXTURE1);
    glEnable(GL_TEXTURE_2D);
    GLC_BindTexture(through->name);
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glScalef(1.0f / (GLfloat)through->texW, 1.0f / (GLfloat)through->texH, 1);
    glMatrixMode(GL_MODELVIEW);
    glTexEnvx(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
    glTexEnvx(GL_TEXTURE_ENV, GL_COMBINE_RGB, GL_MODULATE);
    glTexEnvx(GL_TEXTURE_ENV, GL_SRC0_RGB, GL_PREVIOUS);
    glTexEnvx(GL_TEXTURE_ENV, GL_OPERAND0_RGB, GL_SRC_COLOR);
    glTexEnvx(GL_TEXTURE_ENV, GL_SRC1_RGB, GL_PREVIOUS);
    glTexEnvx(GL_TEXTURE_ENV, GL_OPERAND1_RGB, GL_SRC_ALPHA);
    glTexEnvx(GL_TEXTURE_ENV, GL_COMBINE_ALPHA, GL_REPLACE);
    glTexEnvx(GL_TEXTURE_ENV, GL_SRC0_ALPHA, GL_TEXTURE);
    glTexEnvx(GL_TEXTURE_ENV, GL_OPERAND0_ALPHA, GL_SRC_ALPHA);
    glClientActiveTexture(GL_TEXTURE1);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, sizeof(GlowVertex), &pieces[0].x);
    glClientActiveTexture(GL_TEXTURE0);
    glActiveTexture(GL_TEXTURE0);
  }
  ++g_GLES_CallCounts.drawCalls;
  glDrawArrays(GL_TRIANGLES, 0, (GLsizei)pieces.size());
  if (through) {
    glActiveTexture(GL_TEXTURE1);
    glTexEnvx(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glBindTexture(GL_TEXTURE_2D, 0);
    glDisable(GL_TEXTURE_2D);
    glClientActiveTexture(GL_TEXTURE1);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glActiveTexture(GL_TEXTURE0);
    glClientActiveTexture(GL_TEXTURE0);
  }
}

// c = a x b for GL's column-major 4 x 4 matrices.
void MultiplyMatrices(const GLfloat* a, const GLfloat* b, GLfloat* c) {
  for (int col = 0; col < 4; ++col)
    for (int r = 0; r < 4; ++r) {
      GLfloat sum = 0;
      for (int k = 0; k < 4; ++k)
        sum += a[k * 4 + r] * b[col * 4 + k];
      c[col * 4 + r] = sum;
    }
}

} // namespace

bool GLES_DrawCoverWithGlow(const GLES_Cover& cover, const GLES_HeldDrawing& glow) {
  const GLES_ScreenCopy& through = cover.through;
  if (!GLES_ScreenCopyFits(cover.whole) || !GLES_ScreenCopyFits(through) || !AddsModulated(glow) ||
      (!cover.mixed.empty() && !TwoTextureUnits()))
    return false;
  // Where the glow's vertices land, in viewport pixels: the matrices must not bring in perspective.
  GLfloat projection[16], modelview[16], m[16];
  glGetFloatv(GL_PROJECTION_MATRIX, projection);
  glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
  MultiplyMatrices(projection, modelview, m);
  if (m[3] != 0 || m[7] != 0 || m[11] != 0 || m[15] != 1) return false;
  GLES_FlushBuffer();
  const GLint* v = through.view;
  const double halfW = v[2] / 2.0, halfH = v[3] / 2.0, screen = (double)v[2] * v[3];
  // Culling is decided here, where the winding is known: the pieces go to GL with it off.
  GLint cullMode = GL_BACK, frontFace = GL_CCW;
  const bool cull = glIsEnabled(GL_CULL_FACE);
  glGetIntegerv(GL_CULL_FACE_MODE, &cullMode);
  glGetIntegerv(GL_FRONT_FACE, &frontFace);
  GLES_DrawScreenCopy(cover.whole);
  PushViewportPixels(v);
  glEnableClientState(GL_COLOR_ARRAY);
  BindStartTexture(glow);
  for (const GLES_HeldOp& o : glow.ops) {
    if ((Op)o.op != Op::Draw) {
      SendState(glow, o);
      continue;
    }
    s_glowClear.clear();
    s_glowMixed.clear();
    double area = 0;
    for (u32 i = 0; i + 2 < o.c; i += 3) {
      GlowCorner t[3];
      for (int k = 0; k < 3; ++k) {
        const size_t at = (size_t)o.a + glow.indexes[o.b + i + k];
        const GLfixed* xyz = &glow.coords[at * 3];
        const double x = xyz[0] / 65536.0, y = xyz[1] / 65536.0, z = xyz[2] / 65536.0;
        t[k].x = (m[0] * x + m[4] * y + m[8] * z + m[12] + 1) * halfW;
        t[k].y = (m[1] * x + m[5] * y + m[9] * z + m[13] + 1) * halfH;
        t[k].u = glow.texCoords[at * 2] / 65536.0;
        t[k].v = glow.texCoords[at * 2 + 1] / 65536.0;
        for (int c = 0; c < 4; ++c)
          t[k].c[c] = glow.colours[at * 4 + c];
      }
      const double twice = TwiceArea(t, 3);
      if (cull &&
          (cullMode == GL_FRONT_AND_BACK || (cullMode == GL_BACK) != ((twice > 0) == (frontFace == GL_CCW))))
        continue;
      area += AddClipped(s_glowClear, t, cover.clear) + AddClipped(s_glowMixed, t, cover.mixed);
    }
    DrawGlowPieces(s_glowClear, nullptr);
    DrawGlowPieces(s_glowMixed, &through);
    if (s_fillW > 0) g_GLES_FillCounts.blended += area / screen;
  }
  EndViewportPixels();
  return true;
}

void GLES_ReleaseCover(GLES_Cover& cover) {
  GLES_ReleaseScreenCopy(cover.whole);
  GLES_ReleaseScreenCopy(cover.through);
  cover.clear.clear();
  cover.mixed.clear();
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
  // The held calls' first choice: whether it had to be bound depends on what was bound before them,
  // what they draw with it does not. The choice is hashed, not the calls that make it.
  bool first = false;
  if (s_deferred.on && !s_deferred.textureSettled) {
    FlushBatch(); // a batch drawn with the texture from before settles it
    first = !s_deferred.textureSettled;
    if (first) {
      Mix(&name, sizeof name);
      s_deferred.textureSettled = true;
      s_unhashed = true;
    }
  }
  if (name) {
    if (!g_Current_texName) {
      FlushBatch();
      EmitTexturing(true);
      EmitBind(name);
    } else if (g_Current_texName != name) {
      FlushBatch();
      EmitBind(name);
    }
  } else if (g_Current_texName) {
    FlushBatch();
    EmitTexturing(false);
  }
  g_Current_texName = name;
  if (first) s_unhashed = false;
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
  GLES_FlushBuffer();
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
  GLES_FlushBuffer();
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
  // The textures and the held drawing belonged to the context that went.
  ClearDeferred();
  ++s_generation;
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
