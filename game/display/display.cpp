// Display: tint and mode caches, fills and the surface blits, all ending in a Texture2D blit.
#include "display.h"

#include <GLES/gl.h>

#include <cmath>

#include "drawing_helpers.h"
#include "game_globals.h"
#include "gl_renderer.h"
#include "surface.h"
#include "texture2d.h"

Display* display = nullptr;

int lastBlendR = -1;
int lastBlendG = -1;
int lastBlendB = -1;
int lastBlendA = -1;
bool noChangeBlending = false;
int display_mode_current = -1;
bool forceNormalMode = false;
float g_forceScale = 1.0f;
Surface* g_white = nullptr;
Surface* g_black = nullptr;

namespace {

bool Drawable(const Surface* s) { return s && s->texture && s->texture->bitmap; }

// Float to int toward zero, saturating instead of overflowing.
int ToInt(float v) {
  if (v != v) return 0;
  if (v <= -2147483648.0f) return INT32_MIN;
  if (v >= 2147483647.0f) return INT32_MAX;
  return (int)v;
}

} // namespace

Display::Display()
    : lineFlag(false), clipRect(0, 0, 0, 0), scaleOverride(false), scaleOverrideX(0), scaleOverrideY(0),
      alpha(0) {}

// --- tint ---

void Display::SetBlending(int a, int r, int g, int b) {
  if (noChangeBlending) return;
  if (a < 0) a = 0;
  alpha = a;
  // Triangles already queued keep the colour they were built with: their vertices carry it.
  lastBlendR = r;
  lastBlendG = g;
  lastBlendB = b;
  lastBlendA = a;
}

void Display::SetBlending(int a) {
  if (noChangeBlending) return;
  alpha = a;
  lastBlendR = lastBlendG = lastBlendB = 255;
  lastBlendA = a;
}

// --- modes ---

namespace {

void SelectMode(int mode, Renderer_BlendMode renderer) {
  if (display_mode_current == mode || forceNormalMode) return;
  display_mode_current = mode;
  Renderer_SetBlendMode(renderer, nullptr);
}

} // namespace

void Display::SetAddMode() { SelectMode(1, RENDERER_BLEND_ADDITIVE); }
void Display::SetOverlayMode() { SelectMode(2, RENDERER_BLEND_ADDITIVE); }
void Display::SetNormalMode() { SelectMode(3, RENDERER_BLEND_NORMAL); }
void Display::SetNoBlackEdgesMode() { SelectMode(4, RENDERER_BLEND_PREMULTIPLIED); }

void Display::ForceNormalMode() {
  forceNormalMode = true;
  display_mode_current = 3;
  Renderer_SetBlendMode(RENDERER_BLEND_NORMAL, nullptr);
}

void Display::DisableGLBlend() { Renderer_SetBlendMode(RENDERER_BLEND_OPAQUE, nullptr); }
void Display::EnableGLBlend() { Renderer_SetBlendMode(RENDERER_BLEND_NORMAL, nullptr); }

// --- fills ---

// Placed where the white picture stretched over the rectangle would lie, which it stands for: it
// needs no texture (full-screen fills darken whole screens). Blits captured instead of drawn see
// that picture.
void Display::Fill(float x1, float y1, float x2, float y2) {
  if (!Drawable(g_white)) return;
  if (g_drawTexturedTriangles != DrawTexturedTriangles_AbsoluteUV) {
    BlitStretch(x1, y1, x2, y2, g_white);
    return;
  }
  float w = (float)g_white->width, h = (float)g_white->height;
  float sx = (x2 - x1) / w, sy = (y2 - y1) / h;
  if (scaleOverride) {
    sx *= scaleOverrideX;
    sy *= scaleOverrideY;
  }
  FillAtPointFlipY(_CGPointMake((x1 + x2) / 2 - w * sx / 2, (y1 + y2) / 2 - h * sy / 2), w * sx, h * sy);
}

void Display::FillRect(int x1, int y1, int x2, int y2, ColorRGB c) {
  SetBlending(alpha, c.r, c.g, c.b);
  Fill((float)x1, (float)y1, (float)x2, (float)y2);
  SetBlending(alpha, 255, 255, 255);
}

void Display::FillRect(int x1, int y1, int x2, int y2, int) {
  Fill((float)x1, (float)y1, (float)x2, (float)y2);
}

void Display::FillRect(myRect* r, ColorRGB c) {
  if (r) FillRect(ToInt(r->left), ToInt(r->top), ToInt(r->right), ToInt(r->bottom), c);
}

void Display::FillRect(myRect* r, int colour) {
  if (r) FillRect(ToInt(r->left), ToInt(r->top), ToInt(r->right), ToInt(r->bottom), colour);
}

void Display::DrawRect(int x1, int y1, int x2, int y2, ColorRGB c) {
  DrawLine(x1, y1, x2, y1, c);
  DrawLine(x2, y1, x2, y2, c);
  DrawLine(x2, y2, x1, y2, c);
  DrawLine(x1, y2, x1, y1, c);
}

void Display::DrawRect(myRect* r, ColorRGB c) {
  if (r) DrawRect(ToInt(r->left), ToInt(r->top), ToInt(r->right), ToInt(r->bottom), c);
}

// --- clipping ---

// The scissor box gets the values in this order (top as x, left as y, bottom as width, right as
// height); the test stays disabled, so nothing is clipped.
void Display::SetClipping(float left, float top, float right, float bottom) {
  clipRect.Set(left, top, right, bottom);
  glScissor(ToInt(top), ToInt(left), ToInt(bottom), ToInt(right));
}

void Display::ResetClipping() { clipRect.Set(0, 0, (float)MAXX, (float)MAXY); }

// --- blits ---

void Display::Blit(float x, float y, Surface* s, myRect* src, bool flip, float scaleX, float scaleY) {
  if (!Drawable(s)) return;
  int ox = s->offsetX, oy = s->offsetY;
  if (!src) {
    s->texture->BlitAtPointUsingRect(
        _CGPointMake(x + ox, y + oy),
        _CGRectMake((float)s->atlasX, (float)s->atlasY, (float)s->width, (float)s->height), flip, 1.0f, 1.0f);
    return;
  }
  int ix = ToInt(src->left), dx = 0;
  if (src->left < ox) {
    ix = ox;
    dx = ToInt(ox - src->left);
  }
  int iy = ToInt(src->top), dy = 0;
  if (src->top < oy) {
    iy = oy;
    dy = ToInt(oy - src->top);
  }
  int iw = ToInt(src->GetWidth() - dx), ih = ToInt(src->GetHeight() - dy);
  if (iw > s->width) iw = s->width;
  if (ih > s->height) ih = s->height;
  s->texture->BlitAtPointUsingRect(
      _CGPointMake(x + dx, y + dy),
      _CGRectMake((float)(s->atlasX + ix - ox), (float)(s->atlasY + iy - oy), (float)iw, (float)ih), flip,
      scaleX, scaleY);
}

void Display::BlitAdd(float x, float y, Surface* s, myRect* src) {
  SetAddMode();
  Blit(x, y, s, src, false, 1.0f, 1.0f);
  SetNormalMode();
}

void Display::BlitSub(float x, float y, Surface* s, myRect* src) { BlitAdd(x, y, s, src); }

void Display::BlitStretch(float x1, float y1, float x2, float y2, Surface* s) {
  if (!Drawable(s)) return;
  float w = (float)s->width, h = (float)s->height;
  float sx = (x2 - x1) / w, sy = (y2 - y1) / h;
  if (scaleOverride) {
    sx *= scaleOverrideX;
    sy *= scaleOverrideY;
  }
  _CGPoint p = _CGPointMake((x1 + x2) / 2 - w * sx / 2, (y1 + y2) / 2 - h * sy / 2);
  s->texture->BlitAtPointUsingRectFlipY(p, _CGRectMake((float)s->atlasX, (float)s->atlasY, w, h), false, sx,
                                        sy);
}

namespace {

// Where BlitScaled puts the picture unturned: the top-left, the texels it reads and the picture's
// own texels among them, at the scales it draws with (cy: the height's scale before the override,
// which places it).
struct ScaledPlacing {
  _CGPoint p;
  _CGRect r, picture;
  float sx, sy, cy;
};

ScaledPlacing ScaledPlace(const Surface* s, float x, float y, float scaleX, float scaleY, bool override,
                          float overrideX, float overrideY) {
  float fs = g_forceScale;
  float w = (float)s->width, h = (float)s->height;
  float sx = scaleX * fs, sy = scaleY * fs, cy = sy;
  if (override) {
    sx *= overrideX;
    sy *= overrideY;
  }
  if (!s->fromAtlas) {
    const _CGRect r = _CGRectMake((float)s->atlasX, (float)s->atlasY, w, h);
    return {_CGPointMake(x - w * sx / 2, y - h * cy / 2), r, r, sx, sy, cy};
  }
  // Atlas entries draw one extra texel on the left and top and are placed by their centre offsets.
  float cx = (float)s->centerOffsetX, cy0 = (float)s->centerOffsetY;
  return {_CGPointMake(x - w * sx / 2 - (cx / fs + 1) * sx, y - h * cy / 2 - (cy0 / fs + 0.5f) * sy),
          _CGRectMake((float)s->atlasX / fs - 1, (float)s->atlasY / fs - 1, w / fs + 1, h / fs + 1),
          _CGRectMake((float)s->atlasX / fs, (float)s->atlasY / fs, w / fs, h / fs),
          sx,
          sy,
          cy};
}

} // namespace

void Display::BlitScaled(float x, float y, float scaleX, float scaleY, Surface*& s, bool rotated) {
  ReloadSurfaceIfRequired(&s);
  if (!Drawable(s)) return;
  const ScaledPlacing q = ScaledPlace(s, x, y, scaleX, scaleY, scaleOverride, scaleOverrideX, scaleOverrideY);
  if (!rotated) {
    s->texture->BlitAtPointUsingRectFlipY(q.p, q.r, false, q.sx, q.sy);
    return;
  }
  // Turned a quarter: the same texels and scales, the width and height swapped in placing it.
  const float fs = g_forceScale, w = (float)s->width, h = (float)s->height;
  _CGPoint p = _CGPointMake(x - h * q.sx / 2, y - w * q.cy / 2);
  if (s->fromAtlas) {
    p.x += ((float)s->centerOffsetY / fs - 0.5f) * q.sx;
    p.y += ((float)s->centerOffsetX / fs - 1) * q.sy;
  }
  s->texture->BlitAtPointUsingRectFlipYAndRotated90(p, q.r, false, q.sx, q.sy);
}

bool Display::ShadeScaled(float x, float y, float scaleX, float scaleY, Surface*& s, const ShapeCorner* shape,
                          int count) {
  ReloadSurfaceIfRequired(&s);
  if (!Drawable(s)) return false;
  const ScaledPlacing q = ScaledPlace(s, x, y, scaleX, scaleY, scaleOverride, scaleOverrideX, scaleOverrideY);
  return s->texture->ShadeAtPointUsingRectFlipY(q.p, q.r, q.picture, q.sx, q.sy, shape, count);
}

namespace {

// Where BlitRotatedScale puts the picture: the top-left before turning, the texels it reads, the
// scales it draws with and its turn in degrees.
struct TurnedPlacing {
  _CGPoint p;
  _CGRect r;
  float sx, sy, degrees;
};

TurnedPlacing TurnedPlace(const Surface* s, float x, float y, float angle, float scaleX, float scaleY,
                          bool override, float overrideX, float overrideY) {
  if (override) {
    scaleX *= overrideX;
    scaleY *= overrideY;
  }
  float fs = g_forceScale;
  float w = (float)s->width * fs, h = (float)s->height * fs;
  float cx = (float)s->centerOffsetX, cy0 = (float)s->centerOffsetY;
  return {_CGPointMake(x - w * scaleX / 2 - (cx + 1) * scaleX,
                       (float)((double)y - (double)h * scaleY / 2 + ((double)cy0 - 0.5) * scaleY)),
          _CGRectMake((float)s->atlasX / fs - 1, (float)s->atlasY / fs - 1, (float)s->width / fs + 1,
                      (float)s->height / fs + 1),
          scaleX, scaleY, (float)(angle * 57.29579143313326)};
}

} // namespace

void Display::BlitRotatedScale(float x, float y, float angle, float scaleX, float scaleY, Surface*& s, bool) {
  ReloadSurfaceIfRequired(&s);
  if (!Drawable(s)) return;
  const TurnedPlacing q =
      TurnedPlace(s, x, y, angle, scaleX, scaleY, scaleOverride, scaleOverrideX, scaleOverrideY);
  s->texture->BlitAtPointUsingRectFlipYWithAngle(q.p, q.r, false, q.sx, q.sy, q.degrees, _CGPointMake(x, y));
}

bool Display::ShadeRotatedScale(float x, float y, float angle, float scaleX, float scaleY, Surface*& s,
                                const ShapeCorner* shape, int count) {
  ReloadSurfaceIfRequired(&s);
  if (!Drawable(s)) return false;
  const TurnedPlacing q =
      TurnedPlace(s, x, y, angle, scaleX, scaleY, scaleOverride, scaleOverrideX, scaleOverrideY);
  const float fs = g_forceScale;
  const _CGRect picture =
      _CGRectMake((float)s->atlasX / fs, (float)s->atlasY / fs, (float)s->width / fs, (float)s->height / fs);
  return s->texture->ShadeAtPointUsingRectFlipYWithAngle(q.p, q.r, picture, q.sx, q.sy, q.degrees,
                                                         _CGPointMake(x, y), shape, count);
}

void DrawLightningBetween(int x1, int y1, int x2, int y2, int halfWidth, float f, Surface* s) {
  float angle = atan2f((float)(y1 - y2), (float)(x2 - x1));
  float sx = sinf(angle) * (float)halfWidth, cy = cosf(angle) * (float)halfWidth;
  if (!display) return;
  display->Blit4Points((int)(x1 - sx), (int)(y1 - cy), (int)(x1 + sx), (int)(y1 + cy), (int)(x2 - sx),
                       (int)(y2 - cy), (int)(x2 + sx), (int)(y2 + cy), 0.0f, f, s);
}

void DrawScaled(float x, float y, float scaleX, float scaleY, Surface* s) {
  if (display && s) display->BlitScaled(x, y, scaleX, scaleY, s);
}

void DrawTurned(float x, float y, float angle, float scaleX, float scaleY, Surface* s) {
  if (display && s) display->BlitRotatedScale(x, y, angle, scaleX, scaleY, s);
}
