// RGB <-> HSL conversion shared by every bitmap's colour adjustment.
#include "dib_bitmap.h"

hslcolor rgb2hsl(rgbcolor c) {
  double r = c.r / 255.0, g = c.g / 255.0, b = c.b / 255.0;
  double max = r > g ? (r > b ? r : b) : (g > b ? g : b);
  double min = r < g ? (r < b ? r : b) : (g < b ? g : b);
  double l = (max + min) * 0.5;
  if (l <= 0) return hslcolor{0, 0, (int)(l * 255)};
  double delta = max - min;
  if (delta <= 0) return hslcolor{0, (int)(delta * 255), (int)(l * 255)};
  double s = l <= 0.5 ? delta / (max + min) : delta / (2.0 - max - min);
  double rd = (max - r) / delta, gd = (max - g) / delta, bd = (max - b) / delta;
  double h;
  if (max == r)
    h = min == g ? 5 + bd : 1 - gd;
  else if (max == g)
    h = min == b ? 1 + rd : 3 - bd;
  else
    h = min == r ? 3 + gd : 5 - rd;
  return hslcolor{(int)(h / 6 * 255), (int)(s * 255), (int)(l * 255)};
}

static int ToChannel(double x) {
  int v = (int)(x * 255);
  return v < 0 ? 0 : (v > 255 ? 255 : v);
}

rgbcolor hsl2rgb(hslcolor c) {
  double l = c.l / 255.0, s = c.s / 255.0;
  double v = l <= 0.5 ? l * (1 + s) : l + s - l * s;
  double r = l, g = l, b = l;
  if (v > 0) {
    double m = 2 * l - v;
    double sv = (v - m) / v;
    double h = c.h / 255.0 * 6.0;
    int sextant = (int)h;
    double fract = h - sextant;
    double vsf = v * sv * fract;
    double mid1 = m + vsf, mid2 = v - vsf;
    // Red-dominant colours convert to hue 255, exactly sextant 6: it is sextant 0 again, or a
    // round trip would turn pure reds grey.
    if (sextant == 6) sextant = 0;
    switch (sextant) {
    case 0:
      r = v, g = mid1, b = m;
      break;
    case 1:
      r = mid2, g = v, b = m;
      break;
    case 2:
      r = m, g = v, b = mid1;
      break;
    case 3:
      r = m, g = mid2, b = v;
      break;
    case 4:
      r = mid1, g = m, b = v;
      break;
    case 5:
      r = v, g = m, b = mid2;
      break;
    default:
      break; // hue pushed out of range by an adjustment: grey
    }
  }
  return rgbcolor{ToChannel(r), ToChannel(g), ToChannel(b)};
}
