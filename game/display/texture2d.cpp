// Texture2D's blits: each rectangle becomes two clockwise triangles for the engine's batcher.
#include "texture2d.h"

#include <cmath>

#include "dib_bitmap.h"
#include "display.h"
#include "drawing_helpers.h"
#include "game_base.h"
#include "gl_renderer.h"
#include "image_loaders.h"
#include "platform_services.h"
#include "texture_data.h"

#include <vector>

float g_glScaleX = 1.0f;
float g_glScaleY = 1.0f;
float g_glTranslateX = 0.0f;
float g_glTranslateY = 0.0f;

DrawTexturedTrianglesFunc g_drawTexturedTriangles = DrawTexturedTriangles_AbsoluteUV;
OpaqueMiddles g_opaqueMiddles = {};

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

void FillAtPointFlipY(_CGPoint p, float W, float H) {
  if (W < 0) {
    p.x += W;
    W = -W;
  }
  if (H < 0) {
    p.y += H;
    H = -H;
  }
  const float uv[4][2] = {};
  QuellarVertex quad[4];
  AxisQuad(quad, p.x, p.y, W * g_glScaleX, H * g_glScaleY, uv);
  GLES_SelectTexture(0, g_prefer_GL_NEAREST);
  // Corners TL, TR, BR, BL become (TL, TR, BR) and (TL, BR, BL), in 24.8 as the batcher takes them.
  const int order[2][3] = {{0, 1, 2}, {0, 2, 3}};
  for (const auto& tri : order) {
    int xyz[9] = {}, uvs[6] = {};
    unsigned char rgba[12];
    for (int i = 0; i < 3; ++i) {
      const QuellarVertex& q = quad[tri[i]];
      xyz[i * 3] = q.x >> 8;
      xyz[i * 3 + 1] = q.y >> 8;
      rgba[i * 4] = q.r;
      rgba[i * 4 + 1] = q.g;
      rgba[i * 4 + 2] = q.b;
      rgba[i * 4 + 3] = q.a;
    }
    GLES_RenderTRIANGLE_3D(xyz, uvs, rgba);
  }
}

void Texture2D::SendAxis(float px, float py, float W, float H, const float (&uv)[4][2]) {
  const float X = (px + g_glTranslateX) * g_glScaleX, Y = (py + g_glTranslateY) * g_glScaleY;
  if (W > 0 && H > 0 && SendWithOpaqueMiddle(X, Y, X + W, Y + H, uv)) return;
  QuellarVertex quad[4];
  AxisQuad(quad, px, py, W, H, uv);
  Send(quad);
}

// A large picture that is wholly opaque in its middle, blitted unfaded in a blend that only fades,
// hides what lies under that middle: the middle is drawn without blending, which gives the same
// pixels for far less of the rasteriser's work and lets it drop what the picture covers; the
// edges around it are blended as before. False when the blit is not such a one.
bool Texture2D::SendWithOpaqueMiddle(float X, float Y, float X1, float Y1, const float (&uv)[4][2]) {
  if (g_picturesPending) FinishPendingPictures(); // the cells are noted as the texture is made
  const GLenum src = g_GLES_BlendSourceFactor, dst = g_GLES_BlendDestFactor;
  if (!g_GLES_BlendModeEnabled || lastBlendA < 255 || g_GLES_TextEnvironmentMode != GL_MODULATE ||
      dst != GL_ONE_MINUS_SRC_ALPHA || (src != GL_SRC_ALPHA && src != GL_ONE))
    return false;
  // A capture of the blits sees them whole.
  if (g_drawTexturedTriangles != DrawTexturedTriangles_AbsoluteUV || !bitmap || !(X < X1) || !(Y < Y1))
    return false;
  QuellarTextureData* td = bitmap->GetHWResource();
  // Texels of the whole picture, as the cells are noted: not a part of another's tiles.
  if (!td || td->m_nTileCount < 1 || td->m_bPVRAtlas || td->m_nSubX16 || td->m_nSubY16) return false;
  if (td->m_nTileCount > 1 &&
      (td->m_nLogicalWidth != bitmap->GetStoredWidth() || td->m_nLogicalHeight != bitmap->GetStoredHeight()))
    return false;
  const float uL = uv[0][0], uR = uv[1][0], vT = uv[0][1], vB = uv[3][1];
  if (uL == uR || vT == vB) return false;
  // Worth a batch of its own only when it covers a good part of the screen; the middle is never
  // larger than the blit, so a small one is refused before its cells are searched.
  IDibBitmap* dest = g_pGame ? g_pGame->GetDoubleBuffer() : nullptr;
  const float screen = dest ? (float)dest->GetWidth() * (float)dest->GetHeight() : 0;
  if ((X1 - X) * (Y1 - Y) * 5 < screen) return false;
  int a0, b0, a1, b1;
  if (!td->OpaqueMiddle((int)std::ceil(std::fmin(uL, uR)), (int)std::ceil(std::fmin(vT, vB)),
                        (int)std::floor(std::fmax(uL, uR)), (int)std::floor(std::fmax(vT, vB)), &a0, &b0, &a1,
                        &b1))
    return false;
  const float W = X1 - X, H = Y1 - Y;
  auto atU = [&](float u) { return X + (u - uL) / (uR - uL) * W; };
  auto atV = [&](float v) { return Y + (v - vT) / (vB - vT) * H; };
  // The inner edges lie on whole steps of the batcher's 1/256 pixel, inward, so that their texels
  // are those of the positions drawn.
  auto inward = [](float v, bool up) { return (up ? std::ceil(v * 256) : std::floor(v * 256)) / 256; };
  const float xa = inward(std::fmin(atU((float)a0), atU((float)a1)), true);
  const float xb = inward(std::fmax(atU((float)a0), atU((float)a1)), false);
  const float ya = inward(std::fmin(atV((float)b0), atV((float)b1)), true);
  const float yb = inward(std::fmax(atV((float)b0), atV((float)b1)), false);
  if (!(xa > X && xb < X1 && ya > Y && yb < Y1) || (xb - xa) * (yb - ya) * 5 < screen) return false;
  auto piece = [&](float x0, float y0, float x1, float y1) {
    QuellarVertex quad[4];
    const float xs[4] = {x0, x1, x1, x0}, ys[4] = {y0, y0, y1, y1};
    for (int i = 0; i < 4; ++i) {
      // The outer corners keep the blit's own texels exactly.
      const float u = xs[i] == X ? uL : xs[i] == X1 ? uR : uL + (xs[i] - X) / W * (uR - uL);
      const float v = ys[i] == Y ? vT : ys[i] == Y1 ? vB : vT + (ys[i] - Y) / H * (vB - vT);
      Fill(quad[i], xs[i], ys[i], u, v);
    }
    Send(quad);
  };
  piece(X, Y, X1, ya);
  piece(X, ya, xa, yb);
  piece(xb, ya, X1, yb);
  piece(X, yb, X1, Y1);
  GLES_BlendMode(0, src, dst);
  piece(xa, ya, xb, yb);
  GLES_BlendMode(1, src, dst);
  g_opaqueMiddles = {g_opaqueMiddles.count + 1, xa, ya, xb, yb};
  return true;
}

// Corners TL, TR, BR, BL become (TL, TR, BR) and (TL, BR, BL).
void Texture2D::Send(const QuellarVertex (&quad)[4]) {
  if (g_picturesPending) FinishPendingPictures();
  const QuellarVertex tris[2][3] = {{quad[0], quad[1], quad[2]}, {quad[0], quad[2], quad[3]}};
  IDibBitmap* dest = g_pGame ? g_pGame->GetDoubleBuffer() : nullptr;
  if (!g_drawTexturedTriangles) return;
  if (g_drawTexturedTriangles == DrawTexturedTriangles_AbsoluteUV && SendSolid(tris)) return;
  g_drawTexturedTriangles(g_pGame, dest, bitmap, tris, 2, false);
}

// A picture all black or all white, filling its texture to the edges, reads the same colour at
// every texel, however it is filtered or wrapped: it is drawn as that colour without a texture
// (the level end's darkening stretches a black one over the whole screen).
bool Texture2D::SendSolid(const QuellarVertex (&tris)[2][3]) {
  QuellarTextureData* td = bitmap ? bitmap->GetHWResource() : nullptr;
  if (!td || td->m_nSolidColour < 0 || td->m_nTileCount != 1 || td->m_bPVRAtlas || td->m_bFromAtlas ||
      g_GLES_TextEnvironmentMode != GL_MODULATE)
    return false;
  if (td->m_pTiles[0].texWidth != bitmap->GetStoredWidth() ||
      td->m_pTiles[0].texHeight != bitmap->GetStoredHeight())
    return false;
  const bool white = td->m_nSolidColour == 1;
  GLES_SelectTexture(0, g_prefer_GL_NEAREST);
  for (const auto& tri : tris) {
    int xyz[9] = {}, uvs[6] = {};
    unsigned char rgba[12];
    for (int i = 0; i < 3; ++i) {
      const QuellarVertex& q = tri[i];
      xyz[i * 3] = q.x >> 8;
      xyz[i * 3 + 1] = q.y >> 8;
      xyz[i * 3 + 2] = q.z >> 8;
      rgba[i * 4] = white ? q.r : 0;
      rgba[i * 4 + 1] = white ? q.g : 0;
      rgba[i * 4 + 2] = white ? q.b : 0;
      rgba[i * 4 + 3] = q.a;
    }
    GLES_RenderTRIANGLE_3D(xyz, uvs, rgba);
  }
  return true;
}

void Texture2D::BlitAtPointUsingRect(_CGPoint p, _CGRect r, bool, float scaleX, float scaleY) {
  float W = r.width * scaleX * g_glScaleX, H = r.height * scaleY * g_glScaleY;
  const float uv[4][2] = {
      {r.x, r.y}, {r.x + r.width, r.y}, {r.x + r.width, r.y + r.height}, {r.x, r.y + r.height}};
  SendAxis(p.x, p.y, W, H, uv);
}

void Texture2D::BlitAtPointUsingRectFlipY(_CGPoint p, _CGRect r, bool, float scaleX, float scaleY) {
  float W0 = r.width * scaleX, H0 = r.height * scaleY;
  float uL = r.x, uR = r.x + r.width, vT = r.y, vB = r.y + r.height;
  float px = p.x, py = p.y;
  Unflip(px, W0, uL, uR);
  Unflip(py, H0, vT, vB);
  const float uv[4][2] = {{uL, vT}, {uR, vT}, {uR, vB}, {uL, vB}};
  SendAxis(px, py, W0 * g_glScaleX, H0 * g_glScaleY, uv);
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
  const Corner corners[4] = {{ccx + tlx, ccy + tly, uL, vT},
                             {ccx + trx, ccy + try_, uR, vT},
                             {ccx - tlx, ccy - tly, uR, vB},
                             {ccx - trx, ccy - try_, uL, vB}};
  if (degrees == 0) {
    // Unturned: the corners lie on the axes, each where Vertex puts it.
    const float uv[4][2] = {{uL, vT}, {uR, vT}, {uR, vB}, {uL, vB}};
    const float X = (corners[0].x + g_glTranslateX) * g_glScaleX, Y = (corners[0].y + g_glTranslateY) * g_glScaleY;
    const float X1 = (corners[2].x + g_glTranslateX) * g_glScaleX, Y1 = (corners[2].y + g_glTranslateY) * g_glScaleY;
    if (SendWithOpaqueMiddle(X, Y, X1, Y1, uv)) return;
  }
  QuellarVertex quad[4] = {Vertex(corners[0]), Vertex(corners[1]), Vertex(corners[2]), Vertex(corners[3])};
  Send(quad);
}
