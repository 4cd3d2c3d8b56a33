// CQuellarImageRotatorScaler: draws a bitmap rotated and scaled about a point, through GL on the
// screen and in software into RGB565 bitmaps, from precomputed sine and cosine tables.
#pragma once

#include "quellar_types.h"

class CAppGraphics;
class IDibBitmap;
struct QuellarVertex;

// The scratch geometry of every screen draw: two triangles, overwritten whole by each draw.
extern QuellarVertex g_globalQuellarVertex_2_3[2][3];

// A full turn in FIXED_FLOAT degrees.
#define ROTATOR_FULL_TURN (360 * 256)

// Angles are FIXED_FLOAT degrees; positive angles turn the image clockwise on the screen. Scales
// are FIXED_FLOAT_16 (65536 = 1.0). alpha is the usual fade offset (255 + alpha, 0 = opaque).
// flags: bit 0 mirrors horizontally, bit 1 vertically (screen only).
class CQuellarImageRotatorScaler {
public:
  enum { QUALITY_LOWEST = 0, QUALITY_HIGH = 1, QUALITY_HIGHEST = 2 };
  // angleSteps x 4096 must fit in 31 bits.
  enum { MAX_ANGLE_STEPS = 524287 };

  CQuellarImageRotatorScaler(CAppGraphics* game, int angleSteps);
  CQuellarImageRotatorScaler(const CQuellarImageRotatorScaler&) = delete;
  CQuellarImageRotatorScaler& operator=(const CQuellarImageRotatorScaler&) = delete;
  virtual ~CQuellarImageRotatorScaler();

  // Builds the tables (again, when called a second time); 0 when a step count is out of range or
  // memory runs out.
  int Initialize();
  void SetQuality(int quality) { m_nQuality = quality; }
  int GetQuality() const { return m_nQuality; }
  // The table index of an angle: floor(angle x steps per degree), brought into the table.
  int GetLookupIndex(FIXED_FLOAT angle) const;
  // False before a successful Initialize: every draw then does nothing.
  bool HasTables() const;
  // Any angle brought into [0, 360) degrees.
  static FIXED_FLOAT WrapAngle(FIXED_FLOAT angle);

  void DrawRotatedBitmap(IDibBitmap* src, IDibBitmap* dest, FIXED_FLOAT x, FIXED_FLOAT y, FIXED_FLOAT angle,
                         FIXED_FLOAT_16 scale, int flags);
  void DrawRotatedBitmapTransparent(IDibBitmap* src, IDibBitmap* dest, FIXED_FLOAT x, FIXED_FLOAT y,
                                    FIXED_FLOAT angle, FIXED_FLOAT_16 scale, int alpha, int flags);
  void DrawRotatedBitmapMultiply(IDibBitmap* src, IDibBitmap* dest, FIXED_FLOAT x, FIXED_FLOAT y,
                                 FIXED_FLOAT angle, FIXED_FLOAT_16 scale, unsigned char r, unsigned char g,
                                 unsigned char b, int alpha, int flags);
  void DrawRotatedBitmapAdditive(IDibBitmap* src, IDibBitmap* dest, FIXED_FLOAT x, FIXED_FLOAT y,
                                 FIXED_FLOAT angle, FIXED_FLOAT_16 scale, unsigned char r, unsigned char g,
                                 unsigned char b, int alpha, int flags);
  void DrawRotatedBitmapAlphaChannel(IDibBitmap* src, IDibBitmap* dest, FIXED_FLOAT x, FIXED_FLOAT y,
                                     FIXED_FLOAT angle, FIXED_FLOAT_16 scale, unsigned char r,
                                     unsigned char g, unsigned char b, int alpha, int flags);
  // Places the source point (originX, originY) (logical pixels) at (x, y) and turns the image about
  // it. blendMode: 0 plain (translucent when alpha < 0), 1 additive, 2 multiply, 3 alpha channel.
  void DrawRotatedBitmapWithSourceOriginWithBlendMode(IDibBitmap* src, IDibBitmap* dest, FIXED_FLOAT x,
                                                      FIXED_FLOAT y, FIXED_FLOAT angle, FIXED_FLOAT originX,
                                                      FIXED_FLOAT originY, FIXED_FLOAT_16 scale,
                                                      int blendMode, int alpha, int r, int g, int b,
                                                      int flags);

  // Software inner loops into dest's RGB565 pixels; the angle is brought into range first.
  void SW565_DrawRotatedBitmapHighest(IDibBitmap* src, IDibBitmap* dest, FIXED_FLOAT x, FIXED_FLOAT y,
                                      FIXED_FLOAT angle, FIXED_FLOAT_16 scale, int flags);
  void SW565_DrawRotatedBitmapHigh(IDibBitmap* src, IDibBitmap* dest, FIXED_FLOAT x, FIXED_FLOAT y,
                                   FIXED_FLOAT angle, FIXED_FLOAT_16 scale, int flags);
  void SW565_DrawRotatedBitmapLowest(IDibBitmap* src, IDibBitmap* dest, FIXED_FLOAT x, FIXED_FLOAT y,
                                     FIXED_FLOAT angle, FIXED_FLOAT_16 scale, int flags);
  void SW565_DrawRotatedBitmapHighest_NoAlpha(IDibBitmap* src, IDibBitmap* dest, FIXED_FLOAT x, FIXED_FLOAT y,
                                              FIXED_FLOAT angle, FIXED_FLOAT_16 scale, int flags);
  void SW565_DrawRotatedBitmapTransparentHighest(IDibBitmap* src, IDibBitmap* dest, FIXED_FLOAT x,
                                                 FIXED_FLOAT y, FIXED_FLOAT angle, FIXED_FLOAT_16 scale,
                                                 int alpha, int flags);
  void SW565_DrawRotatedBitmapMultiplyHighest(IDibBitmap* src, IDibBitmap* dest, FIXED_FLOAT x, FIXED_FLOAT y,
                                              FIXED_FLOAT angle, FIXED_FLOAT_16 scale, unsigned char r,
                                              unsigned char g, unsigned char b, int alpha, int flags);
  void SW565_DrawRotatedBitmapAlphaChannelHighest(IDibBitmap* src, IDibBitmap* dest, FIXED_FLOAT x,
                                                  FIXED_FLOAT y, FIXED_FLOAT angle, FIXED_FLOAT_16 scale,
                                                  unsigned char r, unsigned char g, unsigned char b,
                                                  int alpha, int flags);
  void SW565_DrawRotatedBitmapAdditiveHighest(IDibBitmap* src, IDibBitmap* dest, FIXED_FLOAT x, FIXED_FLOAT y,
                                              FIXED_FLOAT angle, FIXED_FLOAT_16 scale, unsigned char r,
                                              unsigned char g, unsigned char b, int alpha, int flags);
  void SW565_DrawRotatedBitmapAdditiveHighest_NoAlpha(IDibBitmap* src, IDibBitmap* dest, FIXED_FLOAT x,
                                                      FIXED_FLOAT y, FIXED_FLOAT angle, FIXED_FLOAT_16 scale,
                                                      unsigned char r, unsigned char g, unsigned char b,
                                                      int alpha, int flags);
  void SW565_DrawRotatedBitmapAdditiveLowest_NoAlpha(IDibBitmap* src, IDibBitmap* dest, FIXED_FLOAT x,
                                                     FIXED_FLOAT y, FIXED_FLOAT angle, FIXED_FLOAT_16 scale,
                                                     unsigned char r, unsigned char g, unsigned char b,
                                                     int alpha, int flags);
  // A new bitmap (the caller owns it) holding src turned by angle and scaled by scale (FIXED_FLOAT:
  // 256 = 1.0), or null. Its last row and column stay black and transparent.
  IDibBitmap* CreateRotatedBitmap(IDibBitmap* src, FIXED_FLOAT angle, FIXED_FLOAT scale);

  CAppGraphics* m_pGame = nullptr;
  s32* m_pSinTable8 = nullptr;
  s32* m_pCosTable8 = nullptr;
  s32* m_pSinTable16 = nullptr;
  s32* m_pCosTable16 = nullptr;
  int m_nAngleSteps = 0;
  FIXED_FLOAT m_nStepsPerDegree = 0;
  int m_nQuality = QUALITY_HIGHEST;
  bool m_bFixedSquareBounds = false;

private:
  void FreeTables();
  bool IsScreen(IDibBitmap* dest) const;
  // Software destination: the centre mapped into a turned destination's stored grid.
  void RemapCentre(IDibBitmap* dest, FIXED_FLOAT& x, FIXED_FLOAT& y) const;
  // The screen path when dest is the draw target (true then, whether or not the opacity left
  // anything to draw).
  bool DrawIfScreen(IDibBitmap* src, IDibBitmap* dest, FIXED_FLOAT x, FIXED_FLOAT y, FIXED_FLOAT angle,
                    FIXED_FLOAT_16 scale, int blendMode, u8 r, u8 g, u8 b, int alpha, int flags);
  // Screen path: blendMode and colour for all six vertices.
  void DrawScreen(IDibBitmap* src, IDibBitmap* dest, FIXED_FLOAT x, FIXED_FLOAT y, FIXED_FLOAT angle,
                  FIXED_FLOAT_16 scale, int blendMode, u8 r, u8 g, u8 b, u8 a, int flags);
};
