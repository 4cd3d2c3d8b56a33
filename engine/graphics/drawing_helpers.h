// Free drawing functions beyond the bitmap interface: stretch blits, translucent fills and the
// orientation mapping of rectangles.
#pragma once

#include "quellar_types.h"

class CAppGraphics;
class IDibBitmap;
struct QuellarVertex;

// Software stretch of (sx, sy, sw, sh) of src onto (x, y, w, h) of an RGB565 dest; sizes of 0 are
// the source's device size.
void Bitmap_StretchDraw(IDibBitmap* dest, IDibBitmap* src, int x, int y, int w, int h, int sx, int sy, int sw,
                        int sh);
void Bitmap_StretchDraw_Transparent(IDibBitmap* dest, IDibBitmap* src, int x, int y, int w, int h, int sx,
                                    int sy, int sw, int sh);

// Fills a rectangle with (r, g, b) at alpha a (255 is the bitmap's own opaque fill).
void FillRectangle_Transparent(CAppGraphics* game, IDibBitmap* dest, int x, int y, int w, int h, int r, int g,
                               int b, int a);

// Maps a rectangle given in the drawing orientation into the bitmap's stored grid.
void SetRectAccordingToOrientationMode(IDibBitmap* bitmap, int& x, int& y, int& w, int& h);

// The fills' rectangle: a negative width or height extends left or up from x + 1 (y + 1); the
// result is clamped to dest's device size as x0..x1, y0..y1 (ends exclusive). False when the
// rectangle misses dest.
bool NormalizeFillRectangle(IDibBitmap* dest, int x, int y, int w, int h, int& x0, int& y0, int& x1, int& y1);

// GL paths: they draw through the source's texture tiles and the batcher.

// Draws count triangles of absolute source-pixel texture coordinates (white: no vertex colours);
// nothing for a source without texture data.
void DrawTexturedTriangles_AbsoluteUV(CAppGraphics* game, IDibBitmap* dest, IDibBitmap* src,
                                      const QuellarVertex (*triangles)[3], int count, bool white);
// Stretches (sx, sy, sw, sh) of src onto (x, y, w, h) under a Renderer_SetBlendMode mode; the alpha
// argument is the usual fade offset.
void Bitmap_StretchDrawF16_Transparent(CAppGraphics* game, IDibBitmap* dest, IDibBitmap* src,
                                       FIXED_FLOAT_16 x, FIXED_FLOAT_16 y, FIXED_FLOAT_16 w, FIXED_FLOAT_16 h,
                                       FIXED_FLOAT_16 sx, FIXED_FLOAT_16 sy, FIXED_FLOAT_16 sw,
                                       FIXED_FLOAT_16 sh, int alpha, int blendMode);
void Bitmap_StretchDrawF16(CAppGraphics* game, IDibBitmap* dest, IDibBitmap* src, FIXED_FLOAT_16 x,
                           FIXED_FLOAT_16 y, FIXED_FLOAT_16 w, FIXED_FLOAT_16 h, FIXED_FLOAT_16 sx,
                           FIXED_FLOAT_16 sy, FIXED_FLOAT_16 sw, FIXED_FLOAT_16 sh, int blendMode);
void Bitmap_StretchDrawF_Transparent(CAppGraphics* game, IDibBitmap* dest, IDibBitmap* src, FIXED_FLOAT x,
                                     FIXED_FLOAT y, FIXED_FLOAT w, FIXED_FLOAT h, FIXED_FLOAT sx,
                                     FIXED_FLOAT sy, FIXED_FLOAT sw, FIXED_FLOAT sh, int alpha,
                                     int blendMode);
void Bitmap_StretchDrawF(CAppGraphics* game, IDibBitmap* dest, IDibBitmap* src, FIXED_FLOAT x, FIXED_FLOAT y,
                         FIXED_FLOAT w, FIXED_FLOAT h, FIXED_FLOAT sx, FIXED_FLOAT sy, FIXED_FLOAT sw,
                         FIXED_FLOAT sh, int blendMode);
// The colour of (sx1, sy1) of colourBitmap masked by (sx2, sy2) of alphaBitmap, both single-tile
// textures: rgb1 x rgb2 with alpha a1 x a2.
void BitBlt_Texture1RGB_Texture2A(CAppGraphics* game, IDibBitmap* dest, int x, int y, int w, int h,
                                  IDibBitmap* colourBitmap, int sx1, int sy1, IDibBitmap* alphaBitmap,
                                  int sx2, int sy2, int unused);
// Adds (r, g, b) over a rectangle through GL, whatever dest is.
void FillRectangle_Additive(CAppGraphics* game, IDibBitmap* dest, int x, int y, int w, int h, int r, int g,
                            int b);
// FillRectangle_Transparent on the render target: a blended quad over the normalised x0..x1, y0..y1.
void FillRectangle_TransparentGL(int x0, int y0, int x1, int y1, int r, int g, int b, int a);
