// The beams' shape: the glow as a fan of columns, each wedge beyond it as three triangles. Every
// corner takes the colour the picture has there, premultiplied; in between, the shades run
// straight, as the picture's nearly do.
#include "beams_shape.h"

#include <cmath>

#include "beams_look.h"
#include "texture2d.h"

namespace {

// Four columns a wedge and the gap after it: two in the wedge, two in the gap.
enum { kColumns = 4 * beams::kCount, kTriangles = kColumns + 3 * beams::kCount, kCorners = 3 * kTriangles };

// A corner at angle and distance out (a share of the reach), under the glow or past it, in a
// wedge or not.
ShapeCorner At(double angle, double out, bool glowing, bool wedge) {
  const double reach = beams::kReach * 0.5;
  const double s = 0.5 + std::cos(angle) * out * reach, t = 0.5 + std::sin(angle) * out * reach;
  double c[4] = {0, 0, 0, 0};
  if (wedge) {
    const beams::Rgba w = beams::WedgeAt((t - (0.5 - reach)) / (2 * reach));
    c[0] = w.r * w.a, c[1] = w.g * w.a, c[2] = w.b * w.a, c[3] = w.a;
  }
  if (glowing) {
    const beams::Rgba g = beams::GlowAt(out);
    const double below = 1 - g.a;
    c[0] = g.r * g.a + c[0] * below, c[1] = g.g * g.a + c[1] * below, c[2] = g.b * g.a + c[2] * below;
    c[3] = g.a + c[3] * below;
  }
  return {(float)s, (float)t, (float)c[0], (float)c[1], (float)c[2], (float)c[3]};
}

} // namespace

const ShapeCorner* BeamsShape(int* corners) {
  static ShapeCorner shape[kCorners];
  static bool made = false;
  if (!made) {
    const double period = 2 * beams::kPi / beams::kCount, d = beams::kHalfAngle, edge = beams::kGlowEdge;
    ShapeCorner* to = shape;
    auto triangle = [&](ShapeCorner a, ShapeCorner b, ShapeCorner c) {
      *to++ = a;
      *to++ = b;
      *to++ = c;
    };
    for (int k = 0; k < beams::kCount; ++k) {
      const double mid = k * period;
      const double from[4] = {mid - d, mid, mid + d, mid + period / 2};
      const double to_[4] = {mid, mid + d, mid + period / 2, mid + period - d};
      for (int c = 0; c < 4; ++c) {
        const bool wedge = c < 2;
        triangle(At(from[c], 0, true, wedge), At(from[c], edge, true, wedge), At(to_[c], edge, true, wedge));
      }
      const ShapeCorner inLeft = At(mid - d, edge, false, true), inMid = At(mid, edge, false, true),
                        inRight = At(mid + d, edge, false, true), outLeft = At(mid - d, 1, false, true),
                        outRight = At(mid + d, 1, false, true);
      triangle(inLeft, outLeft, inMid);
      triangle(inMid, outLeft, outRight);
      triangle(inMid, outRight, inRight);
    }
    made = true;
  }
  *corners = kCorners;
  return shape;
}
