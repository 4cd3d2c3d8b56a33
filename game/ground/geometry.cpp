// The game's value types and arithmetic helpers.
#include "geometry.h"

#include <cmath>
#include <cstdlib>

void myRect::Extend(const myPoint& p) {
  if (p.x < left)
    left = p.x;
  else if (p.x >= right)
    right = p.x + 1;
  if (p.y < top)
    top = p.y;
  else if (p.y >= bottom)
    bottom = p.y + 1;
}

void myRect::Extend(const myRect& r) {
  if (r.left < left) left = r.left;
  if (r.top < top) top = r.top;
  if (r.right > right) right = r.right;
  if (r.bottom > bottom) bottom = r.bottom;
}

void myRect::Intersect(const myRect& r) {
  if (r.left > left) left = r.left;
  if (r.top > top) top = r.top;
  if (r.right < right) right = r.right;
  if (r.bottom < bottom) bottom = r.bottom;
}

int signOf(float v) { return v >= 0 ? 1 : -1; }

float signOrZero(float v) { return v > 0 ? 1.0f : v < 0 ? -1.0f : 0.0f; }

void limitValueMax(float& v, float max) {
  if (v > max) v = max;
}

void limitValueMin(float& v, float min) {
  if (v < min) v = min;
}

// The tablet's rand() tops out at 32767; glibc's goes to 2^31 - 1, so only its low 15 bits are
// used to keep the result inside [a, b] with the same spread.
float randFloat(float a, float b) { return a + (b - a) * (float)((rand() % 32768) / 32767.0); }

float compareAngles(float a, float b) {
  float d = a - b;
  // A difference that is no number has no direction; one of many turns is first brought within one
  // turn, since steps of a turn vanish in a float that large and would never end.
  if (!std::isfinite(d)) return 0;
  if (std::fabs((double)d) > 64 * 6.283185307) d = (float)std::remainder((double)d, 6.283185307);
  for (;;) {
    if ((double)d > 3.1415926535)
      d = (float)((double)d - 6.283185307);
    else if ((double)d < -3.1415926535)
      d = (float)((double)d + 6.283185307);
    else
      break;
  }
  return d;
}

void SWAP(int& a, int& b) {
  int t = a;
  a = b;
  b = t;
}

void SWAP(float& a, float& b) {
  float t = a;
  a = b;
  b = t;
}

void CheckIndexInside(int& v, int low, int high) {
  if (v < low) v = low;
  if (v > high) v = high;
}

bool IntersectCircleLine(myPoint centre, float radius, myPoint a, myPoint b) {
  float fx = a.x - centre.x, fy = a.y - centre.y;
  float dx = b.x - a.x, dy = b.y - a.y;
  float qa = dx * dx + dy * dy;
  float qb = 2 * (fx * dx + fy * dy);
  float qc = fx * fx + fy * fy - radius * radius;
  float tested;
  if (qb > 0)
    tested = qc;
  else if (-qb < 2 * qa)
    tested = 4 * qa * qc - qb * qb;
  else
    tested = qa + qb + qc;
  return tested < 0;
}
