// Texture2D's blits: each rectangle becomes two clockwise triangles for the engine's batcher.
#include "texture2d.h"

#include <cmath>

#include "dib_bitmap.h"
#include "display.h"
#include "drawing_helpers.h"
#include "game_base.h"
#include "image_loaders.h"
#include "platform_services.h"

#include <vector>

float g_glScaleX = 1.0f;
float g_glScaleY = 1.0f;
float g_glTranslateX = 0.0f;
float g_glTranslateY = 0.0f;

DrawTexturedTrianglesFunc g_drawTexturedTriangles = DrawTexturedTriangles_AbsoluteUV;

void GlScale(float sx, float sy) {
  g_glScaleX *= sx;
  g_glScaleY *= sy;
}

void GlTranslate(float tx, float ty) {
  g_glTranslateX += tx;
  g_glTranslateY += ty;
}

FIXED_FLOAT_16 FixedFloat16FromDouble(double d) {
  double v = d * 65536.0 + 0.5;
  if (!(v > -2147483648.0)) return v != v ? 0 : INT32_MIN; // NaN draws at 0
  if (v >= 2147483647.0) return INT32_MAX;
  return (FIXED_FLOAT_16)v;
}

bool g_picturesPending = false;

namespace {

struct PendingPicture {
  IDibBitmap* bitmap;
  std::function<void()> damaged;
};

std::vector<PendingPicture>& PendingPictures() {
  static std::vector<PendingPicture> pictures;
  return pictures;
}

std::vector<IDibBitmap*>* g_damagedPictures = nullptr;
void NoteDamaged(IDibBitmap* bitmap) { g_damagedPictures->push_back(bitmap); }

} // namespace

void AddPendingPicture(Texture2D* texture, std::function<void()> damaged) {
  PendingPictures().push_back({texture->bitmap, std::move(damaged)});
  g_picturesPending = true;
}

bool PicturePending(const Texture2D* texture) {
  for (const PendingPicture& p : PendingPictures())
    if (texture && p.bitmap == texture->bitmap) return true;
  return false;
}

void FinishPendingPictures() {
  if (!g_picturesPending) return;
  g_picturesPending = false;
  std::vector<PendingPicture> pending;
  pending.swap(PendingPictures());
  std::vector<IDibBitmap*> damaged;
  g_damagedPictures = &damaged;
  FinishImageDecodes(g_pGame, NoteDamaged);
  g_damagedPictures = nullptr;
  for (IDibBitmap* bitmap : damaged)
    for (PendingPicture& p : pending)
      if (p.bitmap == bitmap && p.damaged) p.damaged();
}

Texture2D::~Texture2D() {
  // A worker may still be writing into the picture's pixels; the others go on, and a damaged file
  // goes unnoticed (an atlas finishes its pages before it lets them go).
  std::vector<PendingPicture>& pending = PendingPictures();
  for (size_t i = 0; i < pending.size(); ++i)
    if (pending[i].bitmap == bitmap) {
      AbandonImageDecode(bitmap);
      pending.erase(pending.begin() + (ptrdiff_t)i);
      g_picturesPending = !pending.empty();
      break;
    }
  SafeDelete(bitmap);
}

namespace {

// A tint channel as a vertex colour: the cache keeps what was asked, the vertex what can be drawn.
u8 Channel(int v) { return (u8)(v < 0 ? 0 : v > 255 ? 255 : v); }

struct Corner {
  float x, y; // screen position before the global transform
  float u, v;
};

// A vertex at a position already through the global transform, tinted by the blend cache.
void Fill(QuellarVertex& q, float x, float y, float u, float v) {
  q.x = FixedFloat16FromDouble((double)x);
  q.y = FixedFloat16FromDouble((double)y);
  q.z = 0;
  q.u = FixedFloat16FromDouble((double)u);
  q.v = FixedFloat16FromDouble((double)v);
  q.r = Channel(lastBlendR);
  q.g = Channel(lastBlendG);
  q.b = Channel(lastBlendB);
  q.a = Channel(lastBlendA);
}

QuellarVertex Vertex(const Corner& c) {
  QuellarVertex q;
  Fill(q, (c.x + g_glTranslateX) * g_glScaleX, (c.y + g_glTranslateY) * g_glScaleY, c.u, c.v);
  return q;
}

// An axis-aligned quad whose top-left lies at (px, py) before the transform and whose size W x H
// is already scaled by the global scale.
void AxisQuad(QuellarVertex (&quad)[4], float px, float py, float W, float H, const float (&uv)[4][2]) {
  float X = (px + g_glTranslateX) * g_glScaleX, Y = (py + g_glTranslateY) * g_glScaleY;
  const float xs[4] = {X, X + W, X + W, X};
  const float ys[4] = {Y, Y, Y + H, Y + H};
  for (int i = 0; i < 4; ++i)
    Fill(quad[i], xs[i], ys[i], uv[i][0], uv[i][1]);
}

// A negative span draws from the other end: the origin moves back by it, the span turns positive
// and the two texture coordinates along that axis change places.
void Unflip(float& origin, float& span, float& from, float& to) {
  if (!(span < 0)) return;
  origin += span;
  span = -span;
  SWAP(from, to);
}

} // namespace

// Corners TL, TR, BR, BL become (TL, TR, BR) and (TL, BR, BL).
void Texture2D::Send(const QuellarVertex (&quad)[4]) {
  if (g_picturesPending) FinishPendingPictures();
  const QuellarVertex tris[2][3] = {{quad[0], quad[1], quad[2]}, {quad[0], quad[2], quad[3]}};
  IDibBitmap* dest = g_pGame ? g_pGame->GetDoubleBuffer() : nullptr;
  if (g_drawTexturedTriangles) g_drawTexturedTriangles(g_pGame, dest, bitmap, tris, 2, false);
}

void Texture2D::BlitAtPointUsingRect(_CGPoint p, _CGRect r, bool, float scaleX, float scaleY) {
  float W = r.width * scaleX * g_glScaleX, H = r.height * scaleY * g_glScaleY;
  const float uv[4][2] = {
      {r.x, r.y}, {r.x + r.width, r.y}, {r.x + r.width, r.y + r.height}, {r.x, r.y + r.height}};
  QuellarVertex quad[4];
  AxisQuad(quad, p.x, p.y, W, H, uv);
  Send(quad);
}

void Texture2D::BlitAtPointUsingRectFlipY(_CGPoint p, _CGRect r, bool, float scaleX, float scaleY) {
  float W0 = r.width * scaleX, H0 = r.height * scaleY;
  float uL = r.x, uR = r.x + r.width, vT = r.y, vB = r.y + r.height;
  float px = p.x, py = p.y;
  Unflip(px, W0, uL, uR);
  Unflip(py, H0, vT, vB);
  const float uv[4][2] = {{uL, vT}, {uR, vT}, {uR, vB}, {uL, vB}};
  QuellarVertex quad[4];
  AxisQuad(quad, px, py, W0 * g_glScaleX, H0 * g_glScaleY, uv);
  Send(quad);
}

void Texture2D::BlitAtPointUsingRectFlipYAndRotated90(_CGPoint p, _CGRect r, bool, float scaleX,
                                                      float scaleY) {
  float W0 = r.height * scaleX, H0 = r.width * scaleY;
  float a = r.y, b = r.y + r.height, c = r.x + r.width, d = r.x;
  float px = p.x, py = p.y;
  Unflip(px, W0, a, b);
  Unflip(py, H0, c, d);
  const float uv[4][2] = {{c, b}, {c, a}, {d, a}, {d, b}};
  QuellarVertex quad[4];
  AxisQuad(quad, px, py, W0 * g_glScaleX, H0 * g_glScaleY, uv);
  Send(quad);
}

void Texture2D::BlitAtPointUsingRectFlipYWithAngle(_CGPoint p, _CGRect r, bool, float scaleX, float scaleY,
                                                   float degrees, _CGPoint pivot) {
  float W0 = r.width * scaleX, H0 = r.height * scaleY;
  // Unlike the axis-aligned blits, an unflipped picture here runs bottom-up in the texture.
  float uL = r.x, uR = r.x + r.width, vT = r.y + r.height, vB = r.y;
  float px = p.x, py = p.y;
  Unflip(px, W0, uL, uR);
  Unflip(py, H0, vT, vB);
  float rad = degrees * 0.017453292f;
  float s = sinf(rad), c = cosf(rad);
  float hw = -W0 / 2, hh = -H0 / 2;
  float cx = px - hw, cy = py - hh;
  float dx = pivot.x - cx, dy = pivot.y - cy;
  float ccx = pivot.x - (dx * c - dy * s), ccy = pivot.y - (dy * c + dx * s);
  auto turn = [&](float ox, float oy, float& rx, float& ry) {
    rx = ox * c - oy * s;
    ry = ox * s + oy * c;
  };
  float tlx, tly, trx, try_;
  turn(hw, hh, tlx, tly);
  turn(-hw, hh, trx, try_);
  QuellarVertex quad[4] = {Vertex({ccx + tlx, ccy + tly, uL, vT}), Vertex({ccx + trx, ccy + try_, uR, vT}),
                           Vertex({ccx - tlx, ccy - tly, uR, vB}), Vertex({ccx - trx, ccy - try_, uL, vB})};
  Send(quad);
}
