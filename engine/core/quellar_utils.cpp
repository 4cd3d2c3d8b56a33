// Shared engine helpers that need no bitmap: hash, hit tests, arc-tangents, text helpers.
#include "quellar_utils.h"

#include <cstdint>

const int AtanDegree[21] = {0, 3, 6, 8, 11, 14, 17, 19, 22, 24, 26, 29, 31, 33, 35, 37, 38, 40, 42, 43, 45};
const int AtanDegree2[42] = {0,  1,  3,  4,  6,  7,  8,  9,  11, 12, 14, 15, 17, 18,
                             19, 20, 22, 23, 24, 25, 26, 27, 29, 30, 31, 32, 33, 34,
                             35, 36, 37, 38, 38, 39, 40, 41, 42, 42, 43, 44, 45, 45};

int GetHashCode(const char* text) {
  if (!text) return 0;
  u32 h = 0;
  for (const char* p = text; *p; p++) {
    h = (h << 4) + (u32)(int32_t)(signed char)*p;
    if (h > 0x0FFFFFFFu) {
      u32 g = h & 0xF0000000u;
      h = (h ^ (g >> 24)) & 0x0FFFFFFFu;
    }
  }
  return (int)(h & 0x7FFFFFFFu);
}

// The comparisons run in 64 bits so that rectangles near the int range cannot wrap.
static bool InRange(int64_t v, int64_t start, int64_t length) { return start <= v && v <= start + length; }

bool PtInRect(int x, int y, const TRect2D* rect) {
  if (!rect) return false;
  return InRange((int64_t)x * 256, rect->x, rect->width) && InRange((int64_t)y * 256, rect->y, rect->height);
}

bool PtInRect(int x, int y, const TRect2D_16* rect) {
  if (!rect) return false;
  return InRange((int64_t)x * 65536, rect->x, rect->width) &&
         InRange((int64_t)y * 65536, rect->y, rect->height);
}

bool PtInRect(TVector2D point, const TRect2D* rect) { return PtInRect(point.x >> 8, point.y >> 8, rect); }

bool PtInRect(int x, int y, const TCoordRect2D* rect) {
  if (!rect) return false;
  return InRange(x, rect->x, rect->width) && InRange(y, rect->y, rect->height);
}

bool PtInRect(TVector2D point, const TCoordRect2D* rect) {
  return PtInRect(point.x >> 8, point.y >> 8, rect);
}

bool IsDeviceOEMStringEqual(const char*) { return false; }

namespace {
struct Octant {
  int base;
  int sign;
  int64_t minor; // smaller of |x| and |y|
  int64_t major; // larger, never 0
};

// Assumes x != 0. Ties go to the row of the octant table the angle functions are defined by.
Octant FindOctant(int x, int y) {
  int64_t a = x < 0 ? -(int64_t)x : x;
  int64_t b = y < 0 ? -(int64_t)y : y;
  Octant o;
  if (x > 0 && y > 0) {
    if (x >= y)
      o = {0, 1, b, a};
    else
      o = {90, -1, a, b};
  } else if (x < 0 && y > 0) {
    if (a < y)
      o = {90, 1, a, b};
    else
      o = {180, -1, b, a};
  } else if (x < 0) {
    if (a >= b)
      o = {180, 1, b, a};
    else
      o = {270, -1, a, b};
  } else {
    if (b > x)
      o = {270, 1, a, b};
    else
      o = {360, -1, b, a};
  }
  return o;
}
} // namespace

int fast_atan(int x, int y) {
  if (x == 0) return y <= 0 ? 270 : 90;
  Octant o = FindOctant(x, y);
  // 8.8 ratio minor / major, then scaled to the 0..20 table index.
  int64_t r = (o.minor << 12) / ((o.major << 8) >> 4);
  int64_t index = (r * 5120) >> 16;
  return o.base + o.sign * AtanDegree[index];
}

int fast_atan2(int x, int y) {
  if (x == 0) return y <= 0 ? 270 : 90;
  Octant o = FindOctant(x, y);
  int64_t index = (o.minor * 40) / o.major;
  return o.base + o.sign * AtanDegree2[index];
}

static const FIXED_FLOAT kFullTurn = 92160; // 360 degrees
static const FIXED_FLOAT kHalfTurn = 46080;

static FIXED_FLOAT NormaliseAngle(FIXED_FLOAT a) {
  a %= kFullTurn;
  return a < 0 ? a + kFullTurn : a;
}

FIXED_FLOAT ClosestRotationAngle(FIXED_FLOAT from, FIXED_FLOAT to) {
  from = NormaliseAngle(from);
  to = NormaliseAngle(to);
  if (from == to) return 0;
  if (from > to) return -ClosestRotationAngle(to, from);
  if (from + kHalfTurn >= to) return to - from;
  return to - from - kFullTurn;
}

CommonString IntToCommonString(int n) {
  char text[16];
  int len = 0;
  // Unsigned magnitude: the most negative int has no positive counterpart.
  u32 v = n < 0 ? 0u - (u32)n : (u32)n;
  do {
    text[len++] = (char)('0' + v % 10);
    v /= 10;
  } while (v);
  if (n < 0) text[len++] = '-';
  for (int i = 0; i < len / 2; i++) {
    char c = text[i];
    text[i] = text[len - 1 - i];
    text[len - 1 - i] = c;
  }
  text[len] = 0;
  return CommonString(text);
}

bool FindSubstr(const CommonString* needle, const CommonString* hay) {
  if (!needle || !hay || !needle->GetData()) return false;
  int n = needle->Length();
  int h = hay->Length();
  if (n > h) return false;
  if (n == h) return needle->IsEqual(hay->GetData());
  const char* text = hay->GetDataConst();
  for (int start = 0; start <= h - n; start++)
    if (memcmp(text + start, needle->GetDataConst(), (size_t)n) == 0) return true;
  return false;
}
