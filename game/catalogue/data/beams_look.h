// The level end's beams ("fxend_beams"): wedges out of the middle of a square picture, shaded from
// the top of their reach to its bottom, under a round glow cut off short of their ends. The sample
// pack paints the picture from this, and the game draws the same shapes as shaded triangles in its
// place: a picture that large and mostly clear, turning over the whole screen, costs a software
// rasteriser far more textured than shaded.
#pragma once

namespace beams {

constexpr double kPi = 3.14159265358979323846;
constexpr int kCount = 12;              // wedges, evenly round, the first pointing right
constexpr double kHalfAngle = kPi / 24; // each wedge's half angle; its outer end is straight
constexpr double kReach = 0.98;         // how far the wedges reach, a share of the half side
constexpr double kGlowEdge = 0.45;      // where the glow is cut off, a share of the reach

// Straight (not premultiplied) colours, 0 to 1.
struct Rgba {
  double r, g, b, a;
};
// The wedges at the top of their reach and at its bottom, in between in proportion.
constexpr Rgba kTop{1, 250 / 255.0, 200 / 255.0, 150 / 255.0};
constexpr Rgba kBottom{1, 220 / 255.0, 120 / 255.0, 0};
// The glow in the middle, fading in proportion towards nothing at the reach.
constexpr Rgba kGlow{1, 1, 0.85, 0.6};

inline Rgba Lerp(const Rgba& a, const Rgba& b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

// The wedges' colour at a height across the reach (0 at its top, 1 at its bottom).
inline Rgba WedgeAt(double down) { return Lerp(kTop, kBottom, down); }

// The glow's colour at a distance from the middle, a share of the reach (0 past kGlowEdge).
inline Rgba GlowAt(double out) {
  if (out > kGlowEdge) return {kGlow.r, kGlow.g, kGlow.b, 0};
  return {kGlow.r, kGlow.g, kGlow.b, kGlow.a * (1 - out)};
}

} // namespace beams
