// The game's small value types (float point and rectangle, integer colour) and its arithmetic
// helpers: signs, clamps, random floats, angle differences, a circle-segment test.
#pragma once

struct myPoint {
  float x;
  float y;

  myPoint() {}
  myPoint(float px, float py) : x(px), y(py) {}
  void Translate(float dx, float dy) {
    x += dx;
    y += dy;
  }
};

// Held as left, right, top, bottom; built from left, top, right, bottom. Half-open: the left and
// top edges are inside, the right and bottom edges outside.
struct myRect {
  float left;
  float right;
  float top;
  float bottom;

  myRect() {}
  myRect(float l, float t, float r, float b) : left(l), right(r), top(t), bottom(b) {}
  myRect& Set(float l, float t, float r, float b) {
    left = l;
    top = t;
    right = r;
    bottom = b;
    return *this;
  }
  float GetWidth() const { return right - left; }
  float GetHeight() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool Contains(const myPoint& p) const { return left <= p.x && p.x < right && top <= p.y && p.y < bottom; }
  bool Contains(int x, int y) const { return Contains(myPoint((float)x, (float)y)); }
  // Takes in the pixel at p; only one side per axis moves.
  void Extend(const myPoint& p);
  // The union, without testing r for emptiness.
  void Extend(const myRect& r);
  // Shrinks to the intersection; a disjoint pair leaves an empty rectangle.
  void Intersect(const myRect& r);
};

struct ColorRGB {
  int r;
  int g;
  int b;

  ColorRGB() : r(0), g(0), b(0) {}
  ColorRGB(int cr, int cg, int cb) : r(cr), g(cg), b(cb) {}
};

// 1 for zero and above, else -1.
int signOf(float v);
// -1, 0 or 1: zero (and not a number) keeps no direction, unlike signOf.
float signOrZero(float v);
void limitValueMax(float& v, float max);
void limitValueMin(float& v, float min);
// Uniform over [a, b] with the C library's rand().
float randFloat(float a, float b);
// a - b brought into [-pi, pi].
float compareAngles(float a, float b);
void SWAP(int& a, int& b);
void SWAP(float& a, float& b);
// low first, then high: with low > high the value ends at high.
void CheckIndexInside(int& v, int low, int high);
// True when the segment a-b passes strictly within radius of the centre.
bool IntersectCircleLine(myPoint centre, float radius, myPoint a, myPoint b);
