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

// Where BlitAtPointUsingRectFlipY puts a picture: its top-left, size and texels, unflipped.
struct AxisPlace {
  float x, y, w, h, uL, uR, vT, vB;
};
AxisPlace PlaceOnAxes(_CGPoint p, _CGRect r, float scaleX, float scaleY) {
  AxisPlace a{p.x, p.y, r.width * scaleX, r.height * scaleY, r.x, r.x + r.width, r.y, r.y + r.height};
  Unflip(a.x, a.w, a.uL, a.uR);
  Unflip(a.y, a.h, a.vT, a.vB);
  return a;
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
  if (W > 0 && H > 0 && SendInPieces(X, Y, X + W, Y + H, uv)) return;
  QuellarVertex quad[4];
  AxisQuad(quad, px, py, W, H, uv);
  Send(quad);
}

// A large picture blitted on the axes (X, Y the top-left corner on screen after the global
// transform, X1, Y1 the opposite one, uv the corners' texels, mirrored or not) is drawn in pieces
// of its cells where the blend allows: blitted unfaded in a blend that only fades, a wholly opaque
// piece is drawn without blending, which hides what lies under it, and where the blend keeps the
// screen under a source of nothing a wholly clear piece is left out; the same pixels for far less
// of the rasteriser's work. A large opaque rectangle out of the middle is drawn as one, the edges
// around it blended: the rasteriser drops what lies under a tile only where one triangle covers it.
// False when the blit is not such a one or no piece would be spared.
bool Texture2D::SendInPieces(float X, float Y, float X1, float Y1, const float (&uv)[4][2]) {
  if (g_picturesPending) FinishPendingPictures(); // the cells are noted as the texture is made
  const GLenum src = g_GLES_BlendSourceFactor, dst = g_GLES_BlendDestFactor;
  const GLint env = g_GLES_TextEnvironmentMode;
  if (!g_GLES_BlendModeEnabled || (env != GL_MODULATE && env != GL_REPLACE)) return false;
  const bool clear = dst == GL_ONE_MINUS_SRC_ALPHA || dst == GL_ONE || dst == GL_ONE_MINUS_SRC_COLOR;
  const bool opaque = lastBlendA == 255 && env == GL_MODULATE && dst == GL_ONE_MINUS_SRC_ALPHA &&
                      (src == GL_SRC_ALPHA || src == GL_ONE);
  // A capture of the blits sees them whole.
  if ((!clear && !opaque) || g_drawTexturedTriangles != DrawTexturedTriangles_AbsoluteUV || !bitmap)
    return false;
  QuellarTextureData* td = bitmap->GetHWResource();
  // Texels of the whole picture, as the cells are noted: not a part of another's tiles.
  if (!td || td->m_nTileCount < 1 || td->m_bPVRAtlas || td->m_nSubX16 || td->m_nSubY16) return false;
  if (td->m_nTileCount > 1 &&
      (td->m_nLogicalWidth != bitmap->GetStoredWidth() || td->m_nLogicalHeight != bitmap->GetStoredHeight()))
    return false;
  const float uL = uv[0][0], uR = uv[1][0], vT = uv[0][1], vB = uv[3][1];
  if (!(uL != uR) || !(vT != vB)) return false;
  // The screen's left edge holds uL, or uR where the corners come mirrored; so for the top.
  const bool turnX = X1 < X, turnY = Y1 < Y;
  if (turnX) std::swap(X, X1);
  if (turnY) std::swap(Y, Y1);
  // Worth the pieces only when it covers a good part of the screen, as far as it lies on it.
  IDibBitmap* dest = g_pGame ? g_pGame->GetDoubleBuffer() : nullptr;
  const float sw = dest ? (float)dest->GetWidth() : 0, sh = dest ? (float)dest->GetHeight() : 0;
  const float seen = std::fmax(0.0f, std::fmin(X1, sw) - std::fmax(X, 0.0f)) *
                     std::fmax(0.0f, std::fmin(Y1, sh) - std::fmax(Y, 0.0f));
  const float screen = sw * sh;
  if (!(screen > 0) || !(seen * 5 >= screen)) return false;
  const float lo = std::fmin(uL, uR), hi = std::fmax(uL, uR), top = std::fmin(vT, vB),
              bottom = std::fmax(vT, vB);
  if (!(lo > -2 && top > -2 && hi < 65536 && bottom < 65536)) return false;
  const float W = X1 - X, H = Y1 - Y;
  const float uX = turnX ? uR : uL, uX1 = turnX ? uL : uR, vY = turnY ? vB : vT, vY1 = turnY ? vT : vB;
  auto atU = [&](float u) { return X + (u - uX) / (uX1 - uX) * W; };
  auto atV = [&](float v) { return Y + (v - vY) / (vY1 - vY) * H; };
  // A piece of the screen's rectangle: its outer corners keep the blit's own texels exactly.
  auto piece = [&](float x0, float y0, float x1, float y1) {
    QuellarVertex quad[4];
    const float xs[4] = {x0, x1, x1, x0}, ys[4] = {y0, y0, y1, y1};
    for (int i = 0; i < 4; ++i) {
      const float u = xs[i] == X ? uX : xs[i] == X1 ? uX1 : uX + (xs[i] - X) / W * (uX1 - uX);
      const float v = ys[i] == Y ? vY : ys[i] == Y1 ? vY1 : vY + (ys[i] - Y) / H * (vY1 - vY);
      Fill(quad[i], xs[i], ys[i], u, v);
    }
    Send(quad);
  };
  // Inner edges lie on whole steps of the batcher's 1/256 pixel, so that their texels are those of
  // the positions drawn.
  auto step = [](float v, bool up) { return (up ? std::ceil(v * 256) : std::floor(v * 256)) / 256; };
  int a0, b0, a1, b1;
  if (opaque && td->OpaqueMiddle((int)std::ceil(lo), (int)std::ceil(top), (int)std::floor(hi),
                                 (int)std::floor(bottom), &a0, &b0, &a1, &b1)) {
    const float xa = step(std::fmin(atU((float)a0), atU((float)a1)), true);
    const float xb = step(std::fmax(atU((float)a0), atU((float)a1)), false);
    const float ya = step(std::fmin(atV((float)b0), atV((float)b1)), true);
    const float yb = step(std::fmax(atV((float)b0), atV((float)b1)), false);
    if (xa > X && xb < X1 && ya > Y && yb < Y1 && (xb - xa) * (yb - ya) * 5 >= screen) {
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
  }
  const int tx0 = std::max(0, (int)std::floor(lo)), tx1 = (int)std::ceil(hi);
  const int ty0 = std::max(0, (int)std::floor(top)), ty1 = (int)std::ceil(bottom);
  enum { kMostPieces = 24 };
  QuellarTextureData::CellPiece pieces[kMostPieces];
  const int n = td->CellPieces(tx0, ty0, tx1, ty1, opaque, pieces, kMostPieces);
  bool spared = false, opaquePieces = false;
  for (int i = 0; i < n; ++i) {
    opaquePieces = opaquePieces || pieces[i].kind == QuellarTextureData::kCellOpaque;
    spared = spared || opaquePieces || (clear && pieces[i].kind == QuellarTextureData::kCellClear);
  }
  if (!spared) return false;
  // A texel edge on screen: the blit's own edges where the picture's texels end, else on a step.
  auto edgeX = [&](int t) {
    return t == tx0 ? (uX < uX1 ? X : X1) : t == tx1 ? (uX < uX1 ? X1 : X) : step(atU((float)t), true);
  };
  auto edgeY = [&](int t) {
    return t == ty0 ? (vY < vY1 ? Y : Y1) : t == ty1 ? (vY < vY1 ? Y1 : Y) : step(atV((float)t), true);
  };
  float largest = 0;
  OpaqueMiddles hid = {g_opaqueMiddles.count + 1, 0, 0, 0, 0};
  // The blended pieces, then the opaque ones with blending off.
  for (int pass = 0; pass < (opaquePieces ? 2 : 1); ++pass) {
    if (pass == 1) GLES_BlendMode(0, src, dst);
    for (int i = 0; i < n; ++i) {
      const QuellarTextureData::CellPiece& p = pieces[i];
      if ((clear && p.kind == QuellarTextureData::kCellClear) ||
          (p.kind == QuellarTextureData::kCellOpaque) != (pass == 1))
        continue;
      const float x0 = std::fmin(edgeX(p.x0), edgeX(p.x1)), x1 = std::fmax(edgeX(p.x0), edgeX(p.x1));
      const float y0 = std::fmin(edgeY(p.y0), edgeY(p.y1)), y1 = std::fmax(edgeY(p.y0), edgeY(p.y1));
      // A piece wholly off the screen draws nothing.
      if (x1 <= 0 || y1 <= 0 || x0 >= sw || y0 >= sh || !(x0 < x1) || !(y0 < y1)) continue;
      piece(x0, y0, x1, y1);
      if (pass == 1 && (x1 - x0) * (y1 - y0) > largest) {
        largest = (x1 - x0) * (y1 - y0);
        hid = {hid.count, x0, y0, x1, y1};
      }
    }
    if (pass == 1) GLES_BlendMode(1, src, dst);
  }
  // What the largest opaque piece hid of all drawn before.
  if (largest > 0) g_opaqueMiddles = hid;
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
  const AxisPlace a = PlaceOnAxes(p, r, scaleX, scaleY);
  const float uv[4][2] = {{a.uL, a.vT}, {a.uR, a.vT}, {a.uR, a.vB}, {a.uL, a.vB}};
  SendAxis(a.x, a.y, a.w * g_glScaleX, a.h * g_glScaleY, uv);
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

namespace {

// The corners of a picture turned clockwise by degrees about the pivot, before the global
// transform: top-left, top-right, bottom-right, bottom-left as drawn, each with its texel.
void TurnedCorners(_CGPoint p, _CGRect r, float scaleX, float scaleY, float degrees, _CGPoint pivot,
                   Corner (&out)[4]) {
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
  out[0] = {ccx + tlx, ccy + tly, uL, vT};
  out[1] = {ccx + trx, ccy + try_, uR, vT};
  out[2] = {ccx - tlx, ccy - tly, uR, vB};
  out[3] = {ccx - trx, ccy - try_, uL, vB};
}

} // namespace

void Texture2D::BlitAtPointUsingRectFlipYWithAngle(_CGPoint p, _CGRect r, bool, float scaleX, float scaleY,
                                                   float degrees, _CGPoint pivot) {
  Corner corners[4];
  TurnedCorners(p, r, scaleX, scaleY, degrees, pivot, corners);
  if (degrees == 0) {
    // Unturned: the corners lie on the axes, each where Vertex puts it.
    const float uL = corners[0].u, uR = corners[1].u, vT = corners[0].v, vB = corners[2].v;
    const float uv[4][2] = {{uL, vT}, {uR, vT}, {uR, vB}, {uL, vB}};
    const float X = (corners[0].x + g_glTranslateX) * g_glScaleX,
                Y = (corners[0].y + g_glTranslateY) * g_glScaleY;
    const float X1 = (corners[2].x + g_glTranslateX) * g_glScaleX,
                Y1 = (corners[2].y + g_glTranslateY) * g_glScaleY;
    if (SendInPieces(X, Y, X1, Y1, uv)) return;
  }
  QuellarVertex quad[4] = {Vertex(corners[0]), Vertex(corners[1]), Vertex(corners[2]), Vertex(corners[3])};
  Send(quad);
}

namespace {

// Draws the shape's triangles in place of the picture whose corners c are on screen (before the
// global transform) and whose texels are picture, in one draw with the blend as it is.
bool ShadeThrough(const Corner (&c)[4], _CGRect picture, const ShapeCorner* shape, int count) {
  if (g_drawTexturedTriangles != DrawTexturedTriangles_AbsoluteUV ||
      g_GLES_TextEnvironmentMode != GL_MODULATE)
    return false;
  // Where a texel lies on screen: corner 1 differs from corner 0 in u only, corner 3 in v only.
  if (!(c[1].u != c[0].u) || !(c[3].v != c[0].v)) return false;
  const float ax = (c[1].x - c[0].x) / (c[1].u - c[0].u), ay = (c[1].y - c[0].y) / (c[1].u - c[0].u);
  const float bx = (c[3].x - c[0].x) / (c[3].v - c[0].v), by = (c[3].y - c[0].y) / (c[3].v - c[0].v);
  GLES_SelectTexture(0, g_prefer_GL_NEAREST);
  const float tint[4] = {(float)Channel(lastBlendR), (float)Channel(lastBlendG), (float)Channel(lastBlendB),
                         (float)Channel(lastBlendA)};
  const bool straightTexels = g_pGame && !g_pGame->m_bPremultiplyAlpha;
  // Each triangle goes wound as the picture's own would: only one way round shows.
  auto onScreen = [](float x, float y, float* X, float* Y) {
    *X = (x + g_glTranslateX) * g_glScaleX;
    *Y = (y + g_glTranslateY) * g_glScaleY;
  };
  float X[3], Y[3];
  for (int k = 0; k < 3; ++k)
    onScreen(c[k].x, c[k].y, &X[k], &Y[k]);
  const bool clockwise = (X[1] - X[0]) * (Y[2] - Y[0]) - (Y[1] - Y[0]) * (X[2] - X[0]) > 0;
  for (int i = 0; i + 2 < count; i += 3) {
    int xyz[9] = {}, uvs[6] = {};
    unsigned char rgba[12];
    for (int k = 0; k < 3; ++k) {
      const ShapeCorner& q = shape[i + k];
      const float du = picture.x + q.s * picture.width - c[0].u;
      const float dv = picture.y + q.t * picture.height - c[0].v;
      onScreen(c[0].x + du * ax + dv * bx, c[0].y + du * ay + dv * by, &X[k], &Y[k]);
    }
    const bool turn = ((X[1] - X[0]) * (Y[2] - Y[0]) - (Y[1] - Y[0]) * (X[2] - X[0]) > 0) != clockwise;
    for (int j = 0; j < 3; ++j) {
      const int k = turn && j ? 3 - j : j;
      const ShapeCorner& q = shape[i + k];
      xyz[j * 3] = FixedFloat16FromDouble((double)X[k]) >> 8;
      xyz[j * 3 + 1] = FixedFloat16FromDouble((double)Y[k]) >> 8;
      // As the texels hold it: premultiplied or not, as the pictures were loaded.
      const float straight = straightTexels && q.a > 0 ? 1 / q.a : 1;
      const float colour[4] = {q.r * straight, q.g * straight, q.b * straight, q.a};
      for (int ch = 0; ch < 4; ++ch)
        rgba[j * 4 + ch] = Channel((int)std::lround(colour[ch] * tint[ch]));
    }
    GLES_RenderTRIANGLE_3D(xyz, uvs, rgba);
  }
  return true;
}

} // namespace

bool Texture2D::ShadeAtPointUsingRectFlipYWithAngle(_CGPoint p, _CGRect r, _CGRect picture, float scaleX,
                                                    float scaleY, float degrees, _CGPoint pivot,
                                                    const ShapeCorner* shape, int count) {
  Corner c[4];
  TurnedCorners(p, r, scaleX, scaleY, degrees, pivot, c);
  return ShadeThrough(c, picture, shape, count);
}

bool Texture2D::ShadeAtPointUsingRectFlipY(_CGPoint p, _CGRect r, _CGRect picture, float scaleX, float scaleY,
                                           const ShapeCorner* shape, int count) {
  // The corners BlitAtPointUsingRectFlipY draws.
  const AxisPlace a = PlaceOnAxes(p, r, scaleX, scaleY);
  const Corner c[4] = {{a.x, a.y, a.uL, a.vT},
                       {a.x + a.w, a.y, a.uR, a.vT},
                       {a.x + a.w, a.y + a.h, a.uR, a.vB},
                       {a.x, a.y + a.h, a.uL, a.vB}};
  return ShadeThrough(c, picture, shape, count);
}
