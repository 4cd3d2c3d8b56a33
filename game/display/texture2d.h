// Texture2D: one loaded bitmap drawn as two textured triangles per rectangle, under the global
// drawing transform and the tint cache; the point and rectangle records the blits take.
#pragma once

#include <functional>

#include "quellar_types.h"
#include "texture_data.h"

class CAppGraphics;
class IDibBitmap;

struct _CGPoint {
  float x;
  float y;
};

struct _CGRect {
  float x;
  float y;
  float width;
  float height;
};

inline _CGPoint _CGPointMake(float x, float y) { return _CGPoint{x, y}; }
inline _CGRect _CGRectMake(float x, float y, float w, float h) { return _CGRect{x, y, w, h}; }

// (d x 65536 + 0.5) truncated toward zero, so -1.5 is one unit smaller in magnitude than 1.5;
// values beyond the 16.16 range saturate.
FIXED_FLOAT_16 FixedFloat16FromDouble(double d);

// The global drawing transform: vertex = (point + translate) x scale.
extern float g_glScaleX;
extern float g_glScaleY;
extern float g_glTranslateX;
extern float g_glTranslateY;

void GlScale(float sx, float sy);
void GlTranslate(float tx, float ty);

// Where every blit's two triangles go: the engine's batcher, or a test's capture.
typedef void (*DrawTexturedTrianglesFunc)(CAppGraphics* game, IDibBitmap* dest, IDibBitmap* src,
                                          const QuellarVertex (*triangles)[3], int count, bool flag);
extern DrawTexturedTrianglesFunc g_drawTexturedTriangles;

class Texture2D;

// Pictures decode on worker threads from the moment they load (atlas pages, a sprite's own PNG):
// g_picturesPending says some are not finished. FinishPendingPictures, on the GL thread, waits for
// them and makes their textures; a blit finishes them first. Deleting a texture whose picture is
// one of them drops its decode.
extern bool g_picturesPending;
void FinishPendingPictures();
// A texture whose bitmap ImageLoad_PNG_Deferred began; damaged runs at the finish, after every
// texture is made, when the file turns out damaged (the bitmap then holds no picture).
void AddPendingPicture(Texture2D* texture, std::function<void()> damaged);
bool PicturePending(const Texture2D* texture);

// A rectangle of the tint's colour without a texture, placed as BlitAtPointUsingRectFlipY places
// a picture of W x H texels at scale 1 (a negative size mirrors): a fill costs the rasteriser no
// texture reads.
void FillAtPointFlipY(_CGPoint p, float W, float H);

// The opaque pieces blits have drawn without blending, counted by blit, and the largest one's
// rectangle in the drawing's coordinates (after the global transform) of the last axis-aligned
// blit that had any: what that blit hid of all drawn before.
struct OpaqueMiddles {
  unsigned count;
  float x0, y0, x1, y1;
};
extern OpaqueMiddles g_opaqueMiddles;

// A corner of a shape drawn in place of a picture: where it lies across the picture (s from its
// left edge, t from its top, 0 to 1) and the colour of the texels it stands for, premultiplied.
struct ShapeCorner {
  float s, t;
  float r, g, b, a;
};

// r is the source rectangle in texels of the bitmap, p the destination's top-left before scaling.
class Texture2D {
public:
  Texture2D() : bitmap(nullptr) {}
  Texture2D(const Texture2D&) = delete;
  Texture2D& operator=(const Texture2D&) = delete;
  ~Texture2D();

  // Expects positive scales.
  void BlitAtPointUsingRect(_CGPoint p, _CGRect r, bool, float scaleX, float scaleY);
  // A negative scale mirrors on its axis.
  void BlitAtPointUsingRectFlipY(_CGPoint p, _CGRect r, bool, float scaleX, float scaleY);
  // The source laid on its side: a quarter turn clockwise and a vertical mirror.
  void BlitAtPointUsingRectFlipYAndRotated90(_CGPoint p, _CGRect r, bool, float scaleX, float scaleY);
  // Turned clockwise by degrees about the pivot; a positive scaleY samples the source bottom-up.
  void BlitAtPointUsingRectFlipYWithAngle(_CGPoint p, _CGRect r, bool, float scaleX, float scaleY,
                                          float degrees, _CGPoint pivot);
  // Draws triangles of corners in place of the picture whose texels are picture, placed as the blit
  // above places it from r: the colours modulated by the tint as the texels would be, no texture
  // read. False, drawing nothing, where the blits are captured or the texture does not modulate.
  bool ShadeAtPointUsingRectFlipYWithAngle(_CGPoint p, _CGRect r, _CGRect picture, float scaleX, float scaleY,
                                           float degrees, _CGPoint pivot, const ShapeCorner* shape,
                                           int count);
  // The same in place of BlitAtPointUsingRectFlipY's picture.
  bool ShadeAtPointUsingRectFlipY(_CGPoint p, _CGRect r, _CGRect picture, float scaleX, float scaleY,
                                  const ShapeCorner* shape, int count);

  IDibBitmap* bitmap; // owned
  TCoord2D size;

private:
  void Send(const QuellarVertex (&quad)[4]);
  bool SendSolid(const QuellarVertex (&tris)[2][3]);
  // An axis-aligned blit of (px, py) and W x H after the global scale, corners' texels uv.
  void SendAxis(float px, float py, float W, float H, const float (&uv)[4][2]);
  // x0, y0 and x1, y1 opposite corners on screen, after the global transform; uv the corners' texels.
  bool SendInPieces(float x0, float y0, float x1, float y1, const float (&uv)[4][2]);
};
