// GL paths of the drawing helpers: textured triangles, fixed-point stretches, the two-texture
// blit and the additive and translucent fills.
#include <GLES/gl.h>

#include "dib_bitmap.h"
#include "drawing_helpers.h"
#include "gl_calls.h"
#include "gl_renderer.h"
#include "texture_data.h"

namespace {

QuellarVertex Vertex(FIXED_FLOAT_16 x, FIXED_FLOAT_16 y, FIXED_FLOAT_16 u, FIXED_FLOAT_16 v, u8 a) {
  return QuellarVertex{x, y, 0, u, v, 255, 255, 255, a};
}

} // namespace

void DrawTexturedTriangles_AbsoluteUV(CAppGraphics*, IDibBitmap* dest, IDibBitmap* src,
                                      const QuellarVertex (*triangles)[3], int count, bool white) {
  QuellarTextureData* td = src ? src->GetHWResource() : nullptr;
  if (td) td->BltTriangles_AbsoluteUV_Fast(dest, triangles, count, white);
}

void Bitmap_StretchDrawF16_Transparent(CAppGraphics* game, IDibBitmap* dest, IDibBitmap* src,
                                       FIXED_FLOAT_16 x, FIXED_FLOAT_16 y, FIXED_FLOAT_16 w, FIXED_FLOAT_16 h,
                                       FIXED_FLOAT_16 sx, FIXED_FLOAT_16 sy, FIXED_FLOAT_16 sw,
                                       FIXED_FLOAT_16 sh, int alpha, int blendMode) {
  if (!dest || !src || 255 + alpha <= 0) return;
  u8 a = (u8)(255 + alpha < 255 ? 255 + alpha : 255);
  // Both triangles clockwise on screen, as the culling requires.
  const QuellarVertex tris[2][3] = {
      {Vertex(x, y, sx, sy, a), Vertex(x + w, y, sx + sw, sy, a), Vertex(x + w, y + h, sx + sw, sy + sh, a)},
      {Vertex(x, y, sx, sy, a), Vertex(x + w, y + h, sx + sw, sy + sh, a), Vertex(x, y + h, sx, sy + sh, a)}};
  Renderer_SetBlendMode(blendMode);
  DrawTexturedTriangles_AbsoluteUV(game, dest, src, tris, 2, false);
}

void Bitmap_StretchDrawF16(CAppGraphics* game, IDibBitmap* dest, IDibBitmap* src, FIXED_FLOAT_16 x,
                           FIXED_FLOAT_16 y, FIXED_FLOAT_16 w, FIXED_FLOAT_16 h, FIXED_FLOAT_16 sx,
                           FIXED_FLOAT_16 sy, FIXED_FLOAT_16 sw, FIXED_FLOAT_16 sh, int blendMode) {
  Bitmap_StretchDrawF16_Transparent(game, dest, src, x, y, w, h, sx, sy, sw, sh, 0, blendMode);
}

void Bitmap_StretchDrawF_Transparent(CAppGraphics* game, IDibBitmap* dest, IDibBitmap* src, FIXED_FLOAT x,
                                     FIXED_FLOAT y, FIXED_FLOAT w, FIXED_FLOAT h, FIXED_FLOAT sx,
                                     FIXED_FLOAT sy, FIXED_FLOAT sw, FIXED_FLOAT sh, int alpha,
                                     int blendMode) {
  Bitmap_StretchDrawF16_Transparent(game, dest, src, x * 256, y * 256, w * 256, h * 256, sx * 256, sy * 256,
                                    sw * 256, sh * 256, alpha, blendMode);
}

void Bitmap_StretchDrawF(CAppGraphics* game, IDibBitmap* dest, IDibBitmap* src, FIXED_FLOAT x, FIXED_FLOAT y,
                         FIXED_FLOAT w, FIXED_FLOAT h, FIXED_FLOAT sx, FIXED_FLOAT sy, FIXED_FLOAT sw,
                         FIXED_FLOAT sh, int blendMode) {
  Bitmap_StretchDrawF_Transparent(game, dest, src, x, y, w, h, sx, sy, sw, sh, 0, blendMode);
}

void BitBlt_Texture1RGB_Texture2A(CAppGraphics*, IDibBitmap* dest, int x, int y, int w, int h,
                                  IDibBitmap* colourBitmap, int sx1, int sy1, IDibBitmap* alphaBitmap,
                                  int sx2, int sy2, int) {
  GLES_FlushBuffer();
  if (!dest || !colourBitmap || !alphaBitmap) return;
  QuellarTextureData* t1 = colourBitmap->GetHWResource();
  QuellarTextureData* t2 = alphaBitmap->GetHWResource();
  if (!t1 || !t2 || t1->m_nTileCount != 1 || t2->m_nTileCount != 1) return;
  int w1 = w, h1 = h, w2 = w, h2 = h;
  FIXED_FLOAT_16 u1[4], u2[4]; // uMin, vMin, uMax, vMax
  GLuint name1 = t1->GetTexture(sx1, sy1, w1, h1, u1[0], u1[1], u1[2], u1[3]);
  GLuint name2 = t2->GetTexture(sx2, sy2, w2, h2, u2[0], u2[1], u2[2], u2[3]);
  if (!name1 || !name2) return;
  // Corners top-left, top-right, bottom-right, bottom-left.
  const GLfixed xy[8] = {x * 256,       y * 256,       (x + w) * 256, y * 256,
                         (x + w) * 256, (y + h) * 256, x * 256,       (y + h) * 256};
  const GLfixed uv1[8] = {u1[0], u1[1], u1[2], u1[1], u1[2], u1[3], u1[0], u1[3]};
  const GLfixed uv2[8] = {u2[0], u2[1], u2[2], u2[1], u2[2], u2[3], u2[0], u2[3]};
  static const GLubyte white[16] = {255, 255, 255, 255, 255, 255, 255, 255,
                                    255, 255, 255, 255, 255, 255, 255, 255};
  static const GLubyte strip[4] = {0, 1, 3, 2};

  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glActiveTexture(GL_TEXTURE0);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, name1);
  glTexEnvx(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glClientActiveTexture(GL_TEXTURE0);
  glTexCoordPointer(2, GL_FIXED, 0, uv1);
  glActiveTexture(GL_TEXTURE1);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, name2);
  glTexEnvx(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glClientActiveTexture(GL_TEXTURE1);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glTexCoordPointer(2, GL_FIXED, 0, uv2);
  glEnableClientState(GL_COLOR_ARRAY);
  glColorPointer(4, GL_UNSIGNED_BYTE, 0, white);
  glVertexPointer(2, GL_FIXED, 0, xy);
  GLC_DrawElements(GL_TRIANGLE_STRIP, 4, GL_UNSIGNED_BYTE, strip);

  glBindTexture(GL_TEXTURE_2D, 0);
  glDisable(GL_TEXTURE_2D);
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glDisableClientState(GL_COLOR_ARRAY);
  glActiveTexture(GL_TEXTURE0);
  glClientActiveTexture(GL_TEXTURE0);
  GLES_RestoreCachingSupport();
}

void FillRectangle_Additive(CAppGraphics*, IDibBitmap* dest, int x, int y, int w, int h, int r, int g,
                            int b) {
  if (!dest || !dest->GetBits()) return;
  int x0, y0, x1, y1;
  if (!NormalizeFillRectangle(dest, x, y, w, h, x0, y0, x1, y1)) return;
  Renderer_SetBlendMode(RENDERER_BLEND_ADDITIVE);
  GLES_RenderFilledQuad(x0, y0, x1, y1, r, g, b, 255);
}

void FillRectangle_TransparentGL(int x0, int y0, int x1, int y1, int r, int g, int b, int a) {
  Renderer_SetBlendMode(RENDERER_BLEND_NORMAL);
  GLES_RenderFilledQuad(x0, y0, x1, y1, r, g, b, a);
}
