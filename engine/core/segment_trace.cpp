// Segment crossings in 8-bit fixed-point slopes, and the engine's trace printer.
#include "segment_trace.h"

#include <algorithm>
#include <cstdarg>
#include <cstdint>
#include <cstdio>

#include "common_string.h"

namespace {
// Products run in 64 bits so that far-off coordinates cannot overflow; for pixel ranges the
// results equal the engine's 32-bit arithmetic.
int64_t Slope(int64_t dx, int64_t dy) { return (dy * 4096) / ((dx * 256) >> 4); }

bool Outside(int64_t v, int64_t a, int64_t b) { return v < std::min(a, b) || v > std::max(a, b); }

// Point of the overlap [lo, hi] nearest to 0 (the segment's start), for collinear segments.
int64_t NearestInOverlap(int64_t lo, int64_t hi) { return std::max(lo, std::min<int64_t>(hi, 0)); }
} // namespace

int LinesIntersectH(int x1, int y1, int x2, int y2, int hx1, int hy, int hx2, int* ix, int* iy) {
  int dummyX, dummyY;
  if (!ix) ix = &dummyX;
  if (!iy) iy = &dummyY;
  int64_t dx = (int64_t)x2 - x1, dy = (int64_t)y2 - y1;
  int64_t ry = (int64_t)hy - y1, a = (int64_t)hx1 - x1, b = (int64_t)hx2 - x1;
  *iy = (int)ry;
  int64_t X = 0;
  if (dx != 0) {
    int64_t s = Slope(dx, dy);
    if (s < 0 || s >= 4096) {
      X = ((ry * 4096) / (s >> 4)) >> 8;
    } else if (dy != 0) {
      // Shallow slopes lose too much in 8.8 fixed point: divide exactly.
      X = ry * dx / dy;
    } else {
      // Horizontal segment: it meets the other one only when both lie on the same line.
      if (ry != 0) return 0;
      X = NearestInOverlap(std::max(std::min(a, b), std::min<int64_t>(dx, 0)),
                           std::min(std::max(a, b), std::max<int64_t>(dx, 0)));
    }
    *ix = (int)X;
    if (X < std::min<int64_t>(dx, 0)) return 0;
  }
  if (Outside(X, a, b) || X > std::max<int64_t>(dx, 0) || Outside(ry, dy, 0)) return 0;
  *ix = (int)(X + x1);
  *iy = (int)(ry + y1);
  return 1;
}

int LinesIntersectV(int x1, int y1, int x2, int y2, int vx, int vy1, int vy2, int* ix, int* iy) {
  int dummyX, dummyY;
  if (!ix) ix = &dummyX;
  if (!iy) iy = &dummyY;
  int64_t dx = (int64_t)x2 - x1, dy = (int64_t)y2 - y1;
  int64_t rx = (int64_t)vx - x1, a = (int64_t)vy1 - y1, b = (int64_t)vy2 - y1;
  *ix = (int)rx;
  int64_t Y;
  if (dx == 0) {
    // Vertical segment: it meets the other one only when both lie on the same line.
    if (rx != 0) return 0;
    Y = NearestInOverlap(std::max(std::min(a, b), std::min<int64_t>(dy, 0)),
                         std::min(std::max(a, b), std::max<int64_t>(dy, 0)));
  } else {
    int64_t s = Slope(dx, dy);
    if ((s >> 12) != 0)
      Y = (s * rx * 256) >> 16;
    else
      Y = rx * dy / dx; // shallow slope: exact division
  }
  *iy = (int)Y;
  if (rx < std::min<int64_t>(dx, 0)) return 0;
  if (Outside(Y, a, b) || rx > std::max<int64_t>(dx, 0) || Outside(Y, dy, 0)) return 0;
  *ix = (int)(rx + x1);
  *iy = (int)(Y + y1);
  return 1;
}

void EngineLogTrace(const char* tag, const char* format, ...) {
  CommonString message;
  va_list args;
  va_start(args, format);
  // Formatted whole: a long message is printed in full rather than cut or overrun.
  message.FormatV(format ? format : "", args);
  va_end(args);
  CommonString out("\n");
  if (tag && *tag) out = out + tag + "\t";
  out = out + message;
  printf("%s", out.c_str());
}
