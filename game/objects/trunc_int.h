// Whole numbers from the floats of the object physics: a size or speed from a level file can put a
// position or a distance outside int, where a plain conversion is undefined.
#pragma once

#include <climits>

// Truncated towards zero like a cast; beyond int the nearest end; not a number gives 0.
inline int TruncToInt(double v) {
  if (!(v == v)) return 0;
  if (v >= (double)INT_MAX) return INT_MAX;
  if (v <= (double)INT_MIN) return INT_MIN;
  return (int)v;
}
