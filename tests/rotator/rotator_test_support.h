// The rotator as the game sets it up (360000 angle steps, quality 2) and the quadrant picture the
// orientation tests draw: four colours, so that a turn or a mirror shows where each corner went.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "../graphics/bitmap_test_support.h"
#include "image_rotator.h"

inline FIXED_FLOAT Degrees(int d) { return d * 256; }

inline std::unique_ptr<CQuellarImageRotatorScaler> GameRotator(CGameBase* game) {
  auto rot = std::make_unique<CQuellarImageRotatorScaler>(game, 360000);
  EXPECT_EQ(1, rot->Initialize());
  rot->SetQuality(CQuellarImageRotatorScaler::QUALITY_HIGHEST);
  return rot;
}

// Quadrants in clockwise order from the top left: red, green, blue, white (8-bit channels).
struct Rgb8 {
  int r, g, b;
};
inline const Rgb8 kQuadrant[4] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};

inline u16 To565(const Rgb8& c) { return (u16)(((c.r >> 3) << 11) | ((c.g >> 2) << 5) | (c.b >> 3)); }

// The quadrant (0 top left, then clockwise) of pixel (x, y) of an n x n picture.
inline int QuadrantOf(int x, int y, int n) {
  bool right = x >= n / 2, bottom = y >= n / 2;
  return bottom ? (right ? 2 : 3) : (right ? 1 : 0);
}

// The palette entry nearest to an 8-bit colour, or -1 when it is nearer to black (untouched).
inline int NearestQuadrant(int r, int g, int b) {
  auto dist = [&](const Rgb8& c) {
    return (r - c.r) * (r - c.r) + (g - c.g) * (g - c.g) + (b - c.b) * (b - c.b);
  };
  int best = -1, bestDist = dist({0, 0, 0});
  for (int q = 0; q < 4; q++)
    if (dist(kQuadrant[q]) < bestDist) best = q, bestDist = dist(kQuadrant[q]);
  return best;
}

inline int NearestQuadrant565(u16 p) {
  return NearestQuadrant((p >> 11) * 255 / 31, ((p >> 5) & 0x3F) * 255 / 63, (p & 0x1F) * 255 / 31);
}

// Where the quadrant picture's corner q lands after `turns` quarter turns clockwise, and mirrored
// first when asked: the probe at screen quadrant p shows picture quadrant ShownAt(p).
inline int ShownAt(int screenQuadrant, int turns, bool mirrored) {
  int q = ((screenQuadrant - turns) % 4 + 4) % 4;
  static const int mirror[4] = {1, 0, 3, 2};
  return mirrored ? mirror[q] : q;
}
