// The image rotator's tables, its public draws and their screen (GL) path; the software loops are
// in image_rotator_soft.cpp.
#include "image_rotator.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include "app_graphics.h"
#include "dib_bitmap.h"
#include "drawing_helpers.h"
#include "gl_renderer.h"
#include "quellar_array.h"
#include "texture_data.h"

QuellarVertex g_globalQuellarVertex_2_3[2][3];

CQuellarImageRotatorScaler::CQuellarImageRotatorScaler(CAppGraphics* game, int angleSteps)
    : m_pGame(game), m_nAngleSteps(angleSteps) {
  // Computed wide so that an out-of-range count cannot overflow; Initialize refuses it.
  m_nStepsPerDegree = (FIXED_FLOAT)(((int64_t)angleSteps * 4096) / 5760);
}

CQuellarImageRotatorScaler::~CQuellarImageRotatorScaler() { FreeTables(); }

void CQuellarImageRotatorScaler::FreeTables() {
  SafeFree(m_pSinTable8);
  SafeFree(m_pCosTable8);
  SafeFree(m_pSinTable16);
  SafeFree(m_pCosTable16);
}

namespace {

s32 RoundAwayFromZero(double v) { return (s32)(v >= 0 ? v + 0.5 : v - 0.5); }

// Geometry of huge scales or far-off points saturates instead of wrapping round.
s32 Saturate(__int128 v) { return v > INT32_MAX ? INT32_MAX : v < INT32_MIN ? INT32_MIN : (s32)v; }

} // namespace

int CQuellarImageRotatorScaler::Initialize() {
  FreeTables();
  if (m_nAngleSteps < 1 || m_nAngleSteps > MAX_ANGLE_STEPS) return 0;
  size_t bytes = (size_t)m_nAngleSteps * sizeof(s32);
  s32** tables[4] = {&m_pSinTable8, &m_pCosTable8, &m_pSinTable16, &m_pCosTable16};
  for (s32** table : tables) {
    *table = (s32*)malloc(bytes);
    if (!*table) return 0;
  }
  for (int i = 0; i < m_nAngleSteps; i++) {
    // The step's angle in this order of operations, with pi to ten decimals, so that the tables
    // come out the same on every machine.
    double radians = i * 360.0 / m_nAngleSteps * 3.1415926535 / 180.0;
    double s = sin(radians), c = cos(radians);
    m_pSinTable8[i] = RoundAwayFromZero(s * 256);
    m_pCosTable8[i] = RoundAwayFromZero(c * 256);
    m_pSinTable16[i] = RoundAwayFromZero(s * 65536);
    m_pCosTable16[i] = RoundAwayFromZero(c * 65536);
  }
  return 1;
}

FIXED_FLOAT CQuellarImageRotatorScaler::WrapAngle(FIXED_FLOAT angle) {
  angle %= ROTATOR_FULL_TURN;
  return angle < 0 ? angle + ROTATOR_FULL_TURN : angle;
}

int CQuellarImageRotatorScaler::GetLookupIndex(FIXED_FLOAT angle) const {
  int index = (s32)(((int64_t)angle * m_nStepsPerDegree) >> 8) >> 8;
  // Only an angle outside [0, 360) lands outside the table: it must never read past it.
  if (index < 0 || index >= m_nAngleSteps) {
    index %= m_nAngleSteps > 0 ? m_nAngleSteps : 1;
    if (index < 0) index += m_nAngleSteps;
  }
  return index;
}

bool CQuellarImageRotatorScaler::HasTables() const {
  return m_pSinTable8 && m_pCosTable8 && m_pSinTable16 && m_pCosTable16;
}

bool CQuellarImageRotatorScaler::IsScreen(IDibBitmap* dest) const {
  return dest && m_pGame && dest == m_pGame->m_pDrawTarget;
}

void CQuellarImageRotatorScaler::RemapCentre(IDibBitmap* dest, FIXED_FLOAT& x, FIXED_FLOAT& y) const {
  if (!m_pGame || (m_pGame->m_nInputOrientation != 1 && m_pGame->m_nInputOrientation != 2)) return;
  FIXED_FLOAT ox = x, oy = y;
  switch (dest->GetOrientationMode()) {
  case 1:
    x = oy;
    y = Saturate((int64_t)dest->GetDeviceHeight() * 256 - ox - 256);
    break;
  case 2:
    x = Saturate((int64_t)dest->GetDeviceWidth() * 256 - oy - 256);
    y = ox;
    break;
  default:
    break;
  }
}

void CQuellarImageRotatorScaler::DrawScreen(IDibBitmap* src, IDibBitmap* dest, FIXED_FLOAT x, FIXED_FLOAT y,
                                            FIXED_FLOAT angle, FIXED_FLOAT_16 scale, int blendMode, u8 r,
                                            u8 g, u8 b, u8 a, int flags) {
  Renderer_SetBlendMode(blendMode, src);
  angle = WrapAngle(angle);
  int64_t w = src->GetDeviceWidth(), h = src->GetDeviceHeight();
  int64_t tl[2], tr[2];
  if (angle == 0) {
    tl[0] = -w * 32768;
    tl[1] = -h * 32768;
    tr[0] = w * 32768;
    tr[1] = -h * 32768;
  } else {
    int i = GetLookupIndex(angle);
    int64_t s = m_pSinTable16[i], c = m_pCosTable16[i];
    tl[0] = ((-w * c) >> 1) - ((-h * s) >> 1);
    tl[1] = ((-w * s) >> 1) + ((-h * c) >> 1);
    tr[0] = ((w * c) >> 1) - ((-h * s) >> 1);
    tr[1] = ((-h * c) >> 1) - ((-w * s) >> 1);
  }
  if (scale != FIXED_FLOAT_16_ONE)
    for (int64_t* p : {&tl[0], &tl[1], &tr[0], &tr[1]})
      *p = (*p * scale) >> 16;
  const int64_t cx = (int64_t)x * 256, cy = (int64_t)y * 256;
  const int64_t corners[4][2] = {{tl[0], tl[1]}, {tr[0], tr[1]}, {-tl[0], -tl[1]}, {-tr[0], -tr[1]}};
  FIXED_FLOAT_16 u0 = 0, u1 = (FIXED_FLOAT_16)(w * 65536), v0 = 0, v1 = (FIXED_FLOAT_16)(h * 65536);
  if (flags & 1) std::swap(u0, u1);
  if (flags & 2) std::swap(v0, v1);
  const FIXED_FLOAT_16 uv[4][2] = {{u0, v0}, {u1, v0}, {u1, v1}, {u0, v1}};
  auto vertex = [&](int k) {
    return QuellarVertex{Saturate((__int128)corners[k][0] + cx),
                         Saturate((__int128)corners[k][1] + cy),
                         0,
                         uv[k][0],
                         uv[k][1],
                         r,
                         g,
                         b,
                         a};
  };
  static const int order[2][3] = {{0, 1, 2}, {0, 2, 3}};
  for (int t = 0; t < 2; t++)
    for (int k = 0; k < 3; k++)
      g_globalQuellarVertex_2_3[t][k] = vertex(order[t][k]);
  DrawTexturedTriangles_AbsoluteUV(m_pGame, dest, src, g_globalQuellarVertex_2_3, 2, false);
}

namespace {

// 255 + alpha clamped to 255; 0 or less means nothing is drawn.
int Opacity(int alpha) { return alpha > 0 ? 255 : 255 + alpha; }

} // namespace

bool CQuellarImageRotatorScaler::DrawIfScreen(IDibBitmap* src, IDibBitmap* dest, FIXED_FLOAT x, FIXED_FLOAT y,
                                              FIXED_FLOAT angle, FIXED_FLOAT_16 scale, int blendMode, u8 r,
                                              u8 g, u8 b, int alpha, int flags) {
  if (!IsScreen(dest)) return false;
  if (!HasTables()) return true;
  const int op = Opacity(alpha);
  if (op > 0) DrawScreen(src, dest, x, y, angle, scale, blendMode, r, g, b, (u8)op, flags);
  return true;
}

void CQuellarImageRotatorScaler::DrawRotatedBitmap(IDibBitmap* src, IDibBitmap* dest, FIXED_FLOAT x,
                                                   FIXED_FLOAT y, FIXED_FLOAT angle, FIXED_FLOAT_16 scale,
                                                   int flags) {
  if (!src || !dest) return;
  const int mode = src->GetAlphaBits() ? RENDERER_BLEND_NORMAL : RENDERER_BLEND_OPAQUE;
  if (DrawIfScreen(src, dest, x, y, angle, scale, mode, 255, 255, 255, 0, flags)) return;
  RemapCentre(dest, x, y);
  SW565_DrawRotatedBitmapHighest(src, dest, x, y, WrapAngle(angle), scale, flags);
}

void CQuellarImageRotatorScaler::DrawRotatedBitmapTransparent(IDibBitmap* src, IDibBitmap* dest,
                                                              FIXED_FLOAT x, FIXED_FLOAT y, FIXED_FLOAT angle,
                                                              FIXED_FLOAT_16 scale, int alpha, int flags) {
  if (!src || !dest ||
      DrawIfScreen(src, dest, x, y, angle, scale, RENDERER_BLEND_NORMAL, 255, 255, 255, alpha, flags))
    return;
  RemapCentre(dest, x, y);
  SW565_DrawRotatedBitmapTransparentHighest(src, dest, x, y, WrapAngle(angle), scale, alpha, flags);
}

void CQuellarImageRotatorScaler::DrawRotatedBitmapMultiply(IDibBitmap* src, IDibBitmap* dest, FIXED_FLOAT x,
                                                           FIXED_FLOAT y, FIXED_FLOAT angle,
                                                           FIXED_FLOAT_16 scale, unsigned char r,
                                                           unsigned char g, unsigned char b, int alpha,
                                                           int flags) {
  if (!src || !dest ||
      DrawIfScreen(src, dest, x, y, angle, scale, RENDERER_BLEND_NORMAL, r, g, b, alpha, flags))
    return;
  // Placed like every other mode, so that a tinted sprite lands where its plain draw would.
  RemapCentre(dest, x, y);
  SW565_DrawRotatedBitmapMultiplyHighest(src, dest, x, y, WrapAngle(angle), scale, r, g, b, alpha, flags);
}

void CQuellarImageRotatorScaler::DrawRotatedBitmapAdditive(IDibBitmap* src, IDibBitmap* dest, FIXED_FLOAT x,
                                                           FIXED_FLOAT y, FIXED_FLOAT angle,
                                                           FIXED_FLOAT_16 scale, unsigned char r,
                                                           unsigned char g, unsigned char b, int alpha,
                                                           int flags) {
  if (!src || !dest ||
      DrawIfScreen(src, dest, x, y, angle, scale, RENDERER_BLEND_ADDITIVE, r, g, b, alpha, flags))
    return;
  RemapCentre(dest, x, y);
  SW565_DrawRotatedBitmapAdditiveHighest(src, dest, x, y, WrapAngle(angle), scale, r, g, b, alpha, flags);
}

void CQuellarImageRotatorScaler::DrawRotatedBitmapAlphaChannel(IDibBitmap* src, IDibBitmap* dest,
                                                               FIXED_FLOAT x, FIXED_FLOAT y,
                                                               FIXED_FLOAT angle, FIXED_FLOAT_16 scale,
                                                               unsigned char r, unsigned char g,
                                                               unsigned char b, int alpha, int flags) {
  if (!src || !dest ||
      DrawIfScreen(src, dest, x, y, angle, scale, RENDERER_BLEND_TINTED, r, g, b, alpha, flags))
    return;
  RemapCentre(dest, x, y);
  SW565_DrawRotatedBitmapAlphaChannelHighest(src, dest, x, y, WrapAngle(angle), scale, r, g, b, alpha, flags);
}

void CQuellarImageRotatorScaler::DrawRotatedBitmapWithSourceOriginWithBlendMode(
    IDibBitmap* src, IDibBitmap* dest, FIXED_FLOAT x, FIXED_FLOAT y, FIXED_FLOAT angle, FIXED_FLOAT originX,
    FIXED_FLOAT originY, FIXED_FLOAT_16 scale, int blendMode, int alpha, int r, int g, int b, int flags) {
  if (!src || blendMode < 0 || blendMode > 3 || !HasTables()) return;
  int i = GetLookupIndex(WrapAngle(angle));
  int64_t s = m_pSinTable16[i], c = m_pCosTable16[i];
  // The vector from the origin point to the image centre, turned with the image.
  int64_t dx = (int64_t)src->GetWidth() * 32768 - (int64_t)originX * 256;
  int64_t dy = (int64_t)src->GetHeight() * 32768 - (int64_t)originY * 256;
  int64_t X = ((c * dx) >> 16) - ((s * dy) >> 16);
  int64_t Y = ((s * dx) >> 16) + ((c * dy) >> 16);
  FIXED_FLOAT cx = Saturate(((((__int128)X * scale) >> 16) + (int64_t)x * 256) >> 8);
  FIXED_FLOAT cy = Saturate(((((__int128)Y * scale) >> 16) + (int64_t)y * 256) >> 8);
  u8 r8 = (u8)r, g8 = (u8)g, b8 = (u8)b;
  switch (blendMode) {
  case 0:
    if (alpha < 0)
      DrawRotatedBitmapTransparent(src, dest, cx, cy, angle, scale, alpha, flags);
    else
      DrawRotatedBitmap(src, dest, cx, cy, angle, scale, flags);
    break;
  case 1:
    DrawRotatedBitmapAdditive(src, dest, cx, cy, angle, scale, r8, g8, b8, alpha, flags);
    break;
  case 2:
    DrawRotatedBitmapMultiply(src, dest, cx, cy, angle, scale, r8, g8, b8, alpha, flags);
    break;
  default:
    DrawRotatedBitmapAlphaChannel(src, dest, cx, cy, angle, scale, r8, g8, b8, alpha, flags);
    break;
  }
}
